#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cliconverter.h"
#include "fdoutput.h"
#include "linereader.h"
#include "unitcatalogue.h"

namespace metrivo {

// Converts lines "CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO" from a file descriptor,
// one result line per input line in input order; a line that cannot be
// converted gives an empty result line (or "Below Absolute Zero") and one
// message "metrivo-convert: line N: ..." on the error descriptor ("FILE: line
// N" for a named file). A byte order mark before the first line and a CR
// before each line break are dropped. Memory stays the same whatever the input: lines
// are read through one buffer and a line over the cap is passed over.
// Results are buffered, and written out before each read that may wait, so a
// coprocess that writes one line and waits gets its result. The run stops at
// the first failed read or write.
class BatchRunner {
  public:
    BatchRunner(const UnitCatalogue& catalogue, std::string separator);

    enum class End { kClean, kMessages, kReadFailed, kWriteFailed };

    // `source` names the input in messages; empty for standard input. Lines
    // are counted from 1 in each input.
    End Run(int in, FdOutput& out, FdOutput& errors, std::string_view source = {},
            std::size_t maxLine = LineReader::kDefaultMaxLine);

    // Converts one line (without its line break). Returns the result text; a
    // line that cannot be converted sets message() and gives an empty result.
    const std::string& ConvertLine(std::string_view line);
    const std::string& message() const { return message_; }

    uint64_t messageCount() const { return messages_; }
    // errno of the failed read or write after kReadFailed or kWriteFailed.
    int error() const { return error_; }

  private:
    CliConverter converter_;
    std::string message_;
    const std::string empty_;
    uint64_t messages_ = 0;
    int error_ = 0;
};

}  // namespace metrivo

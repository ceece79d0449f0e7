#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "cliconverter.h"
#include "unitcatalogue.h"

namespace metrivo {

// Converts lines "CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO" from a stream, one
// result line per input line in input order. Reads one line at a time, so
// memory does not grow with the input; output is buffered but flushed
// whenever no more input is waiting, so it also serves a coprocess that
// writes one line and waits for its result. A CR before the line break is
// dropped. Reports go to the error stream with
// "line N: " before each of their lines.
class BatchRunner {
  public:
    BatchRunner(const UnitCatalogue& catalogue, std::ostream& errors, std::string separator);

    // Returns true when no line gave a report or a message.
    bool Run(std::istream& in, std::ostream& out);

    // Converts one line (without its line break) and returns the result text;
    // a line that cannot be converted gives a message and an empty result.
    const std::string& ConvertLine(uint64_t number, std::string_view line);

    uint64_t messageCount() const { return messages_; }

  private:
    void Message(uint64_t number, std::string_view text);

    std::ostream& errors_;
    CliConverter converter_;
    uint64_t messages_ = 0;
    std::string prefix_;
    const std::string empty_;
};

}  // namespace metrivo

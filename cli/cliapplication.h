#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "batchrunner.h"
#include "clioptions.h"
#include "fdoutput.h"
#include "unitcatalogue.h"

namespace metrivo {

// metrivo-convert as a whole: reads the command line and runs one
// conversion, a batch, the unit list or names, the help or the version over
// three file descriptors.
//
// Exit status: 0 everything converted; 1 something was reported (a unit not
// found, an amount or result out of range, a temperature below absolute zero,
// a batch line that could not be converted, a failed read or write); 2 the
// command line was unusable.
class CliApplication {
  public:
    static constexpr int kSuccess = 0;
    static constexpr int kReported = 1;
    static constexpr int kUsageError = 2;

    static constexpr std::string_view kProgram = "metrivo-convert";

    // `defaultSeparator` is the decimal separator of the user's locale, used
    // unless --decimal-separator names another.
    CliApplication(int in, int out, int err, std::string defaultSeparator);

    int Run(std::span<const std::string> args);

    static std::string Usage();
    static std::string Help();
    static std::string Version();

  private:
    // The -c option's category, if given; false after saying it is unknown.
    bool CategoryOption(const CliOptions& options, std::optional<int>* category);
    int Convert(const CliOptions& options, const std::string& separator);
    int Batch(const CliOptions& options, const std::string& separator);
    // The status of one batch input; says what failed.
    int BatchStatus(const BatchRunner& runner, BatchRunner::End end, std::string_view file);
    // --list and --names.
    int List(const CliOptions& options);
    int NamesOf(std::string_view unit);
    // Writes out standard output; a failed write is reported and makes the
    // status 1.
    int Finish(int status);
    void Message(std::string_view text);

    int in_;
    FdOutput out_;
    FdOutput err_;
    std::string defaultSeparator_;
    UnitCatalogue catalogue_;
};

}  // namespace metrivo

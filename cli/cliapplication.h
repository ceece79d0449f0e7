#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "clioptions.h"
#include "unitcatalogue.h"

namespace metrivo {

// metrivo-convert as a whole: reads the command line and runs one
// conversion, a batch, the unit list, the help or the version.
//
// Exit status: 0 done; 1 an error report or a batch line message was given;
// 2 the command line was unusable (bad option, bad category, no category
// holding both units).
class CliApplication {
  public:
    static constexpr int kSuccess = 0;
    static constexpr int kReported = 1;
    static constexpr int kUsageError = 2;

    static constexpr std::string_view kProgram = "metrivo-convert";

    // `defaultSeparator` is the decimal separator of the user's locale, used
    // unless --decimal-separator names another.
    CliApplication(std::istream& in, std::ostream& out, std::ostream& err,
                   std::string defaultSeparator);

    int Run(std::span<const std::string> args);

    static std::string Usage();
    static std::string Help();
    static std::string Version();

  private:
    int Convert(const CliOptions& options, const std::string& separator);
    int List(const CliOptions& options);
    int Fail(std::string_view message);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    std::string defaultSeparator_;
    UnitCatalogue catalogue_;
};

}  // namespace metrivo

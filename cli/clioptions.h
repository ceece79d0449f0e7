#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace metrivo {

// The command line of metrivo-convert, split into its mode, options and
// operands. An argument that starts with "-" is an option only when a letter
// or a second "-" follows, so "-40" and "-.5" are amounts; "--" ends the
// options. Long options may be shortened to any unambiguous start, as with
// getopt_long ("--cat Weight", "--dec=,").
class CliOptions {
  public:
    enum class Mode { kConvert, kBatch, kList, kNames, kNamesOf, kHelp, kVersion };

    static CliOptions Parse(std::span<const std::string> args);

    // Why a decimal separator cannot be used, or empty when it can: it must
    // not be empty nor hold a digit, "+", "-", "e", "E", white space or a
    // control character, which would make results unreadable or ambiguous.
    static std::string SeparatorProblem(std::string_view separator);

    Mode mode = Mode::kConvert;
    std::optional<std::string> category;
    std::optional<std::string> separator;
    // The amount and the two units; the files of a batch; the unit of
    // --names-of.
    std::vector<std::string> operands;
    // Set when the command line is unusable; says why.
    std::string error;
};

}  // namespace metrivo

#include "cliapplication.h"

#include <cstring>

#include "batchrunner.h"
#include "categorylookup.h"
#include "cliconverter.h"
#include "quotedtext.h"
#include "unitnames.h"

#ifndef METRIVO_VERSION
#define METRIVO_VERSION "unknown"
#endif
#ifndef METRIVO_SUPPORT_ADDRESS
#define METRIVO_SUPPORT_ADDRESS "support@metrivo.example"
#endif

namespace metrivo {
namespace {
constexpr std::size_t kListNameWidth = 31;
}

CliApplication::CliApplication(int in, int out, int err, std::string defaultSeparator)
    : in_(in), out_(out), err_(err, 4096), defaultSeparator_(std::move(defaultSeparator)) {}

std::string CliApplication::Usage() {
    return "Usage: metrivo-convert [-c|--category CAT] [--decimal-separator SEP] AMOUNT FROM TO\n"
           "       metrivo-convert --batch [--decimal-separator SEP] < LINES\n"
           "       metrivo-convert --list [CAT]\n"
           "       metrivo-convert --help | --version\n";
}

std::string CliApplication::Help() {
    return Usage() +
           "Convert AMOUNT from the unit FROM to the unit TO and print the result exactly\n"
           "as Metrivo's Results box shows it.\n"
           "\n"
           "  -c, --category CAT       the category to convert in: 0 to 5 or a name\n"
           "                           (Length, Temperature, Speed, Volume, Weight, Area)\n"
           "                           or its start, in any letter case; without it, the\n"
           "                           category that has both units\n"
           "      --decimal-separator SEP  the decimal separator of the result (default:\n"
           "                           the one of the locale in LC_ALL, LC_NUMERIC or LANG)\n"
           "      --batch              read CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO lines from\n"
           "                           standard input, write one result line for each\n"
           "      --list [CAT]         list the categories, their units and the symbols\n"
           "                           each unit is known by\n"
           "  -h, --help               show this help and exit\n"
           "      --version            show the version and exit\n"
           "      --                   end of options (an AMOUNT such as -40 needs none)\n"
           "Long options may be shortened to any unambiguous start (--cat).\n"
           "\n"
           "Units are found by their names in the list, in any letter case, by the usual\n"
           "symbols (km, mi, F, C, mph, l, fl oz, kg, lb, oz, sq ft, ha...) or by the\n"
           "start of a name (\"kilo\" in Weight). AMOUNT is read as the window's amount\n"
           "box reads it: spaces are ignored, \".\" is the only decimal point, &H and &O\n"
           "start hexadecimal and octal numbers, and a text without a number is 0.\n"
           "\n"
           "Messages go to standard error as one line each. Exit status: 0 all converted,\n"
           "1 something was reported, 2 the command line was unusable.\n"
           "\n"
           "Report bugs to <" METRIVO_SUPPORT_ADDRESS ">.\n";
}

std::string CliApplication::Version() {
    return std::string(kProgram) + " " + METRIVO_VERSION +
           "\n"
           "Copyright (C) 2021-2024 Metrivo Team\n"
           "License Expat (MIT): <https://opensource.org/licenses/MIT>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

void CliApplication::Message(std::string_view text) {
    out_.Flush();
    std::string line(kProgram);
    line += ": ";
    line += text;
    line.push_back('\n');
    err_.Write(line);
    err_.Flush();
}

int CliApplication::Finish(int status) {
    if (out_.Flush()) return status;
    Message(std::string("cannot write standard output: ") + std::strerror(out_.error()));
    return kReported;
}

int CliApplication::Run(std::span<const std::string> args) {
    const CliOptions options = CliOptions::Parse(args);
    if (!options.error.empty()) {
        Message(options.error);
        err_.Write("Try 'metrivo-convert --help' for more information.\n");
        err_.Flush();
        return kUsageError;
    }
    switch (options.mode) {
        case CliOptions::Mode::kHelp:
            out_.Write(Help());
            return Finish(kSuccess);
        case CliOptions::Mode::kVersion:
            out_.Write(Version());
            return Finish(kSuccess);
        default:
            break;
    }

    catalogue_.LoadUnits();
    const std::string separator = options.separator.value_or(defaultSeparator_);
    switch (options.mode) {
        case CliOptions::Mode::kBatch:
            return Batch(separator);
        case CliOptions::Mode::kList:
            return List(options);
        default:
            return Convert(options, separator);
    }
}

int CliApplication::Batch(const std::string& separator) {
    BatchRunner runner(catalogue_, separator);
    switch (runner.Run(in_, out_, err_)) {
        case BatchRunner::End::kClean:
            return kSuccess;
        case BatchRunner::End::kMessages:
            return kReported;
        case BatchRunner::End::kReadFailed:
            Message(std::string("cannot read standard input: ") + std::strerror(runner.error()));
            return kReported;
        case BatchRunner::End::kWriteFailed:
            Message(std::string("cannot write standard output: ") + std::strerror(runner.error()));
            return kReported;
    }
    return kReported;
}

bool CliApplication::CategoryOption(const CliOptions& options, std::optional<int>* category) {
    if (!options.category) return true;
    const auto parsed = CategoryLookup::Parse(*options.category);
    if (!parsed) {
        Message("unknown category " + QuotedText::Of(*options.category) + " (use " +
                CategoryLookup::ValidValues() + ")");
        return false;
    }
    *category = *parsed;
    return true;
}

int CliApplication::Convert(const CliOptions& options, const std::string& separator) {
    std::optional<int> category;
    if (!CategoryOption(options, &category)) return kUsageError;
    CliConverter converter(catalogue_, separator);
    const bool converted =
        converter.Convert(category, options.operands[0], options.operands[1], options.operands[2]);
    // Below absolute zero the text is still shown, as the window shows it.
    if (converted || !converter.text().empty()) {
        out_.Write(converter.text());
        out_.Put('\n');
    }
    if (converted) return Finish(kSuccess);
    const int status = Finish(kReported);
    Message(converter.message());
    return status;
}

int CliApplication::List(const CliOptions& options) {
    std::optional<int> only;
    if (!CategoryOption(options, &only)) return kUsageError;
    const UnitNames names(catalogue_);
    int shown = -1;
    for (int i = 0; i <= catalogue_.UpperBound(); ++i) {
        const UnitRecord& row = catalogue_.Row(i);
        if (only && row.category != *only) continue;
        if (row.category != shown) {
            shown = row.category;
            out_.Write(std::to_string(shown) + " " +
                       std::string(UnitCatalogue::CategoryName(shown)) + "\n");
        }
        std::string line = "  " + row.name;
        const auto symbols = names.SymbolsOf(i);
        if (!symbols.empty()) {
            line.append(row.name.size() < kListNameWidth ? kListNameWidth - row.name.size() : 1,
                        ' ');
            for (std::size_t s = 0; s < symbols.size(); ++s) {
                if (s > 0) line += ", ";
                line += symbols[s];
            }
        }
        line.push_back('\n');
        out_.Write(line);
    }
    return Finish(kSuccess);
}

}  // namespace metrivo

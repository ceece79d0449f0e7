#include "cliapplication.h"

#include "batchrunner.h"
#include "categorylookup.h"
#include "cliconverter.h"
#include "quotedtext.h"

#ifndef METRIVO_VERSION
#define METRIVO_VERSION "unknown"
#endif

namespace metrivo {

CliApplication::CliApplication(std::istream& in, std::ostream& out, std::ostream& err,
                               std::string defaultSeparator)
    : in_(in), out_(out), err_(err), defaultSeparator_(std::move(defaultSeparator)) {}

std::string CliApplication::Usage() {
    return "Usage: metrivo-convert [-c|--category CAT] [--decimal-separator SEP] AMOUNT FROM TO\n"
           "       metrivo-convert --batch [--decimal-separator SEP] < LINES\n"
           "       metrivo-convert --list [CAT]\n"
           "       metrivo-convert --help | --version\n";
}

std::string CliApplication::Help() {
    return "Converts AMOUNT from the unit FROM to the unit TO and prints the result\n"
           "exactly as Metrivo's Results box shows it.\n\n" +
           Usage() +
           "\n"
           "  -c, --category CAT       the category to convert in: 0 to 5 or a name\n"
           "                           (Length, Temperature, Speed, Volume, Weight, Area)\n"
           "                           in any letter case; without it, the lowest-numbered\n"
           "                           category that has both units\n"
           "  --decimal-separator SEP  the decimal separator of the result (default: the\n"
           "                           one of the locale in LC_ALL, LC_NUMERIC or LANG)\n"
           "  --batch                  read CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO lines from\n"
           "                           standard input, write one result line for each;\n"
           "                           reports start with \"line N: \"\n"
           "  --list [CAT]             list the categories and their units\n"
           "  --help, --version        show this text or the version\n"
           "  --                       end of options (an AMOUNT such as -40 needs none)\n"
           "\n"
           "AMOUNT is read as the amount box reads it: spaces are ignored, \".\" is the\n"
           "only decimal point, &H and &O start hexadecimal and octal numbers, and a\n"
           "text without a number is 0. Unit names are exact and case-sensitive; quote\n"
           "names with spaces (\"degree Celsius\").\n"
           "\n"
           "Error reports go to standard error. Exit status: 0 done, 1 an error was\n"
           "reported, 2 the command line was unusable.\n";
}

std::string CliApplication::Version() {
    return std::string(kProgram) + " " + METRIVO_VERSION + "\n";
}

int CliApplication::Fail(std::string_view message) {
    err_ << kProgram << ": " << message << '\n';
    err_.flush();
    return kUsageError;
}

int CliApplication::Run(std::span<const std::string> args) {
    const CliOptions options = CliOptions::Parse(args);
    if (!options.error.empty()) {
        err_ << kProgram << ": " << options.error << '\n' << Usage();
        err_.flush();
        return kUsageError;
    }
    switch (options.mode) {
        case CliOptions::Mode::kHelp:
            out_ << Help();
            out_.flush();
            return kSuccess;
        case CliOptions::Mode::kVersion:
            out_ << Version();
            out_.flush();
            return kSuccess;
        default:
            break;
    }

    catalogue_.LoadUnits();
    const std::string separator = options.separator.value_or(defaultSeparator_);
    switch (options.mode) {
        case CliOptions::Mode::kBatch: {
            BatchRunner runner(catalogue_, err_, separator);
            return runner.Run(in_, out_) ? kSuccess : kReported;
        }
        case CliOptions::Mode::kList:
            return List(options);
        default:
            return Convert(options, separator);
    }
}

int CliApplication::Convert(const CliOptions& options, const std::string& separator) {
    const std::string& amount = options.operands[0];
    const std::string& from = options.operands[1];
    const std::string& to = options.operands[2];

    int16_t category = 0;
    if (options.category) {
        const auto parsed = CategoryLookup::Parse(*options.category);
        if (!parsed) {
            return Fail("unknown category " + QuotedText::Of(*options.category) + " (use " +
                        CategoryLookup::ValidValues() + ")");
        }
        category = *parsed;
    } else {
        const auto holding = CategoryLookup::Holding(catalogue_, from, to);
        if (!holding) {
            return Fail("no category has both " + QuotedText::Of(from) + " and " +
                        QuotedText::Of(to) +
                        " (unit names are case-sensitive; see metrivo-convert --list)");
        }
        category = *holding;
    }

    CliConverter converter(catalogue_, err_, separator);
    const std::string& result = converter.Convert(category, amount, from, to);
    out_ << result << '\n';
    out_.flush();
    return converter.reportCount() == 0 ? kSuccess : kReported;
}

int CliApplication::List(const CliOptions& options) {
    if (options.category) {
        const auto parsed = CategoryLookup::Parse(*options.category);
        if (!parsed) {
            return Fail("unknown category " + QuotedText::Of(*options.category) + " (use " +
                        CategoryLookup::ValidValues() + ")");
        }
        for (const UnitRecord& row : catalogue_.rows()) {
            if (row.category == *parsed) out_ << row.name << '\n';
        }
        out_.flush();
        return kSuccess;
    }
    int shown = -1;
    for (const UnitRecord& row : catalogue_.rows()) {
        if (row.category != shown) {
            shown = row.category;
            out_ << shown << ' ' << UnitCatalogue::CategoryName(shown) << '\n';
        }
        out_ << "  " << row.name << '\n';
    }
    out_.flush();
    return kSuccess;
}

}  // namespace metrivo

#include "cliapplication.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "batchrunner.h"
#include "categorylookup.h"
#include "cliconverter.h"
#include "filedescriptor.h"
#include "quotedtext.h"
#include "unitlookup.h"

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
           "       metrivo-convert --batch [--decimal-separator SEP] [FILE...]\n"
           "       metrivo-convert --list [CAT]\n"
           "       metrivo-convert --names [CAT] | --names-of UNIT\n"
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
           "      --batch [FILE...]    read CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO lines from\n"
           "                           the files (standard input without one, or for -)\n"
           "                           and write one result line for each\n"
           "      --list [CAT]         list the categories, their units and the symbols\n"
           "                           each unit is known by\n"
           "      --names [CAT]        print the units' names, one a line (for scripts)\n"
           "      --names-of UNIT      print the names of the units UNIT converts into\n"
           "  -h, --help               show this help and exit\n"
           "      --version            show the version and exit\n"
           "      --                   end of options (an AMOUNT such as -40 needs none)\n"
           "Long options may be shortened to any unambiguous start (--cat).\n"
           "\n"
           "A unit is named by its name in the list or another usual name, in any letter\n"
           "case; by one of its symbols, in their own letter case (see --list); or by the\n"
           "start of a name, at least three letters long, that names no other unit of the\n"
           "category. Powers may be written as ², ^2 or 2. A word that names several\n"
           "units is refused with the units it could be.\n"
           "\n"
           "AMOUNT is read as the window's amount box reads it: spaces are ignored, \".\" is\n"
           "a decimal point, &H and &O start hexadecimal and octal numbers, and where the\n"
           "decimal separator is \",\" one comma followed by digits is one too. An AMOUNT\n"
           "that is not read to its end is refused.\n"
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
            return Batch(options, separator);
        case CliOptions::Mode::kList:
        case CliOptions::Mode::kNames:
            return List(options);
        case CliOptions::Mode::kNamesOf:
            return NamesOf(options.operands.front());
        default:
            return Convert(options, separator);
    }
}

int CliApplication::Batch(const CliOptions& options, const std::string& separator) {
    BatchRunner runner(catalogue_, separator);
    if (options.operands.empty()) return BatchStatus(runner, runner.Run(in_, out_, err_), {});
    bool reported = false;
    for (const std::string& name : options.operands) {
        if (name == "-") {
            const int status = BatchStatus(runner, runner.Run(in_, out_, err_), {});
            if (status != kSuccess && out_.failed()) return status;
            reported = reported || status != kSuccess;
            continue;
        }
        const FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.get() < 0) {
            Message("cannot read " + QuotedText::Of(name) + ": " + std::strerror(errno));
            reported = true;
            continue;
        }
        const int status = BatchStatus(runner, runner.Run(file.get(), out_, err_, name), name);
        if (status != kSuccess && out_.failed()) return status;
        reported = reported || status != kSuccess;
    }
    return reported ? kReported : kSuccess;
}

int CliApplication::BatchStatus(const BatchRunner& runner, BatchRunner::End end,
                                std::string_view file) {
    switch (end) {
        case BatchRunner::End::kClean:
            return kSuccess;
        case BatchRunner::End::kMessages:
            return kReported;
        case BatchRunner::End::kReadFailed:
            Message("cannot read " +
                    (file.empty() ? std::string("standard input") : QuotedText::Of(file)) + ": " +
                    std::strerror(runner.error()));
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
    // An empty category, as a script may pass it, is every category.
    if (!(options.category && options.category->empty()) && !CategoryOption(options, &only)) {
        return kUsageError;
    }
    const bool namesOnly = options.mode == CliOptions::Mode::kNames;
    const std::span<const UnitDefinition> table = UnitTable::Rows();
    int shown = -1;
    for (int i = 0; i <= catalogue_.UpperBound(); ++i) {
        const UnitRecord& row = catalogue_.Row(i);
        if (only && row.category != *only) continue;
        if (namesOnly) {
            out_.Write(row.name);
            out_.Put('\n');
            continue;
        }
        if (row.category != shown) {
            shown = row.category;
            out_.Write(std::to_string(shown) + " " + std::string(UnitTable::CategoryName(shown)) +
                       "\n");
        }
        std::string line = "  " + row.name;
        const std::string_view symbols = table[static_cast<std::size_t>(i)].symbols;
        if (!symbols.empty()) {
            line.append(row.name.size() < kListNameWidth ? kListNameWidth - row.name.size() : 1,
                        ' ');
            UnitDefinition::ForEach(symbols, [&line, first = true](std::string_view s) mutable {
                if (!first) line += ", ";
                first = false;
                line += s;
            });
        }
        line.push_back('\n');
        out_.Write(line);
    }
    return Finish(kSuccess);
}

int CliApplication::NamesOf(std::string_view unit) {
    const UnitLookup lookup;
    UnitLookup::Matches matches;
    lookup.ResolveAll(unit, matches);
    // The categories where the unit is found by the earliest step: "feet"
    // is a length, though it starts a speed's name too.
    int best = -1;
    for (const UnitLookup::Match& match : matches) {
        if (match.kind != UnitLookup::Match::Kind::kFound) continue;
        if (best < 0 || static_cast<int>(match.step) < best) best = static_cast<int>(match.step);
    }
    for (int c = 0; c < UnitTable::kCategoryCount; ++c) {
        const UnitLookup::Match& match = matches[static_cast<std::size_t>(c)];
        if (match.kind != UnitLookup::Match::Kind::kFound || static_cast<int>(match.step) != best) {
            continue;
        }
        for (int i = catalogue_.FirstRowOf(c);
             i <= catalogue_.UpperBound() && catalogue_.Row(i).category == c; ++i) {
            out_.Write(catalogue_.Row(i).name);
            out_.Put('\n');
        }
    }
    if (best >= 0) return Finish(kSuccess);
    const int status = Finish(kReported);
    Message("unknown unit " + QuotedText::Of(unit));
    return status;
}

}  // namespace metrivo

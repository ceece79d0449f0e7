#include "clioptions.h"

#include <algorithm>
#include <array>

#include "quotedtext.h"

namespace metrivo {
namespace {

enum class Option { kCategory, kSeparator, kBatch, kList, kNames, kNamesOf, kHelp, kVersion };

struct LongOption {
    std::string_view name;
    Option option;
};

constexpr std::array<LongOption, 8> kLongOptions{{
    {"--category", Option::kCategory},
    {"--names", Option::kNames},
    {"--names-of", Option::kNamesOf},
    {"--decimal-separator", Option::kSeparator},
    {"--batch", Option::kBatch},
    {"--list", Option::kList},
    {"--help", Option::kHelp},
    {"--version", Option::kVersion},
}};

bool TakesValue(Option option) {
    return option == Option::kCategory || option == Option::kSeparator;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool LooksLikeOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && (arg[1] == '-' || IsLetter(arg[1]));
}

std::string Quoted(std::string_view text) {
    return QuotedText::Of(text);
}

// The option one argument names, with the value attached to it, if any
// ("--cat=X", "-cX"); `error` says why the argument names none.
struct NamedOption {
    Option option = Option::kHelp;
    std::string_view name;  // as messages show it
    std::optional<std::string_view> attached;
    std::string error;
};

// "--category", "--category=X", "--cat=X": a unique start of a long name.
NamedOption NameLong(std::string_view arg) {
    NamedOption named;
    named.name = arg;
    if (const auto eq = arg.find('='); eq != std::string_view::npos) {
        named.name = arg.substr(0, eq);
        named.attached = arg.substr(eq + 1);
    }
    const LongOption* match = nullptr;
    std::string candidates;
    int count = 0;
    for (const LongOption& o : kLongOptions) {
        if (o.name == named.name) {
            match = &o;
            count = 1;
            break;
        }
        if (o.name.starts_with(named.name)) {
            match = &o;
            ++count;
            candidates += (candidates.empty() ? "" : ", ") + std::string(o.name);
        }
    }
    if (count == 0) {
        named.error = "unknown option " + Quoted(named.name);
    } else if (count > 1) {
        named.error = "option " + Quoted(named.name) + " is ambiguous (" + candidates + ")";
    } else {
        named.option = match->option;
        named.name = match->name;
        if (named.attached && !TakesValue(named.option)) {
            named.error = "option " + Quoted(named.name) + " takes no value";
        }
    }
    return named;
}

// "-c X", "-cX" and "-h".
NamedOption NameShort(std::string_view arg) {
    NamedOption named;
    named.name = arg.substr(0, 2);
    if (arg.size() > 2) named.attached = arg.substr(2);
    if (named.name == "-c") {
        named.option = Option::kCategory;
    } else if (named.name == "-h" && !named.attached) {
        named.option = Option::kHelp;
    } else {
        named.error = "unknown option " + Quoted(arg);
    }
    return named;
}

// The options without a value that were given: the modes, in the order in
// which they win over each other.
struct Flags {
    bool help = false;
    bool version = false;
    // --batch, --list, --names, --names-of: at most one of them.
    std::vector<Option> modes;

    void Set(Option option) {
        help = help || option == Option::kHelp;
        version = version || option == Option::kVersion;
        if (option != Option::kHelp && option != Option::kVersion &&
            std::find(modes.begin(), modes.end(), option) == modes.end()) {
            modes.push_back(option);
        }
    }
};

std::string_view LongName(Option option) {
    for (const LongOption& o : kLongOptions) {
        if (o.option == option) return o.name;
    }
    return {};
}

// --list and --names: the operand, or -c, names the one category shown.
void TakeCategoryOperand(CliOptions& options, std::string_view name) {
    if (options.operands.size() > 1 || (options.category && !options.operands.empty())) {
        options.error = std::string(name) + " takes at most one category";
    } else if (!options.operands.empty()) {
        options.category = options.operands.front();
        options.operands.clear();
    }
}

// The mode the flags choose, and what of the rest of the command line does
// not fit it. Help and version win over everything else.
void ChooseMode(CliOptions& options, const Flags& flags) {
    using Mode = CliOptions::Mode;
    if (flags.help || flags.version) {
        options.mode = flags.help ? Mode::kHelp : Mode::kVersion;
        return;
    }
    if (options.separator) {
        options.error = CliOptions::SeparatorProblem(*options.separator);
        if (!options.error.empty()) return;
    }
    if (flags.modes.size() > 1) {
        options.error = std::string(LongName(flags.modes[0])) + " and " +
                        std::string(LongName(flags.modes[1])) + " cannot be used together";
        return;
    }
    const Option mode = flags.modes.empty() ? Option::kCategory : flags.modes.front();
    switch (mode) {
        case Option::kBatch:
            options.mode = Mode::kBatch;
            if (options.category) {
                options.error = "--batch takes the category from each input line, not from -c";
            }
            return;
        case Option::kList:
            options.mode = Mode::kList;
            TakeCategoryOperand(options, "--list");
            return;
        case Option::kNames:
            options.mode = Mode::kNames;
            TakeCategoryOperand(options, "--names");
            return;
        case Option::kNamesOf:
            options.mode = Mode::kNamesOf;
            if (options.operands.size() != 1) options.error = "--names-of takes one unit";
            return;
        default:
            break;
    }
    if (options.operands.empty()) {
        options.error = "nothing to convert";
    } else if (options.operands.size() != 3) {
        options.error = "expected AMOUNT FROM TO, got " + std::to_string(options.operands.size()) +
                        (options.operands.size() == 1 ? " operand" : " operands");
    }
}

}  // namespace

std::string CliOptions::SeparatorProblem(std::string_view separator) {
    if (separator.empty()) return "the decimal separator must not be empty";
    for (char ch : separator) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == ' ' ||
            c < 0x20 || c == 0x7f) {
            return "invalid decimal separator " + Quoted(separator) +
                   ": it must not hold a digit, \"+\", \"-\", \"e\", \"E\", white space or a "
                   "control character";
        }
    }
    // Non-ASCII white space and controls are refused as their escapes show.
    if (QuotedText::Escaped(separator) != separator) {
        return "invalid decimal separator " + Quoted(separator) + ": it must be printable text";
    }
    return {};
}

CliOptions CliOptions::Parse(std::span<const std::string> args) {
    CliOptions options;
    Flags flags;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !LooksLikeOption(arg)) {
            options.operands.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            const NamedOption named = arg.starts_with("--") ? NameLong(arg) : NameShort(arg);
            if (!named.error.empty()) {
                options.error = named.error;
                return options;
            }
            if (!TakesValue(named.option)) {
                flags.Set(named.option);
                continue;
            }
            // The value is the rest of the argument, or else the next one,
            // whatever it looks like.
            if (!named.attached && i + 1 == args.size()) {
                options.error = "option " + Quoted(named.name) + " needs a value";
                return options;
            }
            const std::string_view value = named.attached ? *named.attached : args[++i];
            (named.option == Option::kCategory ? options.category : options.separator) =
                std::string(value);
        }
    }
    ChooseMode(options, flags);
    return options;
}

}  // namespace metrivo

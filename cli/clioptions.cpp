#include "clioptions.h"

#include <array>

#include "quotedtext.h"

namespace metrivo {
namespace {

enum class Option { kCategory, kSeparator, kBatch, kList, kHelp, kVersion };

struct LongOption {
    std::string_view name;
    Option option;
    bool takesValue;
};

constexpr std::array<LongOption, 6> kLongOptions{{
    {"--category", Option::kCategory, true},
    {"--decimal-separator", Option::kSeparator, true},
    {"--batch", Option::kBatch, false},
    {"--list", Option::kList, false},
    {"--help", Option::kHelp, false},
    {"--version", Option::kVersion, false},
}};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool LooksLikeOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && (arg[1] == '-' || IsLetter(arg[1]));
}

std::string Quoted(std::string_view text) {
    return QuotedText::Of(text);
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
    bool batch = false;
    bool list = false;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !LooksLikeOption(arg)) {
            options.operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        // "-c X", "-cX", "--category X", "--category=X", "--cat=X".
        std::string_view name = arg;
        std::optional<std::string_view> attached;
        Option option = Option::kHelp;
        bool takesValue = false;
        if (arg.starts_with("--")) {
            if (const auto eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                attached = arg.substr(eq + 1);
            }
            const LongOption* match = nullptr;
            std::string candidates;
            int count = 0;
            for (const LongOption& o : kLongOptions) {
                if (o.name == name) {
                    match = &o;
                    count = 1;
                    break;
                }
                if (o.name.starts_with(name)) {
                    match = &o;
                    ++count;
                    candidates += (candidates.empty() ? "" : ", ") + std::string(o.name);
                }
            }
            if (count == 0) {
                options.error = "unknown option " + Quoted(name);
                return options;
            }
            if (count > 1) {
                options.error = "option " + Quoted(name) + " is ambiguous (" + candidates + ")";
                return options;
            }
            option = match->option;
            takesValue = match->takesValue;
            name = match->name;
            if (attached && !takesValue) {
                options.error = "option " + Quoted(name) + " takes no value";
                return options;
            }
        } else {
            name = arg.substr(0, 2);
            if (arg.size() > 2) attached = arg.substr(2);
            if (name == "-c") {
                option = Option::kCategory;
                takesValue = true;
            } else if (name == "-h" && !attached) {
                option = Option::kHelp;
            } else {
                options.error = "unknown option " + Quoted(arg);
                return options;
            }
        }

        if (takesValue) {
            std::string value;
            if (attached) {
                value = *attached;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                options.error = "option " + Quoted(name) + " needs a value";
                return options;
            }
            (option == Option::kCategory ? options.category : options.separator) = std::move(value);
            continue;
        }
        switch (option) {
            case Option::kBatch:
                batch = true;
                break;
            case Option::kList:
                list = true;
                break;
            case Option::kHelp:
                help = true;
                break;
            case Option::kVersion:
                version = true;
                break;
            default:
                break;
        }
    }

    if (help) {
        options.mode = Mode::kHelp;
        return options;
    }
    if (version) {
        options.mode = Mode::kVersion;
        return options;
    }
    if (options.separator) {
        options.error = SeparatorProblem(*options.separator);
        if (!options.error.empty()) return options;
    }
    if (batch && list) {
        options.error = "--batch and --list cannot be used together";
        return options;
    }
    if (batch) {
        options.mode = Mode::kBatch;
        if (options.category) {
            options.error = "--batch takes the category from each input line, not from -c";
        } else if (!options.operands.empty()) {
            options.error =
                "--batch reads its conversions from standard input and takes no operands";
        }
        return options;
    }
    if (list) {
        options.mode = Mode::kList;
        if (options.operands.size() > 1 || (options.category && !options.operands.empty())) {
            options.error = "--list takes at most one category";
        } else if (!options.operands.empty()) {
            options.category = options.operands.front();
            options.operands.clear();
        }
        return options;
    }
    options.mode = Mode::kConvert;
    if (options.operands.empty()) {
        options.error = "nothing to convert";
    } else if (options.operands.size() != 3) {
        options.error = "expected AMOUNT FROM TO, got " + std::to_string(options.operands.size()) +
                        (options.operands.size() == 1 ? " operand" : " operands");
    }
    return options;
}

}  // namespace metrivo

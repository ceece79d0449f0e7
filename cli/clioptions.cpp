#include "clioptions.h"

#include <string_view>

namespace metrivo {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool LooksLikeOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && (arg[1] == '-' || IsLetter(arg[1]));
}

}  // namespace

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

        // Options with a value: "-c X", "-cX", "--category X", "--category=X".
        std::string_view name = arg;
        std::optional<std::string_view> attached;
        if (arg.starts_with("--")) {
            if (const auto eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                attached = arg.substr(eq + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);
            attached = arg.substr(2);
        }
        const bool isCategory = name == "-c" || name == "--category";
        const bool isSeparator = name == "--decimal-separator";
        if (isCategory || isSeparator) {
            std::string value;
            if (attached) {
                value = *attached;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                options.error = "option '" + std::string(name) + "' needs a value";
                return options;
            }
            (isCategory ? options.category : options.separator) = std::move(value);
            continue;
        }

        if (attached) {
            options.error = "unknown option '" + std::string(arg) + "'";
            return options;
        }
        if (arg == "--batch") {
            batch = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else {
            options.error = "unknown option '" + std::string(arg) + "'";
            return options;
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
    if (options.separator && options.separator->empty()) {
        options.error = "the decimal separator must not be empty";
        return options;
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

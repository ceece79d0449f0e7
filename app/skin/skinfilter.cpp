#include "skinfilter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <vector>

namespace metrivo {
namespace {

// The properties that only change the look, in sorted order.
constexpr std::string_view kLookProperties[] = {
    "alternate-background-color",
    "background",
    "background-attachment",
    "background-clip",
    "background-color",
    "background-image",
    "background-origin",
    "background-position",
    "background-repeat",
    "border",
    "border-bottom",
    "border-bottom-color",
    "border-bottom-left-radius",
    "border-bottom-right-radius",
    "border-bottom-style",
    "border-bottom-width",
    "border-color",
    "border-image",
    "border-left",
    "border-left-color",
    "border-left-style",
    "border-left-width",
    "border-radius",
    "border-right",
    "border-right-color",
    "border-right-style",
    "border-right-width",
    "border-style",
    "border-top",
    "border-top-color",
    "border-top-left-radius",
    "border-top-right-radius",
    "border-top-style",
    "border-top-width",
    "border-width",
    "bottom",
    "color",
    "font",
    "font-family",
    "font-size",
    "font-style",
    "font-weight",
    "gridline-color",
    "height",
    "icon",
    "icon-size",
    "image",
    "image-position",
    "left",
    "margin",
    "margin-bottom",
    "margin-left",
    "margin-right",
    "margin-top",
    "max-height",
    "max-width",
    "min-height",
    "min-width",
    "opacity",
    "outline",
    "outline-bottom-left-radius",
    "outline-bottom-right-radius",
    "outline-color",
    "outline-offset",
    "outline-radius",
    "outline-style",
    "outline-top-left-radius",
    "outline-top-right-radius",
    "padding",
    "padding-bottom",
    "padding-left",
    "padding-right",
    "padding-top",
    "placeholder-text-color",
    "position",
    "right",
    "selection-background-color",
    "selection-color",
    "spacing",
    "subcontrol-origin",
    "subcontrol-position",
    "text-align",
    "text-decoration",
    "top",
    "width",
};

// The properties whose lengths may be below zero: margins and the offsets of
// a sub-control. Any other negative length means nothing to Qt, which says
// so on standard error for every control the rule reaches.
constexpr std::string_view kSignedLengthProperties[] = {
    "bottom",       "left",       "margin",         "margin-bottom", "margin-left",
    "margin-right", "margin-top", "outline-offset", "right",         "top"};

// The properties that give a font size, which must be above zero.
constexpr std::string_view kFontSizeProperties[] = {"font", "font-size"};

constexpr std::string_view kFunctions[] = {"hsl",
                                           "hsla",
                                           "hsv",
                                           "hsva",
                                           "palette",
                                           "qconicalgradient",
                                           "qlineargradient",
                                           "qradialgradient",
                                           "rgb",
                                           "rgba"};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '-';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool IsLookProperty(std::string_view name) {
    return std::binary_search(std::begin(kLookProperties), std::end(kLookProperties), name);
}

// Text inside quotes that Qt reads as it is: printable, no quote, no
// backslash, nothing that could end a declaration or a block.
bool IsPlainString(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f || c == '"' || c == '\'' || c == '\\' || c == '{' ||
               c == '}' || c == ';';
    });
}

// Appends the string that starts at `text[i]` (a quote) in double quotes and
// moves `i` past it; false when it is not closed or not plain.
bool TakeString(std::string_view text, std::size_t& i, std::string& out) {
    const std::size_t end = text.find(text[i], i + 1);
    if (end == std::string_view::npos) return false;
    const std::string_view inside = text.substr(i + 1, end - i - 1);
    if (!IsPlainString(inside)) return false;
    out += '"';
    out += inside;
    out += '"';
    i = end + 1;
    return true;
}

// The sheet without its comments; nothing when one is left open. Comment
// marks inside strings are text.
std::optional<std::string> WithoutComments(std::string_view sheet) {
    std::string text;
    text.reserve(sheet.size());
    char quote = 0;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const char c = sheet[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
            text += c;
        } else if (c == '/' && i + 1 < sheet.size() && sheet[i + 1] == '*') {
            const std::size_t end = sheet.find("*/", i + 2);
            if (end == std::string_view::npos) return std::nullopt;
            text += ' ';
            i = end + 1;
        } else {
            if (c == '"' || c == '\'') quote = c;
            text += c;
        }
    }
    if (quote != 0) return std::nullopt;
    return text;
}

// The first place from `from` of a character outside strings for which
// `stop` holds, or the size of the text.
template <typename Stop>
std::size_t FindOutsideStrings(std::string_view text, std::size_t from, Stop stop) {
    char quote = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (stop(c)) {
            return i;
        }
    }
    return text.size();
}

// Splits at `separator` outside strings, brackets and parentheses.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    char quote = 0;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if (c == ')' || c == ']') {
            --depth;
        } else if (c == separator && depth == 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

// One selector with its blanks made single spaces, or nothing.
std::optional<std::string> CleanSelector(std::string_view selector) {
    selector = Trim(selector);
    if (selector.empty() || selector.size() > 256) return std::nullopt;
    std::string clean;
    bool space = false;
    std::size_t i = 0;
    while (i < selector.size()) {
        const char c = selector[i];
        if (IsSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        if (space) clean += ' ';
        space = false;
        if (c == '"' || c == '\'') {
            if (!TakeString(selector, i, clean)) return std::nullopt;
        } else if (IsNameChar(c) ||
                   std::string_view("#.:!*>+~[]=|^$").find(c) != std::string_view::npos) {
            clean += c;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return clean;
}

// Pixels per unit; nothing for a unit that is no length, and for the units
// whose size depends on the font (em and ex: Qt takes the font's height and
// x-height, which a sheet can make as large as it likes), which no cap on the
// number can bound.
std::optional<double> PixelsPer(std::string_view unit) {
    const std::string lower = Lower(unit);
    if (lower.empty() || lower == "px" || lower == "%") return 1.0;
    if (lower == "pt") return 4.0 / 3.0;
    return std::nullopt;
}

// What a property allows of a length outside functions.
struct LengthRule {
    bool negative = false;   // below zero
    bool zeroOrLess = true;  // zero or below, with a unit
};

LengthRule RuleFor(std::string_view property) {
    LengthRule rule;
    rule.negative = std::binary_search(std::begin(kSignedLengthProperties),
                                       std::end(kSignedLengthProperties), property);
    rule.zeroOrLess = !std::binary_search(std::begin(kFontSizeProperties),
                                          std::end(kFontSizeProperties), property);
    return rule;
}

class ValueWriter {
  public:
    explicit ValueWriter(const SkinFilter::UrlResolver& resolve) : resolve_(resolve) {}

    // The value of `property` as Qt is to read it, or nothing when it is
    // refused.
    std::optional<std::string> Clean(std::string_view property, std::string_view value) {
        const LengthRule rule = RuleFor(property);
        value = Trim(value);
        if (value.empty()) return std::nullopt;
        std::string out;
        int depth = 0;
        std::size_t i = 0;
        while (i < value.size()) {
            const char c = value[i];
            if (IsSpace(c)) {
                while (i < value.size() && IsSpace(value[i])) ++i;
                out += ' ';
                continue;
            }
            if (c == '"' || c == '\'') {
                if (!TakeString(value, i, out)) return std::nullopt;
            } else if (IsDigit(c) || c == '.' ||
                       ((c == '-' || c == '+') && i + 1 < value.size() &&
                        (IsDigit(value[i + 1]) || value[i + 1] == '.'))) {
                // Inside a function a number is a colour or a gradient's.
                if (!Number(value, i, out, depth == 0 ? rule : LengthRule{true, true})) {
                    return std::nullopt;
                }
            } else if (IsLetter(c) || c == '_' || c == '-') {
                std::size_t end = i;
                while (end < value.size() && IsNameChar(value[end])) ++end;
                const std::string_view name = value.substr(i, end - i);
                i = end;
                if (i < value.size() && value[i] == '(') {
                    const std::string function = Lower(name);
                    if (function == "url") {
                        if (!Url(value, i, out)) return std::nullopt;
                        continue;
                    }
                    if (!std::binary_search(std::begin(kFunctions), std::end(kFunctions),
                                            function)) {
                        return std::nullopt;
                    }
                    out += name;
                    out += '(';
                    ++depth;
                    ++i;
                } else {
                    out += name;
                }
            } else if (c == '#') {
                std::size_t end = i + 1;
                while (end < value.size() && (IsLetter(value[end]) || IsDigit(value[end]))) ++end;
                if (end == i + 1) return std::nullopt;
                out += value.substr(i, end - i);
                i = end;
            } else if (c == ')') {
                if (--depth < 0) return std::nullopt;
                out += c;
                ++i;
            } else if (c == ',' || c == ':') {
                out += c;
                ++i;
            } else {
                return std::nullopt;
            }
        }
        if (depth != 0) return std::nullopt;
        return std::string(Trim(out));
    }

  private:
    // A number with its unit, at most kMaxLength pixels either way and as
    // `rule` allows.
    static bool Number(std::string_view value, std::size_t& i, std::string& out,
                       const LengthRule& rule) {
        const std::size_t start = i;
        if (value[i] == '-' || value[i] == '+') ++i;
        const auto digitsFrom = [&] {
            const std::size_t from = i;
            while (i < value.size() && IsDigit(value[i])) ++i;
            return i - from;
        };
        std::size_t digits = digitsFrom();
        if (i < value.size() && value[i] == '.') {
            ++i;
            digits += digitsFrom();
        }
        if (digits == 0) return false;
        const std::size_t unitStart = i;
        while (i < value.size() && (IsLetter(value[i]) || value[i] == '%')) ++i;
        const std::optional<double> scale = PixelsPer(value.substr(unitStart, i - unitStart));
        if (!scale) return false;
        std::string_view number = value.substr(start, unitStart - start);
        if (number.front() == '+') number.remove_prefix(1);
        double amount = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), amount);
        if (error != std::errc() || end != number.data() + number.size()) return false;
        if (!(std::fabs(amount) * *scale <= SkinFilter::kMaxLength)) return false;
        if (amount < 0 && !rule.negative) return false;
        const bool hasUnit = i > unitStart;
        if (hasUnit && amount <= 0 && !rule.zeroOrLess) return false;
        out += value.substr(start, i - start);
        return true;
    }

    // url(...) with a plain or quoted argument, as the resolver rewrites it.
    bool Url(std::string_view value, std::size_t& i, std::string& out) {
        ++i;  // the parenthesis
        while (i < value.size() && IsSpace(value[i])) ++i;
        std::string_view target;
        if (i < value.size() && (value[i] == '"' || value[i] == '\'')) {
            const std::size_t end = value.find(value[i], i + 1);
            if (end == std::string_view::npos) return false;
            target = value.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            const std::size_t start = i;
            while (i < value.size() && value[i] != ')' && !IsSpace(value[i])) ++i;
            target = value.substr(start, i - start);
        }
        while (i < value.size() && IsSpace(value[i])) ++i;
        if (i == value.size() || value[i] != ')') return false;
        ++i;
        if (target.empty() || !IsPlainString(target) ||
            target.find_first_of("()") != std::string_view::npos) {
            return false;
        }
        const std::optional<std::string> path = resolve_ ? resolve_(target) : std::nullopt;
        if (!path || path->empty() || !IsPlainString(*path) ||
            path->find_first_of("()") != std::string::npos) {
            return false;
        }
        out += "url(\"" + *path + "\")";
        return true;
    }

    const SkinFilter::UrlResolver& resolve_;
};

// The kept declarations of one block, each ending in ";\n".
std::string CleanDeclarations(std::string_view block, ValueWriter& values) {
    std::string kept;
    for (const std::string_view declaration : Split(block, ';')) {
        if (Trim(declaration).empty()) continue;
        const std::size_t colon = declaration.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = Trim(declaration.substr(0, colon));
        if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar)) continue;
        const std::string property = Lower(name);
        if (!IsLookProperty(property)) continue;
        const std::optional<std::string> value =
            values.Clean(property, declaration.substr(colon + 1));
        if (!value) continue;
        kept += "    " + property + ": " + *value + ";\n";
    }
    return kept;
}

}  // namespace

std::optional<std::string> SkinFilter::Filter(std::string_view sheet, const UrlResolver& resolve) {
    const std::optional<std::string> text = WithoutComments(sheet);
    if (!text) return std::nullopt;
    ValueWriter values(resolve);
    std::string result;
    std::size_t selectors = 0;
    std::size_t at = 0;
    while (at < text->size()) {
        // The selectors run to the next brace.
        const std::size_t open =
            FindOutsideStrings(*text, at, [](char c) { return c == '{' || c == '}'; });
        if (open == text->size()) break;  // text after the last block: no rule
        if ((*text)[open] == '}') return std::nullopt;
        // The block runs to its closing brace; a brace inside it is no part of
        // a look, and the rule goes with it.
        int depth = 0;
        const std::size_t close = FindOutsideStrings(*text, open, [&depth](char c) {
            if (c == '{') ++depth;
            return c == '}' && --depth == 0;
        });
        if (close == text->size()) return std::nullopt;
        const std::string_view head = std::string_view(*text).substr(at, open - at);
        const std::string_view block = std::string_view(*text).substr(open + 1, close - open - 1);
        at = close + 1;

        const std::vector<std::string_view> parts = Split(head, ',');
        selectors += parts.size();
        if (selectors > kMaxSelectors) return std::nullopt;
        if (block.find('{') != std::string_view::npos) continue;
        std::string selector;
        bool usable = true;
        for (const std::string_view part : parts) {
            const std::optional<std::string> clean = CleanSelector(part);
            usable = usable && clean.has_value();
            if (!usable) break;
            selector += (selector.empty() ? "" : ", ") + *clean;
        }
        if (!usable) continue;
        const std::string declarations = CleanDeclarations(block, values);
        if (declarations.empty()) continue;
        result += selector + " {\n" + declarations + "}\n";
    }
    return result;
}

}  // namespace metrivo

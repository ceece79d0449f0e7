#include "categorylookup.h"

#include "unittable.h"

namespace metrivo {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsAnyCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<int16_t> CategoryLookup::Parse(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + UnitTable::kCategoryCount) {
        return static_cast<int16_t>(text[0] - '0');
    }
    if (text.empty()) return std::nullopt;
    for (int16_t c = 0; c < UnitTable::kCategoryCount; ++c) {
        if (text == UnitTable::CategoryName(c)) return c;
    }
    std::optional<int16_t> found;
    for (int16_t c = 0; c < UnitTable::kCategoryCount; ++c) {
        const std::string_view name = UnitTable::CategoryName(c);
        if (StartsAnyCase(name, text)) {
            if (name.size() == text.size()) return c;
            if (found) return std::nullopt;  // the start of two names
            found = c;
        }
    }
    return found;
}

std::string CategoryLookup::ValidValues() {
    std::string text = "0 to 5 or ";
    for (int c = 0; c < UnitTable::kCategoryCount; ++c) {
        if (c > 0) text += ", ";
        text += UnitTable::CategoryName(c);
    }
    return text;
}

}  // namespace metrivo

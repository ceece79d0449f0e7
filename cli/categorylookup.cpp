#include "categorylookup.h"

namespace metrivo {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::optional<int16_t> CategoryLookup::Parse(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + UnitCatalogue::kCategoryCount) {
        return static_cast<int16_t>(text[0] - '0');
    }
    for (int16_t c = 0; c < UnitCatalogue::kCategoryCount; ++c) {
        if (EqualIgnoringCase(text, UnitCatalogue::CategoryName(c))) return c;
    }
    return std::nullopt;
}

std::optional<int16_t> CategoryLookup::Holding(const UnitCatalogue& catalogue,
                                               std::string_view from, std::string_view to) {
    for (int16_t c = 0; c < UnitCatalogue::kCategoryCount; ++c) {
        if (ListIndex(catalogue, c, from) >= 0 && ListIndex(catalogue, c, to) >= 0) return c;
    }
    return std::nullopt;
}

int16_t CategoryLookup::ListIndex(const UnitCatalogue& catalogue, int category,
                                  std::string_view name) {
    int16_t position = 0;
    for (const UnitRecord& row : catalogue.rows()) {
        if (row.category != category) continue;
        if (row.name == name) return position;
        ++position;
    }
    return -1;
}

std::string CategoryLookup::ValidValues() {
    std::string text = "0 to 5 or ";
    for (int c = 0; c < UnitCatalogue::kCategoryCount; ++c) {
        if (c > 0) text += ", ";
        text += UnitCatalogue::CategoryName(c);
    }
    return text;
}

}  // namespace metrivo

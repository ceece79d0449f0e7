#pragma once

#include <array>
#include <cstdint>

#include "unitcatalogue.h"

namespace metrivo {

// What the main window remembers: the selected category and, per category,
// the list indexes of the last conversion made in it.
class WindowState {
  public:
    static constexpr int kCategories = UnitCatalogue::kCategoryCount;

    int16_t selUnitType = 0;

    // Entry of lastFrom / lastTo; an index outside 0 to 5 is "Subscript out
    // of range".
    int16_t& lastFrom(int index) { return At(lastFrom_, index); }
    int16_t& lastTo(int index) { return At(lastTo_, index); }
    int16_t lastFrom(int index) const { return At(lastFrom_, index); }
    int16_t lastTo(int index) const { return At(lastTo_, index); }

  private:
    static int16_t& At(std::array<int16_t, kCategories>& a, int index);
    static int16_t At(const std::array<int16_t, kCategories>& a, int index);

    std::array<int16_t, kCategories> lastFrom_{};
    std::array<int16_t, kCategories> lastTo_{};
};

}  // namespace metrivo

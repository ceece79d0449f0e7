#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "unitdefinition.h"
#include "unitrecord.h"
#include "unittable.h"

namespace metrivo {

// The units the program knows, in six categories, as the unit table defines
// them. Built by LoadUnits; the readers walk the rows by index.
class UnitCatalogue {
  public:
    static constexpr int kCategoryCount = UnitTable::kCategoryCount;

    // Builds the whole catalogue from the unit table, replacing any
    // earlier contents. A computed factor whose evaluation raises an invalid
    // operation, a division by zero or an overflow throws RunTimeError; that
    // row keeps its category and name with factor 0 and later rows stay empty.
    void LoadUnits();
    void LoadUnits(std::span<const UnitDefinition> table);
    // A catalogue built from the unit table.
    static UnitCatalogue Loaded();

    // The upper bound of the array as its readers take it: 72 once built,
    // -1 while empty.
    int16_t UpperBound() const { return static_cast<int16_t>(static_cast<int>(rows_.size()) - 1); }
    const std::vector<UnitRecord>& rows() const { return rows_; }
    // Row by index; an index outside the array is "Subscript out of range".
    const UnitRecord& Row(int index) const {
        if (index < 0 || index >= static_cast<int>(rows_.size())) ThrowSubscriptOutOfRange();
        return rows_[static_cast<std::size_t>(index)];
    }

    // The lowest row of a category, where a search for one of its units may
    // start instead of row 0 without changing what it finds; one past the
    // upper bound for a category without rows.
    int FirstRowOf(int category) const {
        if (category < 0 || category >= kCategoryCount) return static_cast<int>(rows_.size());
        return firstRows_[static_cast<std::size_t>(category)];
    }

  private:
    [[noreturn]] static void ThrowSubscriptOutOfRange();

    std::vector<UnitRecord> rows_;
    std::array<int, kCategoryCount> firstRows_{};
};

}  // namespace metrivo

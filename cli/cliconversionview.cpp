#include "cliconversionview.h"

#include "categorylookup.h"

namespace metrivo {

void CliConversionView::SetInput(int16_t category, std::string_view amount, std::string_view from,
                                 std::string_view to) {
    category_ = category;
    amount_.assign(amount);
    from_.assign(from);
    to_.assign(to);
    result_.clear();
}

int16_t CliConversionView::FromListIndex() const {
    return CategoryLookup::ListIndex(catalogue_, category_, from_);
}

int16_t CliConversionView::ToListIndex() const {
    return CategoryLookup::ListIndex(catalogue_, category_, to_);
}

}  // namespace metrivo

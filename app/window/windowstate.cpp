#include "windowstate.h"

#include "runtimeerror.h"

namespace metrivo {

int16_t& WindowState::At(std::array<int16_t, kCategories>& a, int index) {
    if (index < 0 || index >= kCategories) throw RunTimeError(RunTimeError::kSubscriptOutOfRange);
    return a[static_cast<std::size_t>(index)];
}

int16_t WindowState::At(const std::array<int16_t, kCategories>& a, int index) {
    if (index < 0 || index >= kCategories) throw RunTimeError(RunTimeError::kSubscriptOutOfRange);
    return a[static_cast<std::size_t>(index)];
}

}  // namespace metrivo

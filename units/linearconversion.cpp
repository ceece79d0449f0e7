#include "linearconversion.h"

#include <cmath>
#include <limits>

#include "runtimeerror.h"

namespace metrivo {

float LinearConversion::Result(double amount, float fromFactor, float toFactor) {
    const double ratio = static_cast<double>(fromFactor) / static_cast<double>(toFactor);
    const double product = amount * ratio;
    if (!(std::fabs(product) <= static_cast<double>(std::numeric_limits<float>::max()))) {
        throw RunTimeError(RunTimeError::kOverflow);
    }
    return static_cast<float>(product);
}

}  // namespace metrivo

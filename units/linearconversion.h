#pragma once

namespace metrivo {

// Scaling by the ratio of two unit factors, as "Start Converting" does for
// every category but Temperature.
class LinearConversion {
  public:
    // The ratio of the two factors widened to 64 bits is formed first, then
    // multiplied by the amount, and the product rounded to a 32-bit float.
    // Throws RunTimeError "Overflow" when the product's magnitude exceeds the
    // largest finite 32-bit float.
    static float Result(double amount, float fromFactor, float toFactor);
};

}  // namespace metrivo

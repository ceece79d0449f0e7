#pragma once

#include <string_view>

namespace metrivo {

// Reads a decimal that lies below the smallest normal 64-bit float
// (2.2250738585072014E-308) as the nearest 64-bit float, ties to even, with
// exact integer arithmetic. The standard library's from_chars reports such
// values differently from one version to the next (a range error, zero, or
// the value), so the program reads them with this instead.
class SubnormalDecimal {
  public:
    // `number`: digits, an optional "." and digits, an optional exponent of
    // "e" or "E", an optional sign and digits; no sign of its own. Its value
    // must lie below 2^-1021; the result is 0, a subnormal, or the smallest
    // normal or its successor.
    static double Read(std::string_view number);

    // Significant digits taken into account; beyond them only whether any is
    // non-zero matters (767 digits always decide the rounding of a double).
    static constexpr std::size_t kDigits = 800;
};

}  // namespace metrivo

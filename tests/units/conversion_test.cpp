// The two kinds of conversion at the edges of their ranges; their results for
// ordinary amounts are those of the shared file of conversions.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "expectthrowmsg.h"
#include "linearconversion.h"
#include "loadedcatalogue.h"
#include "runtimeerror.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

const TemperatureScale& ScaleOf(int row) {
    return test::LoadedCatalogue().Row(row).scale;
}
constexpr int kCelsius = 11;
constexpr int kReaumur = 14;
constexpr int kKelvin = 15;

TEST(TempConvertTest, KelvinHasNoFormulaAndItsValuePassesUnchanged) {
    EXPECT_FALSE(ScaleOf(kKelvin).HasFormulas());
    for (int row = kCelsius; row < kKelvin; ++row) EXPECT_TRUE(ScaleOf(row).HasFormulas()) << row;
    EXPECT_EQ(TemperatureConversion::TempConvert(1e-300, ScaleOf(kKelvin), ScaleOf(kKelvin), "."),
              "1E-300");
    EXPECT_EQ(TemperatureConversion::TempConvert(0.0, ScaleOf(kKelvin), ScaleOf(kKelvin), "."),
              "0");
}

TEST(TempConvertTest, ValuesBeyondTheFifteenDigitRangeAreOverflow) {
    EXPECT_THROW_MSG(
        TemperatureConversion::TempConvert(1.5e308, ScaleOf(kReaumur), ScaleOf(kKelvin), "."),
        RunTimeError, "Overflow");
    // The 15-digit text of the largest double is beyond the range.
    EXPECT_THROW_MSG(TemperatureConversion::TempConvert(std::numeric_limits<double>::max(),
                                                        ScaleOf(kKelvin), ScaleOf(kCelsius), "."),
                     RunTimeError, "Overflow");
    EXPECT_EQ(TemperatureConversion::TempConvert(1.79769313486231e308, ScaleOf(kKelvin),
                                                 ScaleOf(kKelvin), "."),
              "1.79769313486231E+308");
}

TEST(LinearResultLimitsTest, ProductBeyondTheFloatRangeIsOverflow) {
    for (double amount : {1e39, -1e39, 3.40282357e38, 1e300}) {
        EXPECT_THROW_MSG(LinearConversion::Result(amount, 1000.0f, 1.0f), RunTimeError, "Overflow")
            << amount;
    }
    EXPECT_THROW(LinearConversion::Result(1e38, 1e6f, 1e-9f), RunTimeError);
    EXPECT_EQ(LinearConversion::Result(3.4028234663852886e38, 1.0f, 1.0f),
              std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace metrivo

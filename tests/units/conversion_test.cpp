#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "expectthrowmsg.h"
#include "linearconversion.h"
#include "numbertext.h"
#include "readablename.h"
#include "runtimeerror.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

struct TempCase {
    const char* amount;
    const char* from;
    const char* to;
    const char* separator;
    const char* result;
};

void PrintTo(const TempCase& c, std::ostream* os) {
    *os << test::ReadableName(c.amount) << " " << c.from << " to " << c.to;
}

class TempConvertTest : public ::testing::TestWithParam<TempCase> {};

TEST_P(TempConvertTest, ConvertsThroughKelvinText) {
    const TempCase& c = GetParam();
    std::string fromVal = NumberText::Write15(NumberText::ReadAmount(c.amount), c.separator);
    EXPECT_EQ(TemperatureConversion::TempConvert(fromVal, c.from, c.to, c.separator), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, TempConvertTest,
    ::testing::Values(
        TempCase{"1.00", "degree Celsius", "kelvin", ".", "274.15"},
        TempCase{"100", "degree Fahrenheit", "degree Celsius", ".", "37.777777777778"},
        TempCase{"98.6", "degree Fahrenheit", "degree Celsius", ".", "37"},
        TempCase{"-40", "degree Celsius", "degree Fahrenheit", ".", "-40"},
        TempCase{"0", "degree Celsius", "degree Rankine", ".", "491.67"},
        TempCase{"212", "degree Fahrenheit", "degree Reaumur", ".", "80"},
        TempCase{"100", "degree Reaumur", "degree Celsius", ".", "125"},
        TempCase{"1", "degree Rankine", "degree Celsius", ".", "-272.594444444444"},
        TempCase{"0", "kelvin", "degree Celsius", ".", "-273.15"},
        TempCase{"1.00", "kelvin", "kelvin", ".", "1"},
        TempCase{"-273.15", "degree Celsius", "kelvin", ".", "0"},
        TempCase{"-273.16", "degree Celsius", "kelvin", ".", "Below Absolute Zero"},
        TempCase{"-500", "degree Fahrenheit", "degree Celsius", ".", "Below Absolute Zero"},
        TempCase{"-1", "kelvin", "degree Reaumur", ".", "Below Absolute Zero"},
        TempCase{"1.00", "degree Celsius", "kelvin", ",", "274,15"},
        TempCase{"36.6", "degree Celsius", "degree Fahrenheit", ",", "97,88"}),
    [](const auto& info) {
        const TempCase& c = info.param;
        return test::ReadableName(c.amount) + "_" + test::ReadableName(c.from) + "_To_" +
               test::ReadableName(c.to) + (std::string(c.separator) == "," ? "_Comma" : "");
    });

// FromAmount gives what TempConvert gives for the 15-digit text of the
// amount, result and failure alike, for every pair of scales, amounts of
// every kind, and separators plain or odd (an odd one takes the text path).
TEST(TempConvertTest, FromAmountMatchesTempConvertOfTheAmountText) {
    const char* scales[] = {"degree Celsius", "degree Fahrenheit", "degree Rankine",
                            "degree Reaumur", "kelvin"};
    std::vector<double> amounts{0.0,
                                -0.0,
                                1.0,
                                -40.0,
                                230.4,
                                -273.15,
                                -273.16,
                                98.6,
                                -218.4,
                                359.9,
                                1e-310,
                                -1e-310,
                                5e-324,
                                1e300,
                                1.5e308,
                                -1.5e308,
                                1.7976931348623157e308,
                                1.79769313486231e308,
                                -459.67,
                                671.641,
                                1e15,
                                123456789.123456789};
    for (int i = -3000; i <= 3000; i += 7) amounts.push_back(i / 10.0 + i * 1e-7);
    for (const char* separator : {".", ",", "\xd9\xab", "", "1", "e"}) {
        for (const char* from : scales) {
            for (const char* to : scales) {
                for (double amount : amounts) {
                    std::string expected;
                    std::string got;
                    try {
                        std::string fromVal = NumberText::Write15(amount, separator);
                        expected = TemperatureConversion::TempConvert(fromVal, from, to, separator);
                    } catch (const RunTimeError& e) {
                        expected = "error " + e.description();
                    }
                    try {
                        got = TemperatureConversion::FromAmount(amount, from, to, separator);
                    } catch (const RunTimeError& e) {
                        got = "error " + e.description();
                    }
                    ASSERT_EQ(got, expected)
                        << amount << " " << from << " -> " << to << " [" << separator << "]";
                }
            }
        }
    }
}

TEST(TempConvertTest, KelvinSourceLeavesThePassedTextUntouched) {
    std::string fromVal = "not a number";
    // A kelvin source is first read by the below-zero test, which fails.
    EXPECT_THROW(TemperatureConversion::TempConvert(fromVal, "kelvin", "kelvin", "."),
                 RunTimeError);
    EXPECT_EQ(fromVal, "not a number");
}

TEST(TempConvertTest, ResultBeyondTheDoubleRangeIsOverflow) {
    std::string fromVal = NumberText::Write15(1.5e308, ".");
    EXPECT_THROW_MSG(TemperatureConversion::TempConvert(fromVal, "degree Reaumur", "kelvin", "."),
                     RunTimeError, "Overflow");
}

struct LinearCase {
    double amount;
    float from;
    float to;
    const char* text;
};

void PrintTo(const LinearCase& c, std::ostream* os) {
    *os << test::ReadableName(c.text);
}

class LinearResultTest : public ::testing::TestWithParam<LinearCase> {};

TEST_P(LinearResultTest, RatioFirstThenProductRoundedTo32Bits) {
    const LinearCase& c = GetParam();
    EXPECT_EQ(NumberText::Write7(LinearConversion::Result(c.amount, c.from, c.to), "."), c.text);
}

INSTANTIATE_TEST_SUITE_P(Factors, LinearResultTest,
                         ::testing::Values(LinearCase{1, 1000.0f, 1.0f, "1000"},
                                           LinearCase{1, 1609.344f, 1000.0f, "1.609344"},
                                           LinearCase{1, 0.0254f, 0.01f, "2.54"},
                                           LinearCase{1, 0.01f, 0.0254f, "0.3937008"},
                                           LinearCase{1, 1.0f, 0.3048f, "3.28084"},
                                           LinearCase{1, 299792458.0f, 340.29f, "880991.1"},
                                           LinearCase{1, 340.29f, 299792458.0f, "1.135085E-06"},
                                           LinearCase{2.5, 0.45359237f, 1.0f, "1.133981"},
                                           LinearCase{3.4028234663852886e38, 1.0f, 1.0f,
                                                      "3.402823E+38"},
                                           LinearCase{1e-50, 1.0f, 1.0f, "0"}),
                         [](const auto& info) { return test::ReadableName(info.param.text); });

TEST(LinearResultLimitsTest, ProductBeyondTheFloatRangeIsOverflow) {
    for (double amount : {1e39, -1e39, 3.40282357e38, 1e300}) {
        EXPECT_THROW_MSG(LinearConversion::Result(amount, 1000.0f, 1.0f), RunTimeError, "Overflow")
            << amount;
    }
    EXPECT_THROW(LinearConversion::Result(1e38, 1e6f, 1e-9f), RunTimeError);
}

}  // namespace
}  // namespace metrivo

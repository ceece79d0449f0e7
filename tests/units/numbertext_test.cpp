#include "numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "expectthrowmsg.h"
#include "readablename.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

struct ReadCase {
    std::string text;
    double value;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << test::ReadableName(c.text);
}

class ReadAmountTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAmountTest, ReadsAsTheAmountBoxDoes) {
    const double got = NumberText::ReadAmount(GetParam().text, ".");
    EXPECT_EQ(got, GetParam().value) << "text: \"" << GetParam().text << '"';
    EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadAmountTest,
    ::testing::Values(ReadCase{"1.00", 1.0}, ReadCase{"2.5", 2.5}, ReadCase{"-40", -40.0},
                      ReadCase{"+7", 7.0}, ReadCase{".5", 0.5}, ReadCase{"-.25", -0.25},
                      ReadCase{"5.", 5.0}, ReadCase{"1 000", 1000.0}, ReadCase{" \t1\n2 3 ", 123.0},
                      ReadCase{"1,5", 1.0}, ReadCase{"1.5.6", 1.5}, ReadCase{"12abc", 12.0},
                      ReadCase{"", 0.0}, ReadCase{"abc", 0.0}, ReadCase{"-", 0.0},
                      ReadCase{".", 0.0}, ReadCase{"-0", -0.0}, ReadCase{"1e3", 1000.0},
                      ReadCase{"1E+3", 1000.0}, ReadCase{"25e-1", 2.5}, ReadCase{"1e", 1.0},
                      ReadCase{"1e+", 1.0}, ReadCase{"1 e 2", 100.0}, ReadCase{"2d3", 2.0},
                      ReadCase{"\r1", 0.0}, ReadCase{"1e-400", 0.0}, ReadCase{"0e999999", 0.0},
                      ReadCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
                      ReadCase{std::string("7\0"
                                           "9",
                                           3),
                               7.0},
                      ReadCase{"\xff\xfe"
                               "1",
                               0.0},
                      ReadCase{"\xd9\xa3", 0.0}),
    [](const auto& info) { return test::ReadableName(info.param.text); });

INSTANTIATE_TEST_SUITE_P(
    RadixIntegers, ReadAmountTest,
    ::testing::Values(ReadCase{"&H10", 16.0}, ReadCase{"&hff", 255.0}, ReadCase{"&HFFFF", -1.0},
                      ReadCase{"&H7FFF", 32767.0}, ReadCase{"&H8000", -32768.0},
                      ReadCase{"&H10000", 65536.0}, ReadCase{"&HFFFFFFFF", -1.0},
                      ReadCase{"&H80000000", -2147483648.0}, ReadCase{"&O17", 15.0},
                      ReadCase{"&o177777", -1.0}, ReadCase{"&O8", 0.0}, ReadCase{"&H", 0.0},
                      ReadCase{"&HG", 0.0}, ReadCase{"& H10", 16.0}, ReadCase{"&X10", 0.0}),
    [](const auto& info) { return test::ReadableName(info.param.text); });

// Whether the reading takes the whole text, and the comma of a "," locale.
struct WholeCase {
    const char* name;
    std::string text;
    const char* separator;
    double value;
    bool whole;
};

class ReadAmountWholeTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ReadAmountWholeTest, SaysWhetherTheWholeTextWasRead) {
    const WholeCase& c = GetParam();
    NumberText::Reading reading;
    reading.whole = !c.whole;
    EXPECT_EQ(NumberText::ReadAmount(c.text, c.separator, &reading), c.value);
    EXPECT_EQ(reading.whole, c.whole);
}

// A value read from at most 15 significant digits is its own 15-digit value;
// the reading says so only where that holds.
TEST(ReadAmountTest, SaysWhenTheValueIsItsOwnFifteenDigitValue) {
    const std::pair<const char*, bool> cases[] = {
        {"491.67", true},
        {"0.000123456789012345", true},
        {"-1.23456789012345e200", true},
        {"0001234", true},
        {"&HFFFFFFFF", true},
        {"0", true},
        {"0.1234567890123456", false},
        {"1.7976931348623157E+308", false},
        {"1e-310", false},
        {"1e-320", false},
    };
    for (const auto& [text, fifteen] : cases) {
        NumberText::Reading reading;
        const double value = NumberText::ReadAmount(text, ".", &reading);
        EXPECT_EQ(reading.fifteenDigits, fifteen) << text;
        if (reading.fifteenDigits) {
            EXPECT_EQ(NumberText::Round15(value), value) << text;
        }
    }
    EXPECT_NE(NumberText::Round15(0.1234567890123456), 0.1234567890123456);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadAmountWholeTest,
    ::testing::Values(WholeCase{"plain", "2.5", ".", 2.5, true},
                      WholeCase{"spaces_between_digits", " 1 000 ", ".", 1000, true},
                      WholeCase{"sign_and_exponent", "-1.5e+3", ".", -1500, true},
                      WholeCase{"hexadecimal", "&H10", ".", 16, true},
                      WholeCase{"octal", "&o17", ".", 15, true},
                      WholeCase{"hex_without_digits", "&H", ".", 0, false},
                      WholeCase{"hex_then_letters", "&H1G", ".", 1, false},
                      WholeCase{"letters", "abc", ".", 0, false},
                      WholeCase{"empty", "", ".", 0, false},
                      WholeCase{"c_hexadecimal", "0x10", ".", 0, false},
                      WholeCase{"infinity", "inf", ".", 0, false},
                      WholeCase{"exponent_without_digits", "1e", ".", 1, false},
                      WholeCase{"comma_in_point_locale", "1,5", ".", 1, false},
                      WholeCase{"comma_locale_decimal", "0,3937008", ",", 0.3937008, true},
                      WholeCase{"comma_locale_leading_comma", ",5", ",", 0.5, true},
                      WholeCase{"comma_locale_negative_exponent", "-1,5e-3", ",", -0.0015, true},
                      WholeCase{"comma_locale_two_commas", "1,5,6", ",", 1, false},
                      WholeCase{"comma_locale_comma_and_point", "1.000,5", ",", 1, false},
                      WholeCase{"comma_locale_comma_without_digit", "1,", ",", 1, false},
                      WholeCase{"comma_locale_point_still_reads", "1.5", ",", 1.5, true},
                      WholeCase{"comma_locale_hexadecimal", "&H1,5", ",", 1, false},
                      WholeCase{"arabic_separator_is_no_comma", "1,5", "\xd9\xab", 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadAmountLimitsTest, LargestAmountIsNamedInTheAmountsOwnNotation) {
    EXPECT_EQ(NumberText::LargestAmountText(" 1e999"), "1.7976931348623157E+308");
    EXPECT_EQ(NumberText::LargestAmountText(" & h1000000000"), "&HFFFFFFFF");
    EXPECT_EQ(NumberText::LargestAmountText("&O40000000000"), "&O37777777777");
    EXPECT_THROW_MSG(NumberText::ReadAmount("&H100000000", "."), RunTimeError, "Overflow");
    EXPECT_EQ(NumberText::ReadAmount("&HFFFFFFFF", "."), -1);
    EXPECT_THROW_MSG(NumberText::ReadAmount("&O40000000000", "."), RunTimeError, "Overflow");
}

TEST(ReadAmountLimitsTest, BeyondTheDoubleRangeIsOverflow) {
    for (const std::string& text :
         std::vector<std::string>{"1e309", "-1e309", "1e999999", "1.8e308", "&H100000000",
                                  "&O77777777777", std::string(400, '9')}) {
        EXPECT_THROW_MSG(NumberText::ReadAmount(text, "."), RunTimeError, "Overflow") << text;
    }
}

TEST(ReadAmountLimitsTest, AMegabyteOfDigitsReadsWithoutFault) {
    const std::string fraction = "0." + std::string(1 << 20, '3');
    EXPECT_DOUBLE_EQ(NumberText::ReadAmount(fraction, "."), 1.0 / 3.0);
    const std::string zeros = std::string(1 << 20, '0') + "12";
    EXPECT_EQ(NumberText::ReadAmount(zeros, "."), 12.0);
}

struct WriteCase {
    double value;
    int digits;
    const char* separator;
    const char* text;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << test::ReadableName(c.text);
}

class WriteTest : public ::testing::TestWithParam<WriteCase> {};

std::string WriteCaseName(const WriteCase& c) {
    std::array<char, 32> value{};
    std::snprintf(value.data(), value.size(), "%.12g", c.value);
    return test::ReadableName(value.data()) + "_" + std::to_string(c.digits) + "Digits" +
           (std::string(c.separator) == "." ? "" : "_OtherSeparator");
}

TEST_P(WriteTest, WritesTheNumberText) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(NumberText::Write(c.value, c.digits, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    SevenDigits, WriteTest,
    ::testing::Values(
        WriteCase{1000, 7, ".", "1000"}, WriteCase{1234567, 7, ".", "1234567"},
        WriteCase{12345678, 7, ".", "1.234568E+07"}, WriteCase{9999999.6, 7, ".", "1E+07"},
        WriteCase{9999999, 7, ".", "9999999"}, WriteCase{0.0001, 7, ".", "0.0001"},
        WriteCase{0.00001, 7, ".", "1E-05"}, WriteCase{0.000123456789, 7, ".", "0.0001234568"},
        WriteCase{0.00009999999, 7, ".", "9.999999E-05"},
        WriteCase{0.000099999999, 7, ".", "0.0001"}, WriteCase{1.0 / 3.0, 7, ".", "0.3333333"},
        WriteCase{-2.5, 7, ".", "-2.5"}, WriteCase{0.0, 7, ".", "0"}, WriteCase{-0.0, 7, ".", "0"},
        WriteCase{1e-50, 7, ".", "1E-50"}, WriteCase{-1.5e300, 7, ".", "-1.5E+300"},
        WriteCase{1.135085e-06, 7, ".", "1.135085E-06"}, WriteCase{0.3937008, 7, ",", "0,3937008"},
        WriteCase{-12345678, 7, ",", "-1,234568E+07"},
        WriteCase{1.5, 7, "\xd9\xab",
                  "1\xd9\xab"
                  "5"}),
    [](const auto& info) { return WriteCaseName(info.param); });

INSTANTIATE_TEST_SUITE_P(
    FifteenDigits, WriteTest,
    ::testing::Values(WriteCase{274.15, 15, ".", "274.15"},
                      WriteCase{310.92777777777775, 15, ".", "310.927777777778"},
                      WriteCase{1.23456789012346e15, 15, ".", "1.23456789012346E+15"},
                      WriteCase{123456789012345, 15, ".", "123456789012345"},
                      WriteCase{-272.59444444444443, 15, ".", "-272.594444444444"},
                      WriteCase{5e-324, 15, ".", "4.94065645841247E-324"},
                      WriteCase{274.15, 15, ",", "274,15"}),
    [](const auto& info) { return WriteCaseName(info.param); });

TEST(WriteLimitsTest, ValueThatIsNotFiniteIsOverflow) {
    for (double v :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW_MSG(NumberText::Write15(v, "."), RunTimeError, "Overflow");
    }
}

TEST(WriteLimitsTest, SevenDigitTextOfAFloatUsesTheFloatsOwnValue) {
    EXPECT_EQ(NumberText::Write7(0.1f, "."), "0.1");
    EXPECT_EQ(NumberText::Write15(0.1f, "."), "0.100000001490116");
    EXPECT_EQ(NumberText::Write7(299792448.0f, "."), "2.997924E+08");
}

// The 7-digit text names the decimal std::to_chars rounds the value to, for
// floats across their whole range and for the integers whose eighth digit is
// a 5, where rounding either way is a tie.
TEST(WriteLimitsTest, SevenDigitTextIsTheExactRoundingOfEveryKindOfFloat) {
    auto expectExact = [](float f) {
        std::array<char, 64> buf{};
        const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<double>(f),
                                       std::chars_format::scientific, 6)
                             .ptr;
        double exact = 0;
        std::from_chars(buf.data(), end, exact);
        const std::string text = NumberText::Write7(f, ".");
        double written = 0;
        std::from_chars(text.data(), text.data() + text.size(), written);
        return written == exact;
    };
    int wrong = 0;
    for (uint32_t bits = 1; bits < 0x7f800000u; bits += 4099) {
        if (!expectExact(std::bit_cast<float>(bits)) && ++wrong < 5) {
            ADD_FAILURE() << std::bit_cast<float>(bits);
        }
    }
    for (uint32_t n = 10'000'005; n < 16'777'216; n += 1000) {
        if (!expectExact(static_cast<float>(n)) && ++wrong < 10) ADD_FAILURE() << n;
    }
    EXPECT_EQ(NumberText::Write7(12345675.0f, "."), "1.234568E+07");
    EXPECT_EQ(NumberText::Write7(12345665.0f, "."), "1.234566E+07");
}

struct ReadNumberCase {
    const char* text;
    const char* separator;
    double value;
};

void PrintTo(const ReadNumberCase& c, std::ostream* os) {
    *os << test::ReadableName(c.text);
}

class ReadNumberTest : public ::testing::TestWithParam<ReadNumberCase> {};

TEST_P(ReadNumberTest, ReadsTextWrittenUnderTheSameSeparator) {
    const ReadNumberCase& c = GetParam();
    EXPECT_EQ(NumberText::ReadNumber(c.text, c.separator), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadNumberTest,
    ::testing::Values(ReadNumberCase{"274.15", ".", 274.15}, ReadNumberCase{"274,15", ",", 274.15},
                      ReadNumberCase{"-40", ".", -40}, ReadNumberCase{"0", ",", 0},
                      ReadNumberCase{"1.5E+300", ".", 1.5e300},
                      ReadNumberCase{"1,5E-05", ",", 1.5e-05},
                      ReadNumberCase{"310.927777777778", ".", 310.927777777778}),
    [](const auto& info) { return test::ReadableName(info.param.text); });

TEST(ReadNumberLimitsTest, OtherFormsAreTypeMismatchAndHugeIsOverflow) {
    for (const char* text : {"", "-", "abc", "1.5", "1,5,", "1E", "1E+", " 1", "1 ", "+1"}) {
        EXPECT_THROW_MSG(NumberText::ReadNumber(text, ","), RunTimeError, "Type mismatch") << text;
    }
    EXPECT_THROW_MSG(NumberText::ReadNumber("1.79769313486232E+308", "."), RunTimeError,
                     "Overflow");
    EXPECT_EQ(NumberText::ReadNumber("1E-400", "."), 0.0);
}

TEST(NumberTextRoundTripTest, FifteenDigitTextReadsBackToItsRoundedValue) {
    for (double v : {1.0 / 3.0, 2.0 / 3.0, 1e-5, 123.456, 1.7976931348623e308, -5e-324, 273.15}) {
        for (const char* sep : {".", ","}) {
            const std::string text = NumberText::Write15(v, sep);
            EXPECT_EQ(NumberText::Write15(NumberText::ReadNumber(text, sep), sep), text);
        }
    }
}

// Inputs the fuzzers found. The 15-digit text of the largest 64-bit floats
// rounds up past the range, so reading it back is "Overflow", as for any text
// beyond the range; the values just below keep their text through a round
// trip.
TEST(FuzzRegression, FifteenDigitTextOfTheLargestDoublesReadsAsOverflow) {
    struct Case {
        double value;
        const char* text;
        bool readsBack;
    };
    const Case cases[] = {
        {DBL_MAX, "1.79769313486232E+308", false},
        {-DBL_MAX, "-1.79769313486232E+308", false},
        {1.79769313486231e308, "1.79769313486231E+308", true},
        {-1.79769313486231e308, "-1.79769313486231E+308", true},
    };
    for (const Case& c : cases) {
        for (const char* separator : {".", ","}) {
            std::string text = c.text;
            if (std::string(separator) == ",") text[text.find('.')] = ',';
            SCOPED_TRACE(text);
            EXPECT_EQ(NumberText::Write15(c.value, separator), text);
            if (c.readsBack) {
                EXPECT_EQ(NumberText::Write15(NumberText::ReadNumber(text, separator), separator),
                          text);
            } else {
                EXPECT_THROW_MSG(NumberText::ReadNumber(text, separator), RunTimeError, "Overflow");
            }
        }
    }
}

// At 7 digits the largest 32-bit floats round down, so their text reads back
// inside the 32-bit range and writes the same text again.
TEST(FuzzRegression, SevenDigitTextOfTheLargestFloatsReadsBack) {
    for (float value : {FLT_MAX, -FLT_MAX, std::nextafter(FLT_MAX, 0.0f)}) {
        const std::string text = NumberText::Write7(value, ",");
        SCOPED_TRACE(text);
        const double back = NumberText::ReadNumber(text, ",");
        ASSERT_LE(std::fabs(back), FLT_MAX);
        EXPECT_EQ(NumberText::Write7(static_cast<float>(back), ","), text);
    }
}

}  // namespace
}  // namespace metrivo

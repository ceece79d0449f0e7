#include "settingvalue.h"

#include <gtest/gtest.h>

#include <string>

#include "casename.h"
#include "expectthrowmsg.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

struct Case {
    const char* name;
    std::string text;
    int expected;       // when no error
    const char* error;  // nullptr when it converts
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SettingValueTest : public ::testing::TestWithParam<Case> {};

TEST_P(SettingValueTest, ConvertsOrRaisesTheStandardError) {
    const Case& c = GetParam();
    if (c.error == nullptr) {
        EXPECT_EQ(SettingValue::ToInt16(c.text), c.expected);
    } else {
        EXPECT_THROW_MSG(SettingValue::ToInt16(c.text), RunTimeError, c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingValueTest,
    ::testing::Values(
        Case{"zero", "0", 0, nullptr}, Case{"twelve", "12", 12, nullptr},
        Case{"minus one", "-1", -1, nullptr}, Case{"blanks around", " 3 ", 3, nullptr},
        Case{"tab before", "\t7", 7, nullptr}, Case{"plus sign", "+5", 5, nullptr},
        Case{"fraction rounds up", "3.7", 4, nullptr},
        Case{"half rounds to even below", "2.5", 2, nullptr},
        Case{"half rounds to even above", "3.5", 4, nullptr},
        Case{"minus half rounds to zero", "-0.5", 0, nullptr},
        Case{"exponent", "1E2", 100, nullptr}, Case{"largest", "32767", 32767, nullptr},
        Case{"smallest", "-32768", -32768, nullptr},
        Case{"largest with a fraction", "32767.4", 32767, nullptr},
        Case{"one past the largest", "32768", 0, "Overflow"},
        Case{"far above", "99999", 0, "Overflow"}, Case{"far below", "-40000", 0, "Overflow"},
        Case{"rounds past the largest", "32767.5", 0, "Overflow"},
        Case{"beyond doubles", "1e999", 0, "Overflow"}, Case{"empty", "", 0, "Type mismatch"},
        Case{"blanks only", "   ", 0, "Type mismatch"}, Case{"letters", "abc", 0, "Type mismatch"},
        Case{"digits then letters", "3abc", 0, "Type mismatch"},
        Case{"two plus signs", "++3", 0, "Type mismatch"},
        Case{"comma separator", "3,5", 0, "Type mismatch"},
        Case{"invalid UTF-8", "\xff\xfe", 0, "Type mismatch"},
        Case{"1 MB of digits", std::string(1 << 20, '7'), 0, "Overflow"},
        Case{"1 MB of letters", std::string(1 << 20, 'x'), 0, "Type mismatch"}),
    test::NameOfCase());

}  // namespace
}  // namespace metrivo

#include "settingvalue.h"

#include <gtest/gtest.h>

#include <string>

#include "runtimeerror.h"

namespace metrivo {
namespace {

struct Case {
    std::string text;
    int expected;           // when no error
    const char* error;      // nullptr when it converts
};

class SettingValueTest : public ::testing::TestWithParam<Case> {};

TEST_P(SettingValueTest, ConvertsOrRaisesTheStandardError) {
    const Case& c = GetParam();
    if (c.error == nullptr) {
        EXPECT_EQ(SettingValue::ToInt16(c.text), c.expected) << c.text;
        return;
    }
    try {
        SettingValue::ToInt16(c.text);
        FAIL() << "no error for \"" << c.text << '"';
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.description(), c.error) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingValueTest,
    ::testing::Values(Case{"0", 0, nullptr}, Case{"12", 12, nullptr}, Case{"-1", -1, nullptr},
                      Case{" 3 ", 3, nullptr}, Case{"\t7", 7, nullptr}, Case{"+5", 5, nullptr},
                      Case{"3.7", 4, nullptr}, Case{"2.5", 2, nullptr}, Case{"3.5", 4, nullptr},
                      Case{"-0.5", 0, nullptr}, Case{"1E2", 100, nullptr},
                      Case{"32767", 32767, nullptr}, Case{"-32768", -32768, nullptr},
                      Case{"32767.4", 32767, nullptr},
                      Case{"32768", 0, "Overflow"}, Case{"99999", 0, "Overflow"},
                      Case{"-40000", 0, "Overflow"}, Case{"32767.5", 0, "Overflow"},
                      Case{"1e999", 0, "Overflow"}, Case{"", 0, "Type mismatch"},
                      Case{"   ", 0, "Type mismatch"}, Case{"abc", 0, "Type mismatch"},
                      Case{"3abc", 0, "Type mismatch"}, Case{"++3", 0, "Type mismatch"},
                      Case{"3,5", 0, "Type mismatch"}, Case{"\xff\xfe", 0, "Type mismatch"},
                      Case{std::string(1 << 20, '7'), 0, "Overflow"},
                      Case{std::string(1 << 20, 'x'), 0, "Type mismatch"}));

}  // namespace
}  // namespace metrivo

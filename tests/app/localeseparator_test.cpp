#include "localeseparator.h"

#include <gtest/gtest.h>

#include <string>

namespace metrivo {
namespace {

struct LocaleCase {
    const char* name;
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    const char* separator;
};

class LocaleSeparatorTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleSeparatorTest, FirstSetVariableDecides) {
    const LocaleCase& c = GetParam();
    EXPECT_EQ(LocaleSeparator::ForLocale(
                  LocaleSeparator::NumericLocaleName(c.lcAll, c.lcNumeric, c.lang)),
              c.separator);
}

INSTANTIATE_TEST_SUITE_P(
    Variables, LocaleSeparatorTest,
    ::testing::Values(
        LocaleCase{"none_set", nullptr, nullptr, nullptr, "."},
        LocaleCase{"all_empty", "", "", "", "."}, LocaleCase{"lang_c", nullptr, nullptr, "C", "."},
        LocaleCase{"lang_posix", nullptr, nullptr, "POSIX", "."},
        LocaleCase{"lang_english", nullptr, nullptr, "en_US.UTF-8", "."},
        LocaleCase{"lang_german", nullptr, nullptr, "de_DE.UTF-8", ","},
        LocaleCase{"numeric_before_lang", nullptr, "fr_FR.UTF-8@euro", "en_GB.UTF-8", ","},
        LocaleCase{"all_before_numeric", "en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", "."},
        LocaleCase{"swiss_german_point", "", "de_CH.UTF-8", "de_DE", "."},
        LocaleCase{"unknown_locale", nullptr, nullptr, "xx_NOWHERE", "."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace metrivo

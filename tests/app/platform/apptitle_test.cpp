#include "apptitle.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace metrivo {
namespace {

struct CutCase {
    const char* name;
    QString before;
    QString after;
};

class AppTitleCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(AppTitleCut, KeepsTheWordsBeforeTheCut) {
    EXPECT_EQ(AppTitle::Cut(GetParam().before), GetParam().after);
}

const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // two UTF-16 code units
// 54 characters: the first cut leaves 47, more than 40, so it is cut again.
const QString kSeven = "Exactly desktop metrics units converter Edition Deluxe";

INSTANTIATE_TEST_SUITE_P(
    Rule, AppTitleCut,
    ::testing::Values(
        CutCase{"no_space_kept", "Metrivo", "Metrivo"},
        CutCase{"short_name_cut_once", "Metrivo Unit App", "Metrivo Unit"},
        CutCase{"seven_words_cut_twice", kSeven, "Exactly desktop metrics units converter"},
        CutCase{"only_space_first", " Metrivo", ""},
        CutCase{"ends_in_space", "Metrivo Converter ", "Metrivo Converter"},
        CutCase{"ends_in_two_spaces", "Metrivo  ", "Metrivo "},
        CutCase{"forty_left", QString(40, u'a') + " b", QString(40, u'a')},
        CutCase{"forty_one_left_no_space", QString(41, u'a') + " b", QString(41, u'a')},
        CutCase{"other_white_space_kept", "Metrivo\tUnit\u00a0App", "Metrivo\tUnit\u00a0App"},
        // 20 clefs are 40 code units, so the 43 left are cut again.
        CutCase{"code_units_counted", kClef.repeated(20) + " ab c", kClef.repeated(20)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppTitle, BecomesTheApplicationName) {
    QCoreApplication::setApplicationName("before");
    SetAppTitle();
    EXPECT_EQ(QCoreApplication::applicationName(), "Metrivo");
}

}  // namespace
}  // namespace metrivo

#include "apptitle.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace metrivo {
namespace {

class AppTitleCut : public ::testing::TestWithParam<std::pair<QString, QString>> {};

TEST_P(AppTitleCut, KeepsTheWordsBeforeTheCut) {
    EXPECT_EQ(AppTitle::Cut(GetParam().first), GetParam().second);
}

const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // two UTF-16 code units
const QString kSeven = "Exactly desktop metrics units converter Edition Deluxe";  // 54 characters

INSTANTIATE_TEST_SUITE_P(
    Rule, AppTitleCut,
    ::testing::Values(
        std::pair<QString, QString>{"Metrivo", "Metrivo"},  // no space: kept
        std::pair<QString, QString>{"Metrivo Unit App", "Metrivo Unit"},
        std::pair<QString, QString>{kSeven, "Exactly desktop metrics units converter"},
        std::pair<QString, QString>{" Metrivo", ""},
        std::pair<QString, QString>{"Metrivo Converter ", "Metrivo Converter"},
        std::pair<QString, QString>{"Metrivo  ", "Metrivo "},
        std::pair<QString, QString>{QString(40, u'a') + " b", QString(40, u'a')},
        std::pair<QString, QString>{QString(41, u'a') + " b", QString(41, u'a')},
        std::pair<QString, QString>{"Metrivo\tUnit\u00a0App", "Metrivo\tUnit\u00a0App"},
        // 20 clefs are 40 code units, so the 43 left are cut again.
        std::pair<QString, QString>{kClef.repeated(20) + " ab c", kClef.repeated(20)}));

TEST(AppTitle, SevenWordsAreCutTwice) {
    ASSERT_EQ(kSeven.size(), 54);
    EXPECT_EQ(kSeven.lastIndexOf(u' '), 47) << "the first cut leaves more than 40";
    EXPECT_EQ(AppTitle::Cut(kSeven).size(), 39);
}

TEST(AppTitle, BecomesTheDisplayName) {
    QGuiApplication::setApplicationDisplayName("before");
    SetAppTitle();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Metrivo");
}

}  // namespace
}  // namespace metrivo

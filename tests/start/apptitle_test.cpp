#include "apptitle.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "casename.h"

namespace metrivo {
namespace {

struct CutCase {
    const char* name;
    QString title;
    QString cut;
};

void PrintTo(const CutCase& c, std::ostream* out) {
    *out << c.name;
}

class AppTitleCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(AppTitleCut, KeepsTheWordsBeforeTheCut) {
    EXPECT_EQ(AppTitle::Cut(GetParam().title).toStdString(), GetParam().cut.toStdString());
}

const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // two UTF-16 code units
const QString kSeven = "Exactly desktop metrics units converter Edition Deluxe";  // 54 characters

INSTANTIATE_TEST_SUITE_P(
    Rule, AppTitleCut,
    ::testing::Values(
        CutCase{"no space is kept", "Metrivo", "Metrivo"},
        CutCase{"last word goes", "Metrivo Unit App", "Metrivo Unit"},
        CutCase{"seven words", kSeven, "Exactly desktop metrics units converter"},
        CutCase{"leading space", " Metrivo", ""},
        CutCase{"trailing space", "Metrivo Converter ", "Metrivo Converter"},
        CutCase{"two trailing spaces", "Metrivo  ", "Metrivo "},
        CutCase{"forty before the space", QString(40, u'a') + " b", QString(40, u'a')},
        CutCase{"forty-one before the space", QString(41, u'a') + " b", QString(41, u'a')},
        CutCase{"tab and no-break space are no spaces", "Metrivo\tUnit\u00a0App",
                "Metrivo\tUnit\u00a0App"},
        // 20 clefs are 40 code units, so the 43 left are cut again.
        CutCase{"characters of two code units", kClef.repeated(20) + " ab c", kClef.repeated(20)}),
    test::NameOfCase());

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

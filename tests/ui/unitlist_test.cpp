// Type-ahead in a closed unit list: which unit each typed text finds, and
// that the hidden drop-down's current item never moves with it.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include "casename.h"
#include "testwindow.h"
#include "unitlist.h"

namespace metrivo::test {
namespace {

const QStringList kWeight{"centigram",
                          "decigram",
                          "dekagram",
                          "dram",
                          "grain",
                          "gram",
                          "hectogram",
                          "hundredweight (long, UK)",
                          "hundredweight (short, US)",
                          "kilogram",
                          "lb, lbs",
                          "long ton (UK)",
                          "megagram (metric ton) (tonne)",
                          "microgram",
                          "milligram",
                          "ounce",
                          "pound",
                          "short ton (US)",
                          "ton (long, UK)"};

struct SearchCase {
    const char* name;
    int current;
    const char* typed;
    bool continuing;
    int expected;
};

class UnitListSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(UnitListSearchTest, FindsTheRowTypeAheadSelects) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(UnitList::SearchRow(kWeight, c.current, QString::fromUtf8(c.typed), c.continuing),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Weight, UnitListSearchTest,
    ::testing::Values(SearchCase{"a new letter starts after the current unit", 9, "g", false, 4},
                      SearchCase{"a longer text may stay on the unit it found", 4, "gr", true, 4},
                      SearchCase{"the whole name moves on to it", 4, "gram", true, 5},
                      SearchCase{"a new search wraps past the end", 18, "m", false, 12},
                      SearchCase{"the letter of the current unit finds the next one", 12, "m",
                                 false, 13},
                      SearchCase{"the only unit of a letter is found again", 16, "p", false, 16},
                      SearchCase{"the same letter again steps on", 13, "mm", true, 14},
                      SearchCase{"in any letter case", 0, "MI", true, 13},
                      SearchCase{"across a space", 0, "ton (l", true, 18},
                      SearchCase{"without a selection from the first unit on", -1, "c", false, 0},
                      SearchCase{"nothing starts with it", 3, "x", false, -1},
                      SearchCase{"nothing typed", 3, "", false, -1}),
    NameOfCase{});

TEST(UnitListSearchTest, AnEmptyListFindsNothing) {
    EXPECT_EQ(UnitList::SearchRow({}, -1, "g", false), -1);
}

TEST(UnitListTypeAheadTest, LeavesTheHiddenDropDownsCurrentItemAlone) {
    // A screen reader follows the drop-down's current item, even hidden; the
    // closed list's unit changes without it.
    TestWindow window;
    window.form->optUnits_Click(4);
    ASSERT_TRUE(window.ShowActive());
    QComboBox* list = window.form->cboFromCurrency();
    const QModelIndex before = list->view()->currentIndex();
    QTest::keyClicks(list, "mi");
    EXPECT_EQ(list->currentText(), "microgram");
    EXPECT_EQ(list->view()->currentIndex(), before);
    EXPECT_FALSE(list->view()->isVisible());
}

}  // namespace
}  // namespace metrivo::test

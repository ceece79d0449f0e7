// What the accessibility bus reads of the window's own kinds of control: the
// unit lists' shown unit as text, and the results box's notification.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "casename.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

TEST(UnitListAccessibleTest, ReadsTheShownUnitAsItsTextAndValue) {
    TestWindow window;
    window.form->optUnits_Click(4);
    window.form->SetFromListIndex(16);
    QAccessibleInterface* list = Accessible(window.form->cboFromCurrency());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::ComboBox);
    EXPECT_EQ(list->text(QAccessible::Name), "From");
    EXPECT_EQ(list->text(QAccessible::Value), "pound");
    QAccessibleTextInterface* text = list->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), "pound");
    // The unit shows as the list's selected entry.
    int start = -1;
    int end = -1;
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    window.form->SetFromListIndex(9);
    EXPECT_EQ(text->text(0, -1), "kilogram");
}

TEST(UnitListAccessibleTest, AnEmptyListHasNoTextAndNoSelection) {
    TestWindow window(false);
    QAccessibleTextInterface* text = Accessible(window.form->cboToCurrency())->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 0);
    EXPECT_EQ(text->selectionCount(), 0);
    EXPECT_TRUE(text->characterRect(0).isNull());
}

struct RangeCase {
    const char* name;
    int start, end;
    const char* expected;
};

class LineTextRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(LineTextRangeTest, GivesThePartAsked) {
    TestWindow window;
    window.form->optUnits_Click(4);
    window.form->SetFromListIndex(16);
    const RangeCase& c = GetParam();
    EXPECT_EQ(Accessible(window.form->cboFromCurrency())->textInterface()->text(c.start, c.end),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pound, LineTextRangeTest,
    ::testing::Values(RangeCase{"all of it", 0, 5, "pound"}, RangeCase{"to the end", 2, -1, "und"},
                      RangeCase{"past the end", 3, 99, "nd"}, RangeCase{"nothing", 2, 2, ""},
                      RangeCase{"backwards", 4, 1, ""}, RangeCase{"before the start", -1, 3, ""}),
    NameOfCase{});

TEST(UnitListAccessibleTest, CharactersStandLeftToRightInsideTheList) {
    TestWindow window;
    window.form->optUnits_Click(4);
    window.form->SetFromListIndex(16);
    ASSERT_TRUE(window.ShowActive());
    QComboBox* combo = window.form->cboFromCurrency();
    QAccessibleTextInterface* text = Accessible(combo)->textInterface();
    const QRect onScreen(combo->mapToGlobal(QPoint(0, 0)), combo->size());
    int right = onScreen.left();
    for (int offset = 0; offset < 5; ++offset) {
        const QRect character = text->characterRect(offset);
        EXPECT_TRUE(onScreen.contains(character)) << offset;
        EXPECT_GE(character.left(), right) << offset;
        right = character.right();
        EXPECT_EQ(text->offsetAtPoint(character.center()), offset);
    }
    EXPECT_TRUE(text->characterRect(5).isNull());
    EXPECT_EQ(text->offsetAtPoint(onScreen.bottomRight()), -1);
}

TEST(ReadOnlyTextAccessibleTest, ItsOneChildIsAnInvisibleNotificationOfItsText) {
    TestWindow window;
    window.form->SetResultText("1.133981");
    QAccessibleInterface* results = Accessible(window.form->Text2());
    ASSERT_EQ(results->childCount(), 1);
    QAccessibleInterface* note = results->child(0);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->role(), QAccessible::Notification);
    EXPECT_EQ(note->text(QAccessible::Name), "Results");
    EXPECT_EQ(note->text(QAccessible::Description), "1.133981");
    EXPECT_TRUE(note->state().invisible);
    EXPECT_FALSE(note->state().focusable);
    EXPECT_EQ(note->parent(), results);
    EXPECT_EQ(results->indexOfChild(note), 0);
    EXPECT_EQ(results->child(0), note);
    EXPECT_EQ(results->child(1), nullptr);
    window.form->SetResultText("Below Absolute Zero");
    EXPECT_EQ(note->text(QAccessible::Description), "Below Absolute Zero");
}

TEST(ReadOnlyTextAccessibleTest, ReadsAsReadOnlyText) {
    TestWindow window;
    QAccessibleInterface* results = Accessible(window.form->Text2());
    EXPECT_TRUE(results->state().readOnly);
    EXPECT_FALSE(results->state().editable);
    EXPECT_EQ(results->text(QAccessible::Name), "Results");
    ASSERT_NE(results->textInterface(), nullptr);
    EXPECT_EQ(results->editableTextInterface(), nullptr);
}

}  // namespace
}  // namespace metrivo::test

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "testwindow.h"

namespace metrivo::test {
namespace {

TEST(Form1FocusTest, TabbingIntoTheAmountSelectsAllOfIt) {
    for (const char* amount : {"1.00", "12345.678", ""}) {
        TestWindow window;
        ASSERT_TRUE(window.ShowActive());
        window.form->Text1()->setText(amount);
        window.form->Text1()->setCursorPosition(1);
        window.form->cboToCurrency()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window.form->cboToCurrency(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), window.form->Text1());
        EXPECT_EQ(window.form->Text1()->selectedText(), amount);
        EXPECT_EQ(window.form->Text1()->selectionStart(), std::string(amount).empty() ? -1 : 0);
    }
}

TEST(Form1FocusTest, ShiftTabIntoTheAmountSelectsAllOfIt) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    window.form->PushButton2()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.form->PushButton2(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), window.form->Text1());
    EXPECT_EQ(window.form->Text1()->selectedText(), "1.00");
}

TEST(Form1FocusTest, AClickIntoTheAmountSelectsAllOfIt) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    ASSERT_EQ(QApplication::focusWidget(), window.form->cboFromCurrency());
    QTest::mouseClick(window.form->Text1(), Qt::LeftButton, {}, QPoint(20, 11));
    ASSERT_EQ(QApplication::focusWidget(), window.form->Text1());
    EXPECT_EQ(window.form->Text1()->selectedText(), "1.00");
    // Typing replaces the whole amount.
    QTest::keyClicks(window.form->Text1(), "7");
    EXPECT_EQ(window.form->Text1()->text(), "7");
}

TEST(Form1FocusTest, AClickInTheFocusedAmountPlacesTheTextCursor) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    QTest::mouseClick(window.form->Text1(), Qt::LeftButton, {}, QPoint(20, 11));
    ASSERT_TRUE(window.form->Text1()->hasSelectedText());
    QTest::mouseClick(window.form->Text1(), Qt::LeftButton, {}, QPoint(20, 11));
    EXPECT_FALSE(window.form->Text1()->hasSelectedText());
}

}  // namespace
}  // namespace metrivo::test

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <string>
#include <vector>

#include "testwindow.h"

namespace metrivo::test {
namespace {

// A pointer movement with no button held, at `at` inside `widget`.
void MoveOver(QWidget* widget, QPoint at = QPoint(2, 2)) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QCursor HandImage() {
    QPixmap image(16, 16);
    image.fill(Qt::black);
    return QCursor(image, 0, 0);
}

const std::vector<const char*> kAllControls{
    "Frame1",     "Frame2",      "Frame3",          "Frame4",        "Frame5",
    "optUnits_0", "optUnits_5",  "cboFromCurrency", "cboToCurrency", "Text1",
    "Text2",      "PushButton1", "PushButton2"};

Qt::CursorShape ShapeOver(const TestWindow& window, const char* name) {
    return window.Find<QWidget>(name)->cursor().shape();
}

TEST(Form1PointerTest, TheButtonsShowTheCustomPointerAsTheArrowWithoutAnImage) {
    for (const char* button : {"PushButton1", "PushButton2"}) {
        TestWindow window;
        MoveOver(window.Find<QWidget>(button));
        EXPECT_EQ(window.form->CurrentMousePointer(), MousePointer::kCustom) << button;
        EXPECT_EQ(window.form->cursor().shape(), Qt::ArrowCursor) << button;
        EXPECT_EQ(ShapeOver(window, "Text1"), Qt::ArrowCursor) << button;
    }
}

TEST(Form1PointerTest, TheCustomImageShowsOverTheWholeWindow) {
    TestWindow window;
    EXPECT_FALSE(window.form->HasMouseIcon());
    window.form->SetMouseIcon(HandImage());
    EXPECT_TRUE(window.form->HasMouseIcon());
    MoveOver(window.form->PushButton1());
    for (const char* name : kAllControls) {
        EXPECT_EQ(ShapeOver(window, name), Qt::BitmapCursor) << name;
    }
    window.form->ClearMouseIcon();
    EXPECT_EQ(ShapeOver(window, "PushButton1"), Qt::ArrowCursor);
}

TEST(Form1PointerTest, FramesAndTheBackgroundReturnTheDefaultPointer) {
    struct Case {
        const char* name;
        QPoint at;
    };
    const std::vector<Case> cases{
        {"Form1", {2, 2}},  {"Form1", {530, 100}}, {"Frame1", {2, 2}},  {"Frame1", {400, 25}},
        {"Frame2", {5, 5}}, {"Frame3", {370, 40}}, {"Frame4", {2, 50}}, {"Frame5", {120, 30}}};
    for (const Case& c : cases) {
        TestWindow window;
        window.form->SetMouseIcon(HandImage());
        MoveOver(window.form->PushButton2());
        ASSERT_EQ(window.form->CurrentMousePointer(), MousePointer::kCustom);
        QWidget* target =
            std::string(c.name) == "Form1" ? window.form.get() : window.Find<QWidget>(c.name);
        MoveOver(target, c.at);
        EXPECT_EQ(window.form->CurrentMousePointer(), MousePointer::kDefault) << c.name;
        EXPECT_EQ(window.form->cursor().shape(), Qt::ArrowCursor) << c.name;
        // The text boxes show their own text cursor again.
        EXPECT_EQ(ShapeOver(window, "Text1"), Qt::IBeamCursor) << c.name;
        EXPECT_EQ(ShapeOver(window, "Text2"), Qt::IBeamCursor) << c.name;
    }
}

TEST(Form1PointerTest, ControlsWithoutAHandlerLeaveThePointerAsItWas) {
    for (const char* name :
         {"optUnits_0", "optUnits_4", "cboFromCurrency", "cboToCurrency", "Text1", "Text2"}) {
        TestWindow window;
        MoveOver(window.form->PushButton2());
        MoveOver(window.Find<QWidget>(name), QPoint(4, 4));
        EXPECT_EQ(window.form->CurrentMousePointer(), MousePointer::kCustom) << name;
    }
}

TEST(Form1PointerTest, NoMovementReplacesTheHourglass) {
    TestWindow window;
    window.form->SetMousePointer(MousePointer::kHourglass);
    for (const char* name : kAllControls) MoveOver(window.Find<QWidget>(name));
    MoveOver(window.form.get());
    EXPECT_EQ(window.form->CurrentMousePointer(), MousePointer::kHourglass);
    for (const char* name : kAllControls) {
        EXPECT_EQ(ShapeOver(window, name), Qt::WaitCursor) << name;
    }
}

TEST(Form1PointerTest, TheHourglassShowsWhileConvertingAndGoesAfterwards) {
    TestWindow window;
    Form1& form = *window.form;
    std::vector<Qt::CursorShape> seen;
    window.box.onShow = [&] {
        seen.push_back(form.cursor().shape());
        seen.push_back(form.Text1()->cursor().shape());
        MoveOver(form.PushButton1());
        seen.push_back(form.PushButton1()->cursor().shape());
    };
    form.SetFromListIndex(-1);  // a failing conversion lets the test look in between
    form.PushButton2_Click();
    ASSERT_EQ(seen.size(), 6U);
    for (Qt::CursorShape shape : seen) EXPECT_EQ(shape, Qt::WaitCursor);
    EXPECT_EQ(form.CurrentMousePointer(), MousePointer::kDefault);
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(form.Text1()->cursor().shape(), Qt::IBeamCursor);
}

}  // namespace
}  // namespace metrivo::test

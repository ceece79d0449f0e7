// The ring around the focused control: where it stands, what it is drawn in,
// and that it is no control of its own.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QTest>

#include "colourcontrast.h"
#include "focusring.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

TEST(FocusRingTest, SurroundsEachControlTheFocusVisits) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    auto* ring = window.form->findChild<FocusRing*>();
    ASSERT_NE(ring, nullptr);
    for (int press = 0; press < 7; ++press) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        const std::string name = focused->objectName().toStdString();
        EXPECT_EQ(ring->Control(), focused) << name;
        EXPECT_TRUE(ring->isVisible()) << name;
        EXPECT_EQ(ring->parentWidget(), focused->parentWidget()) << name;
        EXPECT_EQ(ring->geometry(), focused->geometry().adjusted(-3, -3, 3, 3)) << name;
        // Only the ring's two pixels: the control itself stays uncovered.
        EXPECT_FALSE(ring->mask().contains(QPoint(3, 3))) << name;
        EXPECT_TRUE(ring->mask().contains(QPoint(1, 1))) << name;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
}

TEST(FocusRingTest, GoesWhenTheFocusLeavesTheWindow) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    auto* ring = window.form->findChild<FocusRing*>();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(ring->Control(), nullptr);
    EXPECT_FALSE(ring->isVisible());
}

TEST(FocusRingTest, IsNoControlOfTheFrameItStandsIn) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    auto* frame = window.Find<QGroupBox>("Frame3");
    ASSERT_EQ(window.form->findChild<FocusRing*>()->parentWidget(), frame);
    // The frame holds the source list alone, as a screen reader sees it.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(frame)->childCount(), 1);
}

TEST(FocusRingTest, StandsOutThreeToOneOnAnyBackground) {
    for (const QColor& background : {QColor(Qt::white), QColor(Qt::black), QColor(239, 239, 239),
                                     QColor(50, 50, 50), QColor(128, 128, 128)}) {
        EXPECT_GE(ColourContrast::Ratio(FocusRing::RingColour(background), background), 3.0)
            << background.name().toStdString();
    }
}

}  // namespace
}  // namespace metrivo::test

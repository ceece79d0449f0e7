#include "firstframe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <memory>

namespace metrivo {
namespace {

TEST(FirstFrameTest, RunsOnceAfterTheFirstPaintHasBeenHandled) {
    QWidget window;
    window.resize(120, 80);
    int runs = 0;
    bool paintedBefore = false;
    QPointer<FirstFrame> watcher = FirstFrame::Then(window, [&] {
        ++runs;
        // The action runs from the event loop, not inside the paint.
        paintedBefore = !window.testAttribute(Qt::WA_WState_InPaintEvent);
    });
    QApplication::processEvents();
    EXPECT_EQ(runs, 0) << "nothing painted yet";

    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    EXPECT_TRUE(paintedBefore);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watcher.isNull(); }, 1000))
        << "the watcher goes once it has posted the action";

    window.repaint();
    window.hide();
    window.show();
    QTest::qWait(50);
    EXPECT_EQ(runs, 1);
}

TEST(FirstFrameTest, AWindowDeletedBeforeItsFirstFrameDropsTheAction) {
    int runs = 0;
    auto window = std::make_unique<QWidget>();
    FirstFrame::Then(*window, [&] { ++runs; });
    window.reset();
    QTest::qWait(20);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace metrivo

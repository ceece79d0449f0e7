#include "guardedapplication.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>

namespace metrivo {
namespace {

TEST(GuardedApplicationTest, ProcedureNamesTheReceiverAndTheEvent) {
    QObject named;
    named.setObjectName("Text1");
    const QEvent keyPress(QEvent::KeyPress);
    EXPECT_EQ(GuardedApplication::ProcedureFor(&named, &keyPress), "Text1_KeyPress");
    QObject unnamed;
    const QEvent close(QEvent::Close);
    EXPECT_EQ(GuardedApplication::ProcedureFor(&unnamed, &close), "QObject_Close");
}

}  // namespace
}  // namespace metrivo

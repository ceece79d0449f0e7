#include "qtclipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace metrivo {
namespace {

TEST(QtClipboard, SystemClipboard) {
    QClipboard* system = QGuiApplication::clipboard();
    QtClipboard clipboard;
    EXPECT_TRUE(clipboard.SetText("Grüße 1.609344", 0));
    EXPECT_EQ(system->text(), QString::fromUtf8("Grüße 1.609344"));
    EXPECT_TRUE(clipboard.Clear());
    EXPECT_TRUE(system->text().isEmpty());
    EXPECT_TRUE(clipboard.SetText("raw", 49161));
    EXPECT_EQ(system->mimeData()->data("application/x-metrivo-clipboard-format-49161"), "raw");
    for (int32_t format : {0, 1, 7, 13}) EXPECT_EQ(QtClipboard::MimeType(format), "text/plain");
}

}  // namespace
}  // namespace metrivo

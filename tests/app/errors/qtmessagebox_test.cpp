#include "qtmessagebox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

namespace metrivo {
namespace {

TEST(QtMessageBoxTest, TheReportShowsAsFourLines) {
    struct Case {
        std::string text;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"Overflow\r\nin X at line 124\r\rPlease", "Overflow\nin X at line 124\n\nPlease"},
        {"one\r\ntwo", "one\ntwo"},
        {"one\r\rtwo", "one\n\ntwo"},
        {"one\rtwo\n", "one\ntwo\n"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtMessageBox::DisplayText(c.text).toStdString(), c.shown);
    }
}

TEST(QtMessageBoxTest, AModalWarningWithOneOkButton) {
    QWidget owner;
    QtMessageBox box(&owner);
    struct Seen {
        bool found = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        int buttonCount = 0;
        bool modal = false;
    } seen;
    QTimer::singleShot(0, [&seen] {
        QMessageBox* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<QMessageBox*>(widget);
                candidate && candidate->isVisible()) {
                shown = candidate;
            }
        }
        if (shown == nullptr) return;
        seen.found = true;
        seen.icon = shown->icon();
        seen.title = shown->windowTitle();
        seen.text = shown->text();
        seen.buttons = shown->standardButtons();
        seen.buttonCount = static_cast<int>(shown->buttons().size());
        seen.modal = shown->isModal();
        shown->button(QMessageBox::Ok)->click();
    });
    box.ShowWarning("Application Error", "Type mismatch\r\nin X at line 142\r\rPlease");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, "Application Error");
    EXPECT_EQ(seen.text, "Type mismatch\nin X at line 142\n\nPlease");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_TRUE(seen.modal);
}

}  // namespace
}  // namespace metrivo

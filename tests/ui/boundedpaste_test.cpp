// Every way of pasting into a line edit hands it no more than fits: the text
// is cut where the line edit would cut it, and the line edit never sees more
// (it says so with inputRejected when it does, after copying what fits once
// per character).
#include "boundedpaste.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <functional>

#include "casename.h"

namespace metrivo {
namespace {

struct PasteWay {
    const char* name;
    QClipboard::Mode mode;                                  // where the text comes from
    std::function<void(QLineEdit&, const QString&)> paste;  // the text, for a drop
};

void PrintTo(const PasteWay& c, std::ostream* out) {
    *out << c.name;
}

void ContextMenuPaste(QLineEdit& box, const QString&) {
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                box.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&box, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return BoundedPaste::IsPasteAction(*action);
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menu->close();
}

// Dragged in and let go at the end of the text.
void Drop(QLineEdit& box, const QString& text) {
    QMimeData data;
    data.setText(text);
    const QPoint end(box.width() - 2, box.height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
}

void MiddleButton(QLineEdit& box, const QString&) {
    QTest::mouseClick(&box, Qt::MiddleButton, Qt::NoModifier,
                      QPoint(box.width() - 2, box.height() / 2));
}

// A box of 1000 characters with what BoundedPaste gives it, beside one
// without, each counting what it had to cut itself.
class BoundedPasteTest : public ::testing::TestWithParam<PasteWay> {
  protected:
    void SetUp() override {
        if (GetParam().mode == QClipboard::Selection &&
            !QGuiApplication::clipboard()->supportsSelection()) {
            GTEST_SKIP() << "no selection on this platform";
        }
        for (QLineEdit* box : {&bounded_, &plain_}) {
            box->setMaxLength(1000);
            box->resize(400, 30);
            box->show();
            int* rejected = box == &bounded_ ? &boundedRejected_ : &plainRejected_;
            QObject::connect(box, &QLineEdit::inputRejected, [rejected] { ++*rejected; });
        }
        new BoundedPaste(bounded_);
    }
    // Pastes `text` the case's way into both boxes, which hold `before` with
    // the cursor at the end, or all of it selected.
    void PasteIntoBoth(const QString& before, bool selected, const QString& text) {
        for (QLineEdit* box : {&bounded_, &plain_}) {
            box->setText(before);
            if (selected) box->selectAll();
            QGuiApplication::clipboard()->setText(text, GetParam().mode);
            GetParam().paste(*box, text);
        }
    }
    QLineEdit bounded_;
    QLineEdit plain_;
    int boundedRejected_ = 0;
    int plainRejected_ = 0;
};

TEST_P(BoundedPasteTest, OneCharacterPastTheRoomIsCutAsTheBoxCutsItButBeforeItGetsIt) {
    const QString text = "2" + QString(994, u' ') + "57";  // the room is 996
    PasteIntoBoth("1.00", false, text);
    EXPECT_EQ(plainRejected_, 1) << "one character past the room";
    EXPECT_EQ(bounded_.text(), plain_.text());
    EXPECT_EQ(bounded_.text(), "1.002" + QString(994, u' ') + "5");
    EXPECT_EQ(boundedRejected_, 0) << "the box was handed more than fits";
}

TEST_P(BoundedPasteTest, WhatFitsGoesInAsTheBoxPutsIt) {
    const QString text = QString::fromUtf8("\t2\n.5\u202E \r");
    for (const bool selected : {false, true}) {
        PasteIntoBoth("1.00", selected, text);
        EXPECT_NE(plain_.text(), "1.00") << "pasted";
        EXPECT_EQ(bounded_.text(), plain_.text()) << selected;
    }
    EXPECT_EQ(boundedRejected_ + plainRejected_, 0);
}

// A paste in place of a selection has the selection's room too.
TEST_P(BoundedPasteTest, ASelectionMakesRoom) {
    PasteIntoBoth(QString(1000, u'1'), true, QString(1001, u'2'));
    EXPECT_EQ(bounded_.text(), plain_.text());
    EXPECT_EQ(boundedRejected_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, BoundedPasteTest,
    ::testing::Values(PasteWay{"Ctrl+V", QClipboard::Clipboard,
                               [](QLineEdit& box, const QString&) {
                                   QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
                               }},
                      PasteWay{"Shift+Insert", QClipboard::Clipboard,
                               [](QLineEdit& box, const QString&) {
                                   QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
                               }},
                      PasteWay{"the context menu's Paste", QClipboard::Clipboard, ContextMenuPaste},
                      PasteWay{"a drop", QClipboard::Clipboard, Drop},
                      PasteWay{"the middle button", QClipboard::Selection, MiddleButton}),
    test::NameOfCase());

}  // namespace
}  // namespace metrivo

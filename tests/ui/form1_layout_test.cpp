#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <string>
#include <vector>

#include "formlayout.h"
#include "runtimeerror.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

using Layout = FormLayout;

QString Caption(const QWidget* widget) {
    if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
    if (auto* list = qobject_cast<const QComboBox*>(widget)) return list->currentText();
    return QStringLiteral("<unknown kind>");
}

std::string Name(const Layout::Control& control) {
    return std::string(control.name);
}

// The window stands as its layout's table has it: each control in its
// container, with its caption, at its place in pixels, none moved or resized
// by the toolkit.
TEST(Form1LayoutTest, EveryControlHasItsContainerCaptionAndPlace) {
    TestWindow window(false);
    for (const Layout::Control& c : Layout::Controls()) {
        SCOPED_TRACE(Name(c));
        const auto* widget = window.Find<QWidget>(Name(c).c_str());
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(widget->parentWidget(), nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(),
                  c.container.empty() ? "Form1" : std::string(c.container));
        EXPECT_EQ(Caption(widget).toStdString(), c.caption);
        const Layout::Rect r = Layout::InContainer(c);
        EXPECT_EQ(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
        const Layout::Rect w = Layout::InWindow(c);
        EXPECT_EQ(QRect(widget->mapTo(window.form.get(), QPoint(0, 0)), widget->size()),
                  QRect(w.left, w.top, w.width, w.height));
    }
}

TEST(Form1LayoutTest, ControlsAreOfTheirKinds) {
    TestWindow window(false);
    EXPECT_EQ(window.form->findChildren<QGroupBox*>().size(), 5);
    EXPECT_EQ(window.form->findChildren<QRadioButton*>().size(), 6);
    EXPECT_EQ(window.form->findChildren<StyledPushButton*>().size(), 2);
    for (const char* name : {"cboFromCurrency", "cboToCurrency"}) {
        const auto* list = window.Find<QComboBox>(name);
        ASSERT_NE(list, nullptr) << name;
        EXPECT_FALSE(list->isEditable()) << name;
    }
    EXPECT_FALSE(window.Find<QLineEdit>("Text1")->isReadOnly());
    EXPECT_TRUE(window.Find<QLineEdit>("Text2")->isReadOnly());
    for (int16_t index = 0; index < 6; ++index) {
        EXPECT_EQ(window.form->optUnits(index)->objectName(),
                  QStringLiteral("optUnits_%1").arg(index));
    }
    EXPECT_THROW(window.form->optUnits(6), RunTimeError);
    EXPECT_THROW(window.form->optUnits(-1), RunTimeError);
}

TEST(Form1LayoutTest, LengthIsTheDesignedOption) {
    TestWindow window(false);
    for (int16_t index = 0; index < 6; ++index) {
        EXPECT_EQ(window.form->optUnits(index)->isChecked(), index == 0) << index;
    }
}

TEST(Form1LayoutTest, FontsAreArialBold) {
    TestWindow window(false);
    for (const Layout::Control& c : Layout::Controls()) {
        SCOPED_TRACE(Name(c));
        const QFont font = window.Find<QWidget>(Name(c).c_str())->font();
        EXPECT_EQ(font.family().toStdString(), "Arial");
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.kind == Layout::Kind::kPushButton ? 11.25 : 9.0);
        EXPECT_EQ(font.weight(), QFont::Bold);
        EXPECT_FALSE(font.italic());
        EXPECT_FALSE(font.underline());
        EXPECT_FALSE(font.strikeOut());
    }
    // Arial itself or its metric twin from fonts-liberation2.
    const QString shown = QFontInfo(window.form->font()).family();
    EXPECT_TRUE(shown == "Arial" || shown == "Liberation Sans") << shown.toStdString();
}

// The window's boxes are built under its own font, which must not become the
// font of everything else the program shows (the report box, tooltips).
TEST(Form1LayoutTest, TheDesktopFontIsTheApplicationsAgainOnceTheWindowIsBuilt) {
    const QFont desktopFont = QGuiApplication::font();
    ASSERT_NE(desktopFont.family().toStdString(), "Arial");
    TestWindow window(false);
    EXPECT_EQ(QGuiApplication::font(), desktopFont);
    EXPECT_EQ(window.Find<QLineEdit>("Text1")->text().toStdString(), "1.00");
}

TEST(Form1LayoutTest, BackgroundsAreWhiteWhereDesigned) {
    TestWindow window(false);
    auto colour = [&](const char* name, QPalette::ColorRole role) {
        return window.Find<QWidget>(name)->palette().color(role);
    };
    EXPECT_EQ(window.form->palette().color(QPalette::Window), QColor(Qt::white));
    for (const char* name :
         {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "optUnits_0", "optUnits_1",
          "optUnits_2", "optUnits_3", "optUnits_4", "optUnits_5"}) {
        const QWidget* widget = window.Find<QWidget>(name);
        EXPECT_EQ(colour(name, widget->backgroundRole()), QColor(Qt::white)) << name;
        EXPECT_TRUE(window.Find<QWidget>(name)->autoFillBackground()) << name;
    }
    for (const char* name : {"cboFromCurrency", "cboToCurrency"}) {
        EXPECT_EQ(colour(name, QPalette::Button), QColor(Qt::white)) << name;
        EXPECT_EQ(colour(name, QPalette::Base), QColor(Qt::white)) << name;
    }
    EXPECT_EQ(colour("Text2", QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(colour("Text1", QPalette::Base), QApplication::palette().color(QPalette::Base));
}

TEST(Form1LayoutTest, WindowIsFixedWithoutMaximiseAndCentred) {
    TestWindow window(false);
    const Form1& form = *window.form;
    const QSize designed(Layout::Twips(Layout::kWidth), Layout::Twips(Layout::kHeight));
    EXPECT_EQ(form.size(), designed);
    EXPECT_EQ(form.minimumSize(), designed);
    EXPECT_EQ(form.maximumSize(), designed);
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((form.geometry().center() - centre).manhattanLength(), 2);
}

TEST(Form1LayoutTest, ControlsAreNamedForScreenReaders) {
    TestWindow window(false);
    for (const Layout::Control& c : Layout::Controls()) {
        const auto* widget = window.Find<QWidget>(Name(c).c_str());
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << Name(c);
        EXPECT_EQ(widget->accessibleDescription().toStdString(), c.description) << Name(c);
    }
    EXPECT_EQ(window.Find<QWidget>("cboFromCurrency")->accessibleName(), "From");
    EXPECT_EQ(window.Find<QWidget>("cboToCurrency")->accessibleName(), "To");
    EXPECT_EQ(window.Find<QWidget>("Text1")->accessibleName(), "Amount to convert");
    EXPECT_EQ(window.Find<QWidget>("Text2")->accessibleName(), "Results");
    EXPECT_EQ(window.Find<QWidget>("optUnits_3")->accessibleName(), "Volume");
}

// The focus after each Tab (or Shift+Tab), starting where the window opens.
std::vector<std::string> FocusWalk(int presses, Qt::Key key) {
    std::vector<std::string> names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        names.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    return names;
}

TEST(Form1TabOrderTest, OpensInTheSourceListAndVisitsTheCheckedOptionOnly) {
    TestWindow window;
    ASSERT_TRUE(window.ShowActive());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cboFromCurrency");
    const std::vector<std::string> expected{"cboToCurrency",  "Text1",       "PushButton2",
                                            "Text2",          "PushButton1", "optUnits_0",
                                            "cboFromCurrency"};
    EXPECT_EQ(FocusWalk(7, Qt::Key_Tab), expected);
}

TEST(Form1TabOrderTest, TheStopMovesWithTheSelectedOption) {
    struct Case {
        int16_t option;
        std::vector<std::string> forward;  // from PushButton1 on
    };
    const std::vector<Case> cases{
        {4, {"optUnits_4", "cboFromCurrency"}},
        {5, {"optUnits_5", "cboFromCurrency"}},
        {1, {"optUnits_1", "cboFromCurrency"}},
    };
    for (const Case& c : cases) {
        TestWindow window;
        ASSERT_TRUE(window.ShowActive());
        window.form->SelectOption(c.option);
        window.form->PushButton1()->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(FocusWalk(2, Qt::Key_Tab), c.forward) << c.option;
        window.form->cboFromCurrency()->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(FocusWalk(1, Qt::Key_Backtab).front(), c.forward.front()) << c.option;
    }
}

TEST(Form1TabOrderTest, FramesNeverTakeTheFocus) {
    TestWindow window(false);
    for (int number = 1; number <= 5; ++number) {
        EXPECT_EQ(window.form->Frame(number)->focusPolicy(), Qt::NoFocus) << number;
    }
}

}  // namespace
}  // namespace metrivo::test

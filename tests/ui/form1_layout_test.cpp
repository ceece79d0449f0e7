#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <string>
#include <vector>

#include "runtimeerror.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

struct ControlCase {
    const char* name;
    const char* container;  // objectName of the parent widget
    const char* caption;
    QRect geometry;  // logical pixels inside the container
};

// The design in pixels: twips divided by 15, with 1040 and 650 twips
// rounding to 69 and 43.
const std::vector<ControlCase> kControls{
    {"Frame5", "Form1", "Amount to convert", {8, 82, 128, 54}},
    {"Text1", "Frame5", "1.00", {16, 20, 95, 23}},
    {"Frame4", "Form1", "To", {8, 140, 520, 54}},
    {"cboToCurrency", "Frame4", "", {16, 20, 487, 23}},
    {"Frame3", "Form1", "From", {144, 81, 384, 54}},
    {"cboFromCurrency", "Frame3", "", {16, 20, 351, 23}},
    {"Frame1", "Form1", "Conversion Categories", {8, 8, 520, 69}},
    {"optUnits_3", "Frame1", " Volume", {16, 43, 65, 17}},
    {"optUnits_4", "Frame1", " Weight", {152, 43, 73, 17}},
    {"optUnits_5", "Frame1", "Area", {304, 43, 81, 17}},
    {"optUnits_0", "Frame1", "Length", {16, 20, 73, 17}},
    {"optUnits_1", "Frame1", "Temperature", {152, 20, 97, 17}},
    {"optUnits_2", "Frame1", "Speed", {304, 20, 57, 17}},
    {"Frame2", "Form1", "Results", {8, 234, 520, 90}},
    {"Text2", "Frame2", "", {16, 20, 487, 25}},
    {"PushButton1", "Frame2", "Copy Results To Clipboard", {16, 52, 487, 27}},
    {"PushButton2", "Form1", "Start Converting", {8, 201, 520, 27}},
};

QString Caption(const QWidget* widget) {
    if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
    if (auto* list = qobject_cast<const QComboBox*>(widget)) return list->currentText();
    return QStringLiteral("<unknown kind>");
}

bool IsPushButton(const char* name) {
    return std::string(name).rfind("PushButton", 0) == 0;
}

TEST(Form1LayoutTest, EveryControlHasItsContainerCaptionAndPlace) {
    TestWindow window(false);
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        const auto* widget = window.Find<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(widget->parentWidget(), nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), c.container);
        EXPECT_EQ(Caption(widget).toStdString(), c.caption);
        EXPECT_EQ(widget->geometry(), c.geometry);
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
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        const QFont font = window.Find<QWidget>(c.name)->font();
        EXPECT_EQ(font.family().toStdString(), "Arial");
        EXPECT_DOUBLE_EQ(font.pointSizeF(), IsPushButton(c.name) ? 11.25 : 9.0);
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
    EXPECT_EQ(form.size(), QSize(536, 331));
    EXPECT_EQ(form.minimumSize(), QSize(536, 331));
    EXPECT_EQ(form.maximumSize(), QSize(536, 331));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((form.geometry().center() - centre).manhattanLength(), 2);
}

TEST(Form1LayoutTest, ControlsAreNamedForScreenReaders) {
    TestWindow window(false);
    for (const ControlCase& c : kControls) {
        const auto* widget = window.Find<QWidget>(c.name);
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << c.name;
        EXPECT_FALSE(widget->accessibleDescription().isEmpty()) << c.name;
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

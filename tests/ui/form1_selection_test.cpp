#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "expectthrowmsg.h"
#include "filecontent.h"
#include "qtsettingsstore.h"
#include "runtimeerror.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

struct CategoryCase {
    int16_t index;
    int units;
    const char* first;
    const char* last;
};

TEST(Form1SelectionTest, EachCategoryFillsBothListsWithItsUnitsInCatalogueOrder) {
    const std::vector<CategoryCase> cases{
        {0, 11, "centimeter", "yard"},
        {1, 5, "degree Celsius", "kelvin"},
        {2, 13, "centimeter/second", "speed of sound [air]"},
        {3, 12, "ounce", "cubic meter"},
        {4, 19, "centigram", "ton (long, UK)"},
        {5, 13, "square inch", "square kiloimeter"},
    };
    for (const CategoryCase& c : cases) {
        SCOPED_TRACE(c.index);
        TestWindow window;
        window.form->optUnits_Click(c.index);
        QStringList expected;
        for (const UnitRecord& row : window.form->catalogue().rows()) {
            if (row.category == c.index) expected << QString::fromStdString(row.name);
        }
        const QStringList from = TestWindow::Items(window.form->cboFromCurrency());
        EXPECT_EQ(from.size(), c.units);
        EXPECT_EQ(from, expected);
        EXPECT_EQ(TestWindow::Items(window.form->cboToCurrency()), expected);
        EXPECT_EQ(from.front().toStdString(), c.first);
        EXPECT_EQ(from.back().toStdString(), c.last);
        EXPECT_EQ(window.form->state().selUnitType, c.index);
    }
}

TEST(Form1SelectionTest, TemperatureHoldsTheFiveScalesInOrder) {
    TestWindow window;
    window.form->optUnits_Click(1);
    const QStringList expected{"degree Celsius", "degree Fahrenheit", "degree Rankine",
                               "degree Reaumur", "kelvin"};
    EXPECT_EQ(TestWindow::Items(window.form->cboFromCurrency()), expected);
    EXPECT_EQ(TestWindow::Items(window.form->cboToCurrency()), expected);
}

TEST(Form1SelectionTest, ChoosingACategorySelectsTheUnitsOfItsLastConversion) {
    TestWindow window;
    Form1& form = *window.form;
    form.state().lastFrom(2) = 7;
    form.state().lastTo(2) = -1;
    form.optUnits_Click(2);
    EXPECT_EQ(form.cboFromCurrency()->currentIndex(), 7);
    EXPECT_EQ(form.cboToCurrency()->currentIndex(), -1);
    EXPECT_EQ(window.settings.Value("cboFromCurrency"), "7");
    EXPECT_EQ(window.settings.Value("cboToCurrency"), "-1");
}

TEST(Form1SelectionTest, SwitchingBackRestoresTheLastConversionNotTheLaterPicks) {
    TestWindow window;
    Form1& form = *window.form;
    form.cboFromCurrency()->setCurrentIndex(3);  // kilometer
    form.cboToCurrency()->setCurrentIndex(6);    // meter
    QTest::mouseClick(form.PushButton2(), Qt::LeftButton);
    ASSERT_EQ(form.Text2()->text(), "1000");

    form.cboFromCurrency()->setCurrentIndex(1);
    form.cboToCurrency()->setCurrentIndex(2);
    form.SelectOption(4);
    EXPECT_EQ(form.cboFromCurrency()->currentIndex(), 0);
    EXPECT_EQ(form.cboToCurrency()->currentIndex(), 0);
    form.SelectOption(0);
    EXPECT_EQ(form.cboFromCurrency()->currentText(), "kilometer");
    EXPECT_EQ(form.cboToCurrency()->currentText(), "meter");
    EXPECT_EQ(form.state().lastFrom(0), 3);
    EXPECT_EQ(form.state().lastTo(0), 6);
    EXPECT_EQ(window.settings.Value("cboFromCurrency"), "3");
    EXPECT_EQ(window.settings.Value("cboToCurrency"), "6");
}

TEST(Form1SelectionTest, APickStoresItsKeyAtOnce) {
    TestWindow window;
    Form1& form = *window.form;
    window.settings.writes.clear();
    QTest::keyClicks(form.cboFromCurrency(), "k");  // typing jumps to "kilometer"
    EXPECT_EQ(form.cboFromCurrency()->currentText(), "kilometer");
    ASSERT_EQ(window.settings.writes.size(), 1U);
    EXPECT_EQ(window.settings.writes[0].app, "Orvandel");
    EXPECT_EQ(window.settings.writes[0].section, "Metrivo");
    EXPECT_EQ(window.settings.writes[0].key, "cboFromCurrency");
    EXPECT_EQ(window.settings.writes[0].value, "3");

    form.cboToCurrency()->setCurrentIndex(10);
    EXPECT_EQ(window.settings.Value("cboToCurrency"), "10");
    EXPECT_EQ(window.settings.writes.size(), 2U);
    // Picking is not converting.
    EXPECT_EQ(form.state().lastFrom(0), 0);
    EXPECT_EQ(form.state().lastTo(0), 0);
}

TEST(Form1SelectionTest, CategoryChangeWritesOnlyTheTwoListKeysInOrder) {
    TestWindow window;
    window.settings.writes.clear();
    window.form->SelectOption(3);
    ASSERT_EQ(window.settings.writes.size(), 2U);
    EXPECT_EQ(window.settings.writes[0].key, "cboFromCurrency");
    EXPECT_EQ(window.settings.writes[0].value, "0");
    EXPECT_EQ(window.settings.writes[1].key, "cboToCurrency");
    EXPECT_EQ(window.settings.writes[1].value, "0");
}

TEST(Form1SelectionTest, AmountAndResultsStayWhenTheCategoryChanges) {
    TestWindow window;
    Form1& form = *window.form;
    form.Text1()->setText("2.5");
    form.SetResultText("25");
    for (int16_t index : {1, 5, 0}) {
        form.SelectOption(index);
        EXPECT_EQ(form.Text1()->text(), "2.5") << index;
        EXPECT_EQ(form.Text2()->text(), "25") << index;
    }
}

TEST(Form1SelectionTest, SettingAListIndexFromCodeRaisesItsHandlerEvenWhenUnchanged) {
    struct Case {
        int16_t first, second;
        const char* stored;
    };
    for (const Case& c :
         std::vector<Case>{{4, 4, "4"}, {-1, -1, "-1"}, {2, -1, "-1"}, {0, 10, "10"}}) {
        TestWindow window;
        window.form->SetToListIndex(c.first);
        window.settings.writes.clear();
        window.form->SetToListIndex(c.second);
        ASSERT_EQ(window.settings.writes.size(), 1U) << c.first << " then " << c.second;
        EXPECT_EQ(window.settings.writes[0].key, "cboToCurrency");
        EXPECT_EQ(window.settings.writes[0].value, c.stored);
        EXPECT_EQ(window.form->ToListIndex(), c.second);
    }
}

TEST(Form1SelectionTest, AnIndexTheListDoesNotHaveIsInvalidAndKeepsTheSelection) {
    for (int16_t bad : {11, 12, -2, 32767, -32768}) {
        TestWindow window;
        window.form->SetFromListIndex(5);
        window.settings.writes.clear();
        EXPECT_THROW_MSG(window.form->SetFromListIndex(bad), RunTimeError, "Invalid property value")
            << bad;
        EXPECT_EQ(window.form->FromListIndex(), 5) << bad;
        EXPECT_TRUE(window.settings.writes.empty()) << bad;
    }
}

TEST(Form1SelectionTest, ARememberedIndexBeyondTheListFailsBeforeTheTargetList) {
    TestWindow window;
    Form1& form = *window.form;
    form.state().lastFrom(1) = 5;  // Temperature has items 0 to 4
    form.state().lastTo(1) = 2;
    window.settings.writes.clear();
    EXPECT_THROW(form.optUnits_Click(1), RunTimeError);
    EXPECT_EQ(form.cboFromCurrency()->count(), 5);
    EXPECT_EQ(form.cboFromCurrency()->currentIndex(), -1);
    EXPECT_EQ(form.cboToCurrency()->currentIndex(), -1);
    EXPECT_EQ(form.state().selUnitType, 1);
    EXPECT_TRUE(window.settings.writes.empty());
}

TEST(Form1SelectionTest, ACategoryOutsideTheSixEmptiesTheListsAndFails) {
    TestWindow window;
    Form1& form = *window.form;
    window.settings.writes.clear();
    EXPECT_THROW_MSG(form.optUnits_Click(7), RunTimeError, "Subscript out of range");
    EXPECT_EQ(form.cboFromCurrency()->count(), 0);
    EXPECT_EQ(form.cboToCurrency()->count(), 0);
    EXPECT_EQ(form.state().selUnitType, 7);
    EXPECT_TRUE(window.settings.writes.empty());
}

TEST(Form1SelectionTest, SelectingAnOptionFromCodeClicksOnlyWhenItWasNotSelected) {
    TestWindow window;
    Form1& form = *window.form;
    window.settings.writes.clear();
    form.SelectOption(0);  // already selected in the design
    EXPECT_TRUE(window.settings.writes.empty());
    form.SelectOption(2);
    EXPECT_EQ(window.settings.writes.size(), 2U);
    EXPECT_EQ(form.state().selUnitType, 2);
    EXPECT_EQ(form.cboFromCurrency()->count(), 13);
    EXPECT_TRUE(form.optUnits(2)->isChecked());
    EXPECT_FALSE(form.optUnits(0)->isChecked());
    EXPECT_THROW(form.SelectOption(6), RunTimeError);
}

TEST(Form1SelectionTest, ClickingAnOptionChoosesItsCategory) {
    TestWindow window;
    Form1& form = *window.form;
    QTest::mouseClick(form.optUnits(4), Qt::LeftButton);
    EXPECT_EQ(form.state().selUnitType, 4);
    EXPECT_EQ(form.cboToCurrency()->count(), 19);
}

// The real settings file takes each pick as it is made.
TEST(Form1SelectionTest, PicksLandInTheIniFile) {
    QTemporaryDir config;
    QtSettingsStore store(config.path());
    FakeMessageBox box;
    const ErrorReport report(box);
    Form1 form(store, report, ".");
    form.LoadUnits();
    form.optUnits_Click(0);
    form.SelectOption(4);
    form.cboFromCurrency()->setCurrentIndex(16);
    form.SetToListIndex(-1);
    const QByteArray text = ReadAll(config.filePath("Orvandel.ini"));
    EXPECT_TRUE(text.startsWith("[Metrivo]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\ncboFromCurrency=16\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\ncboToCurrency=-1\n")) << text.toStdString();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "cboFromCurrency", "x"), "16");
    EXPECT_TRUE(box.texts.empty());
}

}  // namespace
}  // namespace metrivo::test

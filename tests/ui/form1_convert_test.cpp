#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "reporttext.h"
#include "testwindow.h"

namespace metrivo::test {
namespace {

std::string Report(int label) {
    return ReportText("PushButton2_Click", "Subscript out of range", label, kTestSupportAddress);
}

TEST(Form1ConvertTest, TheTypicalRequestShowsTheResultAndRecordsTheLists) {
    TestWindow window;
    Form1& form = *window.form;
    QTest::mouseClick(form.optUnits(4), Qt::LeftButton);
    form.cboFromCurrency()->setCurrentIndex(form.cboFromCurrency()->findText("pound"));
    form.cboToCurrency()->setCurrentIndex(form.cboToCurrency()->findText("kilogram"));
    form.Text1()->setText("2.5");
    QTest::mouseClick(form.PushButton2(), Qt::LeftButton);

    EXPECT_EQ(form.Text2()->text(), "1.133981");
    EXPECT_TRUE(window.box.texts.empty());
    EXPECT_EQ(form.state().lastFrom(4), 16);
    EXPECT_EQ(form.state().lastTo(4), 9);
    EXPECT_EQ(form.CurrentMousePointer(), MousePointer::kDefault);
    EXPECT_EQ(window.settings.Value("cboFromCurrency"), "16");
    EXPECT_EQ(window.settings.Value("cboToCurrency"), "9");
}

TEST(Form1ConvertTest, AnUnknownSourceUnitGivesTwoReportsAndEmptiesResults) {
    TestWindow window;
    Form1& form = *window.form;
    form.SetResultText("earlier result");
    form.SetToListIndex(6);
    form.SetFromListIndex(-1);  // no source unit: an empty text names no row
    form.PushButton2_Click();

    ASSERT_EQ(window.box.texts.size(), 2U);
    EXPECT_EQ(window.box.texts[0], Report(120));
    EXPECT_EQ(window.box.texts[1], Report(122));
    EXPECT_EQ(window.box.titles[0], "Application Error");
    EXPECT_EQ(form.Text2()->text(), "");
    EXPECT_EQ(form.state().lastFrom(0), -1);
    EXPECT_EQ(form.state().lastTo(0), 6);
    EXPECT_EQ(form.CurrentMousePointer(), MousePointer::kDefault);
}

TEST(Form1ConvertTest, ResultsUseTheSeparatorHandedToTheWindow) {
    struct Case {
        const char* separator;
        const char* amount;
        const char* expected;
    };
    for (const Case& c : std::vector<Case>{
             {".", "1", "0.3937008"}, {",", "1", "0,3937008"}, {",", "1,5", "0,5905512"}}) {
        TestWindow window(true, c.separator);
        window.form->SetFromListIndex(0);  // centimeter
        window.form->SetToListIndex(2);    // inch
        window.form->Text1()->setText(c.amount);
        window.form->PushButton2_Click();
        EXPECT_EQ(window.form->Text2()->text().toStdString(), c.expected)
            << c.separator << " " << c.amount;
    }
}

TEST(Form1ConvertTest, EnterInTheAmountBoxOrEitherListStartsConverting) {
    for (const char* name : {"Text1", "cboFromCurrency", "cboToCurrency"}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            TestWindow window;
            window.form->SetFromListIndex(3);  // kilometer
            window.form->SetToListIndex(6);    // meter
            QTest::keyClick(window.Find<QWidget>(name), key);
            EXPECT_EQ(window.form->Text2()->text(), "1000") << name << " " << key;
            EXPECT_EQ(window.form->state().lastFrom(0), 3) << name;
        }
    }
}

TEST(Form1ConvertTest, OtherKeysInTheAmountBoxDoNotConvert) {
    TestWindow window;
    QTest::keyClick(window.form->Text1(), Qt::Key_5);
    QTest::keyClick(window.form->Text1(), Qt::Key_Tab);
    EXPECT_EQ(window.form->Text2()->text(), "");
}

TEST(Form1ConvertTest, ResultsCanBeSelectedButNotEdited) {
    TestWindow window;
    window.form->PushButton2_Click();
    QLineEdit* results = window.form->Text2();
    ASSERT_EQ(results->text(), "1");
    QTest::keyClick(results, Qt::Key_9);
    EXPECT_EQ(results->text(), "1");
    results->selectAll();
    EXPECT_EQ(results->selectedText(), "1");
}

}  // namespace
}  // namespace metrivo::test

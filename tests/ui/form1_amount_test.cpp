// Hostile text in the amount box, and pastes up to and past its mebibyte:
// each press of "Start Converting" gives a result or one report.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "startfolders.h"

namespace metrivo {
namespace {

struct Amount {
    const char* name;
    QString text;
    const char* result;  // the results text, or nullptr when a report is due
    const char* report;  // "description@label", or nullptr
};

std::vector<Amount> Amounts() {
    const QString rtl = QString::fromUtf8("\u202E2.5\u202C");  // right-to-left override
    return {
        {"NUL and bell", QString::fromUtf8("2\x07.5", 4) + QChar(u'\0'), "2", nullptr},
        {"tabs and line feeds", "\t2\n.\n5\t", "2.5", nullptr},
        {"carriage return", "2\r5", "2", nullptr},
        {"escape sequence", "\x1b[31m2.5", "0", nullptr},
        {"right-to-left override", rtl, "0", nullptr},
        {"right-to-left mark after", QString::fromUtf8("2.5\u200F"), "2.5", nullptr},
        {"Arabic digits", QString::fromUtf8("\u0662\u066B\u0665"), "0", nullptr},
        {"Hebrew letters", QString::fromUtf8("\u05D0\u05D1"), "0", nullptr},
        {"combining acute on a digit", QString::fromUtf8("2\u0301.5"), "2", nullptr},
        {"combining marks alone", QString::fromUtf8("\u0301\u0308\u20DD"), "0", nullptr},
        {"zero-width joiner inside", QString::fromUtf8("2\u200D5"), "2", nullptr},
        {"fullwidth digits", QString::fromUtf8("\uFF12\uFF0E\uFF15"), "0", nullptr},
        {"many zeros then one", QString(30000, u'0') + "1", "1", nullptr},
        {"exponent beyond range", "1E400", nullptr, "Overflow@124"},
        {"digits beyond range", QString(400, u'9'), nullptr, "Overflow@124"},
    };
}

class AmountBoxTest : public ::testing::Test, protected test::StartFolders {};

TEST_F(AmountBoxTest, HostileTextGivesAResultOrAReport) {
    const auto run = Start();
    ASSERT_TRUE(run->Reports().empty());
    // Length, "meter" to "meter": the result is the amount as read.
    const auto meter = static_cast<int16_t>(run->form().cboFromCurrency()->findText("meter"));
    ASSERT_GE(meter, 0);
    run->form().SetFromListIndex(meter);
    run->form().SetToListIndex(meter);
    size_t reports = 0;
    for (const Amount& amount : Amounts()) {
        SCOPED_TRACE(amount.name);
        run->form().Text1()->setText(amount.text);
        run->form().PushButton2_Click();
        if (amount.result != nullptr) {
            EXPECT_EQ(run->form().Text2()->text(), amount.result);
            EXPECT_EQ(run->Reports().size(), reports);
        } else {
            EXPECT_EQ(run->form().Text2()->text(), "");
            ASSERT_EQ(run->Reports().size(), reports + 1);
            EXPECT_EQ(run->Reports().back(), amount.report);
        }
        reports = run->Reports().size();
    }
}

// The box takes a mebibyte, as a batch line of metrivo-convert. Qt's layout
// of a mebibyte in the box's font is most of what this costs, so each paste
// goes into an empty box, once.
TEST_F(AmountBoxTest, AMegabytePasteGivesAResultOrTheOverflowReport) {
    const auto run = Start();
    QLineEdit* box = run->form().Text1();
    struct Paste {
        QString text;
        const char* result;  // empty for a report
    };
    const Paste pastes[] = {
        {QString(1 << 20, u'7'), ""},  // far beyond the 64-bit range
        {"1" + QString((1 << 20) - 1, u' '), "1"},
        {QString(1, u'\u202E') + QString((1 << 20) - 1, u'5'), "0"},
        {QString((1 << 20) / 2, u'0') + "2.5", "2.5"},  // as metrivo-convert reads it
    };
    size_t reports = 0;
    for (const Paste& paste : pastes) {
        QGuiApplication::clipboard()->setText(paste.text);
        box->clear();
        box->paste();
        // The box keeps at most its own limit of the text.
        EXPECT_LE(box->text().size(), box->maxLength());
        EXPECT_FALSE(box->text().isEmpty());
        run->form().PushButton2_Click();
        EXPECT_EQ(run->form().Text2()->text(), paste.result);
        const size_t due = std::string(paste.result).empty() ? 1 : 0;
        ASSERT_EQ(run->Reports().size(), reports + due);
        if (due == 1) {
            EXPECT_EQ(run->Reports().back(), "Overflow@124");
        }
        reports = run->Reports().size();
    }
}

// One character past the box's mebibyte, pasted by Ctrl+V: the box keeps the
// mebibyte it always kept, and is never handed more (given more, it took a
// minute to cut it).
TEST_F(AmountBoxTest, AMebibyteAndOnePastedIsCutWhereTheBoxEnds) {
    const auto run = Start();
    QLineEdit* box = run->form().Text1();
    int rejected = 0;
    QObject::connect(box, &QLineEdit::inputRejected, [&rejected] { ++rejected; });
    const QString kept = "2" + QString(Form1::kAmountMaxLength - 1, u' ');
    QGuiApplication::clipboard()->setText(kept + "5");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rejected, 0) << "the box was handed more than fits";
    EXPECT_TRUE(box->text() == kept);
    run->form().PushButton2_Click();
    EXPECT_EQ(run->form().Text2()->text(), "2");
    EXPECT_TRUE(run->Reports().empty());
}

}  // namespace
}  // namespace metrivo

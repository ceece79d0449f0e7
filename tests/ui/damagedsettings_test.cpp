// Starts of the window with settings that anything may have altered: values
// that fail the load's steps, every key with every kind of bad value, files of
// random bytes, and a settings place that cannot be written.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "errorcapture.h"
#include "filecontent.h"
#include "programrun.h"
#include "qtsettingsstore.h"
#include "startfolders.h"
#include "windowsettings.h"

namespace metrivo {
namespace {

using test::ErrorCapture;
using test::ProgramRun;
using test::ReadAll;
using test::WriteAll;

// The settings a start found, the reports it showed and the category it
// took, and what the close then stored.
struct DamagedCase {
    const char* name;
    std::map<QString, QString> stored;
    std::vector<std::string> reports;
    int16_t category;
    int fromCount;
    QString storedUnitTypeAfterClose;
};

// The stretches of `text` between line breaks that are neither blank, nor the
// header of our section, nor a line of one of our keys: what a write of ours
// must leave as it was, in order.
std::vector<QByteArray> NotOurs(const QByteArray& text) {
    static const QRegularExpression ours(
        "^[ \t]*(LastFrom[0-5]|LastTo[0-5]|UnitType|cboFromCurrency|cboToCurrency)[ \t]*=");
    std::vector<QByteArray> kept;
    for (const QByteArray& line : text.split('\n')) {
        for (const QByteArray& piece : line.split('\r')) {
            if (piece.trimmed().isEmpty() || piece == "[Metrivo]") continue;
            if (ours.match(QString::fromLatin1(piece)).hasMatch()) continue;
            kept.push_back(piece);
        }
    }
    return kept;
}

class DamagedSettingsTest : public ::testing::TestWithParam<DamagedCase>,
                            protected test::StartFolders {
  protected:
    QStringList KeptCopies() const {
        return QDir(config_.path()).entryList({"Orvandel.ini.damaged*"}, QDir::Files, QDir::Name);
    }
};

TEST_P(DamagedSettingsTest, ReportsEachFailedStepAndGoesOn) {
    const DamagedCase& c = GetParam();
    Store(c.stored);
    auto run = Start();
    EXPECT_EQ(run->Reports(), c.reports);
    EXPECT_EQ(run->form().state().selUnitType, c.category);
    EXPECT_EQ(run->form().cboFromCurrency()->count(), c.fromCount);
    run->lifecycle().Form_Unload();
    EXPECT_EQ(Stored("UnitType"), c.storedUnitTypeAfterClose);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DamagedSettingsTest,
    ::testing::Values(
        DamagedCase{"UnitTypeSeven",
                    {{"UnitType", "7"}},
                    {"Subscript out of range@144", "Subscript out of range@146",
                     "Invalid property value@148", "Invalid property value@150"},
                    7,
                    0,
                    "7"},
        DamagedCase{"UnitTypeText", {{"UnitType", "abc"}}, {"Type mismatch@142"}, 0, 11, "0"},
        DamagedCase{
            "IndexOutOfRange", {{"LastFrom0", "50"}}, {"Invalid property value@144"}, 0, 11, "0"},
        DamagedCase{
            "TooLarge", {{"LastTo3", "99999"}, {"UnitType", "3"}}, {"Overflow@136"}, 3, 12, "3"},
        DamagedCase{"Lenient", {{"UnitType", " 2 "}, {"LastFrom2", "3.7"}}, {}, 2, 13, "2"},
        DamagedCase{"NoSelection",
                    {{"UnitType", "5"}, {"LastFrom5", "-1"}, {"cboFromCurrency", "-1"}},
                    {},
                    5,
                    13,
                    "5"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a stored value does to the start-up: the conversion of its text fails
// with a report, or it gives a number.
struct BadValue {
    const char* name;
    QByteArray text;
    const char* failure;  // nullptr when the text is a number
};

std::vector<BadValue> BadValues() {
    return {
        {"empty", "", "Type mismatch"},
        {"blanks around", " 3 ", nullptr},
        {"fraction", "3.7", nullptr},
        {"letters", "abc", "Type mismatch"},
        {"above 16 bits", "99999", "Overflow"},
        {"below 16 bits", "-40000", "Overflow"},
        {"seven", "7", nullptr},
        {"minus one", "-1", nullptr},
        {"1 MB of digits", QByteArray(1 << 20, '7'), "Overflow"},
        {"1 MB of letters", QByteArray(1 << 20, 'x'), "Type mismatch"},
        {"invalid UTF-8", "\xff\xfe\xc3(3", "Type mismatch"},
    };
}

// The reports a start shows with `value` stored under `key`. The number keys
// of categories other than 0 are read but not used at this start; the two
// list keys are overwritten by the category selection before they are read.
std::vector<std::string> ExpectedReports(const std::string& key, const BadValue& value) {
    std::string label;
    if (key.rfind("LastFrom", 0) == 0) label = "134";
    if (key.rfind("LastTo", 0) == 0) label = "136";
    if (key == "UnitType") label = "142";
    if (label.empty()) return {};
    if (value.failure != nullptr) return {std::string(value.failure) + "@" + label};
    if (key == "UnitType" && (value.text == "7" || value.text == "-1")) {
        // No such category: the lists stay empty and every later step fails.
        return {"Subscript out of range@144", "Subscript out of range@146",
                "Invalid property value@148", "Invalid property value@150"};
    }
    return {};
}

TEST_F(DamagedSettingsTest, EveryKeyWithEveryBadValueOpensTheWindowWithItsReports) {
    std::vector<std::string> keys;
    for (int n = 0; n <= 5; ++n) keys.push_back("LastFrom" + std::to_string(n));
    for (int n = 0; n <= 5; ++n) keys.push_back("LastTo" + std::to_string(n));
    keys.insert(keys.end(), {"UnitType", "cboFromCurrency", "cboToCurrency"});
    int runs = 0;
    for (const std::string& key : keys) {
        for (const BadValue& value : BadValues()) {
            SCOPED_TRACE(key + " = " + value.name);
            QDir(config_.path()).removeRecursively();
            QDir().mkpath(config_.path());
            ASSERT_TRUE(WriteAll(
                Ini(), "[Metrivo]\n" + QByteArray::fromStdString(key) + "=" + value.text + "\n"));
            ErrorCapture errors;
            ProgramRun run(config_.path(), program_.path());
            run.Load();
            EXPECT_TRUE(run.form().isVisible());
            EXPECT_EQ(run.Reports(), ExpectedReports(key, value));
            // Only the text that is no UTF-8 makes the file one to keep aside.
            const bool damaged = value.text.startsWith('\xff');
            EXPECT_EQ(KeptCopies().size(), damaged ? 1 : 0);
            EXPECT_EQ(errors.Lines(), damaged ? 1 : 0) << errors.text();
            // The load stored the list selections (unless there was no
            // category to fill them) in a file that parses again.
            const bool noCategory = ExpectedReports(key, value).size() == 4;
            QSettings ini(Ini(), QSettings::IniFormat);
            EXPECT_EQ(ini.contains("Metrivo/cboFromCurrency"), !noCategory);
            EXPECT_EQ(ini.status(), QSettings::NoError);
            ++runs;
        }
    }
    EXPECT_EQ(runs, 15 * 11);
}

TEST_F(DamagedSettingsTest, ListKeysHoldTheRestoredSelectionsAfterAnyBadValue) {
    for (const BadValue& value : BadValues()) {
        SCOPED_TRACE(value.name);
        ASSERT_TRUE(WriteAll(Ini(), "[Metrivo]\ncboFromCurrency=" + value.text +
                                        "\ncboToCurrency=" + value.text + "\n"));
        ProgramRun run(config_.path(), program_.path());
        run.Load();
        EXPECT_EQ(run.form().cboFromCurrency()->currentIndex(), 0);
        EXPECT_EQ(run.form().cboToCurrency()->currentIndex(), 0);
        QSettings ini(Ini(), QSettings::IniFormat);
        EXPECT_EQ(ini.value("Metrivo/cboFromCurrency").toString(), "0");
        EXPECT_EQ(ini.value("Metrivo/cboToCurrency").toString(), "0");
    }
}

TEST_F(DamagedSettingsTest, RandomBytesFilesOpenTheWindowAndAreKeptAsTheyWere) {
    const std::set<std::string> defined = {"Type mismatch", "Overflow", "Subscript out of range",
                                           "Invalid property value"};
    std::mt19937 random(20240611);
    for (int file = 0; file < 25; ++file) {
        SCOPED_TRACE("random file " + std::to_string(file));
        QDir(config_.path()).removeRecursively();
        QDir().mkpath(config_.path());
        QByteArray bytes(static_cast<int>(random() % 4096 + 1), '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        if (file % 5 == 0) bytes.prepend("[Metrivo]\nUnitType=");  // a header, then noise
        ASSERT_TRUE(WriteAll(Ini(), bytes));
        ErrorCapture errors;
        ProgramRun run(config_.path(), program_.path());
        run.Load();
        EXPECT_TRUE(run.form().isVisible());
        for (const std::string& report : run.Reports()) {
            EXPECT_TRUE(defined.count(report.substr(0, report.find('@')))) << report;
            EXPECT_EQ(report.find("@1"), report.find('@'));  // a label of the load
        }
        EXPECT_LE(run.Reports().size(), 16u);
        ASSERT_EQ(KeptCopies(), QStringList{"Orvandel.ini.damaged"});
        EXPECT_EQ(ReadAll(config_.filePath("Orvandel.ini.damaged")), bytes);
        run.lifecycle().Form_Unload();
        const QByteArray after = ReadAll(Ini());
        EXPECT_EQ(NotOurs(after), NotOurs(bytes)) << "every line that is no key of ours kept";
        const QtSettingsStore stored(config_.path());
        EXPECT_EQ(stored.Read(WindowSettings::kApp, WindowSettings::kSection,
                              WindowSettings::kUnitTypeKey, ""),
                  std::to_string(run.form().state().selUnitType));
    }
}

TEST_F(DamagedSettingsTest, AnUnwritablePlaceWarnsOnceAndTheWindowStaysUsable) {
    // A configuration folder below a plain file can never be made.
    ASSERT_TRUE(WriteAll(config_.filePath("plain"), "x"));
    const QString folder = config_.filePath("plain/config");
    ErrorCapture errors;
    ProgramRun run(folder, program_.path());
    run.Load();
    EXPECT_TRUE(run.Reports().empty());
    run.form().optUnits_Click(4);
    run.form().SetFromListIndex(3);
    run.form().PushButton2_Click();
    EXPECT_FALSE(run.form().Text2()->text().isEmpty());
    run.lifecycle().Form_Unload();
    EXPECT_EQ(errors.Lines(), 1) << errors.text();
    EXPECT_NE(errors.text().find("cannot save settings"), std::string::npos);
}

}  // namespace
}  // namespace metrivo

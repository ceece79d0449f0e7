// Settings that anything may have altered: every key with every kind of bad
// value, files of random bytes, damaged files kept aside, and a settings
// place that cannot be written.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "filecontent.h"
#include "programrun.h"
#include "qtsettingsstore.h"

namespace metrivo {
namespace {

using test::ProgramRun;

using test::ReadAll;
using test::WriteAll;

// Captures what is written to std::cerr while it lives.
class ErrorCapture {
  public:
    ErrorCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~ErrorCapture() { std::cerr.rdbuf(old_); }
    std::string text() const { return text_.str(); }
    int Lines() const {
        const std::string t = text();
        return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
    }

  private:
    std::ostringstream text_;
    std::streambuf* old_;
};

// Every write is synced to disk; where there is a memory file system the many
// starts of these tests use it, as the syncs say nothing about reading.
QString ScratchBase() {
    const QFileInfo shm("/dev/shm");
    return shm.isDir() && shm.isWritable() ? QString("/dev/shm/reliability-XXXXXX")
                                           : QDir::tempPath() + "/reliability-XXXXXX";
}

class DamagedSettingsTest : public ::testing::Test {
  protected:
    QString Ini() const { return config_.filePath("Orvandel.ini"); }
    QStringList KeptCopies() const {
        return QDir(config_.path()).entryList({"Orvandel.ini.damaged*"}, QDir::Files, QDir::Name);
    }
    QTemporaryDir config_{ScratchBase()};
    QTemporaryDir program_{ScratchBase()};
};

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
        EXPECT_EQ(QSettings(Ini(), QSettings::IniFormat).status(), QSettings::NoError);
        EXPECT_FALSE(QtSettingsStore::IsDamaged(ReadAll(Ini())));
    }
}

TEST_F(DamagedSettingsTest, WhatCountsAsDamaged) {
    struct Case {
        const char* name;
        QByteArray content;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"empty", "", false},
        {"plain", "[Metrivo]\nUnitType=3\n", false},
        {"byte order mark", "\xEF\xBB\xBF[Metrivo]\nUnitType=3\n", false},
        {"Windows line ends", "[Metrivo]\r\nUnitType=3\r\n", false},
        {"comment with a semicolon", "; a comment\n[Metrivo]\nUnitType=3\n", false},
        {"comment with a hash", "# a comment\n[Metrivo]\nUnitType=3\n", false},
        {"key with a blank", "[Metrivo]\nweird key=1\n", false},
        {"line without equals sign", "[Metrivo]\nUnitType\n", true},
        {"text only", "no section, no equals sign\n", true},
        {"UTF-8 beyond ASCII",
         "[Metrivo]\nName=gr\xC3\xBC\xC3\x9F"
         "e\n",
         false},
        {"NUL byte", QByteArray("[Metrivo]\nUnitType=3\0\n", 21), true},
        {"invalid byte", "[Metrivo]\nUnitType=\xff\n", true},
        {"cut sequence", "[Metrivo]\nUnitType=\xC3\n", true},
        {"cut at the end", "[Metrivo]\nUnitType=3\xE2\x82", true},
        {"encoded surrogate", "[Metrivo]\nUnitType=\xED\xA0\x80\n", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtSettingsStore::IsDamaged(c.content), c.damaged) << c.name;
    }
}

TEST_F(DamagedSettingsTest, EachDamagedFileIsKeptBesideTheEarlierCopies) {
    const QByteArray damaged[] = {"[Metrivo]\nLastFrom0=3\nA=\xff\n", "second \xfe",
                                  QByteArray("third\0", 6)};
    QStringList expected;
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(WriteAll(Ini(), damaged[n]));
        ErrorCapture errors;
        QtSettingsStore store(config_.path());
        store.Write("Orvandel", "Metrivo", "UnitType", "2");
        store.Write("Orvandel", "Metrivo", "UnitType", "3");  // one copy per run
        expected << (n == 0 ? QString("Orvandel.ini.damaged")
                            : QString("Orvandel.ini.damaged.%1").arg(n));
        EXPECT_EQ(KeptCopies(), expected);
        EXPECT_NE(errors.text().find(expected.back().toStdString()), std::string::npos);
        EXPECT_EQ(errors.Lines(), 1);
        EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "3");
    }
    for (int n = 0; n < 3; ++n) EXPECT_EQ(ReadAll(config_.filePath(expected[n])), damaged[n]);
    // What Qt could read of the first file stayed in the settings.
    ASSERT_TRUE(WriteAll(Ini(), damaged[0]));
    ErrorCapture errors;
    QtSettingsStore store(config_.path());
    store.Write("Orvandel", "Metrivo", "UnitType", "1");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastFrom0", ""), "3");
}

TEST_F(DamagedSettingsTest, AGoodFileIsNotCopied) {
    ASSERT_TRUE(WriteAll(Ini(), "[Metrivo]\nUnitType=4\n"));
    QtSettingsStore store(config_.path());
    store.Write("Orvandel", "Metrivo", "LastTo1", "2");
    EXPECT_TRUE(KeptCopies().isEmpty());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "4");
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

TEST_F(DamagedSettingsTest, ASettingsFileThatIsAFolderWarnsOnce) {
    ASSERT_TRUE(QDir().mkpath(Ini()));
    ErrorCapture errors;
    QtSettingsStore store(config_.path());
    for (int n = 0; n < 5; ++n) store.Write("Orvandel", "Metrivo", "UnitType", "1");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "none"), "none");
    EXPECT_EQ(errors.Lines(), 1) << errors.text();
}

}  // namespace
}  // namespace metrivo

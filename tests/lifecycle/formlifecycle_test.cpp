#include "formlifecycle.h"

#include <gtest/gtest.h>

#include "programrun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "errorreport.h"
#include "form1.h"
#include "qtsettingsstore.h"

namespace metrivo {
namespace {

using test::ProgramRun;

class FormLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        ASSERT_TRUE(program_.isValid());
    }
    std::unique_ptr<ProgramRun> Start() {
        auto run = std::make_unique<ProgramRun>(config_.path(), program_.path());
        run->Load();
        return run;
    }
    QString Stored(const QString& key) const {
        QSettings ini(config_.path() + "/Orvandel.ini", QSettings::IniFormat);
        return ini.value("Metrivo/" + key, "<absent>").toString();
    }
    void Store(const std::map<QString, QString>& values) const {
        QSettings ini(config_.path() + "/Orvandel.ini", QSettings::IniFormat);
        for (const auto& [k, v] : values) ini.setValue("Metrivo/" + k, v);
        ini.sync();
    }

    QTemporaryDir config_;
    QTemporaryDir program_;
};

TEST_F(FormLifecycleTest, FirstStartSelectsLengthAndCentimeterInBothLists) {
    auto run = Start();
    EXPECT_TRUE(run->Reports().empty());
    EXPECT_EQ(run->skinCalls(), 0);
    EXPECT_EQ(run->form().windowTitle(), "Metrivo");
    EXPECT_FALSE(run->form().windowIcon().isNull());
    EXPECT_TRUE(run->form().optUnits(0)->isChecked());
    EXPECT_EQ(run->form().cboFromCurrency()->currentText(), "centimeter");
    EXPECT_EQ(run->form().cboToCurrency()->currentText(), "centimeter");
    EXPECT_EQ(Stored("cboFromCurrency"), "0");
    EXPECT_EQ(Stored("cboToCurrency"), "0");
    EXPECT_EQ(Stored("UnitType"), "<absent>");

    run->lifecycle().Form_Unload();
    for (const char* word : {"LastFrom", "LastTo"}) {
        for (int n = 0; n < 6; ++n) EXPECT_EQ(Stored(word + QString::number(n)), "0");
    }
    EXPECT_EQ(Stored("UnitType"), "0");
}

TEST_F(FormLifecycleTest, RestartRestoresTheLastConversionNotTheLastPick) {
    {
        auto run = Start();
        run->form().SelectOption(4);
        run->form().SetFromListIndex(16);  // pound
        run->form().SetToListIndex(9);     // kilogram
        run->form().PushButton2_Click();
        run->form().SetFromListIndex(2);  // picked, not converted
        run->form().close();
        EXPECT_TRUE(run->lifecycle().unloaded());
    }
    EXPECT_EQ(Stored("UnitType"), "4");
    EXPECT_EQ(Stored("LastFrom4"), "16");
    auto run = Start();
    EXPECT_TRUE(run->Reports().empty());
    EXPECT_TRUE(run->form().optUnits(4)->isChecked());
    EXPECT_EQ(run->form().cboFromCurrency()->currentText(), "pound");
    EXPECT_EQ(run->form().cboToCurrency()->currentText(), "kilogram");
}

struct DamagedCase {
    const char* name;
    std::map<QString, QString> stored;
    std::vector<std::string> reports;
    int16_t category;
    int fromCount;
    QString storedUnitTypeAfterClose;
};

class DamagedSettingsTest : public FormLifecycleTest,
                            public ::testing::WithParamInterface<DamagedCase> {};

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
                    7, 0, "7"},
        DamagedCase{"UnitTypeText", {{"UnitType", "abc"}}, {"Type mismatch@142"}, 0, 11, "0"},
        DamagedCase{"IndexOutOfRange",
                    {{"LastFrom0", "50"}},
                    {"Invalid property value@144"}, 0, 11, "0"},
        DamagedCase{"TooLarge",
                    {{"LastTo3", "99999"}, {"UnitType", "3"}},
                    {"Overflow@136"}, 3, 12, "3"},
        DamagedCase{"Lenient", {{"UnitType", " 2 "}, {"LastFrom2", "3.7"}}, {}, 2, 13, "2"},
        DamagedCase{"NoSelection",
                    {{"UnitType", "5"}, {"LastFrom5", "-1"}, {"cboFromCurrency", "-1"}},
                    {}, 5, 13, "5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormLifecycleTest, ReportTextNamesTheLoadAndTheLabel) {
    Store({{"UnitType", "abc"}});
    auto run = Start();
    ASSERT_EQ(run->texts().size(), 1u);
    EXPECT_EQ(run->texts()[0],
              "Type mismatch\r\nin MetrivoProj2021/08/31.Form1.Form_Load at line 142\r\r"
              "Please email screenshot of this message to help@example.org");
}

TEST_F(FormLifecycleTest, CursorFileThatIsNoCursorIsInvalidPictureAndLoadGoesOn) {
    QFile bad(program_.path() + "/HAND-M.CUR");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a cursor");
    bad.close();
    auto run = Start();
    EXPECT_EQ(run->Reports(), (std::vector<std::string>{"Invalid picture@106"}));
    EXPECT_FALSE(run->form().HasMouseIcon());
    EXPECT_EQ(run->form().cboFromCurrency()->count(), 11);
}

TEST_F(FormLifecycleTest, ShippedCursorBecomesTheCustomPointer) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(METRIVO_SOURCE_DIR "/data/HAND-M.CUR"),
                            program_.path() + "/HAND-M.CUR"));
    auto run = Start();
    EXPECT_TRUE(run->Reports().empty());
    EXPECT_TRUE(run->form().HasMouseIcon());
}

TEST_F(FormLifecycleTest, UnloadRunsOnce) {
    auto run = Start();
    run->lifecycle().Form_Unload();
    Store({{"UnitType", "3"}});
    run->form().close();
    EXPECT_EQ(Stored("UnitType"), "3");
}

// What a close would store reaches the file soon after a conversion or a
// category change, so a run that is killed keeps it; not during the press.
TEST_F(FormLifecycleTest, ConversionsAndCategoriesAreStoredSoonAfter) {
    auto run = Start();
    EXPECT_FALSE(run->lifecycle().savePending());
    run->form().SelectOption(4);
    run->form().SetFromListIndex(16);
    run->form().SetToListIndex(9);
    run->form().PushButton2_Click();
    EXPECT_TRUE(run->lifecycle().savePending());
    EXPECT_EQ(Stored("UnitType"), "<absent>") << "written during the press";
    QElapsedTimer waited;
    waited.start();
    while (run->lifecycle().savePending() && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_LE(waited.elapsed(), FormLifecycle::kSaveDelayMs + 500);
    EXPECT_EQ(Stored("UnitType"), "4");
    EXPECT_EQ(Stored("LastFrom4"), "16");
    EXPECT_EQ(Stored("LastTo4"), "9");
    EXPECT_EQ(Stored("LastFrom0"), "0");
}

// The load restores; it changes nothing that would have to be stored.
TEST_F(FormLifecycleTest, TheLoadSchedulesNoSave) {
    Store({{"UnitType", "3"}, {"LastFrom3", "2"}});
    auto run = Start();
    EXPECT_TRUE(run->lifecycle().loaded());
    EXPECT_FALSE(run->lifecycle().savePending());
}

}  // namespace
}  // namespace metrivo

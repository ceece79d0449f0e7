#include "formlifecycle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "form1.h"
#include "reporttext.h"
#include "startfolders.h"

namespace metrivo {
namespace {

using test::ProgramRun;

class FormLifecycleTest : public ::testing::Test, protected test::StartFolders {
  protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        ASSERT_TRUE(program_.isValid());
    }
};

TEST_F(FormLifecycleTest, FirstStartSelectsLengthAndCentimeterInBothLists) {
    auto run = Start();
    EXPECT_TRUE(run->Reports().empty());
    EXPECT_EQ(run->skinCalls(), 0u);
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

// The window maps with the small sizes of the icon; the large ones follow
// the first frame.
TEST_F(FormLifecycleTest, TheIconsLargeSizesFollowTheFirstFrame) {
    auto run = Start();
    const auto widest = [&] {
        int most = 0;
        for (const QSize& size : run->form().windowIcon().availableSizes()) {
            most = std::max(most, size.width());
        }
        return most;
    };
    EXPECT_EQ(widest(), FormLifecycle::kLargestIconAtMap);
    run->lifecycle().CompleteIcon();
    EXPECT_EQ(widest(), 256);
    EXPECT_EQ(run->form().windowIcon().availableSizes().size(), 4);
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

TEST_F(FormLifecycleTest, ReportTextNamesTheLoadAndTheLabel) {
    Store({{"UnitType", "abc"}});
    auto run = Start();
    ASSERT_EQ(run->texts().size(), 1u);
    EXPECT_EQ(run->texts()[0],
              test::ReportText("Form_Load", "Type mismatch", 142, test::kTestSupportAddress));
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

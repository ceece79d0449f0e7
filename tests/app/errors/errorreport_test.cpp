#include "errorreport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "reporttext.h"

namespace metrivo {
namespace {

TEST(ErrorReportTest, MessageTextIsExact) {
    EXPECT_EQ(ErrorReport::MessageText("PushButton2_Click", "Overflow", 124, "help@example.org"),
              test::ReportText("PushButton2_Click", "Overflow", 124, "help@example.org"));
    EXPECT_EQ(ErrorReport::MessageText("Form_Load", "Type mismatch", 142, "a@b"),
              test::ReportText("Form_Load", "Type mismatch", 142, "a@b"));
}

TEST(ErrorReportTest, ShowsAWarningTitledApplicationError) {
    test::FakeMessageBox box;
    ErrorReport report(box, "x@y");
    report.ShowErrorReport("PushButton1_Click", "Subscript out of range", 100);
    ASSERT_EQ(box.titles.size(), 1u);
    EXPECT_EQ(box.titles[0], "Application Error");
    EXPECT_EQ(box.texts[0],
              test::ReportText("PushButton1_Click", "Subscript out of range", 100, "x@y"));
    EXPECT_FALSE(ErrorReport::DefaultSupportAddress().empty());
}

}  // namespace
}  // namespace metrivo

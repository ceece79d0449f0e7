#include "clipboardhandler.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "casename.h"
#include "failingclipboard.h"
#include "fakemessagebox.h"
#include "reporttext.h"

namespace metrivo {
namespace {

using test::FailingClipboard;

struct RetryCase {
    const char* name;
    int failures;  // before the clipboard takes the text
    bool raises;   // a failure raises instead of returning false
};

void PrintTo(const RetryCase& c, std::ostream* out) {
    *out << c.name;
}

class ClipboardRetries : public ::testing::TestWithParam<RetryCase> {};

TEST_P(ClipboardRetries, StopAtTheFirstSuccessOrAfterAThousand) {
    const int failures = GetParam().failures;
    const bool raises = GetParam().raises;
    const int attempts = std::min(failures + 1, 1000);
    FailingClipboard clipboard(failures, raises);
    test::FakeMessageBox box;
    const ErrorReport report(box);
    int reads = 0;
    ClipboardHandler handler(
        clipboard, [&] { return ++reads, std::string("1.609344"); }, report);
    handler.PushButton1_Click();

    EXPECT_EQ(clipboard.clearAttempts, attempts);
    EXPECT_EQ(clipboard.setAttempts, attempts);
    EXPECT_EQ(clipboard.lastFormat, 0);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(clipboard.text, failures < 1000 ? "1.609344" : "earlier");
    EXPECT_TRUE(box.texts.empty());

    FailingClipboard again(failures, raises);
    EXPECT_EQ(SetClipboardText(again, "x", 13), failures < 1000 ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Failures, ClipboardRetries,
                         ::testing::Values(RetryCase{"no failure", 0, false},
                                           RetryCase{"five failures", 5, false},
                                           RetryCase{"999 failures", 999, false},
                                           RetryCase{"1000 failures", 1000, false},
                                           RetryCase{"1500 failures", 1500, false},
                                           RetryCase{"five raised failures", 5, true},
                                           RetryCase{"1500 raised failures", 1500, true}),
                         test::NameOfCase());

TEST(ClipboardHandler, ReportsAFailedReadOfTheResults) {
    FailingClipboard clipboard(0);
    test::FakeMessageBox box;
    const ErrorReport report(box, "help@example.org");
    ClipboardHandler handler(
        clipboard, []() -> std::string { throw RunTimeError(RunTimeError::kOverflow); }, report);
    handler.PushButton1_Click();
    EXPECT_EQ(box.titles, std::vector<std::string>{"Application Error"});
    EXPECT_EQ(box.texts, std::vector<std::string>{test::ReportText("PushButton1_Click", "Overflow",
                                                                   102, "help@example.org")});
    EXPECT_EQ(clipboard.text, "") << "emptied before";
    EXPECT_EQ(clipboard.setAttempts, 0);
}

}  // namespace
}  // namespace metrivo

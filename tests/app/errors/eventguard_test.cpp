#include "eventguard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "guardedhandler.h"
#include "reporttext.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

struct RaisedCase {
    const char* name;
    std::function<void()> raise;
    const char* description;
};

class EventGuardRaised : public ::testing::TestWithParam<RaisedCase> {};

TEST_P(EventGuardRaised, IsReportedWithTheHandlersNameAtLineZero) {
    test::FakeMessageBox box;
    const ErrorReport report(box, "x@y");
    EventGuard::Run(report, "optUnits_Click", GetParam().raise);
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], test::ReportText("optUnits_Click", GetParam().description, 0, "x@y"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EventGuardRaised,
    ::testing::Values(RaisedCase{"run_time_error",
                                 [] { throw RunTimeError(RunTimeError::kInvalidPropertyValue); },
                                 "Invalid property value"},
                      RaisedCase{"allocation", [] { throw std::bad_alloc(); }, "Out of memory"},
                      RaisedCase{"other_exception", [] { throw std::runtime_error("x"); },
                                 "Invalid procedure call or argument"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EventGuardTest, NothingRaisedShowsNothing) {
    test::FakeMessageBox box;
    const ErrorReport report(box, "x@y");
    bool ran = false;
    EventGuard::Run(report, "Text1_GotFocus", [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(box.texts.empty());
}

// A notification that a guarded handler's own step sets off reports through
// that handler, with the step's label, not with line 0.
TEST(EventGuardTest, InsideAGuardedHandlerTheErrorGoesToItsStep) {
    test::FakeMessageBox box;
    const ErrorReport report(box, "x@y");
    const GuardedHandler load("Form_Load",
                              {{146, [&] {
                                    EventGuard::Run(report, "optUnits_Click", [] {
                                        throw RunTimeError(RunTimeError::kInvalidPropertyValue);
                                    });
                                    return GuardedHandler::kEnd;
                                }}});
    load.Run(report);
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], test::ReportText("Form_Load", "Invalid property value", 146, "x@y"));
    EXPECT_FALSE(report.InGuardedHandler());
}

// The toolkit's code that sent the notification is not built to pass errors
// on: it returns normally, and the error is raised again where the guarded
// handler's code asks for it, or once the step has run. Of several, the first
// is the one reported.
TEST(EventGuardTest, InsideAGuardedHandlerTheErrorSkipsTheSendersCode) {
    test::FakeMessageBox box;
    const ErrorReport report(box, "x@y");
    bool senderReturned = false;
    bool restOfStepRan = false;
    const auto sender = [&](RunTimeError::Number code) {
        EventGuard::Run(report, "optUnits_Click", [code] { throw RunTimeError(code); });
        senderReturned = true;
    };
    const GuardedHandler load("Form_Load", {{144,
                                             [&] {
                                                 sender(RunTimeError::kInvalidPropertyValue);
                                                 report.RaiseHeldError();
                                                 restOfStepRan = true;
                                                 return GuardedHandler::kNext;
                                             }},
                                            {146, [&] {
                                                 sender(RunTimeError::kOverflow);
                                                 sender(RunTimeError::kSubscriptOutOfRange);
                                                 return GuardedHandler::kEnd;
                                             }}});
    load.Run(report);
    EXPECT_TRUE(senderReturned);
    EXPECT_FALSE(restOfStepRan);
    ASSERT_EQ(box.texts.size(), 2u);
    EXPECT_EQ(box.texts[0], test::ReportText("Form_Load", "Invalid property value", 144, "x@y"));
    EXPECT_EQ(box.texts[1], test::ReportText("Form_Load", "Overflow", 146, "x@y"));
    EXPECT_NO_THROW(report.RaiseHeldError());
}

// While a report's box is open, events start handlers of their own: an error
// of theirs is theirs, not the waiting handler's.
TEST(EventGuardTest, WhileABoxIsOpenNoHandlerIsRunning) {
    test::FakeMessageBox box;
    const ErrorReport report(box, "x@y");
    std::vector<bool> duringBox;
    box.onShow = [&] {
        duringBox.push_back(report.InGuardedHandler());
        if (duringBox.size() == 1) {
            EventGuard::Run(report, "Frame1_MouseMove",
                            [] { throw RunTimeError(RunTimeError::kOverflow); });
        }
    };
    const GuardedHandler press("PushButton2_Click",
                               {{124,
                                 [] {
                                     throw RunTimeError(RunTimeError::kOverflow);
                                     return GuardedHandler::kEnd;
                                 },
                                 GuardedHandler::kEnd}});
    press.Run(report);
    ASSERT_EQ(box.texts.size(), 2u);
    EXPECT_EQ(duringBox, (std::vector<bool>{false, false}));
    EXPECT_EQ(box.texts[1], test::ReportText("Frame1_MouseMove", "Overflow", 0, "x@y"));
}

}  // namespace
}  // namespace metrivo

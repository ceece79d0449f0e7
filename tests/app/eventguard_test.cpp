#include "eventguard.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "guardedapplication.h"
#include "guardedhandler.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

std::string FirstTwoLines(const std::string& text) {
    return text.substr(0, text.find("\r\r"));
}

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
    EXPECT_EQ(FirstTwoLines(box.texts[0]),
              std::string(GetParam().description) +
                  "\r\nin MetrivoProj2021/08/31.Form1.optUnits_Click at line 0");
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
    EXPECT_EQ(FirstTwoLines(box.texts[0]),
              "Invalid property value\r\nin MetrivoProj2021/08/31.Form1.Form_Load at line 146");
    EXPECT_FALSE(report.InGuardedHandler());
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
    EXPECT_NE(box.texts[1].find("Frame1_MouseMove at line 0"), std::string::npos);
}

TEST(GuardedApplicationTest, ProcedureNamesTheReceiverAndTheEvent) {
    QObject named;
    named.setObjectName("Text1");
    const QEvent keyPress(QEvent::KeyPress);
    EXPECT_EQ(GuardedApplication::ProcedureFor(&named, &keyPress), "Text1_KeyPress");
    QObject unnamed;
    const QEvent close(QEvent::Close);
    EXPECT_EQ(GuardedApplication::ProcedureFor(&unnamed, &close), "QObject_Close");
}

}  // namespace
}  // namespace metrivo

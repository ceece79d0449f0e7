#include "guardedhandler.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

// A handler whose steps record their labels and fail where told.
struct Trace {
    std::vector<int> ran;
};

TEST(GuardedHandlerTest, FailureIsReportedAndGoesOnWhereTheTableSays) {
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    Trace trace;
    auto failing = [&trace](int label) {
        return [&trace, label] {
            trace.ran.push_back(label);
            throw RunTimeError(RunTimeError::kOverflow);
            return GuardedHandler::kNext;
        };
    };
    auto plain = [&trace](int label, int next = GuardedHandler::kNext) {
        return [&trace, label, next] {
            trace.ran.push_back(label);
            return next;
        };
    };
    const GuardedHandler handler("Demo", {{100, failing(100), 104},
                                          {102, plain(102)},
                                          {104, plain(104, 108)},
                                          {106, plain(106)},
                                          {108, failing(108), GuardedHandler::kEnd},
                                          {110, plain(110)}});
    handler.Run(report);
    EXPECT_EQ(trace.ran, (std::vector<int>{100, 104, 108}));
    ASSERT_EQ(box.texts.size(), 2u);
    EXPECT_NE(box.texts[0].find("Demo at line 100"), std::string::npos);
    EXPECT_NE(box.texts[1].find("Demo at line 108"), std::string::npos);
}

TEST(GuardedHandlerTest, OutOfMemoryIsReportedNotPropagated) {
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    const GuardedHandler handler("Demo", {{100, []() -> int { throw std::bad_alloc(); }}});
    EXPECT_NO_THROW(handler.Run(report));
    EXPECT_EQ(box.reports(), std::vector<std::string>{"Out of memory@100"});
}

}  // namespace
}  // namespace metrivo

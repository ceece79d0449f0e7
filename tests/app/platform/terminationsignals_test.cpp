#include "terminationsignals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <string>

namespace metrivo {
namespace {

class TerminationSignalsTest : public ::testing::TestWithParam<int> {};

// The signal reaches the event loop as one request, and the process lives on.
TEST_P(TerminationSignalsTest, ArrivesAsARequestToEnd) {
    TerminationSignals requests;
    ASSERT_TRUE(requests.active());
    int received = 0;
    int count = 0;
    QObject::connect(&requests, &TerminationSignals::EndRequested, [&](int number) {
        received = number;
        ++count;
    });
    ASSERT_EQ(std::raise(GetParam()), 0);
    QElapsedTimer waited;
    waited.start();
    while (count == 0 && waited.elapsed() < 2000) QCoreApplication::processEvents();
    EXPECT_EQ(received, GetParam());
    EXPECT_EQ(count, 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsTest,
                         ::testing::Values(SIGTERM, SIGHUP, SIGINT, SIGQUIT),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace metrivo

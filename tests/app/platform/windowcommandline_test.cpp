#include "windowcommandline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "displaylosswatch.h"
#include "startupmessages.h"

namespace metrivo {
namespace {

using Action = WindowCommandLine::Action;

struct ParseCase {
    const char* name;
    std::vector<std::string_view> arguments;
    Action action;
};

class WindowCommandLineParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(WindowCommandLineParse, Answers) {
    EXPECT_EQ(WindowCommandLine::Parse(GetParam().arguments), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, WindowCommandLineParse,
    ::testing::Values(
        ParseCase{"none", {"metrivo"}, Action::kOpenWindow},
        ParseCase{"help", {"metrivo", "--help"}, Action::kShowHelp},
        ParseCase{"short_help", {"metrivo", "-h"}, Action::kShowHelp},
        ParseCase{"version", {"metrivo", "--version"}, Action::kShowVersion},
        ParseCase{"first_wins", {"metrivo", "--version", "--help"}, Action::kShowVersion},
        ParseCase{"after_qt_options", {"metrivo", "-platform", "xcb", "--help"}, Action::kShowHelp},
        ParseCase{"after_end_of_options", {"metrivo", "--", "--help"}, Action::kOpenWindow},
        ParseCase{"qt_option_only", {"metrivo", "-style", "fusion"}, Action::kOpenWindow}),
    [](const auto& info) { return std::string(info.param.name); });

struct DisplayCase {
    const char* name;
    std::vector<std::string_view> arguments;
    const char* display;
    const char* wayland;
    const char* platform;
    bool named;
};

class WindowCommandLineDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(WindowCommandLineDisplay, Named) {
    const DisplayCase& c = GetParam();
    std::string reason;
    EXPECT_EQ(
        WindowCommandLine::DisplayNamed(c.arguments, c.display, c.wayland, c.platform, reason),
        c.named);
    EXPECT_EQ(reason.empty(), c.named) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Environment, WindowCommandLineDisplay,
    ::testing::Values(
        DisplayCase{"nothing", {"metrivo"}, "", "", "", false},
        DisplayCase{"x11", {"metrivo"}, ":0", "", "", true},
        DisplayCase{"wayland", {"metrivo"}, "", "wayland-0", "", true},
        DisplayCase{"xcb_without_display", {"metrivo"}, "", "", "xcb", false},
        DisplayCase{"wayland_list_without_display", {"metrivo"}, "", "", "wayland;xcb", false},
        DisplayCase{"offscreen", {"metrivo"}, "", "", "offscreen", true},
        DisplayCase{"display_option", {"metrivo", "-display", ":3"}, "", "", "", true},
        DisplayCase{"platform_option", {"metrivo", "-platform", "vnc"}, "", "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowCommandLineTest, HelpStartsWithUsageAndEndsWithTheBugAddress) {
    const std::string help = WindowCommandLine::HelpText("bugs@example.org");
    EXPECT_EQ(help.rfind("Usage: metrivo ", 0), 0u);
    EXPECT_TRUE(help.ends_with("Report bugs to: bugs@example.org\n"));
}

TEST(StartupMessagesTest, NamesTheDisplayThatCouldNotBeReached) {
    EXPECT_EQ(StartupMessages::FailureLine(
                  {"XDG_RUNTIME_DIR not set", "could not connect to display :9"},
                  "This application failed to start because no Qt platform plugin could be "
                  "initialized.\n\nAvailable platform plugins are: xcb."),
              "metrivo: cannot open a window: could not connect to display :9");
    EXPECT_EQ(StartupMessages::FailureLine({}, "no Qt platform plugin could be initialized.\nmore"),
              "metrivo: cannot open a window: no Qt platform plugin could be initialized.");
}

TEST(DisplayLossWatchTest, KnowsQtsMessagesForALostDisplay) {
    EXPECT_TRUE(DisplayLossWatch::IsDisplayLoss(
        "The X11 connection broke (error 1). Did the X11 server die?"));
    EXPECT_TRUE(DisplayLossWatch::IsDisplayLoss(
        "The Wayland connection broke. Did the Wayland compositor die?"));
    EXPECT_FALSE(DisplayLossWatch::IsDisplayLoss("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

}  // namespace
}  // namespace metrivo

#include "clioptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace metrivo {
namespace {

using Mode = CliOptions::Mode;

struct OptionsCase {
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> category;
    std::optional<std::string> separator;
    std::vector<std::string> operands;
};

TEST(CliOptionsTest, SplitsModesOptionsAndOperands) {
    const std::vector<std::string> conversion{"2.5", "pound", "kilogram"};
    const OptionsCase cases[] = {
        {{"-c", "Weight", "2.5", "pound", "kilogram"}, Mode::kConvert, "Weight", {}, conversion},
        {{"-cWeight", "2.5", "pound", "kilogram"}, Mode::kConvert, "Weight", {}, conversion},
        {{"--category=", "2.5", "pound", "kilogram"}, Mode::kConvert, "", {}, conversion},
        {{"2.5", "--category", "4", "pound", "kilogram"}, Mode::kConvert, "4", {}, conversion},
        {{"--decimal-separator", ",", "2.5", "pound", "kilogram"},
         Mode::kConvert,
         {},
         ",",
         conversion},
        {{"-c", "1", "-c", "4", "2.5", "pound", "kilogram"}, Mode::kConvert, "4", {}, conversion},
        {{"-40", "a", "b"}, Mode::kConvert, {}, {}, {"-40", "a", "b"}},
        {{"-.5", "-", "-&H1"}, Mode::kConvert, {}, {}, {"-.5", "-", "-&H1"}},
        {{"--", "-c", "--batch", "x"}, Mode::kConvert, {}, {}, {"-c", "--batch", "x"}},
        {{"-c", "--", "1", "a", "b"}, Mode::kConvert, "--", {}, {"1", "a", "b"}},
        {{"--batch"}, Mode::kBatch, {}, {}, {}},
        {{"--batch", "--decimal-separator", ","}, Mode::kBatch, {}, ",", {}},
        {{"--list"}, Mode::kList, {}, {}, {}},
        {{"--list", "Weight"}, Mode::kList, "Weight", {}, {}},
        {{"--list", "-c", "2"}, Mode::kList, "2", {}, {}},
        {{"1", "a", "--help"}, Mode::kHelp, {}, {}, {"1", "a"}},
        {{"--version", "--batch"}, Mode::kVersion, {}, {}, {}},
    };
    for (const OptionsCase& c : cases) {
        const CliOptions o = CliOptions::Parse(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(o.error, "");
        EXPECT_EQ(o.mode, c.mode);
        EXPECT_EQ(o.category, c.category);
        EXPECT_EQ(o.separator, c.separator);
        EXPECT_EQ(o.operands, c.operands);
    }
}

TEST(CliOptionsTest, UnusableCommandLines) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "nothing to convert"},
        {{"1", "meter"}, "expected AMOUNT FROM TO, got 2 operands"},
        {{"1"}, "expected AMOUNT FROM TO, got 1 operand"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-x", "1", "a", "b"}, "unknown option '-x'"},
        {{"-hx"}, "unknown option '-hx'"},
        {{"--batch=yes"}, "unknown option '--batch=yes'"},
        {{"1", "a", "b", "-c"}, "option '-c' needs a value"},
        {{"--decimal-separator"}, "option '--decimal-separator' needs a value"},
        {{"--decimal-separator=", "1", "a", "b"}, "the decimal separator must not be empty"},
        {{"--batch", "--list"}, "--batch and --list cannot be used together"},
        {{"--list", "1", "2"}, "--list takes at most one category"},
        {{"--list", "1", "-c", "2"}, "--list takes at most one category"},
    };
    for (const auto& [args, error] : cases) {
        EXPECT_EQ(CliOptions::Parse(args).error, error) << testing::PrintToString(args);
    }
    EXPECT_NE(CliOptions::Parse(std::vector<std::string>{"--batch", "x"}).error, "");
    EXPECT_NE(CliOptions::Parse(std::vector<std::string>{"--batch", "-c", "1"}).error, "");
}

}  // namespace
}  // namespace metrivo

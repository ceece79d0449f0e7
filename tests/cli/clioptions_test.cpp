#include "clioptions.h"

#include <gtest/gtest.h>
#include <ostream>

#include <optional>
#include <string>
#include <vector>

namespace metrivo {
namespace {

using Mode = CliOptions::Mode;

struct OptionsCase {
    const char* name;
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> category;
    std::optional<std::string> separator;
    std::vector<std::string> operands;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(CliOptionsTest, SplitsModesOptionsAndOperands) {
    const OptionsCase& c = GetParam();
    const CliOptions o = CliOptions::Parse(c.args);
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.mode, c.mode);
    EXPECT_EQ(o.category, c.category);
    EXPECT_EQ(o.separator, c.separator);
    EXPECT_EQ(o.operands, c.operands);
}

const std::vector<std::string> kConversion{"2.5", "pound", "kilogram"};

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliOptionsTest,
    testing::Values(
        OptionsCase{"ShortCategory",
                    {"-c", "Weight", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "Weight",
                    {},
                    kConversion},
        OptionsCase{"AttachedShortCategory",
                    {"-cWeight", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "Weight",
                    {},
                    kConversion},
        OptionsCase{"EmptyLongCategory",
                    {"--category=", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "",
                    {},
                    kConversion},
        OptionsCase{"CategoryBetweenOperands",
                    {"2.5", "--category", "4", "pound", "kilogram"},
                    Mode::kConvert,
                    "4",
                    {},
                    kConversion},
        OptionsCase{"AbbreviatedCategory",
                    {"--cat", "Weight", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "Weight",
                    {},
                    kConversion},
        OptionsCase{"OneLetterAbbreviation",
                    {"--c=4", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "4",
                    {},
                    kConversion},
        OptionsCase{"Separator",
                    {"--decimal-separator", ",", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    {},
                    ",",
                    kConversion},
        OptionsCase{"AbbreviatedSeparator",
                    {"--dec=,", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    {},
                    ",",
                    kConversion},
        OptionsCase{"LastCategoryWins",
                    {"-c", "1", "-c", "4", "2.5", "pound", "kilogram"},
                    Mode::kConvert,
                    "4",
                    {},
                    kConversion},
        OptionsCase{"NegativeAmount", {"-40", "a", "b"}, Mode::kConvert, {}, {}, {"-40", "a", "b"}},
        OptionsCase{
            "DashOperands", {"-.5", "-", "-&H1"}, Mode::kConvert, {}, {}, {"-.5", "-", "-&H1"}},
        OptionsCase{"EndOfOptions",
                    {"--", "-c", "--batch", "x"},
                    Mode::kConvert,
                    {},
                    {},
                    {"-c", "--batch", "x"}},
        OptionsCase{"DashDashAsValue",
                    {"-c", "--", "1", "a", "b"},
                    Mode::kConvert,
                    "--",
                    {},
                    {"1", "a", "b"}},
        OptionsCase{"Batch", {"--batch"}, Mode::kBatch, {}, {}, {}},
        OptionsCase{"AbbreviatedBatch", {"--b"}, Mode::kBatch, {}, {}, {}},
        OptionsCase{"BatchFiles", {"--batch", "a.tsv", "-"}, Mode::kBatch, {}, {}, {"a.tsv", "-"}},
        OptionsCase{"Names", {"--names", "Weight"}, Mode::kNames, "Weight", {}, {}},
        OptionsCase{"NamesOf", {"--names-of", "oz"}, Mode::kNamesOf, {}, {}, {"oz"}},
        OptionsCase{"BatchWithSeparator",
                    {"--batch", "--decimal-separator", ","},
                    Mode::kBatch,
                    {},
                    ",",
                    {}},
        OptionsCase{"List", {"--list"}, Mode::kList, {}, {}, {}},
        OptionsCase{"ListOperand", {"--list", "Weight"}, Mode::kList, "Weight", {}, {}},
        OptionsCase{"ListOption", {"--li", "-c", "2"}, Mode::kList, "2", {}, {}},
        OptionsCase{"HelpWins", {"1", "a", "--help"}, Mode::kHelp, {}, {}, {"1", "a"}},
        OptionsCase{"VersionWins", {"--vers", "--batch"}, Mode::kVersion, {}, {}, {}}),
    [](const testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    std::string error;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOptionsErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(CliOptionsErrorTest, SaysWhyTheCommandLineIsUnusable) {
    EXPECT_EQ(CliOptions::Parse(GetParam().args).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Unusable, CliOptionsErrorTest,
    testing::Values(
        ErrorCase{"Nothing", {}, "nothing to convert"},
        ErrorCase{"TwoOperands", {"1", "meter"}, "expected AMOUNT FROM TO, got 2 operands"},
        ErrorCase{"OneOperand", {"1"}, "expected AMOUNT FROM TO, got 1 operand"},
        ErrorCase{"UnknownLong", {"--frobnicate"}, "unknown option \"--frobnicate\""},
        ErrorCase{"UnknownShort", {"-x", "1", "a", "b"}, "unknown option \"-x\""},
        ErrorCase{"HelpWithLetters", {"-hx"}, "unknown option \"-hx\""},
        ErrorCase{"ValueForAFlag", {"--batch=yes"}, "option \"--batch\" takes no value"},
        ErrorCase{"MissingShortValue", {"1", "a", "b", "-c"}, "option \"-c\" needs a value"},
        ErrorCase{"MissingLongValue",
                  {"--decimal-separator"},
                  "option \"--decimal-separator\" needs a value"},
        ErrorCase{"EmptySeparator",
                  {"--decimal-separator=", "1", "a", "b"},
                  "the decimal separator must not be empty"},
        ErrorCase{"DigitSeparator",
                  {"--decimal-separator", "1", "1", "a", "b"},
                  "invalid decimal separator \"1\": it must not hold a digit, \"+\", \"-\", "
                  "\"e\", \"E\", white space or a control character"},
        ErrorCase{
            "BatchAndList", {"--batch", "--list"}, "--batch and --list cannot be used together"},
        ErrorCase{"ListTwoCategories", {"--list", "1", "2"}, "--list takes at most one category"},
        ErrorCase{
            "ListCategoryTwice", {"--list", "1", "-c", "2"}, "--list takes at most one category"},
        ErrorCase{"NamesOfTwoUnits", {"--names-of", "m", "ft"}, "--names-of takes one unit"},
        ErrorCase{"NamesOfNothing", {"--names-of"}, "--names-of takes one unit"},
        ErrorCase{
            "NamesAndList", {"--names", "--list"}, "--names and --list cannot be used together"},
        ErrorCase{"BatchCategory",
                  {"--batch", "-c", "1"},
                  "--batch takes the category from each input line, not from -c"},
        ErrorCase{"ControlBytesEscaped", {"--\x1b[2J"}, "unknown option \"--\\x1b[2J\""}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

}  // namespace
}  // namespace metrivo

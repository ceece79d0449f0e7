#include "cliapplication.h"

#include "errorreport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace metrivo {
namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult RunCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::string& localeSeparator = ".") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliApplication app(in, out, err, localeSeparator);
    const int status = app.Run(args);
    return {status, out.str(), err.str()};
}

std::string Report(std::string_view description, int label) {
    return std::string(description) +
           "\nin MetrivoProj2021/08/31.Form1.PushButton2_Click at line " + std::to_string(label) +
           "\n\nPlease email screenshot of this message to " +
           ErrorReport::DefaultSupportAddress() + "\n";
}

struct ConvertCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int status;
};

class ConvertTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, PrintsTheResultsTextAndExits) {
    const ConvertCase& c = GetParam();
    const RunResult r = RunCli(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.status == 0) {
        EXPECT_EQ(r.err, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ConvertTest,
    testing::Values(
        ConvertCase{"Weight", {"-c", "Weight", "2.5", "pound", "kilogram"}, "1.133981\n", 0},
        ConvertCase{
            "AttachedNumber", {"--category=4", "2.5", "pound", "kilogram"}, "1.133981\n", 0},
        ConvertCase{"AutoLength", {"1.00", "mile", "kilometer"}, "1.609344\n", 0},
        ConvertCase{"Temperature",
                    {"-c", "Temperature", "100", "degree Fahrenheit", "degree Celsius"},
                    "37.777777777778\n",
                    0},
        ConvertCase{"DashDash", {"--", "-40", "degree Celsius", "degree Fahrenheit"}, "-40\n", 0},
        ConvertCase{"NegativeAmount", {"-40", "degree Celsius", "degree Fahrenheit"}, "-40\n", 0},
        ConvertCase{"NegativeFraction", {"-.5", "meter", "centimeter"}, "-50\n", 0},
        ConvertCase{"BelowAbsoluteZero",
                    {"-500", "degree Fahrenheit", "kelvin"},
                    "Below Absolute Zero\n",
                    0},
        ConvertCase{"OunceIsVolume", {"1", "ounce", "liter"}, "0.0295735\n", 0},
        ConvertCase{"OunceIsWeightWithKilogram", {"1", "ounce", "kilogram"}, "0.02834952\n", 0},
        ConvertCase{"OunceToOunceIsVolume", {"3", "ounce", "ounce"}, "3\n", 0},
        ConvertCase{
            "Separator", {"--decimal-separator", ",", "1", "centimeter", "inch"}, "0,3937008\n", 0},
        ConvertCase{"SeparatorTemperature",
                    {"--decimal-separator=,", "1.00", "degree Celsius", "kelvin"},
                    "274,15\n",
                    0},
        ConvertCase{"SpacesInAmount", {"1 000", "meter", "meter"}, "1000\n", 0},
        ConvertCase{"HexAmount", {"&H10", "meter", "meter"}, "16\n", 0},
        ConvertCase{"HexMinusOne", {"&HFFFF", "meter", "meter"}, "-1\n", 0},
        ConvertCase{"CommaEndsAmount", {"1,5", "meter", "meter"}, "1\n", 0},
        ConvertCase{"LettersReadZero", {"abc", "meter", "meter"}, "0\n", 0},
        ConvertCase{"InvalidUtf8ReadsZero", {"\xff\xfe", "meter", "meter"}, "0\n", 0},
        ConvertCase{"ProductOverflow", {"1E39", "meter", "meter"}, "\n", 1},
        ConvertCase{"AmountOverflow", {"1e999999", "meter", "meter"}, "\n", 1},
        ConvertCase{"UnknownUnitExplicit", {"-c", "Length", "1", "parsec", "meter"}, "\n", 1},
        ConvertCase{"OtherCategoryExplicit", {"-c", "0", "1", "pound", "kilogram"}, "\n", 1},
        ConvertCase{"NoCommonCategory", {"1", "meter", "kilogram"}, "", 2},
        ConvertCase{"CaseSensitiveNames", {"1", "Meter", "meter"}, "", 2},
        ConvertCase{"CategoryOutOfRange", {"-c", "6", "1", "meter", "meter"}, "", 2},
        ConvertCase{"CategoryMisspelt", {"-c", "Lengths", "1", "meter", "meter"}, "", 2},
        ConvertCase{"CategoryEmpty", {"-c", "", "1", "meter", "meter"}, "", 2},
        ConvertCase{"BadOption", {"--frobnicate", "1", "meter", "meter"}, "", 2},
        ConvertCase{"BadShortOption", {"-x", "1", "meter", "meter"}, "", 2},
        ConvertCase{"LetterAfterDashIsOption", {"-e5", "meter", "meter"}, "", 2},
        ConvertCase{"NoArguments", {}, "", 2},
        ConvertCase{"FourOperands", {"1", "meter", "meter", "meter"}, "", 2},
        ConvertCase{"BatchWithOperands", {"--batch", "1"}, "", 2},
        ConvertCase{"BatchAndList", {"--batch", "--list"}, "", 2},
        ConvertCase{"ListBadCategory", {"--list", "9"}, "", 2}),
    [](const testing::TestParamInfo<ConvertCase>& info) { return info.param.name; });

TEST(CliApplicationTest, SourceUnitMissingGivesTheTwoReportsOfTheWindow) {
    const RunResult r = RunCli({"-c", "Length", "1", "parsec", "meter"});
    EXPECT_EQ(r.err, Report("Subscript out of range", 120) + Report("Subscript out of range", 122));
}

struct ReportCase {
    std::vector<std::string> args;
    std::string err;
};

TEST(CliApplicationTest, ReportsNameTheFailedStep) {
    const ReportCase cases[] = {
        {{"-c", "Length", "1", "meter", "parsec"}, Report("Subscript out of range", 124)},
        {{"-c", "Temperature", "1", "kelvin", "meter"}, Report("Subscript out of range", 122)},
        {{"1E39", "meter", "meter"}, Report("Overflow", 124)},
        {{"1e999999", "degree Celsius", "kelvin"}, Report("Overflow", 122)},
    };
    for (const ReportCase& c : cases) {
        const RunResult r = RunCli(c.args);
        EXPECT_EQ(r.err, c.err) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(r.status, 1);
    }
}

TEST(CliApplicationTest, UnusableCommandLinesSayWhy) {
    EXPECT_NE(RunCli({"--frobnicate"}).err.find("unknown option '--frobnicate'\nUsage:"),
              std::string::npos);
    EXPECT_NE(RunCli({"1", "meter", "kilogram"}).err.find("no category has both \"meter\" and"),
              std::string::npos);
    EXPECT_NE(RunCli({"-c", "7", "1", "meter", "meter"}).err.find("unknown category \"7\""),
              std::string::npos);
}

TEST(CliApplicationTest, LocaleSeparatorIsTheDefaultAndTheOptionWins) {
    EXPECT_EQ(RunCli({"1", "centimeter", "inch"}, "", ",").out, "0,3937008\n");
    EXPECT_EQ(RunCli({"--decimal-separator", ".", "1", "centimeter", "inch"}, "", ",").out,
              "0.3937008\n");
}

TEST(CliApplicationTest, MegabyteAmountsGiveAResultOrAReport) {
    const std::string ones(1'000'000, '1');
    const RunResult huge = RunCli({ones, "meter", "meter"});
    EXPECT_EQ(huge.out, "\n");
    EXPECT_EQ(huge.status, 1);
    const RunResult zeros = RunCli({std::string(1'000'000, '0') + "5", "meter", "meter"});
    EXPECT_EQ(zeros.out, "5\n");
    const RunResult fraction = RunCli({"0." + ones, "meter", "meter"});
    EXPECT_EQ(fraction.out, "0.1111111\n");
}

TEST(CliApplicationTest, ListShowsCategoriesAndUnitsInCatalogueOrder) {
    const RunResult all = RunCli({"--list"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out.rfind("0 Length\n  centimeter\n  feet\n", 0), 0u);
    EXPECT_NE(all.out.find("  yard\n1 Temperature\n  degree Celsius\n"), std::string::npos);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 6 + 73);

    const RunResult volume = RunCli({"--list", "volume"});
    EXPECT_EQ(volume.out.rfind("ounce\npint\nquart\ngallon\n", 0), 0u);
    EXPECT_EQ(std::count(volume.out.begin(), volume.out.end(), '\n'), 12);
    EXPECT_EQ(RunCli({"--list", "-c", "5"}).out.rfind("square inch\n", 0), 0u);
}

TEST(CliApplicationTest, HelpAndVersion) {
    const RunResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: metrivo-convert"), std::string::npos);
    EXPECT_EQ(RunCli({"-h"}).out, help.out);
    EXPECT_EQ(RunCli({"--version"}).out,
              std::string("metrivo-convert ") + METRIVO_EXPECTED_VERSION + "\n");
}

TEST(CliApplicationTest, BatchModeReadsStandardInput) {
    const RunResult r = RunCli({"--batch", "--decimal-separator", ","},
                               "Length\t1\tcentimeter\tinch\nWeight\t2.5\tpound\n");
    EXPECT_EQ(r.out, "0,3937008\n\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(RunCli({"--batch"}, "").status, 0);
}

}  // namespace
}  // namespace metrivo

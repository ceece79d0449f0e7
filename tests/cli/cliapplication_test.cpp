#include "cliapplication.h"

#include <gtest/gtest.h>
#include <ostream>

#include <algorithm>
#include <string>
#include <vector>

#include "loadedcatalogue.h"
#include "memoryfile.h"

namespace metrivo {
namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult RunCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::string& localeSeparator = ".") {
    test::MemoryFile in(input);
    test::MemoryFile out;
    test::MemoryFile err;
    CliApplication app(in.fd(), out.fd(), err.fd(), localeSeparator);
    const int status = app.Run(args);
    return {status, out.Content(), err.Content()};
}

struct ConvertCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int status;
    std::string err = "";  // the whole standard error
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const ConvertCase& c, std::ostream* os) {
    *os << c.name;
}

class ConvertTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, PrintsTheResultAndOneLineMessages) {
    const ConvertCase& c = GetParam();
    const RunResult r = RunCli(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.err, c.err);
}

auto CaseName = [](const testing::TestParamInfo<ConvertCase>& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(
    CatalogueNames, ConvertTest,
    testing::Values(
        ConvertCase{
            "AttachedNumber", {"--category=4", "2.5", "pound", "kilogram"}, "1.133981\n", 0},
        ConvertCase{"DashDash", {"--", "-40", "degree Celsius", "degree Fahrenheit"}, "-40\n", 0},
        ConvertCase{"NegativeAmount", {"-40", "degree Celsius", "degree Fahrenheit"}, "-40\n", 0},
        ConvertCase{"NegativeFraction", {"-.5", "meter", "centimeter"}, "-50\n", 0},
        ConvertCase{"OunceAloneIsVolume", {"1", "ounce", "liter"}, "0.0295735\n", 0},
        ConvertCase{"OunceWithKilogramIsWeight", {"1", "ounce", "kilogram"}, "0.02834952\n", 0},
        ConvertCase{"OunceToOunceIsVolume", {"3", "ounce", "ounce"}, "3\n", 0},
        ConvertCase{"CommaNameIsOneUnit", {"1", "lb, lbs", "kilogram"}, "0.4535924\n", 0},
        ConvertCase{"BracketName", {"1", "mile/hour (mph)", "meter/second"}, "0.44704\n", 0},
        ConvertCase{
            "Separator", {"--decimal-separator", ",", "1", "centimeter", "inch"}, "0,3937008\n", 0},
        ConvertCase{"ArabicSeparator",
                    {"--decimal-separator", "\xd9\xab", "1", "centimeter", "inch"},
                    "0\xd9\xab"
                    "3937008\n",
                    0},
        ConvertCase{"SpacesInAmount", {" 1 000 ", "meter", "meter"}, "1000\n", 0},
        ConvertCase{"HexAmount", {"&H10", "meter", "meter"}, "16\n", 0},
        ConvertCase{"OctalAmount", {"&O17", "meter", "meter"}, "15\n", 0},
        ConvertCase{"Exponent", {"+2.5e-1", "meter", "centimeter"}, "25\n", 0}),
    CaseName);

// Which category a pair of typed names means.
INSTANTIATE_TEST_SUITE_P(
    TypedNames, ConvertTest,
    testing::Values(ConvertCase{"OzIsWeight", {"1", "oz", "g"}, "28.34952\n", 0},
                    ConvertCase{"FlOzIsVolume", {"1", "fl oz", "ml"}, "29.5735\n", 0},
                    ConvertCase{"SmallCIsLight", {"1", "c", "m/s"}, "2.997924E+08\n", 0},
                    ConvertCase{"OuncesBesideMlIsVolume", {"1", "ounces", "ml"}, "29.5735\n", 0},
                    ConvertCase{"InchBesideCmIsLength", {"1", "inch", "cm"}, "2.54\n", 0},
                    ConvertCase{"Prefix", {"--cat", "Weight", "2.5", "kilo", "g"}, "2500\n", 0},
                    ConvertCase{"PrefixOfALongName", {"1", "megagram", "kg"}, "1000\n", 0},
                    ConvertCase{"CategoryStart", {"-c", "temp", "0", "C", "K"}, "273.15\n", 0}),
    CaseName);

const std::string kTry = "Try 'metrivo-convert --help' for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Messages, ConvertTest,
    testing::Values(
        ConvertCase{"UnitOfAnotherCategory",
                    {"-c", "Weight", "1", "mile", "kilometer"},
                    "",
                    1,
                    "metrivo-convert: unknown Weight unit \"mile\" (see metrivo-convert --list "
                    "Weight)\n"},
        ConvertCase{"DidYouMean",
                    {"1", "kilomter", "m"},
                    "",
                    1,
                    "metrivo-convert: unknown Length unit \"kilomter\"; did you mean "
                    "\"kilometer\"?\n"},
        ConvertCase{"Ambiguous",
                    {"1", "mil", "km"},
                    "",
                    1,
                    "metrivo-convert: ambiguous Length unit \"mil\": could be \"mile\" or "
                    "\"millimeter\"\n"},
        ConvertCase{"TonIsAmbiguous",
                    {"1", "ton", "kg"},
                    "",
                    1,
                    "metrivo-convert: ambiguous Weight unit \"ton\": could be \"megagram (metric "
                    "ton) (tonne)\", \"short ton (US)\" or \"ton (long, UK)\"\n"},
        ConvertCase{"OneLetterIsNoStart",
                    {"1", "s", "kg"},
                    "",
                    1,
                    "metrivo-convert: unknown Weight unit \"s\" (see metrivo-convert --list "
                    "Weight)\n"},
        ConvertCase{"OneLetterTargetIsNoStart",
                    {"1", "kg", "s"},
                    "",
                    1,
                    "metrivo-convert: unknown Weight unit \"s\" (see metrivo-convert --list "
                    "Weight)\n"},
        ConvertCase{"LettersAreNoAmount",
                    {"abc", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount \"abc\" is not a number\n"},
        ConvertCase{"CommaIsNoPoint",
                    {"1,5", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount \"1,5\" is not a number (the decimal separator is "
                    "\".\")\n"},
        ConvertCase{"CHexadecimalIsNoAmount",
                    {"0x10", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount \"0x10\" is not a number\n"},
        ConvertCase{"InfinityIsNoAmount",
                    {"inf", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount \"inf\" is not a number\n"},
        ConvertCase{"EmptyAmount",
                    {"", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount \"\" is not a number\n"},
        ConvertCase{"NoCommonCategory",
                    {"1", "meter", "kilogram"},
                    "",
                    1,
                    "metrivo-convert: no category has both \"meter\" (Length) and \"kilogram\" "
                    "(Weight)\n"},
        ConvertCase{"ResultOutOfRange",
                    {"1E39", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: result out of range: \"1E39\" meter in meter is beyond "
                    "±3.4028234663852886E+38\n"},
        ConvertCase{"JustAboveTheLargestFloat",
                    {"3.4028235E+38", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: result out of range: \"3.4028235E+38\" meter in meter is "
                    "beyond ±3.4028234663852886E+38\n"},
        ConvertCase{"AmountOutOfRange",
                    {"1e999999", "meter", "meter"},
                    "",
                    1,
                    "metrivo-convert: amount out of range: \"1e999999\" is beyond "
                    "±1.7976931348623157E+308\n"},
        ConvertCase{"TemperatureAmountOutOfRange",
                    {"1.7976931348623157E+308", "K", "K"},
                    "",
                    1,
                    "metrivo-convert: amount out of range: \"1.7976931348623157E+308\" is beyond "
                    "±1.79769313486231E+308 (temperatures are held to 15 digits)\n"},
        ConvertCase{"HexadecimalOutOfRange",
                    {"&H100000000", "m", "m"},
                    "",
                    1,
                    "metrivo-convert: amount out of range: \"&H100000000\" is beyond "
                    "&HFFFFFFFF\n"},
        ConvertCase{"BelowAbsoluteZero",
                    {"-500", "degree Fahrenheit", "kelvin"},
                    "Below Absolute Zero\n",
                    1,
                    "metrivo-convert: \"-500\" degree Fahrenheit is below absolute zero\n"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Usage, ConvertTest,
    testing::Values(
        ConvertCase{"CategoryOutOfRange",
                    {"-c", "6", "1", "meter", "meter"},
                    "",
                    2,
                    "metrivo-convert: unknown category \"6\" (use 0 to 5 or Length, Temperature, "
                    "Speed, Volume, Weight, Area)\n"},
        ConvertCase{"BadOption",
                    {"--frobnicate", "1", "meter", "meter"},
                    "",
                    2,
                    "metrivo-convert: unknown option \"--frobnicate\"\n" + kTry},
        ConvertCase{"EscapeInOption",
                    {"--x\x1b]0;pwned\a"},
                    "",
                    2,
                    "metrivo-convert: unknown option \"--x\\x1b]0;pwned\\x07\"\n" + kTry},
        ConvertCase{"NoArguments", {}, "", 2, "metrivo-convert: nothing to convert\n" + kTry},
        ConvertCase{"EmptySeparator",
                    {"--decimal-separator=", "1", "m", "ft"},
                    "",
                    2,
                    "metrivo-convert: the decimal separator must not be empty\n" + kTry}),
    CaseName);

struct SeparatorCase {
    const char* name;
    std::string separator;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << c.name;
}

class BadSeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(BadSeparatorTest, IsAUsageError) {
    const RunResult r = RunCli({"--decimal-separator", GetParam().separator, "1", "meter", "feet"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("metrivo-convert: ", 0), 0u) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Separators, BadSeparatorTest,
    testing::Values(SeparatorCase{"Empty", ""}, SeparatorCase{"Digit", "1"},
                    SeparatorCase{"DigitInside", "a1"}, SeparatorCase{"Plus", "+"},
                    SeparatorCase{"Minus", "-"}, SeparatorCase{"SmallE", "e"},
                    SeparatorCase{"CapitalE", "E"}, SeparatorCase{"Space", " "},
                    SeparatorCase{"Tab", "\t"}, SeparatorCase{"Newline", "\n"},
                    SeparatorCase{"Escape", "\x1b"}, SeparatorCase{"NoBreakSpaceC1", "\xc2\x85"},
                    SeparatorCase{"BidiOverride", "\xe2\x80\xae"}),
    [](const testing::TestParamInfo<SeparatorCase>& info) { return info.param.name; });

TEST(CliApplicationTest, LocaleSeparatorIsTheDefaultAndTheOptionWins) {
    EXPECT_EQ(RunCli({"1", "centimeter", "inch"}, "", ",").out, "0,3937008\n");
    EXPECT_EQ(RunCli({"--decimal-separator", ".", "1", "centimeter", "inch"}, "", ",").out,
              "0.3937008\n");
    EXPECT_EQ(RunCli({"--dec", ";", "1", "centimeter", "inch"}).out, "0;3937008\n");
}

TEST(CliApplicationTest, MegabyteAmountsGiveAResultOrOneLine) {
    const std::string ones(100'000, '1');
    const RunResult huge = RunCli({ones, "meter", "meter"});
    EXPECT_EQ(huge.out, "");
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(std::count(huge.err.begin(), huge.err.end(), '\n'), 1) << huge.err.size();
    EXPECT_LT(huge.err.size(), 200u);
    EXPECT_EQ(RunCli({"0." + ones, "meter", "meter"}).out, "0.1111111\n");
    // The whole amount is read, however long: "1", 40,000 spaces, "0" is 10.
    EXPECT_EQ(RunCli({"1" + std::string(40'000, ' ') + "0", "meter", "meter"}).out, "10\n");
}

TEST(CliApplicationTest, ListShowsUnitsWithTheirSymbols) {
    const RunResult all = RunCli({"--list"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out.rfind("0 Length\n  centimeter                     cm\n", 0), 0u) << all.out;
    EXPECT_NE(all.out.find("\n  league\n"), std::string::npos);
    EXPECT_NE(all.out.find("\n  lb, lbs                        lb, lbs\n"), std::string::npos);
    EXPECT_NE(all.out.find("\n1 Temperature\n  degree Celsius "), std::string::npos);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'),
              6 + static_cast<long>(test::LoadedCatalogue().rows().size()));

    const RunResult volume = RunCli({"--list", "volume"});
    EXPECT_EQ(volume.out.rfind("3 Volume\n  ounce                          fl oz, floz\n", 0), 0u);
    EXPECT_EQ(std::count(volume.out.begin(), volume.out.end(), '\n'), 1 + 12);
    EXPECT_EQ(RunCli({"--list", "9"}).status, 2);
}

TEST(CliApplicationTest, NamesAreOneALineForScripts) {
    const RunResult weight = RunCli({"--names", "Weight"});
    EXPECT_EQ(weight.status, 0);
    EXPECT_EQ(weight.out.rfind("centigram\ndecigram\n", 0), 0u) << weight.out;
    EXPECT_NE(weight.out.find("\nmegagram (metric ton) (tonne)\n"), std::string::npos);
    EXPECT_EQ(std::count(weight.out.begin(), weight.out.end(), '\n'), 19);
    EXPECT_EQ(RunCli({"--names"}).out.size(), RunCli({"--names", ""}).out.size());
    // The units an ounce converts into are those of both its categories.
    const RunResult ounce = RunCli({"--names-of", "ounce"});
    EXPECT_EQ(std::count(ounce.out.begin(), ounce.out.end(), '\n'), 12 + 19);
    EXPECT_EQ(RunCli({"--names-of", "miles"}).out, RunCli({"--names", "Length"}).out);
    const RunResult unknown = RunCli({"--names-of", "parsec"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, "");
}

TEST(CliApplicationTest, HelpStartsWithUsageAndEndsWithWhereToReportBugs) {
    const RunResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: metrivo-convert ", 0), 0u);
    const std::string last = help.out.substr(help.out.rfind('\n', help.out.size() - 2) + 1);
    EXPECT_EQ(last.rfind("Report bugs to <", 0), 0u) << last;
    EXPECT_EQ(RunCli({"-h"}).out, help.out);
    EXPECT_EQ(RunCli({"--he"}).out, help.out);
}

TEST(CliApplicationTest, VersionGivesVersionCopyrightAndLicence) {
    const RunResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(
        version.out.rfind(std::string("metrivo-convert ") + METRIVO_EXPECTED_VERSION + "\n", 0),
        0u);
    EXPECT_NE(version.out.find("Copyright (C) "), std::string::npos);
    EXPECT_NE(version.out.find("License "), std::string::npos);
}

TEST(CliApplicationTest, BatchModeReadsStandardInput) {
    const RunResult r =
        RunCli({"--batch", "--decimal-separator", ","}, "Length\t1\tcm\tin\nWeight\t2.5\tpound\n");
    EXPECT_EQ(r.out, "0,3937008\n\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "metrivo-convert: line 2: expected 4 tab-separated fields CATEGORY, AMOUNT, FROM, "
              "TO; found 3\n");
    EXPECT_EQ(RunCli({"--batch"}, "").status, 0);
}

}  // namespace
}  // namespace metrivo

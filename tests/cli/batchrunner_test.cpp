#include "batchrunner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "errorreport.h"

namespace metrivo {
namespace {

using namespace std::string_literals;

struct BatchResult {
    bool clean;
    std::string out;
    std::string err;
};

BatchResult RunBatch(const std::string& input, const std::string& separator = ".") {
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    BatchRunner runner(catalogue, err, separator);
    const bool clean = runner.Run(in, out);
    return {clean, out.str(), err.str()};
}

struct BatchCase {
    const char* name;
    std::string input;
    std::string out;
    std::string err;  // empty: nothing reported
};

class BatchTest : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchTest, OneResultLinePerInputLine) {
    const BatchCase& c = GetParam();
    const BatchResult r = RunBatch(c.input);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.clean, c.err.empty());
}

const std::string kFields = "expected 4 tab-separated fields CATEGORY, AMOUNT, FROM, TO; found ";

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchTest,
    testing::Values(
        BatchCase{"Empty", "", "", ""},
        BatchCase{"InOrder",
                  "Weight\t2.5\tpound\tkilogram\n0\t1.00\tmile\tkilometer\n"
                  "temperature\t100\tdegree Fahrenheit\tdegree Celsius\n3\t1\tounce\tliter\n",
                  "1.133981\n1.609344\n37.777777777778\n0.0295735\n", ""},
        BatchCase{"NoFinalLineBreak", "Length\t1\tinch\tcentimeter", "2.54\n", ""},
        BatchCase{"CrLf", "Length\t1\tinch\tcentimeter\r\nLength\t1\tmeter\tfeet\r\n",
                  "2.54\n3.28084\n", ""},
        BatchCase{"EmptyAmount", "Length\t\tmeter\tmeter\n", "0\n", ""},
        BatchCase{"NulEndsAmount", "Length\t7\0009\tmeter\tmeter\n"s, "7\n", ""},
        BatchCase{"ShortLine", "Weight\t2.5\tpound\nLength\t1\tinch\tcentimeter\n", "\n2.54\n",
                  "line 1: " + kFields + "3\n"},
        BatchCase{"LongLine", "Length\t1\tinch\tcentimeter\tmeter\n", "\n",
                  "line 1: " + kFields + "5\n"},
        BatchCase{"BlankLine", "Length\t1\tinch\tcentimeter\n\nLength\t1\tinch\tcentimeter\n",
                  "2.54\n\n2.54\n", "line 2: " + kFields + "1\n"},
        BatchCase{"BadCategory", "Lengthy\t1\tinch\tcentimeter\n", "\n",
                  "line 1: unknown category \"Lengthy\" (use 0 to 5 or Length, Temperature, "
                  "Speed, Volume, Weight, Area)\n"},
        BatchCase{"CategorySix", "6\t1\tinch\tcentimeter\n", "\n",
                  "line 1: unknown category \"6\" (use 0 to 5 or Length, Temperature, "
                  "Speed, Volume, Weight, Area)\n"}),
    [](const testing::TestParamInfo<BatchCase>& info) { return info.param.name; });

TEST(BatchRunnerTest, ReportsCarryTheLineNumberOnEveryLine) {
    const BatchResult r = RunBatch(
        "Length\t1\tinch\tcentimeter\nLength\t1\tinch\tcentimeter\nLength\t1\tparsec\tmeter\n"
        "Length\t1\tmeter\tfeet\n");
    EXPECT_EQ(r.out, "2.54\n2.54\n\n3.28084\n");
    const std::string request = "line 3: Please email screenshot of this message to " +
                                ErrorReport::DefaultSupportAddress();
    EXPECT_EQ(r.err,
              "line 3: Subscript out of range\n"
              "line 3: in MetrivoProj2021/08/31.Form1.PushButton2_Click at line 120\n"
              "line 3: \n" +
                  request +
                  "\n"
                  "line 3: Subscript out of range\n"
                  "line 3: in MetrivoProj2021/08/31.Form1.PushButton2_Click at line 122\n"
                  "line 3: \n" +
                  request + "\n");
    EXPECT_FALSE(r.clean);
}

TEST(BatchRunnerTest, SeparatorAppliesToEveryLine) {
    const BatchResult r =
        RunBatch("Length\t1\tcentimeter\tinch\n1\t1.00\tdegree Celsius\tkelvin\n", ",");
    EXPECT_EQ(r.out, "0,3937008\n274,15\n");
}

TEST(BatchRunnerTest, StrangeLinesStillGiveOneLineEach) {
    std::string input;
    input += "Length\t" + std::string(1'000'000, '9') + "\tmeter\tmeter\n";  // Overflow
    input += "Length\t1e999999\tmeter\tmeter\n";                             // Overflow
    input += "Length\t\xff\xfe\xfd\tmeter\tmeter\n";                         // reads 0
    input += "Length\t1\tmet\0er\tmeter\n"s;                                 // no such unit
    input += std::string(1'000'000, 'x') + "\n";                             // one field
    input += "\t\t\t\n";                                                     // no category
    const BatchResult r = RunBatch(input);
    EXPECT_EQ(r.out, "\n\n0\n\n\n\n");
    EXPECT_NE(r.err.find("line 1: Overflow\n"), std::string::npos);
    EXPECT_NE(r.err.find("line 2: Overflow\n"), std::string::npos);
    EXPECT_NE(r.err.find("line 4: Subscript out of range\n"), std::string::npos);
    EXPECT_NE(r.err.find("line 5: " + kFields + "1\n"), std::string::npos);
    EXPECT_NE(r.err.find("line 6: unknown category \"\""), std::string::npos);
    EXPECT_LT(r.err.size(), 5000u) << "messages quote long input in full";
}

TEST(BatchRunnerTest, ManyLinesKeepTheirOrder) {
    std::string input;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        input += "Length\t" + std::to_string(i) + "\tmeter\tmeter\n";
        expected += std::to_string(i) + "\n";
    }
    EXPECT_EQ(RunBatch(input).out, expected);
}

}  // namespace
}  // namespace metrivo

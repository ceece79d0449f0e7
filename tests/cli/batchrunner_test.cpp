#include "batchrunner.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "loadedcatalogue.h"
#include "memoryfile.h"

namespace metrivo {
namespace {

using namespace std::string_literals;

struct BatchResult {
    BatchRunner::End end;
    std::string out;
    std::string err;
};

BatchResult RunBatch(const std::string& input, const std::string& separator = ".",
                     std::size_t maxLine = LineReader::kDefaultMaxLine) {
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    test::MemoryFile in(input);
    test::MemoryFile outFile;
    test::MemoryFile errFile;
    FdOutput out(outFile.fd());
    FdOutput err(errFile.fd());
    BatchRunner runner(catalogue, separator);
    const BatchRunner::End end = runner.Run(in.fd(), out, err, {}, maxLine);
    err.Flush();
    return {end, outFile.Content(), errFile.Content()};
}

struct BatchCase {
    const char* name;
    std::string input;
    std::string out;
    std::string err;  // empty: nothing reported
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const BatchCase& c, std::ostream* os) {
    *os << c.name;
}

class BatchTest : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchTest, OneResultLinePerInputLine) {
    const BatchCase& c = GetParam();
    const BatchResult r = RunBatch(c.input);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.end, c.err.empty() ? BatchRunner::End::kClean : BatchRunner::End::kMessages);
}

const std::string kFields = "expected 4 tab-separated fields CATEGORY, AMOUNT, FROM, TO; found ";
const std::string kLine = "metrivo-convert: line ";

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchTest,
    testing::Values(
        BatchCase{"Empty", "", "", ""},
        BatchCase{"InOrder",
                  "Weight\t2.5\tpound\tkilogram\n0\t1.00\tmile\tkilometer\n"
                  "temperature\t100\tdegree Fahrenheit\tdegree Celsius\n3\t1\tounce\tliter\n",
                  "1.133981\n1.609344\n37.777777777778\n0.0295735\n", ""},
        BatchCase{"ByteOrderMarkBeforeTheFirstLine", "\xef\xbb\xbfLength\t1\tin\tcm\n", "2.54\n",
                  ""},
        BatchCase{"ByteOrderMarkElsewhereIsShown",
                  "Length\t1\tin\tcm\n\xef\xbb\xbfLength\t1\tin\tcm\n", "2.54\n\n",
                  kLine + "2: unknown category \"\\ufeffLength\" (use 0 to 5 or Length, "
                          "Temperature, Speed, Volume, Weight, Area)\n"},
        BatchCase{"TypedNames", "Length\t1\tmi\tkm\ntemp\t100\tF\tC\nWeight\t2.5\tlb\tkg\n",
                  "1.609344\n37.777777777778\n1.133981\n", ""},
        BatchCase{"NoFinalLineBreak", "Length\t1\tinch\tcentimeter", "2.54\n", ""},
        BatchCase{"CrLf", "Length\t1\tinch\tcentimeter\r\nLength\t1\tmeter\tfeet\r\n",
                  "2.54\n3.28084\n", ""},
        BatchCase{"EmptyAmount", "Length\t\tmeter\tmeter\n", "\n",
                  kLine + "1: amount \"\" is not a number\n"},
        BatchCase{"NulInAmount", "Length\t7\0009\tmeter\tmeter\n"s, "\n",
                  kLine + "1: amount \"7\\x009\" is not a number\n"},
        BatchCase{"ShortLine", "Weight\t2.5\tpound\nLength\t1\tinch\tcentimeter\n", "\n2.54\n",
                  kLine + "1: " + kFields + "3\n"},
        BatchCase{"LongLine", "Length\t1\tinch\tcentimeter\tmeter\n", "\n",
                  kLine + "1: " + kFields + "5\n"},
        BatchCase{"BlankLine", "Length\t1\tinch\tcentimeter\n\nLength\t1\tinch\tcentimeter\n",
                  "2.54\n\n2.54\n", kLine + "2: " + kFields + "1\n"},
        BatchCase{"BadCategory", "Lengthy\t1\tinch\tcentimeter\n", "\n",
                  kLine + "1: unknown category \"Lengthy\" (use 0 to 5 or Length, Temperature, "
                          "Speed, Volume, Weight, Area)\n"},
        BatchCase{
            "UnknownUnit", "Length\t1\tparsec\tmeter\nLength\t1\tmeter\tfeet\n", "\n3.28084\n",
            kLine + "1: unknown Length unit \"parsec\" (see metrivo-convert --list Length)\n"},
        BatchCase{"BelowAbsoluteZeroKeepsItsText", "1\t-1\tkelvin\tkelvin\n",
                  "Below Absolute Zero\n", kLine + "1: \"-1\" kelvin is below absolute zero\n"},
        BatchCase{"Overflow", "Length\t1E39\tmeter\tmeter\n", "\n",
                  kLine + "1: result out of range: \"1E39\" meter in meter is beyond "
                          "±3.4028234663852886E+38\n"}),
    [](const testing::TestParamInfo<BatchCase>& info) { return info.param.name; });

TEST(BatchRunnerTest, SeparatorAppliesToEveryLine) {
    const BatchResult r =
        RunBatch("Length\t1\tcentimeter\tinch\n1\t1.00\tdegree Celsius\tkelvin\n", ",");
    EXPECT_EQ(r.out, "0,3937008\n274,15\n");
}

struct CapCase {
    const char* name;
    std::string input;
    std::string out;
    std::string err;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const CapCase& c, std::ostream* os) {
    *os << c.name;
}

class LineCapTest : public testing::TestWithParam<CapCase> {};

// With a cap of 40 bytes: a longer line gives its message and an empty
// result line, and the lines around it are converted as usual.
TEST_P(LineCapTest, LinesOverTheCapArePassedOver) {
    const CapCase& c = GetParam();
    const BatchResult r = RunBatch(c.input, ".", 40);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

const std::string kOk = "Length\t1\tinch\tcentimeter\n";  // 24 bytes
const std::string kPadded = "Length\t1" + std::string(40 - 24, ' ') + "\tinch\tcentimeter";

INSTANTIATE_TEST_SUITE_P(
    Cap, LineCapTest,
    testing::Values(CapCase{"ExactlyTheCap", kPadded + "\n", "2.54\n", ""},
                    CapCase{"OneOverTheCap", kOk + "Length\t1 " + kPadded.substr(8) + "\n" + kOk,
                            "2.54\n\n2.54\n", kLine + "2: line longer than 40 bytes\n"},
                    CapCase{"FarOverTheCap", std::string(100'000, 'x') + "\n" + kOk, "\n2.54\n",
                            kLine + "1: line longer than 40 bytes\n"},
                    CapCase{"OverTheCapWithoutLineBreak", kOk + std::string(100'000, 'x'),
                            "2.54\n\n", kLine + "2: line longer than 40 bytes\n"}),
    [](const testing::TestParamInfo<CapCase>& info) { return info.param.name; });

TEST(BatchRunnerTest, ManyLinesKeepTheirOrderAcrossReads) {
    std::string input;
    std::string expected;
    for (int i = 0; i < 50'000; ++i) {
        input += "Length\t" + std::to_string(i) + "\tmeter\tmeter\n";
        expected += std::to_string(i) + "\n";
    }
    EXPECT_EQ(RunBatch(input).out, expected);
}

TEST(BatchRunnerTest, ReadFailureEndsTheRun) {
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    const int folder = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    test::MemoryFile outFile;
    test::MemoryFile errFile;
    FdOutput out(outFile.fd());
    FdOutput err(errFile.fd());
    BatchRunner runner(catalogue, ".");
    EXPECT_EQ(runner.Run(folder, out, err), BatchRunner::End::kReadFailed);
    EXPECT_EQ(runner.error(), EISDIR);
    ::close(folder);
}

TEST(BatchRunnerTest, WriteFailureStopsAtTheFirstFailedWrite) {
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    std::string input;
    for (int i = 0; i < 100'000; ++i) input += kOk;
    test::MemoryFile in(input);
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    test::MemoryFile errFile;
    FdOutput out(full);
    FdOutput err(errFile.fd());
    BatchRunner runner(catalogue, ".");
    EXPECT_EQ(runner.Run(in.fd(), out, err), BatchRunner::End::kWriteFailed);
    EXPECT_EQ(runner.error(), ENOSPC);
    // It stopped long before the end of the input.
    EXPECT_LT(::lseek(in.fd(), 0, SEEK_CUR), static_cast<off_t>(input.size()));
    ::close(full);
}

}  // namespace
}  // namespace metrivo

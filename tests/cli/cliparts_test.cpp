// The small parts of metrivo-convert: category arguments, terminal-safe
// quoting, output that remembers its failure, and lines read through a
// bounded buffer.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "categorylookup.h"
#include "fdoutput.h"
#include "linereader.h"
#include "memoryfile.h"
#include "quotedtext.h"

namespace metrivo {
namespace {

TEST(CategoryLookupTest, ParsesNumbersNamesAndStartsInAnyCase) {
    const std::pair<std::string, int> cases[] = {
        {"0", 0},      {"5", 5},    {"Length", 0}, {"TEMPERATURE", 1}, {"speed", 2}, {"vOlUmE", 3},
        {"Weight", 4}, {"area", 5}, {"temp", 1},   {"w", 4},           {"6", -1},    {"-1", -1},
        {"00", -1},    {" 1", -1},  {"", -1},      {"Lengths", -1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(CategoryLookup::Parse(text).value_or(-1), expected) << '"' << text << '"';
    }
}

struct QuoteCase {
    const char* name;
    std::string text;
    std::string quoted;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const QuoteCase& c, std::ostream* os) {
    *os << c.name;
}

class QuotedTextTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(QuotedTextTest, ShowsUserTextSafely) {
    EXPECT_EQ(QuotedText::Of(GetParam().text), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuotedTextTest,
    testing::Values(
        QuoteCase{"Plain", "meter", "\"meter\""},
        QuoteCase{"Controls", std::string("a\0b\tc\x7f\r\n", 8), "\"a\\x00b\\tc\\x7f\\r\\n\""},
        QuoteCase{"EscapeAndBell", "\x1b]0;pwned\a", "\"\\x1b]0;pwned\\x07\""},
        QuoteCase{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        QuoteCase{"C1AsUtf8",
                  "\xc2\x9b"
                  "31m",
                  "\"\\u009b31m\""},
        QuoteCase{"C1AsRawByte",
                  "\x9b"
                  "31m",
                  "\"\\x9b31m\""},
        QuoteCase{"BidiOverride", "me\xe2\x80\xaeter", "\"me\\u202eter\""},
        QuoteCase{"BidiIsolate", "\xe2\x81\xa6x\xe2\x81\xa9", "\"\\u2066x\\u2069\""},
        QuoteCase{"ArabicLetterMark", "\xd8\x9c", "\"\\u061c\""},
        QuoteCase{"LineSeparator", "\xe2\x80\xa8", "\"\\u2028\""},
        QuoteCase{"ByteOrderMark", "\xef\xbb\xbfLength", "\"\\ufeffLength\""},
        QuoteCase{"ZeroWidthSpace", "in\xe2\x80\x8b", "\"in\\u200b\""},
        QuoteCase{"SoftHyphen", "me\xc2\xadter", "\"me\\u00adter\""},
        QuoteCase{"TagCharacter", "\xf3\xa0\x81\x81", "\"\\U000e0041\""},
        QuoteCase{"PrintableUtf8Kept", "°C µg m²", "\"°C µg m²\""},
        QuoteCase{"OverlongNul", "\xc0\x80", "\"\\xc0\\x80\""},
        QuoteCase{"CutSequence", "a\xe2\x80", "\"a\\xe2\\x80\""},
        QuoteCase{"Surrogate", "\xed\xa0\x80", "\"\\xed\\xa0\\x80\""},
        QuoteCase{"SixtyBytes", std::string(60, 'x'), "\"" + std::string(60, 'x') + "\""},
        QuoteCase{"SixtyOneBytes", std::string(61, 'x'),
                  "\"" + std::string(60, 'x') + "\"... (61 bytes)"},
        QuoteCase{"CutAtACharacter", std::string(59, 'x') + "µ",
                  "\"" + std::string(59, 'x') + "\"... (61 bytes)"}),
    [](const testing::TestParamInfo<QuoteCase>& info) { return info.param.name; });

TEST(FdOutputTest, FirstFailedWriteIsKeptAndNothingMoreIsWritten) {
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    FdOutput out(full, 16);
    out.Write("0123456789");
    EXPECT_FALSE(out.failed());
    out.Write("0123456789");  // fills the buffer: the write fails
    EXPECT_TRUE(out.failed());
    EXPECT_EQ(out.error(), ENOSPC);
    EXPECT_FALSE(out.Flush());
    ::close(full);

    FdOutput closed(9999);
    closed.Put('x');
    EXPECT_FALSE(closed.Flush());
    EXPECT_EQ(closed.error(), EBADF);
}

TEST(FdOutputTest, LargeWritesPassTheBuffer) {
    test::MemoryFile file;
    FdOutput out(file.fd(), 8);
    out.Write("ab");
    out.Write(std::string(100, 'c'));
    out.Put('d');
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(file.Content(), "ab" + std::string(100, 'c') + "d");
}

TEST(LineReaderTest, RunsTheHookBeforeEachRead) {
    test::MemoryFile file("a\nb\n");
    int reads = 0;
    LineReader reader(file.fd(), 16, [&reads] { ++reads; });
    std::string_view line;
    EXPECT_EQ(reader.Next(line), LineReader::Status::kLine);
    EXPECT_EQ(line, "a");
    EXPECT_EQ(reader.Next(line), LineReader::Status::kLine);
    EXPECT_EQ(line, "b");
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(reader.Next(line), LineReader::Status::kEnd);
    EXPECT_EQ(reads, 2);
}

}  // namespace
}  // namespace metrivo

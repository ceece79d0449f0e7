// The small parts of metrivo-convert: category arguments, names as people
// type them, terminal-safe quoting, output that remembers its failure, and
// lines read through a bounded buffer.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "categorylookup.h"
#include "fdoutput.h"
#include "linereader.h"
#include "loadedcatalogue.h"
#include "memoryfile.h"
#include "quotedtext.h"
#include "unitnames.h"

namespace metrivo {
namespace {

using test::LoadedCatalogue;

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

struct NameCase {
    const char* name;
    int category;
    std::string typed;
    const char* found;  // the catalogue name, or "" when none is found
    UnitNames::Step step;
    int candidates;  // rows an ambiguous prefix matches
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class UnitNamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(UnitNamesTest, FirstStepWithExactlyOneRowWins) {
    const NameCase& c = GetParam();
    const UnitNames names(LoadedCatalogue());
    const UnitNames::Match m = names.Resolve(c.category, c.typed);
    if (std::string(c.found).empty()) {
        EXPECT_NE(m.kind, UnitNames::Match::Kind::kFound);
        EXPECT_EQ(static_cast<int>(m.candidates.size()), c.candidates);
        return;
    }
    ASSERT_EQ(m.kind, UnitNames::Match::Kind::kFound);
    EXPECT_EQ(LoadedCatalogue().Row(m.row).name, c.found);
    EXPECT_EQ(m.step, c.step);
}

using Step = UnitNames::Step;

INSTANTIATE_TEST_SUITE_P(
    Steps, UnitNamesTest,
    testing::Values(
        NameCase{"ExactName", 0, "meter", "meter", Step::kExact, 0},
        NameCase{"ExactCommaName", 4, "lb, lbs", "lb, lbs", Step::kExact, 0},
        NameCase{"ExactPoundIsNotLb", 4, "pound", "pound", Step::kExact, 0},
        NameCase{"AnyCase", 1, "KELVIN", "kelvin", Step::kAnyCase, 0},
        NameCase{"SymbolKm", 0, "km", "kilometer", Step::kSymbol, 0},
        NameCase{"SymbolCapitalC", 1, "C", "degree Celsius", Step::kSymbol, 0},
        NameCase{"SymbolSmallCIsLight", 2, "c", "speed of light [vacuum]", Step::kSymbol, 0},
        NameCase{"SymbolOzIsWeight", 4, "oz", "ounce", Step::kSymbol, 0},
        NameCase{"OzIsNoVolumeSymbol", 3, "oz", "", Step::kSymbol, 0},
        NameCase{"SymbolFlOz", 3, "fl oz", "ounce", Step::kSymbol, 0},
        NameCase{"SymbolLbs", 4, "lbs", "lb, lbs", Step::kSymbol, 0},
        NameCase{"SymbolMicroSign", 4, "µg", "microgram", Step::kSymbol, 0},
        NameCase{"SymbolSuperscript", 5, "m²", "square meter", Step::kSymbol, 0},
        NameCase{"SymbolsAreCaseSensitive", 1, "c", "", Step::kSymbol, 0},
        NameCase{"UniquePrefix", 4, "kilo", "kilogram", Step::kPrefix, 0},
        NameCase{"PrefixAnyCase", 4, "MEGA", "megagram (metric ton) (tonne)", Step::kPrefix, 0},
        NameCase{"AmbiguousPrefix", 0, "mil", "", Step::kPrefix, 2},
        NameCase{"AmbiguousOneLetter", 5, "a", "", Step::kPrefix, 2},
        NameCase{"Unknown", 0, "parsec", "", Step::kPrefix, 0},
        NameCase{"EmptyIsNoPrefix", 1, "", "", Step::kPrefix, 0},
        NameCase{"NoCategory", 9, "meter", "", Step::kExact, 0}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST(UnitNamesTest, EverySymbolNamesARowOfItsCategory) {
    const UnitNames names(LoadedCatalogue());
    for (const UnitNames::Symbol& s : UnitNames::SymbolTable()) {
        const UnitNames::Match m = names.Resolve(s.category, s.text);
        ASSERT_EQ(m.kind, UnitNames::Match::Kind::kFound) << s.text;
        EXPECT_EQ(LoadedCatalogue().Row(m.row).name, s.name) << s.text;
        EXPECT_EQ(LoadedCatalogue().Row(m.row).category, s.category) << s.text;
    }
}

TEST(UnitNamesTest, EveryCatalogueNameMeansItsOwnRow) {
    const UnitNames names(LoadedCatalogue());
    for (int row = 0; row <= LoadedCatalogue().UpperBound(); ++row) {
        const UnitRecord& r = LoadedCatalogue().Row(row);
        const UnitNames::Match m = names.Resolve(r.category, r.name);
        EXPECT_EQ(m.row, row) << r.name;
        EXPECT_EQ(m.step, UnitNames::Step::kExact);
    }
}

TEST(UnitNamesTest, NearestOffersUpToThreeCloseNames) {
    const UnitNames names(LoadedCatalogue());
    auto nearest = [&](int category, std::string_view typed) {
        std::string out;
        for (int row : names.Nearest(category, typed)) out += LoadedCatalogue().Row(row).name + ";";
        return out;
    };
    EXPECT_EQ(nearest(0, "kilometre"), "kilometer;");
    EXPECT_EQ(nearest(1, "kelvn"), "kelvin;");
    EXPECT_EQ(nearest(4, "kgs"), "kilogram;");
    EXPECT_EQ(nearest(0, "xyzzy"), "");
    EXPECT_EQ(nearest(-1, "ounces"), "ounce;");
    EXPECT_EQ(nearest(0, std::string(100'000, 'm')), "");
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

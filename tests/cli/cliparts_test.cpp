// The small parts of metrivo-convert: category arguments, the terminal's
// message box, quoting of input in messages and the press over the CLI view.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "categorylookup.h"
#include "cliconverter.h"
#include "quotedtext.h"
#include "streammessagebox.h"

namespace metrivo {
namespace {

const UnitCatalogue& Catalogue() {
    static const UnitCatalogue catalogue = [] {
        UnitCatalogue c;
        c.LoadUnits();
        return c;
    }();
    return catalogue;
}

TEST(CategoryLookupTest, ParsesNumbersAndNamesInAnyCase) {
    const std::pair<std::string, int> cases[] = {
        {"0", 0},      {"5", 5},      {"Length", 0}, {"TEMPERATURE", 1}, {"speed", 2},
        {"vOlUmE", 3}, {"Weight", 4}, {"area", 5},   {"6", -1},          {"-1", -1},
        {"00", -1},    {" 1", -1},    {"", -1},      {"Lengths", -1},    {"Len", -1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(CategoryLookup::Parse(text).value_or(-1), expected) << '"' << text << '"';
    }
}

TEST(CategoryLookupTest, HoldingPicksTheLowestCategoryWithBothNames) {
    const std::tuple<std::string, std::string, int> cases[] = {
        {"ounce", "liter", 3},       {"ounce", "gram", 4},  {"ounce", "ounce", 3},
        {"kelvin", "kelvin", 1},     {"meter", "meter", 0}, {"meter", "kilogram", -1},
        {"meter/second", "mach", 2}, {"acre", "are", 5},    {"", "", -1},
        {"ounce", "Ounce", -1},
    };
    for (const auto& [from, to, expected] : cases) {
        EXPECT_EQ(CategoryLookup::Holding(Catalogue(), from, to).value_or(-1), expected)
            << from << " -> " << to;
    }
}

TEST(CategoryLookupTest, ListIndexIsThePositionInTheCategoryList) {
    const std::tuple<int, std::string, int> cases[] = {
        {0, "centimeter", 0}, {0, "yard", 10},   {4, "kilogram", 9},           {4, "pound", 16},
        {3, "ounce", 0},      {4, "ounce", 15},  {5, "square kiloimeter", 12}, {4, "meter", -1},
        {9, "meter", -1},     {-1, "meter", -1},
    };
    for (const auto& [category, name, expected] : cases) {
        EXPECT_EQ(CategoryLookup::ListIndex(Catalogue(), category, name), expected)
            << category << " " << name;
    }
}

TEST(StreamMessageBoxTest, CarriageReturnsBecomeLineBreaks) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"a\r\nb\r\rc", "", "a\nb\n\nc\n"},
        {"a\r\nb\r\rc", "line 7: ", "line 7: a\nline 7: b\nline 7: \nline 7: c\n"},
        {"a\nb", "", "a\nb\n"},
        {"a\r", "", "a\n\n"},
        {"", "p ", "p \n"},
    };
    for (const auto& [text, prefix, expected] : cases) {
        EXPECT_EQ(StreamMessageBox::Lines(text, prefix), expected);
    }
}

TEST(StreamMessageBoxTest, WritesAndCountsEveryReport) {
    std::ostringstream err;
    StreamMessageBox box(err);
    box.ShowWarning("Application Error", "one\r\ntwo");
    box.SetPrefix("line 2: ");
    box.ShowWarning("Application Error", "three");
    EXPECT_EQ(err.str(), "one\ntwo\nline 2: three\n");
    EXPECT_EQ(box.reportCount(), 2);
}

TEST(QuotedTextTest, QuotesShortensAndHidesControlBytes) {
    EXPECT_EQ(QuotedText::Of("meter"), "\"meter\"");
    EXPECT_EQ(QuotedText::Of(std::string("a\0b\tc\x7f", 6)), "\"a?b?c?\"");
    EXPECT_EQ(QuotedText::Of(std::string(60, 'x')), "\"" + std::string(60, 'x') + "\"");
    EXPECT_EQ(QuotedText::Of(std::string(61, 'x')),
              "\"" + std::string(60, 'x') + "\"... (61 bytes)");
}

TEST(CliConverterTest, RecordsTheListIndexesOfEachPress) {
    std::ostringstream err;
    CliConverter converter(Catalogue(), err, ".");
    EXPECT_EQ(converter.Convert(UnitCatalogue::kWeight, "2.5", "pound", "kilogram"), "1.133981");
    EXPECT_EQ(converter.state().lastFrom(4), 16);
    EXPECT_EQ(converter.state().lastTo(4), 9);

    // A failed press still records them; a name the category lacks is -1.
    EXPECT_EQ(converter.Convert(UnitCatalogue::kLength, "1", "parsec", "yard"), "");
    EXPECT_EQ(converter.state().lastFrom(0), -1);
    EXPECT_EQ(converter.state().lastTo(0), 10);
    EXPECT_EQ(converter.reportCount(), 2);

    // The next press starts from empty results again.
    EXPECT_EQ(converter.Convert(UnitCatalogue::kLength, "1", "yard", "yard"), "1");
    EXPECT_EQ(converter.reportCount(), 2);
    EXPECT_EQ(converter.state().lastFrom(4), 16);
}

}  // namespace
}  // namespace metrivo

#include "converthandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "loadedcatalogue.h"
#include "readablename.h"

namespace metrivo {
namespace {

class FakeView : public ConversionView {
  public:
    void SetMousePointer(MousePointer p) override { pointers.push_back(p); }
    std::string AmountText() const override { return amount; }
    std::string FromUnitText() const override { return from; }
    std::string ToUnitText() const override { return to; }
    int16_t FromListIndex() const override { return fromIndex; }
    int16_t ToListIndex() const override { return toIndex; }
    void SetResultText(const std::string& text) override { results.push_back(text); }

    std::string amount = "1.00", from, to;
    int16_t fromIndex = 0, toIndex = 0;
    std::vector<MousePointer> pointers;
    std::vector<std::string> results;
};

struct Press {
    int16_t category;
    const char* amount;
    const char* from;
    const char* to;
    const char* separator;
    std::string result;
    std::vector<std::string> reports;  // "description@label"
};

class ConvertHandlerTest : public ::testing::TestWithParam<Press> {};

// "c4_2Dot5_pound_to_kilogram", with "_comma" for a "," separator.
std::string PressName(const ::testing::TestParamInfo<Press>& info) {
    const Press& p = info.param;
    return "c" + std::to_string(p.category) + "_" + test::ReadableName(p.amount) + "_" +
           test::ReadableName(p.from) + "_to_" + test::ReadableName(p.to) +
           (std::string_view(p.separator) == "," ? "_comma" : "");
}

TEST_P(ConvertHandlerTest, ShowsTheResultAndTheReportsInOrder) {
    const Press& p = GetParam();
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    WindowState state;
    state.selUnitType = p.category;
    FakeView view;
    view.amount = p.amount;
    view.from = p.from;
    view.to = p.to;
    view.results.push_back("previous");
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    ConvertHandler handler(catalogue, state, view, report, p.separator);
    handler.PushButton2_Click();

    ASSERT_EQ(view.results.size(), 2u);
    EXPECT_EQ(view.results.back(), p.result);
    EXPECT_EQ(box.reports(), p.reports);
    EXPECT_EQ(view.pointers,
              (std::vector<MousePointer>{MousePointer::kHourglass, MousePointer::kDefault}));
}

const std::vector<std::string> kNone;

INSTANTIATE_TEST_SUITE_P(
    Linear, ConvertHandlerTest,
    ::testing::Values(Press{4, "2.5", "pound", "kilogram", ".", "1.133981", kNone},
                      Press{0, "1.00", "kilometer", "meter", ".", "1000", kNone},
                      Press{0, "1.00", "mile", "kilometer", ".", "1.609344", kNone},
                      Press{0, "1", "inch", "centimeter", ".", "2.54", kNone},
                      Press{0, "1", "centimeter", "inch", ".", "0.3937008", kNone},
                      Press{0, "1", "meter", "feet", ".", "3.28084", kNone},
                      Press{2, "1", "speed of light [vacuum]", "mach", ".", "880991.1", kNone},
                      Press{2, "1", "mach", "speed of light [vacuum]", ".", "1.135085E-06", kNone},
                      Press{0, "12345678", "meter", "meter", ".", "1.234568E+07", kNone},
                      Press{0, "0.00001", "meter", "meter", ".", "1E-05", kNone},
                      Press{0, "-0", "meter", "meter", ".", "0", kNone},
                      Press{0, "abc", "meter", "meter", ".", "0", kNone},
                      Press{0, "1 000", "meter", "meter", ".", "1000", kNone},
                      Press{0, "1,5", "meter", "meter", ",", "1", kNone},
                      Press{0, "1.5", "meter", "centimeter", ",", "150", kNone},
                      Press{0, "1", "centimeter", "inch", ",", "0,3937008", kNone},
                      Press{3, "1", "ounce", "liter", ".", "0.0295735", kNone},
                      Press{4, "1", "ounce", "kilogram", ".", "0.02834952", kNone}),
    PressName);

INSTANTIATE_TEST_SUITE_P(
    Temperature, ConvertHandlerTest,
    ::testing::Values(
        Press{1, "1.00", "degree Celsius", "kelvin", ".", "274.15", kNone},
        Press{1, "100", "degree Fahrenheit", "degree Celsius", ".", "37.777777777778", kNone},
        Press{1, "-273.16", "degree Celsius", "kelvin", ".", "Below Absolute Zero", kNone},
        Press{1, "1.00", "degree Celsius", "kelvin", ",", "274,15", kNone}),
    PressName);

INSTANTIATE_TEST_SUITE_P(
    Failures, ConvertHandlerTest,
    ::testing::Values(Press{0, "1", "meter", "", ".", "", {"Subscript out of range@124"}},
                      Press{1, "1", "kelvin", "", ".", "", {"Subscript out of range@122"}},
                      Press{0,
                            "1",
                            "",
                            "meter",
                            ".",
                            "",
                            {"Subscript out of range@120", "Subscript out of range@122"}},
                      // "ounce" of Weight is not a Volume unit: the category decides.
                      Press{3, "1", "ounce", "kilogram", ".", "", {"Subscript out of range@124"}},
                      Press{0, "1E39", "meter", "meter", ".", "", {"Overflow@124"}},
                      Press{0, "1e309", "meter", "meter", ".", "", {"Overflow@124"}},
                      Press{1, "1e309", "kelvin", "kelvin", ".", "", {"Overflow@122"}},
                      Press{1, "1.5E308", "degree Reaumur", "kelvin", ".", "", {"Overflow@122"}},
                      Press{7,
                            "1",
                            "meter",
                            "meter",
                            ".",
                            "",
                            {"Subscript out of range@120", "Subscript out of range@122",
                             "Subscript out of range@132", "Subscript out of range@134"}}),
    PressName);

TEST(ConvertHandlerStateTest, RecordsListIndexesAfterSuccessAndFailure) {
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    WindowState state;
    state.selUnitType = 4;
    FakeView view;
    view.from = "pound";
    view.to = "kilogram";
    view.fromIndex = 16;
    view.toIndex = 9;
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    ConvertHandler handler(catalogue, state, view, report, ".");
    handler.PushButton2_Click();
    EXPECT_EQ(state.lastFrom(4), 16);
    EXPECT_EQ(state.lastTo(4), 9);

    view.to = "";
    view.toIndex = -1;
    handler.PushButton2_Click();
    EXPECT_EQ(view.results.back(), "");
    EXPECT_EQ(state.lastTo(4), -1);
    EXPECT_EQ(state.lastFrom(0), 0);

    // A second press starts from an empty result text.
    view.to = "kilogram";
    view.amount = "1E39";
    handler.PushButton2_Click();
    EXPECT_EQ(view.results.back(), "");
}

TEST(ConvertHandlerStateTest, OutOfRangeCategoryLeavesTheIndexesUnchanged) {
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    WindowState state;
    state.lastFrom(0) = 3;
    state.selUnitType = -1;
    FakeView view;
    view.from = view.to = "meter";
    view.fromIndex = 6;
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    ConvertHandler(catalogue, state, view, report, ".").PushButton2_Click();
    EXPECT_EQ(box.texts.size(), 4u);
    EXPECT_EQ(state.lastFrom(0), 3);
}

}  // namespace
}  // namespace metrivo

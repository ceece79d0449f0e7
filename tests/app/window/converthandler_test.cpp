// "Start Converting" applied to the window: what the user sees, in the order
// it happens. The results themselves are the core's (units/).
#include "converthandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakemessagebox.h"
#include "loadedcatalogue.h"

namespace metrivo {
namespace {

// Records what the press does to the window, boxes included, as one log.
class FakeView : public ConversionView {
  public:
    void SetMousePointer(MousePointer p) override {
        log.push_back(p == MousePointer::kHourglass ? "hourglass" : "pointer");
    }
    std::string AmountText() const override { return amount; }
    std::string FromUnitText() const override { return from; }
    std::string ToUnitText() const override { return to; }
    int16_t FromListIndex() const override { return fromIndex; }
    int16_t ToListIndex() const override { return toIndex; }
    void SetResultText(const std::string& text) override { log.push_back("result " + text); }

    std::string amount = "1.00", from, to;
    int16_t fromIndex = 0, toIndex = 0;
    std::vector<std::string> log;
};

struct PressCase {
    const char* name;
    int16_t category;
    const char* amount;
    const char* from;
    const char* to;
    std::vector<std::string> log;
};

class ConvertHandlerTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(ConvertHandlerTest, ShowsEachStepInOrder) {
    const PressCase& c = GetParam();
    WindowState state;
    state.selUnitType = c.category;
    FakeView view;
    view.amount = c.amount;
    view.from = c.from;
    view.to = c.to;
    test::FakeMessageBox box;
    box.onShow = [&] { view.log.push_back("box " + box.reports().back()); };
    ErrorReport report(box, "s@t");
    ConvertHandler handler(test::LoadedCatalogue(), state, view, report, ".");
    handler.PushButton2_Click();
    EXPECT_EQ(view.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ConvertHandlerTest,
    ::testing::Values(PressCase{"Converted",
                                4,
                                "2.5",
                                "pound",
                                "kilogram",
                                {"hourglass", "result 1.133981", "pointer"}},
                      PressCase{"SourceNotFound",
                                0,
                                "1",
                                "",
                                "meter",
                                {"hourglass", "box Subscript out of range@120",
                                 "box Subscript out of range@122", "result ", "pointer"}},
                      PressCase{"Overflow",
                                0,
                                "1E39",
                                "meter",
                                "meter",
                                {"hourglass", "box Overflow@124", "result ", "pointer"}},
                      PressCase{
                          "CategoryOutOfRange",
                          7,
                          "1",
                          "meter",
                          "meter",
                          {"hourglass", "box Subscript out of range@120",
                           "box Subscript out of range@122", "result ", "pointer",
                           "box Subscript out of range@132", "box Subscript out of range@134"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertHandlerStateTest, RecordsListIndexesAfterSuccessAndFailure) {
    WindowState state;
    state.selUnitType = 4;
    FakeView view;
    view.from = "pound";
    view.to = "kilogram";
    view.fromIndex = 16;
    view.toIndex = 9;
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    ConvertHandler handler(test::LoadedCatalogue(), state, view, report, ".");
    handler.PushButton2_Click();
    EXPECT_EQ(state.lastFrom(4), 16);
    EXPECT_EQ(state.lastTo(4), 9);

    view.to = "";
    view.toIndex = -1;
    handler.PushButton2_Click();
    EXPECT_EQ(view.log.back(), "pointer");
    EXPECT_EQ(state.lastTo(4), -1);
    EXPECT_EQ(state.lastFrom(0), 0);
}

TEST(ConvertHandlerStateTest, OutOfRangeCategoryLeavesTheIndexesUnchanged) {
    WindowState state;
    state.lastFrom(0) = 3;
    state.selUnitType = -1;
    FakeView view;
    view.from = view.to = "meter";
    view.fromIndex = 6;
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    ConvertHandler(test::LoadedCatalogue(), state, view, report, ".").PushButton2_Click();
    EXPECT_EQ(box.texts.size(), 4u);
    EXPECT_EQ(state.lastFrom(0), 3);
}

}  // namespace
}  // namespace metrivo

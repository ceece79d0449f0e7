// The plain conversion call and the window's "Start Converting" are built
// from the same step functions: for every pair of catalogue names in every
// category, many amounts and both separators they give the same text, and
// the call fails exactly where the window reports a failed step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converthandler.h"
#include "fakemessagebox.h"
#include "loadedcatalogue.h"
#include "unitconversion.h"

namespace metrivo {
namespace {

class ListView : public ConversionView {
  public:
    void SetMousePointer(MousePointer) override {}
    std::string AmountText() const override { return amount; }
    std::string FromUnitText() const override { return from; }
    std::string ToUnitText() const override { return to; }
    int16_t FromListIndex() const override { return 0; }
    int16_t ToListIndex() const override { return 0; }
    void SetResultText(const std::string& text) override { result = text; }

    std::string amount, from, to, result;
};

const std::vector<std::string> kAmounts{"1",
                                        "1.00",
                                        "0",
                                        "-0",
                                        "2.5",
                                        "-40",
                                        "230.4",
                                        "-273.15",
                                        "-273.16",
                                        "100",
                                        "98.6",
                                        "12345678",
                                        "0.00001",
                                        "1E39",
                                        "1e309",
                                        "1e-310",
                                        "-1e-320",
                                        "3.4028235E+38",
                                        "1.5E308",
                                        "&HFFFF",
                                        "1 000",
                                        "1,5",
                                        "abc",
                                        "",
                                        "-218.4",
                                        "359.9",
                                        "7.7e22",
                                        "-9.99e-5",
                                        "1.7976931348623157E+308"};

class PlainPathTest : public testing::TestWithParam<int> {};

TEST_P(PlainPathTest, SameTextAsTheWindowForEveryPair) {
    const int category = GetParam();
    const UnitCatalogue& catalogue = test::LoadedCatalogue();
    std::vector<std::string> names;
    for (const UnitRecord& row : catalogue.rows()) {
        if (row.category == category) names.push_back(row.name);
    }
    for (const char* separator : {".", ","}) {
        WindowState state;
        state.selUnitType = static_cast<int16_t>(category);
        ListView view;
        test::FakeMessageBox box;
        ErrorReport report(box, "s@t");
        ConvertHandler handler(catalogue, state, view, report, separator);
        for (const std::string& from : names) {
            for (const std::string& to : names) {
                for (const std::string& amount : kAmounts) {
                    view.amount = amount;
                    view.from = from;
                    view.to = to;
                    box.texts.clear();
                    handler.PushButton2_Click();
                    const UnitConversion::Outcome o =
                        UnitConversion::Convert(catalogue, category, amount, from, to, separator);
                    SCOPED_TRACE(amount + " " + from + " -> " + to + " sep " + separator);
                    ASSERT_EQ(o.text, view.result);
                    ASSERT_EQ(o.failure != UnitConversion::Failure::kNone, !box.texts.empty());
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Categories, PlainPathTest, testing::Range(0, 6),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(UnitCatalogue::CategoryName(info.param));
                         });

}  // namespace
}  // namespace metrivo

#include "converthandler.h"

#include "numbertext.h"
#include "unitconversion.h"

namespace metrivo {
namespace {
constexpr std::string_view kProcedure = "PushButton2_Click";
}

ConvertHandler::ConvertHandler(const UnitCatalogue& catalogue, WindowState& state,
                               ConversionView& view, const ErrorReport& report,
                               std::string decimalSeparator)
    : catalogue_(catalogue),
      state_(state),
      view_(view),
      report_(report),
      separator_(std::move(decimalSeparator)),
      handler_(BuildSteps()) {}

void ConvertHandler::PushButton2_Click() {
    targetIndex_ = 0;
    sourceIndex_ = 0;
    result_.clear();
    handler_.Run(report_);
}

GuardedHandler ConvertHandler::BuildSteps() {
    using Step = GuardedHandler::Step;
    constexpr int kNext = GuardedHandler::kNext;
    auto withinBound = [this](int16_t index) { return index <= catalogue_.UpperBound(); };

    std::vector<Step> steps{
        {100,
         [this] {
             view_.SetMousePointer(MousePointer::kHourglass);
             return kNext;
         },
         108},
        // Target search. Testing a row (110) and moving to the next (112) run as
        // one loop: only the test can fail, and its failure ends the search on
        // the row being tested.
        {108,
         [this, withinBound] {
             targetIndex_ = 0;
             return withinBound(targetIndex_) ? 110 : 114;
         },
         110},
        {110,
         [this] {
             targetIndex_ = static_cast<int16_t>(
                 UnitConversion::FindRow(catalogue_, state_.selUnitType, view_.ToUnitText()));
             return 114;
         },
         114},
        // Source search, in the same way (116 and 118).
        {114,
         [this, withinBound] {
             sourceIndex_ = 0;
             return withinBound(sourceIndex_) ? 116 : 120;
         },
         116},
        {116,
         [this] {
             sourceIndex_ = static_cast<int16_t>(
                 UnitConversion::FindRow(catalogue_, state_.selUnitType, view_.FromUnitText()));
             return 120;
         },
         120},
        // Temperature or linear.
        {120,
         [this] { return UnitConversion::IsTemperature(catalogue_.Row(sourceIndex_)) ? 122 : 124; },
         122},
        {122,
         [this] {
             const double amount = NumberText::ReadAmount(view_.AmountText());
             const std::string& from = catalogue_.Row(sourceIndex_).name;
             const std::string& to = catalogue_.Row(targetIndex_).name;
             result_ = UnitConversion::TemperatureText(amount, from, to, separator_);
             return 126;
         },
         126},
        {124,
         [this] {
             const double amount = NumberText::ReadAmount(view_.AmountText());
             const float from = catalogue_.Row(sourceIndex_).factor;
             const float to = catalogue_.Row(targetIndex_).factor;
             result_ = UnitConversion::LinearText(amount, from, to, separator_);
             return 126;
         },
         126},
        {126,
         [this] {
             UnitConversion::TrimSpaces(result_);
             return kNext;
         }},
        {128,
         [this] {
             view_.SetResultText(result_);
             return kNext;
         }},
        {130,
         [this] {
             view_.SetMousePointer(MousePointer::kDefault);
             return kNext;
         }},
        {132,
         [this] {
             state_.lastFrom(state_.selUnitType) = view_.FromListIndex();
             return kNext;
         }},
        {134,
         [this] {
             state_.lastTo(state_.selUnitType) = view_.ToListIndex();
             return GuardedHandler::kEnd;
         },
         GuardedHandler::kEnd},
    };
    return GuardedHandler(std::string(kProcedure), std::move(steps));
}

}  // namespace metrivo

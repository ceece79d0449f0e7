#include "converthandler.h"

#include <new>

namespace metrivo {
namespace {
constexpr int kHourglassLabel = 100;
constexpr int kDefaultPointerLabel = 130;
}  // namespace

ConvertHandler::ConvertHandler(const UnitCatalogue& catalogue, WindowState& state,
                               ConversionView& view, const ErrorReport& report,
                               std::string decimalSeparator)
    : catalogue_(catalogue),
      state_(state),
      view_(view),
      report_(report),
      separator_(std::move(decimalSeparator)) {}

template <typename Step>
void ConvertHandler::Guarded(int label, Step&& step) {
    try {
        step();
        report_.RaiseHeldError();
    } catch (const RunTimeError& error) {
        report_.ShowErrorReport(kProcedure, error.description(), label);
    } catch (const std::bad_alloc&) {
        report_.ShowErrorReport(
            kProcedure, RunTimeError::StandardDescription(RunTimeError::kOutOfMemory), label);
    }
}

void ConvertHandler::Show(const UnitConversion::Report& report) const {
    report_.ShowErrorReport(kProcedure, RunTimeError::StandardDescription(report.error),
                            report.label);
}

void ConvertHandler::PushButton2_Click() {
    const ErrorReport::HandlerScope running(report_);
    outcome_.text.clear();
    outcome_.reports.clear();
    outcome_.recorded = false;
    Guarded(kHourglassLabel, [this] { view_.SetMousePointer(MousePointer::kHourglass); });
    Guarded(UnitConversion::kSourceTestLabel, [this] {
        const std::string amount = view_.AmountText();
        const std::string from = view_.FromUnitText();
        const std::string to = view_.ToUnitText();
        const UnitConversion::Press press{.selUnitType = state_.selUnitType,
                                          .amount = amount,
                                          .from = from,
                                          .to = to,
                                          .fromIndex = view_.FromListIndex(),
                                          .toIndex = view_.ToListIndex()};
        UnitConversion::Convert(catalogue_, press, separator_, outcome_);
    });
    // The reports of the search and the conversion come while the Results box
    // still shows the previous result; those of the recording after it.
    auto report = outcome_.reports.begin();
    for (; report != outcome_.reports.end() && report->label < UnitConversion::kShowLabel;
         ++report) {
        Show(*report);
    }
    Guarded(UnitConversion::kShowLabel, [this] { view_.SetResultText(outcome_.text); });
    Guarded(kDefaultPointerLabel, [this] { view_.SetMousePointer(MousePointer::kDefault); });
    for (; report != outcome_.reports.end(); ++report) Show(*report);
    if (outcome_.recorded) {
        state_.lastFrom(state_.selUnitType) = outcome_.lastFrom;
        state_.lastTo(state_.selUnitType) = outcome_.lastTo;
    }
}

}  // namespace metrivo

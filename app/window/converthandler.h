#pragma once

#include <string>

#include "conversionview.h"
#include "errorreport.h"
#include "unitcatalogue.h"
#include "unitconversion.h"
#include "windowstate.h"

namespace metrivo {

// "Start Converting": shows the hourglass, works out the press from the
// window's amount, lists and category, and applies the outcome: its reports
// in order, the Results text, the default pointer and the list indexes.
class ConvertHandler {
  public:
    static constexpr std::string_view kProcedure = "PushButton2_Click";

    ConvertHandler(const UnitCatalogue& catalogue, WindowState& state, ConversionView& view,
                   const ErrorReport& report, std::string decimalSeparator);
    ConvertHandler(const ConvertHandler&) = delete;
    ConvertHandler& operator=(const ConvertHandler&) = delete;

    void PushButton2_Click();

  private:
    // Runs one step of the window's own; a failure is reported with its label.
    template <typename Step>
    void Guarded(int label, Step&& step);
    void Show(const UnitConversion::Report& report) const;

    const UnitCatalogue& catalogue_;
    WindowState& state_;
    ConversionView& view_;
    const ErrorReport& report_;
    std::string separator_;
    UnitConversion::Outcome outcome_;
};

}  // namespace metrivo

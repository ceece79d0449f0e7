#pragma once

#include <cstdint>
#include <string>

#include "conversionview.h"
#include "errorreport.h"
#include "guardedhandler.h"
#include "unitcatalogue.h"
#include "windowstate.h"

namespace metrivo {

// "Start Converting": finds the target and then the source unit by their list
// texts within the selected category, converts the amount linearly or as a
// temperature, shows the result and records the two list indexes.
class ConvertHandler {
  public:
    ConvertHandler(const UnitCatalogue& catalogue, WindowState& state, ConversionView& view,
                   const ErrorReport& report, std::string decimalSeparator);
    ConvertHandler(const ConvertHandler&) = delete;
    ConvertHandler& operator=(const ConvertHandler&) = delete;

    void PushButton2_Click();

  private:
    // The step table; the search, conversion and trimming steps call the
    // step functions of UnitConversion.
    GuardedHandler BuildSteps();

    const UnitCatalogue& catalogue_;
    WindowState& state_;
    ConversionView& view_;
    const ErrorReport& report_;
    std::string separator_;

    // Working values of one press.
    int16_t targetIndex_ = 0;
    int16_t sourceIndex_ = 0;
    std::string result_;

    GuardedHandler handler_;
};

}  // namespace metrivo

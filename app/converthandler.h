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
    GuardedHandler BuildSteps();
    // Scans the rows upwards from `index` for the first whose name is the
    // list text and whose category is the selected one; `index` ends on that
    // row, or one past the upper bound when there is none.
    void SearchFrom(int16_t& index, const std::string& listText) const;

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

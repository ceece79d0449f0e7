#include "cliconverter.h"

namespace metrivo {

CliConverter::CliConverter(const UnitCatalogue& catalogue, std::ostream& errors,
                           std::string separator)
    : view_(catalogue),
      box_(errors),
      report_(box_),
      handler_(catalogue, state_, view_, report_, std::move(separator)) {}

const std::string& CliConverter::Convert(int16_t category, std::string_view amount,
                                         std::string_view from, std::string_view to) {
    state_.selUnitType = category;
    view_.SetInput(category, amount, from, to);
    handler_.PushButton2_Click();
    return view_.ResultText();
}

}  // namespace metrivo

#include "temperatureconversion.h"

#include "numbertext.h"

namespace metrivo {

std::string TemperatureConversion::TempConvert(double amount, const TemperatureScale& from,
                                               const TemperatureScale& to,
                                               std::string_view separator) {
    // The kelvin value as computed, and as its 15-digit text reads back.
    const double computed = from.HasFormulas() ? from.toKelvin(amount) : amount;
    const double kelvin = NumberText::Round15(computed);
    if (kelvin < 0) return std::string(kBelowAbsoluteZero);
    if (to.HasFormulas()) return NumberText::Write15(to.fromKelvin(kelvin), separator);
    return NumberText::Write15(computed, separator);
}

}  // namespace metrivo

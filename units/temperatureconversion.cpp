#include "temperatureconversion.h"

#include "numbertext.h"

namespace metrivo {
namespace {

constexpr double kCelsiusOffset = 273.15;

// The scales converted by formula; every other name is taken as kelvin.
bool HasFormula(std::string_view scale) {
    return scale == "degree Celsius" || scale == "degree Fahrenheit" || scale == "degree Rankine" ||
           scale == "degree Reaumur";
}

double ToKelvin(std::string_view scale, double v) {
    if (scale == "degree Celsius") return v + kCelsiusOffset;
    if (scale == "degree Fahrenheit") return (v - 32) / 1.8 + kCelsiusOffset;
    if (scale == "degree Rankine") return v / 1.8;
    return v * 1.25 + kCelsiusOffset;  // degree Reaumur
}

double FromKelvin(std::string_view scale, double k) {
    if (scale == "degree Celsius") return k - kCelsiusOffset;
    if (scale == "degree Fahrenheit") return (k - kCelsiusOffset) * 1.8 + 32;
    if (scale == "degree Rankine") return k * 1.8;
    return (k - kCelsiusOffset) / 1.25;  // degree Reaumur
}

}  // namespace

std::string TemperatureConversion::TempConvert(std::string& FromVal, std::string_view from_unit,
                                               std::string_view to_unit,
                                               std::string_view separator) {
    if (HasFormula(from_unit)) {
        FromVal = NumberText::Write15(
            ToKelvin(from_unit, NumberText::ReadNumber(FromVal, separator)), separator);
    }
    // The below-zero test and the second half read the same kelvin text, so
    // one reading serves both.
    const double kelvin = NumberText::ReadNumber(FromVal, separator);
    if (kelvin < 0) {
        return std::string(kBelowAbsoluteZero);
    }
    if (HasFormula(to_unit)) {
        FromVal = NumberText::Write15(FromKelvin(to_unit, kelvin), separator);
    }
    return FromVal;
}

std::string TemperatureConversion::FromAmount(double amount, std::string_view from_unit,
                                              std::string_view to_unit,
                                              std::string_view separator) {
    if (!NumberText::IsPlainSeparator(separator)) {
        std::string fromVal = NumberText::Write15(amount, separator);
        return TempConvert(fromVal, from_unit, to_unit, separator);
    }
    // The kelvin value as computed, and as read back from its 15-digit text.
    double computed = amount;
    if (HasFormula(from_unit)) computed = ToKelvin(from_unit, NumberText::Round15(amount));
    const double kelvin = NumberText::Round15(computed);
    if (kelvin < 0) {
        return std::string(kBelowAbsoluteZero);
    }
    if (HasFormula(to_unit)) return NumberText::Write15(FromKelvin(to_unit, kelvin), separator);
    return NumberText::Write15(computed, separator);
}

}  // namespace metrivo

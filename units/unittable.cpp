#include "unittable.h"

#include <array>

namespace metrivo {
namespace {

using enum UnitTable::Category;

constexpr UnitDefinition Unit(int32_t category, std::string_view name) {
    UnitDefinition unit;
    unit.category = category;
    unit.name = name;
    return unit;
}
constexpr UnitDefinition Stored(int32_t category, std::string_view name, float factor) {
    UnitDefinition unit = Unit(category, name);
    unit.storedFactor = factor;
    return unit;
}
constexpr UnitDefinition Computed(int32_t category, std::string_view name, double numerator,
                                  double denominator = 1.0) {
    UnitDefinition unit = Unit(category, name);
    unit.computed = true;
    unit.numerator = numerator;
    unit.denominator = denominator;
    return unit;
}
constexpr UnitDefinition Scale(std::string_view name, TemperatureScale scale) {
    UnitDefinition unit = Unit(kTemperature, name);
    unit.scale = scale;
    return unit;
}

// Each formula is evaluated in 64 bits, in the order written: the results
// are exact to the last digit only in this order.
constexpr double kCelsiusOffset = 273.15;
constexpr TemperatureScale kCelsius{[](double v) { return v + kCelsiusOffset; },
                                    [](double k) { return k - kCelsiusOffset; }};
constexpr TemperatureScale kFahrenheit{[](double v) { return (v - 32) / 1.8 + kCelsiusOffset; },
                                       [](double k) { return (k - kCelsiusOffset) * 1.8 + 32; }};
constexpr TemperatureScale kRankine{[](double v) { return v / 1.8; },
                                    [](double k) { return k * 1.8; }};
constexpr TemperatureScale kReaumur{[](double v) { return v * 1.25 + kCelsiusOffset; },
                                    [](double k) { return (k - kCelsiusOffset) / 1.25; }};
constexpr TemperatureScale kKelvin{};

// The units in list order. Symbols keep their letter case ("C" is Celsius,
// "c" the speed of light); a power is written with its superscript ("m²"),
// and "m2" and "m^2" find it too.
constexpr std::array kTable{
    // Length
    Stored(kLength, "centimeter", 0.01f)
        .Symbols("cm")
        .Aliases("centimetre|centimeters|centimetres"),
    Stored(kLength, "feet", 0.3048f).Symbols("ft").Aliases("foot"),
    Computed(kLength, "inch", 0.3048, 12).Symbols("in").Aliases("inches"),
    Stored(kLength, "kilometer", 1000.0f).Symbols("km").Aliases("kilometre|kilometers|kilometres"),
    Stored(kLength, "league", 4828.0415f).Aliases("leagues"),
    Stored(kLength, "league [nautical]", 5556.0f).Aliases("nautical league|nautical leagues"),
    Stored(kLength, "meter", 1.0f).Symbols("m").Aliases("metre|meters|metres"),
    Stored(kLength, "microinch", 2.54e-08f).Symbols("µin|uin").Aliases("microinches"),
    Computed(kLength, "mile", 1609.344).Symbols("mi").Aliases("miles"),
    Stored(kLength, "millimeter", 0.001f)
        .Symbols("mm")
        .Aliases("millimetre|millimeters|millimetres"),
    Stored(kLength, "yard", 0.9144f).Symbols("yd").Aliases("yards"),
    // Temperature
    Scale("degree Celsius", kCelsius)
        .Symbols("C|°C|degC")
        .Aliases("Celsius|degrees Celsius|centigrade"),
    Scale("degree Fahrenheit", kFahrenheit)
        .Symbols("F|°F|degF")
        .Aliases("Fahrenheit|degrees Fahrenheit"),
    Scale("degree Rankine", kRankine).Symbols("R|°R|degR").Aliases("Rankine|degrees Rankine"),
    Scale("degree Reaumur", kReaumur)
        .Symbols("Re|°Re|degRe")
        .Aliases("Reaumur|Réaumur|degrees Reaumur|degree Réaumur|degrees Réaumur"),
    Scale("kelvin", kKelvin).Symbols("K").Aliases("kelvins"),
    // Speed
    Stored(kSpeed, "centimeter/second", 0.01f)
        .Symbols("cm/s")
        .Aliases("centimetre/second|centimeters per second|centimetres per second"),
    Stored(kSpeed, "foot/second", 0.3048f)
        .Symbols("ft/s|fps")
        .Aliases("feet/second|feet per second|foot per second"),
    Computed(kSpeed, "inch/second", 0.3048, 12)
        .Symbols("in/s|ips")
        .Aliases("inches/second|inches per second|inch per second"),
    Computed(kSpeed, "kilometer/hour", 1000, 3600)
        .Symbols("km/h|km/hr|kph|kmh")
        .Aliases("kilometre/hour|kilometers per hour|kilometres per hour|kilometer per hour|"
                 "kilometre per hour"),
    Stored(kSpeed, "kilometer/second", 1000.0f)
        .Symbols("km/s")
        .Aliases("kilometre/second|kilometers per second|kilometres per second"),
    Computed(kSpeed, "knot", 1852, 3600).Symbols("kn|kt|kts").Aliases("knots"),
    Stored(kSpeed, "mach", 340.29f),
    Stored(kSpeed, "meter/second", 1.0f)
        .Symbols("m/s")
        .Aliases("metre/second|meters per second|metres per second|meter per second|"
                 "metre per second"),
    Computed(kSpeed, "mile/hour (mph)", 1609.344, 3600)
        .Symbols("mph|mi/h|mi/hr")
        .Aliases("mile/hour|miles/hour|miles per hour|mile per hour"),
    Computed(kSpeed, "mile/second", 1609.344)
        .Symbols("mi/s")
        .Aliases("miles/second|miles per second|mile per second"),
    Stored(kSpeed, "millimeter/second", 0.001f)
        .Symbols("mm/s")
        .Aliases("millimetre/second|millimeters per second|millimetres per second"),
    Stored(kSpeed, "speed of light [vacuum]", 299792458.0f)
        .Symbols("c")
        .Aliases("speed of light|light speed"),
    Stored(kSpeed, "speed of sound [air]", 340.29f).Aliases("speed of sound|sound speed"),
    // Volume
    Stored(kVolume, "ounce", 0.0295735f)
        .Symbols("fl oz|floz")
        .Aliases("ounces|fluid ounce|fluid ounces"),
    Stored(kVolume, "pint", 0.4731764f).Symbols("pt").Aliases("pints"),
    Stored(kVolume, "quart", 0.9463529f).Symbols("qt").Aliases("quarts"),
    Stored(kVolume, "gallon", 3.7854116f).Symbols("gal").Aliases("gallons"),
    Stored(kVolume, "cubic inch", 0.016387f).Symbols("cu in|in³").Aliases("cubic inches"),
    Stored(kVolume, "cubic feet", 28.316847f).Symbols("cu ft|ft³").Aliases("cubic foot"),
    Stored(kVolume, "cubic yard", 764.5549f).Symbols("cu yd|yd³").Aliases("cubic yards"),
    Stored(kVolume, "microliter", 1e-06f)
        .Symbols("µl|µL|ul|uL|mm³")
        .Aliases("microlitre|microliters|microlitres"),
    Stored(kVolume, "mililiter (cc)", 0.001f)
        .Symbols("ml|mL|cc|cm³")
        .Aliases("milliliter|millilitre|milliliters|millilitres|mililiter"),
    Stored(kVolume, "deciliter", 0.1f).Symbols("dl|dL").Aliases("decilitre|deciliters|decilitres"),
    Stored(kVolume, "liter", 1.0f).Symbols("l|L|dm³").Aliases("litre|liters|litres"),
    Stored(kVolume, "cubic meter", 1000.0f)
        .Symbols("m³")
        .Aliases("cubic metre|cubic meters|cubic metres"),
    // Weight
    Stored(kWeight, "centigram", 1e-05f).Symbols("cg").Aliases("centigrams"),
    Stored(kWeight, "decigram", 0.0001f).Symbols("dg").Aliases("decigrams"),
    Stored(kWeight, "dekagram", 0.01f).Symbols("dag").Aliases("decagram|dekagrams|decagrams"),
    Computed(kWeight, "dram", 0.45359237, 256).Symbols("dr").Aliases("drams"),
    Stored(kWeight, "grain", 6.47989e-05f).Symbols("gr").Aliases("grains"),
    Stored(kWeight, "gram", 0.001f).Symbols("g").Aliases("gramme|grams|grammes"),
    Stored(kWeight, "hectogram", 0.1f).Symbols("hg").Aliases("hectograms"),
    Computed(kWeight, "hundredweight (long, UK)", 50.80234544)
        .Aliases("long hundredweight|long hundredweights"),
    Computed(kWeight, "hundredweight (short, US)", 45.359237)
        .Symbols("cwt")
        .Aliases("short hundredweight|short hundredweights"),
    Stored(kWeight, "kilogram", 1.0f)
        .Symbols("kg")
        .Aliases("kilogramme|kilograms|kilogrammes|kilo|kilos"),
    Stored(kWeight, "lb, lbs", 0.45359237f).Symbols("lb|lbs"),
    Computed(kWeight, "long ton (UK)", 1016.0469088000001)
        .Aliases("long ton|long tons|UK ton|UK tons"),
    Stored(kWeight, "megagram (metric ton) (tonne)", 1000.0f)
        .Symbols("t|Mg")
        .Aliases("tonne|tonnes|metric ton|metric tons|megagram|megagrams"),
    Stored(kWeight, "microgram", 1e-09f).Symbols("µg|ug|mcg").Aliases("micrograms"),
    Stored(kWeight, "milligram", 1e-06f).Symbols("mg").Aliases("milligrams"),
    Computed(kWeight, "ounce", 0.45359237, 16).Symbols("oz").Aliases("ounces"),
    Stored(kWeight, "pound", 0.45359237f).Aliases("pounds"),
    Computed(kWeight, "short ton (US)", 907.18474)
        .Aliases("short ton|short tons|US ton|US tons|ton (short, US)"),
    Computed(kWeight, "ton (long, UK)", 1016.0469088000001),
    // Area
    Stored(kArea, "square inch", 0.0006451f).Symbols("sq in|in²").Aliases("square inches"),
    Stored(kArea, "square foot", 0.092903f).Symbols("sq ft|ft²").Aliases("square feet"),
    Stored(kArea, "square yard", 0.8361273f).Symbols("sq yd|yd²").Aliases("square yards"),
    Stored(kArea, "square rod", 25.292852f).Symbols("sq rd").Aliases("square rods"),
    Stored(kArea, "acre", 4046.8564f).Symbols("ac").Aliases("acres"),
    Stored(kArea, "quarter section", 647497.0f).Aliases("quarter sections"),
    Stored(kArea, "square mile", 2589988.0f).Symbols("sq mi|mi²").Aliases("square miles"),
    Stored(kArea, "square millimeter", 1e-06f)
        .Symbols("sq mm|mm²")
        .Aliases("square millimetre|square millimeters|square millimetres"),
    Stored(kArea, "square centimeter", 0.0001f)
        .Symbols("sq cm|cm²")
        .Aliases("square centimetre|square centimeters|square centimetres"),
    Stored(kArea, "square meter", 1.0f)
        .Symbols("sq m|m²")
        .Aliases("square metre|square meters|square metres"),
    Stored(kArea, "are", 100.0f).Aliases("ares"),
    Stored(kArea, "hectare", 10000.0f).Symbols("ha").Aliases("hectares"),
    Stored(kArea, "square kiloimeter", 1000000.0f)
        .Symbols("sq km|km²")
        .Aliases("square kilometer|square kilometre|square kilometers|square kilometres"),
};

constexpr std::array<std::string_view, UnitTable::kCategoryCount> kCategoryNames{
    "Length", "Temperature", "Speed", "Volume", "Weight", "Area"};

}  // namespace

std::span<const UnitDefinition> UnitTable::Rows() {
    return kTable;
}

std::string_view UnitTable::CategoryName(int category) {
    if (category < 0 || category >= kCategoryCount) return {};
    return kCategoryNames[static_cast<std::size_t>(category)];
}

}  // namespace metrivo

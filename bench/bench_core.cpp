// The conversion core, text in to text out: the unit search over the
// catalogue rows, the amount reading, the arithmetic and the number text.
// The press and batch-line cases add what metrivo-convert puts around it.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <string_view>

#include "batchrunner.h"
#include "cliconverter.h"
#include "linearconversion.h"
#include "numbertext.h"
#include "temperatureconversion.h"
#include "unitcatalogue.h"

namespace {

using metrivo::NumberText;
using metrivo::UnitCatalogue;

const UnitCatalogue& Catalogue() {
    static const UnitCatalogue catalogue = [] {
        UnitCatalogue c;
        c.LoadUnits();
        return c;
    }();
    return catalogue;
}

// The first row with this name in the category, scanning upwards from row 0;
// one past the upper bound when there is none.
int FindRow(const UnitCatalogue& catalogue, std::string_view name, int category) {
    int index = 0;
    for (; index <= catalogue.UpperBound(); ++index) {
        const metrivo::UnitRecord& row = catalogue.Row(index);
        if (row.name == name && row.category == category) break;
    }
    return index;
}

std::string ConvertLinear(std::string_view amount, std::string_view from, std::string_view to,
                          int category, std::string_view separator) {
    const UnitCatalogue& catalogue = Catalogue();
    const int target = FindRow(catalogue, to, category);
    const int source = FindRow(catalogue, from, category);
    const double value = NumberText::ReadAmount(amount);
    return NumberText::Write7(metrivo::LinearConversion::Result(value, catalogue.Row(source).factor,
                                                                catalogue.Row(target).factor),
                              separator);
}

std::string ConvertTemperature(std::string_view amount, std::string_view from, std::string_view to,
                               std::string_view separator) {
    const UnitCatalogue& catalogue = Catalogue();
    const int target = FindRow(catalogue, to, UnitCatalogue::kTemperature);
    const int source = FindRow(catalogue, from, UnitCatalogue::kTemperature);
    std::string value = NumberText::Write15(NumberText::ReadAmount(amount), separator);
    return metrivo::TemperatureConversion::TempConvert(value, catalogue.Row(source).name,
                                                       catalogue.Row(target).name, separator);
}

void BM_LinearConversion(benchmark::State& state) {
    for (auto _ : state) {
        std::string result = ConvertLinear("2.5", "pound", "kilogram", UnitCatalogue::kWeight, ".");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LinearConversion);

void BM_TemperatureConversion(benchmark::State& state) {
    for (auto _ : state) {
        std::string result = ConvertTemperature("100", "degree Fahrenheit", "degree Celsius", ".");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_TemperatureConversion);

// A whole "Start Converting" press as metrivo-convert runs it: the guarded
// steps of the window's handler over the command line's view.
void BM_PressLinear(benchmark::State& state) {
    std::ostringstream errors;
    metrivo::CliConverter converter(Catalogue(), errors, ".");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            converter.Convert(UnitCatalogue::kWeight, "2.5", "pound", "kilogram").data());
    }
}
BENCHMARK(BM_PressLinear);

void BM_PressTemperature(benchmark::State& state) {
    std::ostringstream errors;
    metrivo::CliConverter converter(Catalogue(), errors, ".");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            converter
                .Convert(UnitCatalogue::kTemperature, "100", "degree Fahrenheit", "degree Celsius")
                .data());
    }
}
BENCHMARK(BM_PressTemperature);

// One --batch line: field split, category and press.
void BM_BatchLine(benchmark::State& state) {
    std::ostringstream errors;
    metrivo::BatchRunner runner(Catalogue(), errors, ".");
    uint64_t number = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            runner.ConvertLine(++number, "Weight\t2.5\tpound\tkilogram").data());
    }
}
BENCHMARK(BM_BatchLine);

}  // namespace

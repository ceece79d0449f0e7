// The conversion core, text in to text out, through one press worked out
// apart from the window: the unit search over the catalogue rows, the amount reading, the
// arithmetic and the number text. The command-line cases add what
// metrivo-convert puts around it: names as people type them, and one
// --batch line with its fields and category.
#include <benchmark/benchmark.h>

#include <string>

#include "batchrunner.h"
#include "cliconverter.h"
#include "unitcatalogue.h"
#include "unitconversion.h"

namespace {

using metrivo::UnitCatalogue;
using metrivo::UnitConversion;

const UnitCatalogue& Catalogue() {
    static const UnitCatalogue catalogue = UnitCatalogue::Loaded();
    return catalogue;
}

void BM_LinearConversion(benchmark::State& state) {
    UnitConversion::Outcome outcome;
    for (auto _ : state) {
        UnitConversion::Convert(Catalogue(),
                                {.selUnitType = metrivo::UnitTable::kWeight,
                                 .amount = "2.5",
                                 .from = "pound",
                                 .to = "kilogram"},
                                ".", outcome);
        benchmark::DoNotOptimize(outcome.text.data());
    }
}
BENCHMARK(BM_LinearConversion);

void BM_TemperatureConversion(benchmark::State& state) {
    UnitConversion::Outcome outcome;
    for (auto _ : state) {
        UnitConversion::Convert(Catalogue(),
                                {.selUnitType = metrivo::UnitTable::kTemperature,
                                 .amount = "100",
                                 .from = "degree Fahrenheit",
                                 .to = "degree Celsius"},
                                ".", outcome);
        benchmark::DoNotOptimize(outcome.text.data());
    }
}
BENCHMARK(BM_TemperatureConversion);

// metrivo-convert's conversion: both names looked up as typed, then the plain call.
void BM_ToolLinear(benchmark::State& state) {
    metrivo::CliConverter converter(Catalogue(), ".");
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.Convert(std::nullopt, "2.5", "lb", "kg"));
    }
}
BENCHMARK(BM_ToolLinear);

void BM_ToolTemperature(benchmark::State& state) {
    metrivo::CliConverter converter(Catalogue(), ".");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            converter.Convert(metrivo::UnitTable::kTemperature, "100", "F", "C"));
    }
}
BENCHMARK(BM_ToolTemperature);

// One --batch line: field split, category and conversion.
void BM_BatchLine(benchmark::State& state) {
    metrivo::BatchRunner runner(Catalogue(), ".");
    for (auto _ : state) {
        benchmark::DoNotOptimize(runner.ConvertLine("Weight\t2.5\tpound\tkilogram").data());
    }
}
BENCHMARK(BM_BatchLine);

}  // namespace

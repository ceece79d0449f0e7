// The settings file at its largest: the load's 14 reads from a fresh store
// (the file read and parsed once) and the close's 13 keys written as one
// replace, synced to disk, in files of 1, 10 and 100 MB where our section
// comes first and another program's keys fill the rest. The folder is
// $BENCH_SETTINGS_DIR, else the system's temporary folder.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qtsettingsstore.h"
#include "windowsettings.h"

namespace {

using metrivo::WindowSettings;
constexpr std::string_view kApp = WindowSettings::kApp;
constexpr std::string_view kSection = WindowSettings::kSection;

std::unique_ptr<QTemporaryDir> MakeFolder(std::int64_t megabytes) {
    const char* base = std::getenv("BENCH_SETTINGS_DIR");
    auto folder = std::make_unique<QTemporaryDir>(
        (base != nullptr ? QString::fromLocal8Bit(base) : QDir::tempPath()) +
        QStringLiteral("/bench-settings-XXXXXX"));
    QFile file(folder->filePath(QStringLiteral("Orvandel.ini")));
    if (!file.open(QIODevice::WriteOnly)) return nullptr;
    file.write("[Metrivo]\nUnitType=4\ncboFromCurrency=1\ncboToCurrency=2\n\n[Other]\n");
    const QByteArray line = "key_of_another_program=some text that belongs to another program\n";
    QByteArray block;
    while (block.size() < (1 << 20)) block += line;
    for (std::int64_t n = 0; n < megabytes; ++n) file.write(block);
    return folder;
}

// What a close stores: every list index `value`, the category `value` % 6.
std::vector<metrivo::SettingsEntry> UnloadEntries(int value) {
    metrivo::WindowState state;
    for (int n = 0; n < metrivo::WindowState::kCategories; ++n) {
        state.lastFrom(n) = state.lastTo(n) = static_cast<int16_t>(value);
    }
    state.selUnitType = static_cast<int16_t>(value % metrivo::WindowState::kCategories);
    return WindowSettings::Choices(state);
}

void BM_Load(benchmark::State& state) {
    const auto folder = MakeFolder(state.range(0));
    if (!folder) return state.SkipWithError("no settings folder");
    for (auto _ : state) {
        const metrivo::QtSettingsStore store(folder->path());
        for (int n = 0; n < metrivo::WindowState::kCategories; ++n) {
            benchmark::DoNotOptimize(
                store.Read(kApp, kSection, WindowSettings::LastFromKey(n), "0"));
            benchmark::DoNotOptimize(store.Read(kApp, kSection, WindowSettings::LastToKey(n), "0"));
        }
        for (std::string_view key : {WindowSettings::kUnitTypeKey, WindowSettings::kFromListKey}) {
            benchmark::DoNotOptimize(store.Read(kApp, kSection, key, "0"));
        }
    }
}
BENCHMARK(BM_Load)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Close(benchmark::State& state) {
    const auto folder = MakeFolder(state.range(0));
    if (!folder) return state.SkipWithError("no settings folder");
    metrivo::QtSettingsStore store(folder->path());
    store.WriteBatch(kApp, kSection, UnloadEntries(0));  // the run's first write
    int value = 0;
    for (auto _ : state) store.WriteBatch(kApp, kSection, UnloadEntries(++value % 2 == 0 ? 3 : 12));
}
BENCHMARK(BM_Close)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

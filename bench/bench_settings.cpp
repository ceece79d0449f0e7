// The settings file at its largest: the load's 14 reads from a fresh store
// (the file read and parsed once) and the close's 13 keys written as one
// replace, synced to disk, in files of 1, 10 and 100 MB where our section
// comes first and another program's keys fill the rest; and the close in
// files of 10 and 100 MB whose section holds our 15 keys again and again
// (about 0.9 and 9 million lines, 13 of every 15 a key the close writes). The
// folder is $BENCH_SETTINGS_DIR, else the system's temporary folder.
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

// A settings file of `megabytes` MB: another program's keys after our
// section, or our own keys given again and again.
std::unique_ptr<QTemporaryDir> MakeFolder(std::int64_t megabytes, bool duplicates = false) {
    const char* base = std::getenv("BENCH_SETTINGS_DIR");
    auto folder = std::make_unique<QTemporaryDir>(
        (base != nullptr ? QString::fromLocal8Bit(base) : QDir::tempPath()) +
        QStringLiteral("/bench-settings-XXXXXX"));
    QFile file(folder->filePath(QStringLiteral("Orvandel.ini")));
    if (!file.open(QIODevice::WriteOnly)) return nullptr;
    QByteArray block;
    if (duplicates) {
        file.write("[Metrivo]\n");
        QByteArray keys;
        for (int n = 0; n < metrivo::WindowState::kCategories; ++n) {
            keys += QByteArray::fromStdString(WindowSettings::LastFromKey(n)) + "=10\n";
            keys += QByteArray::fromStdString(WindowSettings::LastToKey(n)) + "=10\n";
        }
        for (std::string_view key : {WindowSettings::kUnitTypeKey, WindowSettings::kFromListKey,
                                     WindowSettings::kToListKey}) {
            keys += QByteArray(key.data(), static_cast<qsizetype>(key.size())) + "=10\n";
        }
        while (block.size() < (1 << 20)) block += keys;
    } else {
        file.write("[Metrivo]\nUnitType=4\ncboFromCurrency=1\ncboToCurrency=2\n\n[Other]\n");
        const QByteArray line =
            "key_of_another_program=some text that belongs to another program\n";
        while (block.size() < (1 << 20)) block += line;
    }
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

// The values alternate between one and two digits, so every line of the
// file changes length at every close.
void BM_CloseDuplicates(benchmark::State& state) {
    const auto folder = MakeFolder(state.range(0), true);
    if (!folder) return state.SkipWithError("no settings folder");
    metrivo::QtSettingsStore store(folder->path());
    store.WriteBatch(kApp, kSection, UnloadEntries(0));  // the run's first write
    int value = 0;
    for (auto _ : state) store.WriteBatch(kApp, kSection, UnloadEntries(++value % 2 == 0 ? 3 : 12));
}
BENCHMARK(BM_CloseDuplicates)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// The settings text reader and writer on arbitrary text and keys: a repaired
// text is never damaged, what is written reads back, writing again changes
// nothing, and a sound text stays sound.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "initext.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using metrivo::IniText;
    FuzzedDataProvider input(data, size);
    const std::string section =
        input.ConsumeBool() ? "Metrivo" : input.ConsumeRandomLengthString(12);
    std::vector<IniText::Entry> entries;
    const int count = input.ConsumeIntegralInRange(0, 14);
    for (int n = 0; n < count; ++n) {
        std::string key = input.ConsumeRandomLengthString(12);
        std::string value = input.ConsumeRandomLengthString(12);
        entries.push_back({std::move(key), std::move(value)});
    }
    const IniText text(input.ConsumeRemainingBytesAsString());

    (void)text.Value(section, "UnitType");
    const bool damaged = text.Damaged();
    Check(!IniText(text.Repaired()).Damaged());
    if (!damaged) Check(text.Repaired() == text.text());

    std::string written;
    try {
        written = text.With(section, entries);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    const IniText after(written);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bool last = true;
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            last = last && entries[j].key != entries[i].key;
        if (last) Check(after.Value(section, entries[i].key) == entries[i].value);
    }
    Check(after.With(section, entries) == written);
    if (!damaged) Check(!after.Damaged());
    return 0;
}

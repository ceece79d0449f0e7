// The settings text reader and writer on arbitrary text and keys: what is
// written reads back, writing again changes nothing, a sound text stays
// sound, and every line that is not a line of a key written stays, in order,
// damaged or not.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "initext.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The lines of `text` (ended by LF, CR LF or CR) that a write of `keys` in
// `section` leaves alone: all but blank ones, the section's header and lines
// "key=..." of the keys, wherever they are.
std::vector<std::string_view> Others(std::string_view text, const std::string& section,
                                     const std::vector<metrivo::IniText::Entry>& keys) {
    std::vector<std::string_view> others;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.find('\r'));
        const std::string_view line = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
            text[next] == '\n') {
            ++next;
        }
        text.remove_prefix(next);
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed == "[" + section + "]") continue;
        const std::string_view key = TrimBlanks(trimmed.substr(0, trimmed.find('=')));
        const bool written =
            trimmed.find('=') != std::string_view::npos &&
            std::any_of(keys.begin(), keys.end(),
                        [&](const metrivo::IniText::Entry& e) { return e.key == key; });
        if (!written) others.push_back(line);
    }
    return others;
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
    Check(Others(text.text(), section, entries) == Others(written, section, entries));
    return 0;
}

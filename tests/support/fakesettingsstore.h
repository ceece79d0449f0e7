#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memorysettingsstore.h"

namespace metrivo::test {

// Keeps the settings in memory and logs every write in order; a batch is
// logged whole in `batches` and then key by key in `writes`.
class FakeSettingsStore : public MemorySettingsStore {
  public:
    struct Entry {
        std::string app, section, key, value;
    };

    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override {
        MemorySettingsStore::Write(app, section, key, value);
        writes.push_back(
            {std::string(app), std::string(section), std::string(key), std::string(value)});
    }

    // "Orvandel/Metrivo: LastFrom0=1 LastTo0=2 ...".
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override {
        std::string batch = std::string(app) + "/" + std::string(section) + ":";
        for (const SettingsEntry& entry : entries) batch += " " + entry.key + "=" + entry.value;
        batches.push_back(batch);
        MemorySettingsStore::WriteBatch(app, section, entries);
    }

    // The value under application "Orvandel", section "Metrivo"; "<absent>" when none.
    std::string Value(std::string_view key) const {
        return Read("Orvandel", "Metrivo", key, "<absent>");
    }

    std::vector<Entry> writes;
    std::vector<std::string> batches;
};

}  // namespace metrivo::test

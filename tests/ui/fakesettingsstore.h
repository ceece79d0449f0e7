#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memorysettingsstore.h"

namespace metrivo::test {

// Keeps the settings in memory and logs every write in order.
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

    // The value under application "Orvandel", section "Metrivo"; "<absent>" when none.
    std::string Value(std::string_view key) const {
        return Read("Orvandel", "Metrivo", key, "<absent>");
    }

    std::vector<Entry> writes;
};

}  // namespace metrivo::test

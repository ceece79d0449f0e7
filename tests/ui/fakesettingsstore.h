#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "settingsstore.h"

namespace metrivo::test {

// Keeps the settings in memory and logs every write in order.
class FakeSettingsStore : public SettingsStore {
  public:
    struct Entry {
        std::string app, section, key, value;
    };

    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override {
        const auto found = values_.find({std::string(app), std::string(section), std::string(key)});
        return found == values_.end() ? std::string(defaultValue) : found->second;
    }

    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override {
        values_[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
        writes.push_back(
            {std::string(app), std::string(section), std::string(key), std::string(value)});
    }

    // The value under application "Orvandel", section "Metrivo"; "<absent>" when none.
    std::string Value(std::string_view key) const {
        return Read("Orvandel", "Metrivo", key, "<absent>");
    }

    std::vector<Entry> writes;

  private:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace metrivo::test

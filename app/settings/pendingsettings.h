#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settingsstore.h"

namespace metrivo {

// Settings written but not yet passed on to a store: each key once, with its
// last value, in the order the keys were first written.
class PendingSettings {
  public:
    // The writes of one application and section, as one batch.
    struct Batch {
        std::string app;
        std::string section;
        std::vector<SettingsEntry> entries;
    };

    // The value kept for the key, if any.
    std::optional<std::string> Find(std::string_view app, std::string_view section,
                                    std::string_view key) const;
    void Keep(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value);
    bool empty() const { return pending_.empty(); }
    std::size_t size() const { return pending_.size(); }

    // Empties the list into one batch per application and section, in the
    // order each was first written; written to a store one after the other,
    // they leave it as if every write had gone to it at once.
    std::vector<Batch> TakeBatches();

  private:
    struct Pending {
        std::string app, section, key, value;
        bool Is(std::string_view a, std::string_view s, std::string_view k) const {
            return app == a && section == s && key == k;
        }
    };
    std::vector<Pending> pending_;
};

}  // namespace metrivo

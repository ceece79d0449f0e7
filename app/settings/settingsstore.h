#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace metrivo {

// One key and the text to store under it.
struct SettingsEntry {
    std::string key;
    std::string value;
};

// The per-user store of text values, addressed by application name, section
// and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or `defaultValue` when the key is absent.
    virtual std::string Read(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view defaultValue) const = 0;
    // Replaces any earlier value; the text is kept for the next start.
    virtual void Write(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
    // Writes every entry, in the order given, as one change: after it the
    // store holds all of them or, when it fails, none.
    virtual void WriteBatch(std::string_view app, std::string_view section,
                            const std::vector<SettingsEntry>& entries) = 0;
};

}  // namespace metrivo

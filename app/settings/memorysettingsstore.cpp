#include "memorysettingsstore.h"

namespace metrivo {

std::string MemorySettingsStore::Read(std::string_view app, std::string_view section,
                                      std::string_view key, std::string_view defaultValue) const {
    const auto found = values_.find({std::string(app), std::string(section), std::string(key)});
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

void MemorySettingsStore::Write(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view value) {
    values_[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
}

void MemorySettingsStore::WriteBatch(std::string_view app, std::string_view section,
                                     const std::vector<SettingsEntry>& entries) {
    for (const SettingsEntry& entry : entries) Write(app, section, entry.key, entry.value);
}

}  // namespace metrivo

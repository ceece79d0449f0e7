#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "settingsstore.h"

namespace metrivo {

// A settings store that keeps its values in memory only, for a run that must
// leave no file behind (benchmarks, tests).
class MemorySettingsStore : public SettingsStore {
  public:
    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override;
    // Each entry through Write, in order: memory cannot fail half-way.
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override;

  private:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace metrivo

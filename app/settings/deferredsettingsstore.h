#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pendingsettings.h"
#include "settingsstore.h"

namespace metrivo {

// A settings store in front of another that can hold writes back for a while.
// The window's load stores the list selections it restores; on a real disk
// each of those writes waits for the file to be synced, so the program holds
// them until its window has been drawn and then writes them through.
//
// While holding, a write is kept in memory (a later write to the same key
// replaces the kept value) and reads see the kept values. Flush writes each
// kept key once, in the order the keys were first written, with its last
// value, and ends the holding; the store behind then ends up as if every
// write had gone to it at once. Flush hands the kept keys of one application
// and section to the store behind as one batch, so that they are saved
// together or not at all. Not holding, reads and writes go straight through.
// The destructor flushes what is still kept.
class DeferredSettingsStore : public SettingsStore {
  public:
    explicit DeferredSettingsStore(SettingsStore& target);
    DeferredSettingsStore(const DeferredSettingsStore&) = delete;
    DeferredSettingsStore& operator=(const DeferredSettingsStore&) = delete;
    ~DeferredSettingsStore() override;

    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override;
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override;

    void Hold();
    void Flush();
    bool holding() const { return holding_; }
    std::size_t pendingCount() const { return pending_.size(); }

  private:
    SettingsStore& target_;
    bool holding_ = false;
    PendingSettings pending_;
};

}  // namespace metrivo

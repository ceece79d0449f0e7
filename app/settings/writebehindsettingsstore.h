#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "pendingsettings.h"
#include "settingsstore.h"

namespace metrivo {

// A settings store in front of another that writes on a thread of its own, so
// that the window never waits for the disk: a write returns at once. Writes
// made while the thread is writing are gathered, each key once with its last
// value, and go together (one batch per application and section) as soon as
// the thread is free: however slow the disk, there is at most one write under
// way and one waiting, and the store behind ends up as if every write had gone
// to it in order. Reads see every value written, saved or on its way; other
// keys are read from the store behind once it is free (the window reads only
// while it loads, before anything is written).
//
// WaitUntilWritten returns once everything written so far has been saved (or
// has failed, which the store behind reports itself). The destructor waits in
// the same way, so a program that ends by returning keeps every write. The
// thread is started at the first write, not before; the store behind is used
// by one thread at a time.
class WriteBehindSettingsStore : public SettingsStore {
  public:
    explicit WriteBehindSettingsStore(SettingsStore& target);
    WriteBehindSettingsStore(const WriteBehindSettingsStore&) = delete;
    WriteBehindSettingsStore& operator=(const WriteBehindSettingsStore&) = delete;
    ~WriteBehindSettingsStore() override;

    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override;
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override;

    void WaitUntilWritten();

  private:
    void Run();

    SettingsStore& target_;
    mutable std::mutex targetMutex_;  // the store behind, one user at a time
    mutable std::mutex mutex_;        // everything below
    std::condition_variable changed_;
    PendingSettings waiting_;
    PendingSettings writing_;  // what the thread is writing now
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace metrivo

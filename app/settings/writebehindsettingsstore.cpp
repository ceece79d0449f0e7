#include "writebehindsettingsstore.h"

#include <exception>
#include <optional>
#include <utility>

#include "errorline.h"

namespace metrivo {

WriteBehindSettingsStore::WriteBehindSettingsStore(SettingsStore& target) : target_(target) {}

WriteBehindSettingsStore::~WriteBehindSettingsStore() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    // The thread writes what is waiting before it ends.
    if (thread_.joinable()) thread_.join();
}

std::string WriteBehindSettingsStore::Read(std::string_view app, std::string_view section,
                                           std::string_view key,
                                           std::string_view defaultValue) const {
    {
        const std::lock_guard lock(mutex_);
        if (std::optional<std::string> value = waiting_.Find(app, section, key)) return *value;
        if (std::optional<std::string> value = writing_.Find(app, section, key)) return *value;
    }
    const std::lock_guard lock(targetMutex_);
    return target_.Read(app, section, key, defaultValue);
}

void WriteBehindSettingsStore::Write(std::string_view app, std::string_view section,
                                     std::string_view key, std::string_view value) {
    WriteBatch(app, section, {{std::string(key), std::string(value)}});
}

void WriteBehindSettingsStore::WriteBatch(std::string_view app, std::string_view section,
                                          const std::vector<SettingsEntry>& entries) {
    {
        const std::lock_guard lock(mutex_);
        for (const SettingsEntry& entry : entries) {
            waiting_.Keep(app, section, entry.key, entry.value);
        }
        if (!thread_.joinable()) thread_ = std::thread(&WriteBehindSettingsStore::Run, this);
    }
    changed_.notify_all();
}

void WriteBehindSettingsStore::WaitUntilWritten() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
}

void WriteBehindSettingsStore::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;
        writing_ = std::exchange(waiting_, {});
        busy_ = true;
        std::vector<PendingSettings::Batch> batches = PendingSettings(writing_).TakeBatches();
        lock.unlock();
        {
            const std::lock_guard target(targetMutex_);
            for (const PendingSettings::Batch& batch : batches) {
                try {
                    target_.WriteBatch(batch.app, batch.section, batch.entries);
                } catch (const std::exception& error) {
                    ErrorLine(std::string("metrivo: settings not saved: ") + error.what());
                } catch (...) {
                    ErrorLine("metrivo: settings not saved");
                }
            }
        }
        lock.lock();
        writing_ = PendingSettings();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace metrivo

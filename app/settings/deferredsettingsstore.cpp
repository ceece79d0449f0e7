#include "deferredsettingsstore.h"

#include <exception>
#include <string>
#include <utility>

#include "errorline.h"

namespace metrivo {

DeferredSettingsStore::DeferredSettingsStore(SettingsStore& target) : target_(target) {}

DeferredSettingsStore::~DeferredSettingsStore() {
    try {
        Flush();
    } catch (const std::exception& error) {
        ErrorLine(std::string("metrivo: settings not saved: ") + error.what());
    } catch (...) {
        ErrorLine("metrivo: settings not saved");
    }
}

std::string DeferredSettingsStore::Read(std::string_view app, std::string_view section,
                                        std::string_view key, std::string_view defaultValue) const {
    if (std::optional<std::string> kept = pending_.Find(app, section, key)) return *kept;
    return target_.Read(app, section, key, defaultValue);
}

void DeferredSettingsStore::Write(std::string_view app, std::string_view section,
                                  std::string_view key, std::string_view value) {
    if (!holding_) {
        target_.Write(app, section, key, value);
        return;
    }
    pending_.Keep(app, section, key, value);
}

void DeferredSettingsStore::WriteBatch(std::string_view app, std::string_view section,
                                       const std::vector<SettingsEntry>& entries) {
    if (!holding_) {
        target_.WriteBatch(app, section, entries);
        return;
    }
    for (const SettingsEntry& entry : entries) pending_.Keep(app, section, entry.key, entry.value);
}

void DeferredSettingsStore::Hold() {
    holding_ = true;
}

void DeferredSettingsStore::Flush() {
    holding_ = false;
    // Every batch is tried, and the first failure is passed on after.
    std::exception_ptr failure;
    for (const PendingSettings::Batch& batch : pending_.TakeBatches()) {
        try {
            target_.WriteBatch(batch.app, batch.section, batch.entries);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace metrivo

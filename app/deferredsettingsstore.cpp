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
    for (const Pending& entry : pending_) {
        if (entry.Is(app, section, key)) return entry.value;
    }
    return target_.Read(app, section, key, defaultValue);
}

void DeferredSettingsStore::Write(std::string_view app, std::string_view section,
                                  std::string_view key, std::string_view value) {
    if (!holding_) {
        target_.Write(app, section, key, value);
        return;
    }
    Keep(app, section, key, value);
}

void DeferredSettingsStore::WriteBatch(std::string_view app, std::string_view section,
                                       const std::vector<SettingsEntry>& entries) {
    if (!holding_) {
        target_.WriteBatch(app, section, entries);
        return;
    }
    for (const SettingsEntry& entry : entries) Keep(app, section, entry.key, entry.value);
}

void DeferredSettingsStore::Keep(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view value) {
    for (Pending& entry : pending_) {
        if (entry.Is(app, section, key)) {
            entry.value = std::string(value);
            return;
        }
    }
    pending_.push_back(
        {std::string(app), std::string(section), std::string(key), std::string(value)});
}

void DeferredSettingsStore::Hold() {
    holding_ = true;
}

void DeferredSettingsStore::Flush() {
    holding_ = false;
    std::vector<Pending> kept = std::exchange(pending_, {});
    // One batch per application and section, in the order each was first
    // written; every batch is tried, and the first failure is passed on after.
    std::exception_ptr failure;
    std::vector<bool> sent(kept.size(), false);
    for (std::size_t first = 0; first < kept.size(); ++first) {
        if (sent[first]) continue;
        const std::string app = kept[first].app;
        const std::string section = kept[first].section;
        std::vector<SettingsEntry> batch;
        for (std::size_t i = first; i < kept.size(); ++i) {
            if (sent[i] || kept[i].app != app || kept[i].section != section) continue;
            batch.push_back({std::move(kept[i].key), std::move(kept[i].value)});
            sent[i] = true;
        }
        try {
            target_.WriteBatch(app, section, batch);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace metrivo

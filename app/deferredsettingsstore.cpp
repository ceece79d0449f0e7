#include "deferredsettingsstore.h"

#include <exception>
#include <iostream>
#include <utility>

namespace metrivo {

DeferredSettingsStore::DeferredSettingsStore(SettingsStore& target) : target_(target) {}

DeferredSettingsStore::~DeferredSettingsStore() {
    try {
        Flush();
    } catch (const std::exception& error) {
        std::cerr << "metrivo: settings not saved: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "metrivo: settings not saved\n";
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
    const std::vector<Pending> kept = std::exchange(pending_, {});
    // Every kept value gets its write; the first failure is passed on after.
    std::exception_ptr failure;
    for (const Pending& entry : kept) {
        try {
            target_.Write(entry.app, entry.section, entry.key, entry.value);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace metrivo

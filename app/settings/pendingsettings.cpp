#include "pendingsettings.h"

#include <utility>

namespace metrivo {

std::optional<std::string> PendingSettings::Find(std::string_view app, std::string_view section,
                                                 std::string_view key) const {
    for (const Pending& entry : pending_) {
        if (entry.Is(app, section, key)) return entry.value;
    }
    return std::nullopt;
}

void PendingSettings::Keep(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value) {
    for (Pending& entry : pending_) {
        if (entry.Is(app, section, key)) {
            entry.value = std::string(value);
            return;
        }
    }
    pending_.push_back(
        {std::string(app), std::string(section), std::string(key), std::string(value)});
}

std::vector<PendingSettings::Batch> PendingSettings::TakeBatches() {
    std::vector<Pending> kept = std::exchange(pending_, {});
    std::vector<Batch> batches;
    std::vector<bool> sent(kept.size(), false);
    for (std::size_t first = 0; first < kept.size(); ++first) {
        if (sent[first]) continue;
        Batch batch{kept[first].app, kept[first].section, {}};
        for (std::size_t i = first; i < kept.size(); ++i) {
            if (sent[i] || kept[i].app != batch.app || kept[i].section != batch.section) continue;
            batch.entries.push_back({std::move(kept[i].key), std::move(kept[i].value)});
            sent[i] = true;
        }
        batches.push_back(std::move(batch));
    }
    return batches;
}

}  // namespace metrivo

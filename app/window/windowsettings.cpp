#include "windowsettings.h"

#include "settingvalue.h"

namespace metrivo {
namespace {

std::string CategoryKey(std::string_view word, int category) {
    return std::string(word) + SettingValue::FromInt16(static_cast<int16_t>(category));
}

}  // namespace

std::string WindowSettings::LastFromKey(int category) {
    return CategoryKey("LastFrom", category);
}

std::string WindowSettings::LastToKey(int category) {
    return CategoryKey("LastTo", category);
}

std::string WindowSettings::Read(std::string_view key, std::string_view defaultValue) const {
    return store_.Read(kApp, kSection, key, defaultValue);
}

void WindowSettings::StoreListIndex(std::string_view key, int16_t index) {
    store_.Write(kApp, kSection, key, SettingValue::FromInt16(index));
}

std::vector<SettingsEntry> WindowSettings::Choices(const WindowState& state) {
    std::vector<SettingsEntry> entries;
    entries.reserve(2 * WindowState::kCategories + 1);
    for (int category = 0; category < WindowState::kCategories; ++category) {
        entries.push_back(
            {LastFromKey(category), SettingValue::FromInt16(state.lastFrom(category))});
        entries.push_back({LastToKey(category), SettingValue::FromInt16(state.lastTo(category))});
    }
    entries.push_back({std::string(kUnitTypeKey), SettingValue::FromInt16(state.selUnitType)});
    return entries;
}

void WindowSettings::SaveChoices(const WindowState& state) {
    store_.WriteBatch(kApp, kSection, Choices(state));
}

}  // namespace metrivo

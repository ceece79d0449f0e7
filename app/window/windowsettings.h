#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settingsstore.h"
#include "windowstate.h"

namespace metrivo {

// What the window keeps in the per-user settings, and where: application
// "Orvandel", section "Metrivo"; the two lists' picks under their own keys,
// stored at once; the last conversion of each category and the selected
// category, stored as one change when the window closes (and soon after each
// change, so that a run that is killed keeps them too). Every value is the
// decimal text of a 16-bit number (SettingValue).
class WindowSettings {
  public:
    static constexpr std::string_view kApp = "Orvandel";
    static constexpr std::string_view kSection = "Metrivo";
    static constexpr std::string_view kFromListKey = "cboFromCurrency";
    static constexpr std::string_view kToListKey = "cboToCurrency";
    static constexpr std::string_view kUnitTypeKey = "UnitType";

    explicit WindowSettings(SettingsStore& store) : store_(store) {}

    // "LastFrom0" ... "LastFrom5" and "LastTo0" ... "LastTo5": the keys of a
    // category's last conversion.
    static std::string LastFromKey(int category);
    static std::string LastToKey(int category);

    // The stored text, or `defaultValue` when the key is absent.
    std::string Read(std::string_view key, std::string_view defaultValue) const;
    // Stores a list's selected index under the list's key.
    void StoreListIndex(std::string_view key, int16_t index);

    // What a close stores, in this order: "LastFrom0", "LastTo0", ...
    // "LastFrom5", "LastTo5", then "UnitType".
    static std::vector<SettingsEntry> Choices(const WindowState& state);
    // Stores the choices as one change: all of them or, when that fails, none.
    void SaveChoices(const WindowState& state);

  private:
    SettingsStore& store_;
};

}  // namespace metrivo

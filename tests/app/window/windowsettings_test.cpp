#include "windowsettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakesettingsstore.h"

namespace metrivo {
namespace {

using test::FakeSettingsStore;

TEST(WindowSettingsTest, AListPickIsStoredAtOnceUnderItsKey) {
    FakeSettingsStore store;
    WindowSettings settings(store);
    settings.StoreListIndex(WindowSettings::kFromListKey, -1);
    settings.StoreListIndex(WindowSettings::kToListKey, 32767);
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[0].app, "Orvandel");
    EXPECT_EQ(store.writes[0].section, "Metrivo");
    EXPECT_EQ(store.writes[0].key, "cboFromCurrency");
    EXPECT_EQ(store.writes[0].value, "-1");
    EXPECT_EQ(store.writes[1].key, "cboToCurrency");
    EXPECT_EQ(store.writes[1].value, "32767");
    EXPECT_EQ(settings.Read("cboToCurrency", "0"), "32767");
    EXPECT_EQ(settings.Read("UnitType", "absent"), "absent");
}

TEST(WindowSettingsTest, TheChoicesGoOutAsOneBatchInKeyOrder) {
    WindowState state;
    for (int category = 0; category < WindowState::kCategories; ++category) {
        state.lastFrom(category) = static_cast<int16_t>(category + 10);
        state.lastTo(category) = static_cast<int16_t>(-category);
    }
    state.lastTo(5) = -32768;
    state.selUnitType = 4;
    FakeSettingsStore store;
    WindowSettings(store).SaveChoices(state);
    EXPECT_EQ(store.batches, std::vector<std::string>{
                                 "Orvandel/Metrivo: LastFrom0=10 LastTo0=0 LastFrom1=11 LastTo1=-1 "
                                 "LastFrom2=12 LastTo2=-2 LastFrom3=13 LastTo3=-3 LastFrom4=14 "
                                 "LastTo4=-4 LastFrom5=15 LastTo5=-32768 UnitType=4"});
}

}  // namespace
}  // namespace metrivo

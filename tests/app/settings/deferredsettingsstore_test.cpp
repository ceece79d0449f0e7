#include "deferredsettingsstore.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "casename.h"
#include "fakesettingsstore.h"

namespace metrivo {
namespace {

using test::FakeSettingsStore;

struct Write {
    const char* app;
    const char* section;
    const char* key;
    const char* value;
};

std::vector<std::string> Log(const FakeSettingsStore& store) {
    std::vector<std::string> log;
    for (const auto& w : store.writes)
        log.push_back(w.app + "/" + w.section + "/" + w.key + "=" + w.value);
    return log;
}

struct HeldCase {
    const char* name;
    std::vector<Write> writes;
    // What reaches the store behind at the flush, in order.
    std::vector<std::string> flushed;
};

void PrintTo(const HeldCase& c, std::ostream* out) {
    *out << c.name;
}

class DeferredSettingsStoreHeldTest : public ::testing::TestWithParam<HeldCase> {};

TEST_P(DeferredSettingsStoreHeldTest, FlushWritesEachKeyOnceWithItsLastValue) {
    const HeldCase& c = GetParam();
    FakeSettingsStore direct;
    FakeSettingsStore behind;
    DeferredSettingsStore store(behind);
    store.Hold();
    for (const Write& w : c.writes) {
        store.Write(w.app, w.section, w.key, w.value);
        direct.Write(w.app, w.section, w.key, w.value);
        // Reads see what was written, although nothing has reached the file.
        EXPECT_EQ(store.Read(w.app, w.section, w.key, "<absent>"), w.value);
    }
    EXPECT_TRUE(behind.writes.empty());

    store.Flush();
    EXPECT_FALSE(store.holding());
    EXPECT_EQ(store.pendingCount(), 0u);
    EXPECT_EQ(Log(behind), c.flushed);
    // The store behind ends up as if it had taken every write at once.
    for (const Write& w : c.writes) {
        EXPECT_EQ(behind.Read(w.app, w.section, w.key, "<absent>"),
                  direct.Read(w.app, w.section, w.key, "<absent>"))
            << w.key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DeferredSettingsStoreHeldTest,
    ::testing::Values(
        HeldCase{"nothing", {}, {}},
        HeldCase{"one write",
                 {{"Orvandel", "Metrivo", "cboFromCurrency", "0"}},
                 {"Orvandel/Metrivo/cboFromCurrency=0"}},
        // The load's own sequence: the category selection stores both lists,
        // then each list's own step stores it again.
        HeldCase{"the load",
                 {{"Orvandel", "Metrivo", "cboFromCurrency", "0"},
                  {"Orvandel", "Metrivo", "cboToCurrency", "0"},
                  {"Orvandel", "Metrivo", "cboFromCurrency", "0"},
                  {"Orvandel", "Metrivo", "cboToCurrency", "0"}},
                 {"Orvandel/Metrivo/cboFromCurrency=0", "Orvandel/Metrivo/cboToCurrency=0"}},
        HeldCase{"a later value wins at the first place",
                 {{"Orvandel", "Metrivo", "a", "1"},
                  {"Orvandel", "Metrivo", "b", "2"},
                  {"Orvandel", "Metrivo", "a", "3"}},
                 {"Orvandel/Metrivo/a=3", "Orvandel/Metrivo/b=2"}},
        HeldCase{"application and section tell keys apart",
                 {{"Orvandel", "Metrivo", "k", "1"},
                  {"Other", "Metrivo", "k", "2"},
                  {"Orvandel", "Other", "k", "3"},
                  {"Orvandel", "Metrivo", "k", "4"}},
                 {"Orvandel/Metrivo/k=4", "Other/Metrivo/k=2", "Orvandel/Other/k=3"}},
        HeldCase{"an empty value is a value",
                 {{"Orvandel", "Metrivo", "k", "5"}, {"Orvandel", "Metrivo", "k", ""}},
                 {"Orvandel/Metrivo/k="}}),
    test::NameOfCase());

TEST(DeferredSettingsStoreTest, NotHoldingPassesStraightThrough) {
    FakeSettingsStore behind;
    behind.Write("Orvandel", "Metrivo", "stored", "7");
    DeferredSettingsStore store(behind);
    store.Write("Orvandel", "Metrivo", "k", "1");
    EXPECT_EQ(behind.Value("k"), "1");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "stored", "0"), "7");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "absent", "default"), "default");
}

TEST(DeferredSettingsStoreTest, HoldingReadsTheStoreBehindForKeysNotWritten) {
    FakeSettingsStore behind;
    behind.Write("Orvandel", "Metrivo", "stored", "7");
    DeferredSettingsStore store(behind);
    store.Hold();
    store.Write("Orvandel", "Metrivo", "k", "1");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "stored", "0"), "7");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "absent", "default"), "default");
    // The same key under another section was not written.
    EXPECT_EQ(store.Read("Orvandel", "Other", "k", "none"), "none");
}

TEST(DeferredSettingsStoreTest, AfterTheFlushWritesAndReadsGoToTheStoreBehind) {
    FakeSettingsStore behind;
    DeferredSettingsStore store(behind);
    store.Hold();
    store.Write("Orvandel", "Metrivo", "k", "1");
    store.Flush();
    store.Write("Orvandel", "Metrivo", "k", "2");
    EXPECT_EQ(behind.Value("k"), "2");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "0"), "2");
    // A value changed behind the store is read, not a kept one.
    behind.Write("Orvandel", "Metrivo", "k", "3");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "0"), "3");
    EXPECT_EQ(behind.writes.size(), 3u);
}

TEST(DeferredSettingsStoreTest, TheEndOfTheStoreWritesWhatIsKept) {
    FakeSettingsStore behind;
    {
        DeferredSettingsStore store(behind);
        store.Hold();
        store.Write("Orvandel", "Metrivo", "LastFrom0", "2");
        EXPECT_TRUE(behind.writes.empty());
    }
    EXPECT_EQ(behind.Value("LastFrom0"), "2");
}

// Fails every batch that holds the key "bad", as a full disk fails a whole
// file; nothing of such a batch is kept.
class FailingStore : public FakeSettingsStore {
  public:
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override {
        for (const SettingsEntry& entry : entries) {
            if (entry.key == "bad") throw std::runtime_error("disk full");
        }
        FakeSettingsStore::WriteBatch(app, section, entries);
    }
};

TEST(DeferredSettingsStoreTest, AFailedBatchLetsTheOtherSectionsThroughAndIsPassedOn) {
    FailingStore behind;
    DeferredSettingsStore store(behind);
    store.Hold();
    store.Write("Orvandel", "Metrivo", "a", "1");
    store.Write("Orvandel", "Other", "b", "2");
    store.Write("Orvandel", "Metrivo", "bad", "3");
    EXPECT_THROW(store.Flush(), std::runtime_error);
    EXPECT_EQ(behind.Value("a"), "<absent>") << "all of a batch or none";
    EXPECT_EQ(behind.Read("Orvandel", "Other", "b", "<absent>"), "2");
    // Nothing is kept to shadow the store behind afterwards.
    EXPECT_EQ(store.pendingCount(), 0u);
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "bad", "<absent>"), "<absent>");
}

TEST(DeferredSettingsStoreTest, FlushSendsOneBatchPerSectionInTheOrderFirstWritten) {
    FakeSettingsStore behind;
    DeferredSettingsStore store(behind);
    store.Hold();
    store.Write("Orvandel", "Metrivo", "cboFromCurrency", "0");
    store.Write("Orvandel", "Other", "x", "1");
    store.Write("Orvandel", "Metrivo", "cboToCurrency", "2");
    store.Write("Orvandel", "Metrivo", "cboFromCurrency", "3");
    store.Flush();
    EXPECT_EQ(behind.batches,
              (std::vector<std::string>{"Orvandel/Metrivo: cboFromCurrency=3 cboToCurrency=2",
                                        "Orvandel/Other: x=1"}));
}

TEST(DeferredSettingsStoreTest, ABatchIsHeldLikeItsWritesOrPassedOnWhole) {
    FakeSettingsStore behind;
    DeferredSettingsStore store(behind);
    const std::vector<SettingsEntry> unload{
        {"LastFrom0", "1"}, {"LastTo0", "2"}, {"UnitType", "3"}};
    store.Hold();
    store.WriteBatch("Orvandel", "Metrivo", unload);
    EXPECT_TRUE(behind.batches.empty());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo0", "0"), "2");
    store.Flush();
    store.WriteBatch("Orvandel", "Metrivo", unload);
    EXPECT_EQ(behind.batches,
              std::vector<std::string>(2, "Orvandel/Metrivo: LastFrom0=1 LastTo0=2 UnitType=3"));
}

}  // namespace
}  // namespace metrivo

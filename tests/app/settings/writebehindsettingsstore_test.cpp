// The settings writer's own thread, over a store behind it that writes as
// slowly as the test lets it: a write never waits for the store behind.
#include "writebehindsettingsstore.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "errorcapture.h"
#include "fakesettingsstore.h"

namespace metrivo {
namespace {

using test::FakeSettingsStore;

// A store behind whose writes wait until the test opens the gate, as on a
// disk that syncs slowly, and say when one has begun. A batch that holds the
// key "bad" fails.
class SlowStore : public FakeSettingsStore {
  public:
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override {
        std::unique_lock lock(mutex_);
        ++begun_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        for (const SettingsEntry& entry : entries) {
            if (entry.key == "bad") throw std::runtime_error("disk full");
        }
        FakeSettingsStore::WriteBatch(app, section, entries);
    }
    void WaitForBegun(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return begun_ >= count; });
    }
    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int begun_ = 0;
    bool open_ = false;
};

TEST(WriteBehindSettingsStoreTest, WritesReturnWhileTheStoreBehindIsStillWriting) {
    SlowStore behind;
    WriteBehindSettingsStore store(behind);
    store.Write("Orvandel", "Metrivo", "cboFromCurrency", "1");
    behind.WaitForBegun(1);
    // Ten presses of a list while the first write waits for the disk.
    for (int n = 2; n <= 10; ++n)
        store.Write("Orvandel", "Metrivo", "cboFromCurrency", std::to_string(n));
    store.WriteBatch("Orvandel", "Metrivo", {{"UnitType", "4"}, {"cboFromCurrency", "11"}});
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "cboFromCurrency", ""), "11");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "4");
    EXPECT_TRUE(behind.batches.empty());

    behind.Open();
    store.WaitUntilWritten();
    // The one write under way, then everything since as one batch, each key
    // with its last value, in the order first written.
    EXPECT_EQ(behind.batches,
              (std::vector<std::string>{"Orvandel/Metrivo: cboFromCurrency=1",
                                        "Orvandel/Metrivo: cboFromCurrency=11 UnitType=4"}));
}

TEST(WriteBehindSettingsStoreTest, ReadsSeeWhatIsOnItsWayAndOtherwiseTheStoreBehind) {
    SlowStore behind;
    behind.FakeSettingsStore::Write("Orvandel", "Metrivo", "stored", "7");
    WriteBehindSettingsStore store(behind);
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "stored", "0"), "7");
    store.Write("Orvandel", "Metrivo", "k", "1");
    behind.WaitForBegun(1);
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "0"), "1") << "being written";
    store.Write("Orvandel", "Metrivo", "k", "2");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "0"), "2") << "waiting";
    behind.Open();
    // The store behind answers for the rest, once it is free.
    EXPECT_EQ(store.Read("Orvandel", "Other", "k", "none"), "none");
    store.WaitUntilWritten();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "0"), "2");
    EXPECT_EQ(behind.Value("k"), "2");
}

TEST(WriteBehindSettingsStoreTest, TheEndOfTheStoreWaitsForEveryWrite) {
    SlowStore behind;
    {
        WriteBehindSettingsStore store(behind);
        store.Write("Orvandel", "Metrivo", "a", "1");
        behind.WaitForBegun(1);
        store.WriteBatch("Orvandel", "Metrivo", {{"LastFrom0", "2"}, {"UnitType", "3"}});
        behind.Open();
    }
    EXPECT_EQ(behind.Value("a"), "1");
    EXPECT_EQ(behind.Value("LastFrom0"), "2");
    EXPECT_EQ(behind.Value("UnitType"), "3");
}

TEST(WriteBehindSettingsStoreTest, AFailedWriteIsSaidAndLaterWritesGoOn) {
    SlowStore behind;
    behind.Open();
    test::ErrorCapture errors;
    WriteBehindSettingsStore store(behind);
    store.Write("Orvandel", "Metrivo", "bad", "1");
    store.WaitUntilWritten();
    store.Write("Orvandel", "Metrivo", "good", "2");
    store.WaitUntilWritten();
    EXPECT_EQ(errors.text(), "metrivo: settings not saved: disk full\n");
    EXPECT_EQ(behind.Value("good"), "2");
}

TEST(WriteBehindSettingsStoreTest, NothingWrittenStartsNoThreadAndWaitsForNothing) {
    FakeSettingsStore behind;
    WriteBehindSettingsStore store(behind);
    store.WaitUntilWritten();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "k", "none"), "none");
}

}  // namespace
}  // namespace metrivo

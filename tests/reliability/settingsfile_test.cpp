// The settings file as other programs and the system leave it: bytes of
// other programs around our keys, a lock in the way or held, a link, a file
// changed behind the program's back, left-over temporary files, a file too
// large to read, and where the file goes when the environment says little.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "casename.h"
#include "filecontent.h"
#include "qtsettingsstore.h"

namespace metrivo {
namespace {

using test::NameOfCase;

using test::ReadAll;
using test::WriteAll;

std::vector<SettingsEntry> UnloadEntries(int value) {
    std::vector<SettingsEntry> entries;
    for (int n = 0; n <= 5; ++n) {
        entries.push_back({"LastFrom" + std::to_string(n), std::to_string(value)});
        entries.push_back({"LastTo" + std::to_string(n), std::to_string(value)});
    }
    entries.push_back({"UnitType", std::to_string(value % 6)});
    return entries;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    QString Ini() const { return folder_.filePath("Orvandel.ini"); }
    QTemporaryDir folder_;
};

TEST_F(SettingsFileTest, EveryByteOutsideOurKeysIsKept) {
    const QByteArray vendor =
        "; shared by the Orvandel tools\n"
        "[Paint]\n"
        "name=caf\xC3\xA9 ; 2 sugars\n"
        "weird key=1\n"
        "dup=1\n"
        "dup=2\n"
        "%General=odd\n"
        "\n"
        "# the converter's own\n"
        "[Metrivo]\n"
        "UnitType=2\n"
        "LastFrom0 = 7 ; by hand\n"
        "Colour=blue\n"
        "\n"
        "[Zoo]\n"
        "k=\"quoted ; value\"\n";
    ASSERT_TRUE(WriteAll(Ini(), vendor));
    QtSettingsStore store(folder_.path());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastFrom0", ""), "7");
    store.Write("Orvandel", "Metrivo", "cboFromCurrency", "3");
    store.WriteBatch("Orvandel", "Metrivo", UnloadEntries(0));

    QByteArray expected = vendor;
    expected.replace("UnitType=2\n", "UnitType=0\n");
    expected.replace("LastFrom0 = 7 ; by hand\n", "LastFrom0=0\n");
    QByteArray added = "cboFromCurrency=3\n";
    for (int n = 0; n <= 5; ++n) {
        if (n > 0) added += "LastFrom" + QByteArray::number(n) + "=0\n";
        added += "LastTo" + QByteArray::number(n) + "=0\n";
    }
    expected.replace("Colour=blue\n", "Colour=blue\n" + added);
    EXPECT_EQ(ReadAll(Ini()), expected);
    EXPECT_EQ(QDir(folder_.path())
                  .entryList(QDir::Files | QDir::Hidden | QDir::System)
                  .join(QStringLiteral(", "))
                  .toStdString(),
              "Orvandel.ini")
        << "no copy kept aside, no temporary file left";
}

TEST_F(SettingsFileTest, ReadsAgreeWithWritesAndFollowChangesByOthers) {
    QtSettingsStore store(folder_.path());
    store.WriteBatch("Orvandel", "Metrivo", UnloadEntries(4));
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo5", ""), "4");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "4");

    // Another instance writes; so does an editor, in place, to the same size.
    QtSettingsStore other(folder_.path());
    other.Write("Orvandel", "Metrivo", "LastTo5", "2");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo5", ""), "2");
    QByteArray text = ReadAll(Ini());
    text.replace("UnitType=4", "UnitType=1");
    ASSERT_TRUE(WriteAll(Ini(), text));
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "1");
    // A write merges with what the others wrote.
    store.Write("Orvandel", "Metrivo", "LastFrom0", "9");
    EXPECT_EQ(other.Read("Orvandel", "Metrivo", "UnitType", ""), "1");
    EXPECT_EQ(other.Read("Orvandel", "Metrivo", "LastFrom0", ""), "9");
    ASSERT_TRUE(QFile::remove(Ini()));
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastFrom0", "gone"), "gone");
}

TEST_F(SettingsFileTest, ALinkedFileIsReplacedWhereItLives) {
    QTemporaryDir elsewhere;
    const QString real = elsewhere.filePath("real.ini");
    ASSERT_TRUE(WriteAll(real, "[Metrivo]\nUnitType=1\n"));
    ASSERT_TRUE(QFile::link(real, Ini()));
    QtSettingsStore store(folder_.path());
    store.Write("Orvandel", "Metrivo", "UnitType", "5");
    EXPECT_TRUE(QFileInfo(Ini()).isSymLink());
    EXPECT_EQ(ReadAll(real), "[Metrivo]\nUnitType=5\n");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "5");
}

TEST_F(SettingsFileTest, TemporaryFilesOfAKilledWriteAreRemovedAtTheFirstWrite) {
    ASSERT_TRUE(WriteAll(Ini() + ".new-Ab3xY9", "[Metrivo]\nUnitType=2\n"));
    ASSERT_TRUE(WriteAll(Ini() + ".new-keep", "not ours: other length"));
    ASSERT_TRUE(WriteAll(Ini() + ".backup", "not ours"));
    QtSettingsStore store(folder_.path());
    store.Write("Orvandel", "Metrivo", "UnitType", "3");
    EXPECT_FALSE(QFileInfo::exists(Ini() + ".new-Ab3xY9"));
    EXPECT_TRUE(QFileInfo::exists(Ini() + ".new-keep"));
    EXPECT_TRUE(QFileInfo::exists(Ini() + ".backup"));
}

TEST_F(SettingsFileTest, ADamagedFileIsKeptAsideOnceThenWrittenWithoutItsDamage) {
    const QByteArray damaged = "; mine\n[Metrivo]\nUnitType\nLastFrom0=\xff\nLastTo0=2\n";
    ASSERT_TRUE(WriteAll(Ini(), damaged));
    {
        testing::internal::CaptureStderr();
        QtSettingsStore store(folder_.path());
        EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo0", ""), "2");
        store.Write("Orvandel", "Metrivo", "UnitType", "1");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Orvandel.ini.damaged"), std::string::npos) << said;
    }
    EXPECT_EQ(ReadAll(Ini() + ".damaged"), damaged);
    EXPECT_EQ(ReadAll(Ini()), "; mine\n[Metrivo]\nLastTo0=2\nUnitType=1\n");
    testing::internal::CaptureStderr();
    QtSettingsStore next(folder_.path());
    next.Write("Orvandel", "Metrivo", "UnitType", "2");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(QFileInfo::exists(Ini() + ".damaged.1"));
}

TEST_F(SettingsFileTest, AFileOverTheSizeLimitIsNeitherReadNorReplaced) {
    ASSERT_TRUE(WriteAll(Ini(), "[Metrivo]\nUnitType=3\n"));
    ASSERT_EQ(::truncate(QFile::encodeName(Ini()).constData(), QtSettingsStore::kMaxFileSize + 1),
              0);
    QtSettingsStore store(folder_.path());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "none"), "none");
    testing::internal::CaptureStderr();
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("larger than 256 MiB"), std::string::npos) << said;
    EXPECT_EQ(QFileInfo(Ini()).size(), QtSettingsStore::kMaxFileSize + 1);
}

// Something other than Qt's lock file at "Orvandel.ini.lock": Qt would wait
// on it for ever, or block reading it.
struct LockCase {
    const char* name;
    std::function<bool(const QString& lock)> make;
};

void PrintTo(const LockCase& c, std::ostream* out) {
    *out << c.name;
}

class SettingsLockPlaceTest : public ::testing::TestWithParam<LockCase> {};

TEST_P(SettingsLockPlaceTest, WarnsOnceAndLeavesTheFileAsItWas) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.path());
    const QString ini = store.FilePath("Orvandel");
    ASSERT_TRUE(WriteAll(ini, "[Metrivo]\nUnitType=3\n"));
    ASSERT_TRUE(GetParam().make(ini + ".lock"));

    testing::internal::CaptureStderr();
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    store.WriteBatch("Orvandel", "Metrivo", UnloadEntries(1));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("cannot save settings"), std::string::npos) << said;
    EXPECT_NE(said.find("Orvandel.ini.lock cannot be used"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(ini), "[Metrivo]\nUnitType=3\n");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "3");
}

bool MakeSocket(const QString& path) {
    sockaddr_un address{};
    const QByteArray name = QFile::encodeName(path);
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::copy(name.begin(), name.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return bound;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SettingsLockPlaceTest,
    ::testing::Values(LockCase{"folder", [](const QString& lock) { return QDir().mkpath(lock); }},
                      LockCase{"FIFO",
                               [](const QString& lock) {
                                   return ::mkfifo(QFile::encodeName(lock).constData(), 0600) == 0;
                               }},
                      LockCase{"socket", MakeSocket},
                      LockCase{"link to a FIFO",
                               [](const QString& lock) {
                                   return ::mkfifo(QFile::encodeName(lock + ".fifo").constData(),
                                                   0600) == 0 &&
                                          QFile::link(lock + ".fifo", lock);
                               }},
                      LockCase{
                          "dangling link",
                          [](const QString& lock) { return QFile::link(lock + ".nowhere", lock); }},
                      LockCase{"link to a device",
                               [](const QString& lock) { return QFile::link("/dev/zero", lock); }}),
    NameOfCase());

TEST(SettingsLockTest, ALockHeldByALiveInstanceIsWaitedForAboutASecondAtMost) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.path());
    const QString ini = store.FilePath("Orvandel");
    ASSERT_TRUE(WriteAll(ini, "[Metrivo]\nUnitType=3\n"));
    auto held = std::make_unique<QLockFile>(ini + ".lock");
    ASSERT_TRUE(held->tryLock(0));

    testing::internal::CaptureStderr();
    QElapsedTimer timer;
    timer.start();
    store.WriteBatch("Orvandel", "Metrivo", UnloadEntries(2));
    const qint64 waited = timer.elapsed();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_LT(waited, 3000) << "a bound, not a speed";
    EXPECT_NE(said.find("stayed locked"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(ini), "[Metrivo]\nUnitType=3\n") << "none of the batch";

    // Once the other instance lets go, writes go through again.
    held.reset();
    store.WriteBatch("Orvandel", "Metrivo", UnloadEntries(2));
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo5", ""), "2");
}

struct FolderCase {
    const char* name;
    const char* xdgConfigHome;  // nullptr: unset
    const char* home;           // nullptr: unset
    const char* accountHome;    // what the password database says
    const char* folder;
};

void PrintTo(const FolderCase& c, std::ostream* out) {
    *out << c.name;
}

class ConfigFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ConfigFolderTest, FollowsTheBaseDirectoryRules) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(QtSettingsStore::ConfigFolderFor(c.xdgConfigHome, c.home,
                                               [&] { return std::string(c.accountHome); }),
              c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ConfigFolderTest,
    ::testing::Values(
        FolderCase{"XDG_CONFIG_HOME first", "/x/conf", "/home/u", "/home/pw", "/x/conf"},
        FolderCase{"HOME when XDG_CONFIG_HOME is unset", nullptr, "/home/u", "/home/pw",
                   "/home/u/.config"},
        FolderCase{"HOME when XDG_CONFIG_HOME is empty", "", "/home/u", "/home/pw",
                   "/home/u/.config"},
        FolderCase{"a relative XDG_CONFIG_HOME is ignored", "conf", "/home/u", "/home/pw",
                   "/home/u/.config"},
        FolderCase{"password database when both are unset", nullptr, nullptr, "/home/pw",
                   "/home/pw/.config"},
        FolderCase{"password database when HOME is empty", nullptr, "", "/home/pw",
                   "/home/pw/.config"},
        FolderCase{"password database when HOME is relative", nullptr, "home", "/home/pw",
                   "/home/pw/.config"},
        FolderCase{"trailing slashes of the home", nullptr, "/home/u//", "", "/home/u/.config"},
        FolderCase{"home at the root", nullptr, "/", "", "/.config"},
        FolderCase{"no home anywhere", nullptr, nullptr, "", ""},
        FolderCase{"a relative home in the database", nullptr, nullptr, "pw", ""}),
    NameOfCase());

TEST(ConfigFolderTest, WithoutAFolderReadsGiveDefaultsAndWritesWarnOnce) {
    QtSettingsStore store{QString()};
    testing::internal::CaptureStderr();
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    store.Write("Orvandel", "Metrivo", "UnitType", "5");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    EXPECT_FALSE(QFileInfo::exists("/Orvandel.ini"));
}

}  // namespace
}  // namespace metrivo

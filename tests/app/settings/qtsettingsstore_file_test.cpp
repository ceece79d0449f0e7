// The settings file as other programs and the system leave it: bytes of
// other programs around our keys, damaged files kept aside, something other
// than a file in its place, a lock in the way or held, a link, a file changed
// behind the program's back, left-over temporary files, a file too large to
// read, and where the file goes when the environment says little.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "casename.h"
#include "errorcapture.h"
#include "filecontent.h"
#include "qtsettingsstore.h"
#include "scratchfolder.h"
#include "windowsettings.h"

namespace metrivo {
namespace {

using test::ErrorCapture;
using test::MakeFifo;
using test::MakeSocket;
using test::NameOfCase;
using test::ReadAll;
using test::WriteAll;

// What a close stores: the category, and every list index `index`.
std::vector<SettingsEntry> CloseEntries(int16_t category, int16_t index) {
    WindowState state;
    state.selUnitType = category;
    for (int n = 0; n < WindowState::kCategories; ++n) state.lastFrom(n) = state.lastTo(n) = index;
    return WindowSettings::Choices(state);
}

// A path as the system takes it.
std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

class SettingsFileTest : public ::testing::Test {
  protected:
    QString Ini() const { return folder_.filePath("Orvandel.ini"); }
    QStringList KeptCopies() const {
        return QDir(folder_.path()).entryList({"Orvandel.ini.damaged*"}, QDir::Files, QDir::Name);
    }
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
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(0, 0));

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
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(4, 4));
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
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(real, Ini()));
    QtSettingsStore store(folder_.path());
    store.Write("Orvandel", "Metrivo", "UnitType", "5");
    EXPECT_TRUE(QFileInfo(Ini()).isSymLink());
    EXPECT_EQ(ReadAll(real), "[Metrivo]\nUnitType=5\n");
    EXPECT_EQ(QFile::permissions(real),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
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

TEST_F(SettingsFileTest, ADamagedFileIsKeptAsideOnceAndWrittenWithEveryLine) {
    const QByteArray damaged = "; mine\n[Metrivo]\nUnitType\nLastFrom0=\xff\nLastTo0=2\n";
    ASSERT_TRUE(WriteAll(Ini(), damaged));
    {
        ErrorCapture errors;
        QtSettingsStore store(folder_.path());
        EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo0", ""), "2");
        store.Write("Orvandel", "Metrivo", "UnitType", "1");
        EXPECT_NE(errors.text().find("Orvandel.ini.damaged"), std::string::npos) << errors.text();
    }
    EXPECT_EQ(ReadAll(Ini() + ".damaged"), damaged);
    // The line that is no setting stays; the value that is no UTF-8 is ours.
    EXPECT_EQ(ReadAll(Ini()),
              "; mine\n[Metrivo]\nUnitType\nLastFrom0=\xff\nLastTo0=2\nUnitType=1\n");
    ErrorCapture errors;
    QtSettingsStore next(folder_.path());
    next.Write("Orvandel", "Metrivo", "LastFrom0", "2");
    EXPECT_EQ(errors.text(), "") << "kept aside once";
    EXPECT_EQ(KeptCopies(), QStringList{"Orvandel.ini.damaged"});
    EXPECT_EQ(ReadAll(Ini()), "; mine\n[Metrivo]\nUnitType\nLastFrom0=2\nLastTo0=2\nUnitType=1\n");
}

TEST_F(SettingsFileTest, AFileOverTheSizeLimitIsNeitherReadNorReplaced) {
    ASSERT_TRUE(WriteAll(Ini(), "[Metrivo]\nUnitType=3\n"));
    ASSERT_EQ(::truncate(QFile::encodeName(Ini()).constData(), QtSettingsStore::kMaxFileSize + 1),
              0);
    QtSettingsStore store(folder_.path());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "none"), "none");
    ErrorCapture errors;
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    EXPECT_NE(errors.text().find("larger than 256 MiB"), std::string::npos) << errors.text();
    EXPECT_EQ(QFileInfo(Ini()).size(), QtSettingsStore::kMaxFileSize + 1);
}

TEST_F(SettingsFileTest, WhatCountsAsDamaged) {
    struct Case {
        const char* name;
        QByteArray content;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"empty", "", false},
        {"plain", "[Metrivo]\nUnitType=3\n", false},
        {"byte order mark", "\xEF\xBB\xBF[Metrivo]\nUnitType=3\n", false},
        {"Windows line ends", "[Metrivo]\r\nUnitType=3\r\n", false},
        {"comment with a semicolon", "; a comment\n[Metrivo]\nUnitType=3\n", false},
        {"comment with a hash", "# a comment\n[Metrivo]\nUnitType=3\n", false},
        {"key with a blank", "[Metrivo]\nweird key=1\n", false},
        {"line without equals sign", "[Metrivo]\nUnitType\n", true},
        {"text only", "no section, no equals sign\n", true},
        {"UTF-8 beyond ASCII",
         "[Metrivo]\nName=gr\xC3\xBC\xC3\x9F"
         "e\n",
         false},
        {"NUL byte", QByteArray("[Metrivo]\nUnitType=3\0\n", 21), true},
        {"invalid byte", "[Metrivo]\nUnitType=\xff\n", true},
        {"cut sequence", "[Metrivo]\nUnitType=\xC3\n", true},
        {"cut at the end", "[Metrivo]\nUnitType=3\xE2\x82", true},
        {"encoded surrogate", "[Metrivo]\nUnitType=\xED\xA0\x80\n", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtSettingsStore::IsDamaged(c.content), c.damaged) << c.name;
    }
}

TEST_F(SettingsFileTest, TheCopyOfADamagedFileIsNeverOverwritten) {
    const QByteArray damaged[] = {"[Metrivo]\nLastFrom0=3\nA=\xff\n", "second \xfe",
                                  QByteArray("third\0", 6)};
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(WriteAll(Ini(), damaged[n]));
        ErrorCapture errors;
        QtSettingsStore store(folder_.path());
        store.Write("Orvandel", "Metrivo", "UnitType", "2");
        store.Write("Orvandel", "Metrivo", "UnitType", "3");
        EXPECT_EQ(KeptCopies(), QStringList{"Orvandel.ini.damaged"});
        EXPECT_EQ(errors.Lines(), n == 0 ? 1 : 0) << errors.text();
        EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "3");
        EXPECT_TRUE(ReadAll(Ini()).startsWith(damaged[n])) << "every byte kept";
    }
    EXPECT_EQ(ReadAll(Ini() + ".damaged"), damaged[0]);
    // Something that is no file at that name stops no write.
    ASSERT_TRUE(QFile::remove(Ini() + ".damaged"));
    ASSERT_TRUE(QDir().mkpath(Ini() + ".damaged"));
    ASSERT_TRUE(WriteAll(Ini(), damaged[1]));
    QtSettingsStore store(folder_.path());
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "4");
}

// The permissions, owner and group of a file, as the system keeps them.
struct Modes {
    mode_t mode;
    uid_t owner;
    gid_t group;
    bool operator==(const Modes&) const = default;
};

Modes ModesOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    return {static_cast<mode_t>(info.st_mode & 07777), info.st_uid, info.st_gid};
}

void PrintTo(const Modes& m, std::ostream* out) {
    *out << std::oct << m.mode << std::dec << ' ' << m.owner << ':' << m.group;
}

// Owner and group that are not the writer's own where the system allows it:
// root gives the file to "nobody"; another user keeps its own.
Modes OtherOwner(mode_t mode) {
    Modes modes{mode, ::getuid(), ::getgid()};
    if (::getuid() == 0) {
        if (const passwd* nobody = ::getpwnam("nobody")) {
            modes.owner = nobody->pw_uid;
            modes.group = nobody->pw_gid;
        }
    }
    return modes;
}

bool Give(const QString& path, const Modes& modes) {
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), modes.owner, modes.group) == 0 &&
           ::chmod(name.constData(), modes.mode) == 0;
}

TEST_F(SettingsFileTest, TheFileAndItsCopyKeepPermissionsOwnerAndGroup) {
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged" : "sound");
        QFile::remove(Ini() + ".damaged");
        const QByteArray text =
            damaged ? "[Metrivo]\nUnitType=2\nnot a setting\n" : "[Metrivo]\nUnitType=2\n";
        ASSERT_TRUE(WriteAll(Ini(), text));
        const Modes modes = OtherOwner(0640);
        ASSERT_TRUE(Give(Ini(), modes));
        ErrorCapture errors;
        QtSettingsStore store(folder_.path());
        store.Write("Orvandel", "Metrivo", "UnitType", "5");
        EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "5");
        EXPECT_EQ(ModesOf(Ini()), modes);
        if (damaged) {
            EXPECT_EQ(ReadAll(Ini() + ".damaged"), text);
            EXPECT_EQ(ModesOf(Ini() + ".damaged"), modes) << "readable by no one else";
        }
    }
}

TEST_F(SettingsFileTest, ALinkToAFileOfAnotherProgramIsLeftAsItIs) {
    QTemporaryDir home;
    const QString bashrc = home.filePath(".bashrc");
    const QByteArray script =
        "export EDITOR=vi\nalias ll='ls -l'\nif [ -f ~/.aliases ]; then\n    . ~/.aliases\nfi\n";
    ASSERT_TRUE(WriteAll(bashrc, script));
    const Modes modes = OtherOwner(0600);
    ASSERT_TRUE(Give(bashrc, modes));
    ASSERT_TRUE(QFile::link(bashrc, Ini()));

    ErrorCapture errors;
    QtSettingsStore store(folder_.path());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    store.Write("Orvandel", "Metrivo", "cboFromCurrency", "3");
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(4, 4));
    EXPECT_EQ(errors.Lines(), 1) << errors.text();
    EXPECT_NE(errors.text().find("link to a file that holds no settings"), std::string::npos)
        << errors.text();
    EXPECT_EQ(ReadAll(bashrc), script);
    EXPECT_EQ(ModesOf(bashrc), modes);
    EXPECT_TRUE(QFileInfo(Ini()).isSymLink());
    EXPECT_TRUE(KeptCopies().isEmpty()) << "nothing of it is copied";
}

TEST_F(SettingsFileTest, AGoodFileIsNotCopied) {
    ASSERT_TRUE(WriteAll(Ini(), "[Metrivo]\nUnitType=4\n"));
    QtSettingsStore store(folder_.path());
    store.Write("Orvandel", "Metrivo", "LastTo1", "2");
    EXPECT_TRUE(KeptCopies().isEmpty());
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "4");
}

// Something made where the store looks for a file; false when the system
// refuses to make it.
struct PlaceCase {
    const char* name;
    std::function<bool(const QString& path)> make;
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

// Something other than a regular file where the settings file belongs: the
// store must neither block on it nor replace it, and the program goes on
// with the defaults, saying once that it cannot save.
class SettingsFileTypeTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SettingsFileTypeTest, ReadsGiveDefaultsAndWritesLeaveItAlone) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtSettingsStore store(folder.path());
    const QString path = store.FilePath("Orvandel");
    ASSERT_TRUE(GetParam().make(path));

    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    ErrorCapture errors;
    for (int n = 0; n < 4; ++n) store.Write("Orvandel", "Metrivo", "UnitType", "3");
    store.Write("Orvandel", "Metrivo", "LastFrom0", "2");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    EXPECT_EQ(errors.Lines(), 1) << "one warning per run: " << errors.text();
    EXPECT_NE(errors.text().find("cannot save settings"), std::string::npos) << errors.text();
    EXPECT_FALSE(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SettingsFileTypeTest,
    ::testing::Values(PlaceCase{"Fifo", [](const QString& p) { return MakeFifo(Native(p)); }},
                      PlaceCase{"Folder", [](const QString& p) { return QDir().mkpath(p); }},
                      PlaceCase{"LinkToDevZero",
                                [](const QString& p) { return QFile::link("/dev/zero", p); }},
                      PlaceCase{"Socket", [](const QString& p) { return MakeSocket(Native(p)); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Something other than Qt's lock file at "Orvandel.ini.lock": Qt would wait
// on it for ever, or block reading it.
class SettingsLockPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SettingsLockPlaceTest, WarnsOnceAndLeavesTheFileAsItWas) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.path());
    const QString ini = store.FilePath("Orvandel");
    ASSERT_TRUE(WriteAll(ini, "[Metrivo]\nUnitType=3\n"));
    ASSERT_TRUE(GetParam().make(ini + ".lock"));

    ErrorCapture errors;
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(1, 1));
    const std::string said = errors.text();
    EXPECT_EQ(errors.Lines(), 1) << said;
    EXPECT_NE(said.find("cannot save settings"), std::string::npos) << said;
    EXPECT_NE(said.find("Orvandel.ini.lock cannot be used"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(ini), "[Metrivo]\nUnitType=3\n");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "3");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SettingsLockPlaceTest,
    ::testing::Values(
        PlaceCase{"folder", [](const QString& lock) { return QDir().mkpath(lock); }},
        PlaceCase{"FIFO", [](const QString& lock) { return MakeFifo(Native(lock)); }},
        PlaceCase{"socket", [](const QString& lock) { return MakeSocket(Native(lock)); }},
        PlaceCase{"link to a FIFO",
                  [](const QString& lock) {
                      return MakeFifo(Native(lock + ".fifo")) && QFile::link(lock + ".fifo", lock);
                  }},
        PlaceCase{"dangling link",
                  [](const QString& lock) { return QFile::link(lock + ".nowhere", lock); }},
        PlaceCase{"link to a device",
                  [](const QString& lock) { return QFile::link("/dev/zero", lock); }}),
    NameOfCase());

TEST(SettingsLockTest, ALockHeldByALiveInstanceIsWaitedForAsLongAsAllowed) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.path(), 300);
    const QString ini = store.FilePath("Orvandel");
    ASSERT_TRUE(WriteAll(ini, "[Metrivo]\nUnitType=3\n"));
    auto held = std::make_unique<QLockFile>(ini + ".lock");
    ASSERT_TRUE(held->tryLock(0));

    ErrorCapture errors;
    QElapsedTimer timer;
    timer.start();
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(2, 2));
    const qint64 waited = timer.elapsed();
    const std::string said = errors.text();
    EXPECT_LT(waited, 3000) << "a bound, not a speed";
    EXPECT_NE(said.find("stayed locked"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(ini), "[Metrivo]\nUnitType=3\n") << "none of the batch";

    // Once the other instance lets go, writes go through again.
    held.reset();
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(2, 2));
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo5", ""), "2");
}

// On a slow disk another instance holds the lock for as long as its write
// takes: waiting for it lets the instance closed last have the last word.
TEST(SettingsLockTest, ALockHeldLongerThanASecondIsWaitedFor) {
    QTemporaryDir folder;
    QtSettingsStore store(folder.path());
    const QString ini = store.FilePath("Orvandel");
    ASSERT_TRUE(WriteAll(ini, "[Metrivo]\nUnitType=3\n"));
    auto held = std::make_unique<QLockFile>(ini + ".lock");
    ASSERT_TRUE(held->tryLock(0));
    std::thread other([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        held.reset();
    });
    ErrorCapture errors;
    store.WriteBatch("Orvandel", "Metrivo", CloseEntries(2, 2));
    other.join();
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", ""), "2");
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

// Folders of the system's own file systems, which count no free blocks.
TEST(ConfigFolderTest, AFolderOfTheSystemIsNoWritableFolderNotAFullDisk) {
    for (const char* folder : {"/proc/self", "/sys"}) {
        QtSettingsStore store{QString::fromLatin1(folder)};
        ErrorCapture errors;
        store.Write("Orvandel", "Metrivo", "UnitType", "4");
        EXPECT_EQ(errors.Lines(), 1) << errors.text();
        EXPECT_NE(errors.text().find("(it is not a writable file in a writable folder)"),
                  std::string::npos)
            << errors.text();
    }
}

TEST(ConfigFolderTest, WithoutAFolderReadsGiveDefaultsAndWritesWarnOnce) {
    QtSettingsStore store{QString()};
    ErrorCapture errors;
    store.Write("Orvandel", "Metrivo", "UnitType", "4");
    store.Write("Orvandel", "Metrivo", "UnitType", "5");
    EXPECT_EQ(errors.Lines(), 1) << errors.text();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    EXPECT_FALSE(QFileInfo::exists("/Orvandel.ini"));
}

}  // namespace
}  // namespace metrivo

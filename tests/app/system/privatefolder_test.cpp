// The run's own folder in a shared temporary folder, and the removal of those
// that runs which were killed left behind, never one of a live run.
#include "privatefolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "filecontent.h"

namespace metrivo {
namespace {

using test::WriteAll;

QStringList Entries(const QTemporaryDir& base) {
    return QDir(base.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

TEST(PrivateFolderTest, IsTheRunsAloneAndGoesWithItsFiles) {
    QTemporaryDir base;
    std::string path;
    {
        const auto folder = PrivateFolder::Make(base.path().toStdString(), "Metrivo-");
        ASSERT_TRUE(folder);
        path = folder->path();
        EXPECT_EQ(Entries(base), QStringList{QFileInfo(QString::fromStdString(path)).fileName()});
        EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).fileName().startsWith("Metrivo-"));
        EXPECT_EQ(QFileInfo(QString::fromStdString(path)).fileName().size(), 14);
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
        ASSERT_TRUE(WriteAll(QString::fromStdString(path + "/0.png"), "copy"));
    }
    EXPECT_TRUE(Entries(base).isEmpty());
}

TEST(PrivateFolderTest, OnlyFoldersLeftBehindAreRemoved) {
    QTemporaryDir base;
    const QDir dir(base.path());
    // Left by a run that was killed: no one holds it.
    ASSERT_TRUE(dir.mkdir("Metrivo-Ab3xY9"));
    ASSERT_TRUE(WriteAll(base.filePath("Metrivo-Ab3xY9/0.gif"), "copy"));
    // Not of this kind.
    for (const char* other : {"Metrivo-short", "Metrivo-toolong7", "Other-Ab3xY9",
                              ".Metrivo-Ab3xY8", "Metrivo-Ab.xY9"}) {
        ASSERT_TRUE(dir.mkdir(other)) << other;
    }
    ASSERT_TRUE(WriteAll(base.filePath("Metrivo-file01"), "a file"));
    // A live run's, and when run as root one of another user.
    const auto live = PrivateFolder::Make(base.path().toStdString(), "Metrivo-");
    ASSERT_TRUE(live);
    const passwd* nobody = ::getpwnam("nobody");
    const bool asRoot = ::geteuid() == 0 && nobody != nullptr;
    if (asRoot) {
        ASSERT_TRUE(dir.mkdir("Metrivo-Nobody"));
        ASSERT_EQ(::chown(base.filePath("Metrivo-Nobody").toLocal8Bit().constData(), nobody->pw_uid,
                          nobody->pw_gid),
                  0);
    }
    const QStringList before = Entries(base);

    EXPECT_EQ(PrivateFolder::RemoveAbandoned(base.path().toStdString(), "Metrivo-"), 1);
    QStringList expected = before;
    expected.removeAll("Metrivo-Ab3xY9");
    EXPECT_EQ(Entries(base), expected);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(live->path())).isDir());
    EXPECT_EQ(PrivateFolder::RemoveAbandoned(base.path().toStdString(), "Metrivo-"), 0);
}

}  // namespace
}  // namespace metrivo

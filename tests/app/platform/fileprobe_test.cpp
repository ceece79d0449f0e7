#include "fileprobe.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cerrno>
#include <filesystem>

#include "scratchfolder.h"

namespace metrivo {
namespace {

using test::Entry;

struct ProbeCase {
    const char* name;
    Entry kind;          // made at "a/here"
    const char* probed;  // relative to the program folder
    int16_t exists;
    bool listed;  // found by the directory lookup
};

void PrintTo(const ProbeCase& c, std::ostream* out) {
    *out << c.name;
}

class FileProbeEntries : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(FileProbeEntries, AnswerByWhatIsThere) {
    const ProbeCase& c = GetParam();
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("a/here", c.kind));
    errno = 0;
    EXPECT_EQ(FileExists(folder.At(c.probed)), c.exists);
    EXPECT_EQ(errno, 0) << "no error is left behind";
    EXPECT_EQ(FileProbe::IsRegularFile(folder.At(c.probed)), c.listed);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FileProbeEntries,
    ::testing::Values(ProbeCase{"File", Entry::kFile, "a/here", -1, true},
                      ProbeCase{"NoFile", Entry::kNone, "a/here", 0, false},
                      ProbeCase{"NoFolder", Entry::kFile, "b/here", 0, false},
                      ProbeCase{"BelowAFile", Entry::kFile, "a/here/x", 0, false},
                      // These have a modification time, but are no files.
                      ProbeCase{"Folder", Entry::kFolder, "a/here", -1, false},
                      ProbeCase{"Fifo", Entry::kFifo, "a/here", -1, false},
                      ProbeCase{"Socket", Entry::kSocket, "a/here", -1, false},
                      ProbeCase{"Link", Entry::kLinkToFile, "a/here", -1, true},
                      ProbeCase{"Dangling", Entry::kDanglingLink, "a/here", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileExists, PathsThatNameNothing) {
    for (const std::string& path : {std::string(), std::string("\0/etc/passwd", 12),
                                    std::string("/etc/passwd\0x", 13), std::string(5000, 'a')}) {
        EXPECT_EQ(FileExists(path), 0) << path.size();
    }
}

TEST(FileExists, LeavesTheFileAsItWas) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("HAND-M.CUR", Entry::kFile, "content"));
    const std::string path = folder.At("HAND-M.CUR");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const auto before = std::filesystem::last_write_time(path);
    EXPECT_EQ(FileExists(path), -1);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(FileProbe::ReadRegularFile(path, 7), QByteArray("content"));
    EXPECT_FALSE(FileProbe::ReadRegularFile(path, 6)) << "one byte over the cap";
}

TEST(FileProbe, HiddenFilesAreNotListed) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make(".o.cjs", Entry::kFile));
    EXPECT_FALSE(FileProbe::IsRegularFile(folder.At(".o.cjs")));
}

TEST(FileProbe, PathsBesideTheProgram) {
    EXPECT_EQ(FileProbe::ProgramFolder(), QCoreApplication::applicationDirPath().toStdString());
    EXPECT_EQ(FileProbe::Beside("/opt/metrivo", {"HAND-M.CUR"}), "/opt/metrivo/HAND-M.CUR");
    EXPECT_EQ(FileProbe::Beside("/opt/metrivo", {"x", "o.cjs"}), "/opt/metrivo/x/o.cjs");
    EXPECT_EQ(FileProbe::Beside("/", {"x", "o.cjs"}), "//x/o.cjs")
        << "the root keeps its separator";
}

}  // namespace
}  // namespace metrivo

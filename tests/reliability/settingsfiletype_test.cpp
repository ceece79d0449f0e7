#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "qtsettingsstore.h"

namespace metrivo {
namespace {

// Something other than a regular file where the settings file belongs: the
// store must neither block on it nor replace it, and the program goes on
// with the defaults.
struct Case {
    const char* name;
    std::function<bool(const QString& path)> make;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SettingsFileTypeTest : public ::testing::TestWithParam<Case> {};

TEST_P(SettingsFileTypeTest, ReadsGiveDefaultsAndWritesLeaveItAlone) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtSettingsStore store(folder.path());
    const QString path = store.FilePath("Orvandel");
    ASSERT_TRUE(GetParam().make(path));

    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    testing::internal::CaptureStderr();
    store.Write("Orvandel", "Metrivo", "UnitType", "3");
    store.Write("Orvandel", "Metrivo", "LastFrom0", "2");
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    EXPECT_NE(warnings.find("cannot save settings"), std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("cannot save settings"), warnings.rfind("cannot save settings"))
        << "one warning per run";
    EXPECT_FALSE(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SettingsFileTypeTest,
    ::testing::Values(
        Case{"Fifo", [](const QString& p) { return mkfifo(p.toLocal8Bit().constData(), 0600) == 0; }},
        Case{"Folder", [](const QString& p) { return QDir().mkpath(p); }},
        Case{"LinkToDevZero", [](const QString& p) { return QFile::link("/dev/zero", p); }},
        Case{"Socket",
             [](const QString& p) {
                 const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
                 sockaddr_un address{};
                 address.sun_family = AF_UNIX;
                 const QByteArray name = p.toLocal8Bit();
                 if (fd < 0 || static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path)) {
                     return false;
                 }
                 std::copy(name.begin(), name.end(), address.sun_path);
                 const bool bound =
                     bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
                 close(fd);
                 return bound;
             }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace metrivo

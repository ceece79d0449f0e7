#include "qtsettingsstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <string>
#include <vector>

#include "filecontent.h"

namespace metrivo::test {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name),
          old_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (old_) {
            qputenv(name_, *old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<QByteArray> old_;
};

TEST(QtSettingsStoreTest, TheFileIsOrvandelIniInTheConfigurationFolder) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    {
        ScopedEnv config("XDG_CONFIG_HOME", (home.path() + "/cfg").toUtf8());
        QtSettingsStore store;
        EXPECT_EQ(store.FilePath("Orvandel"), home.path() + "/cfg/Orvandel.ini");
    }
    {
        ScopedEnv homeVar("HOME", home.path().toUtf8());
        ScopedEnv config("XDG_CONFIG_HOME", QByteArray());
        qunsetenv("XDG_CONFIG_HOME");
        QtSettingsStore store;
        EXPECT_EQ(store.FilePath("Orvandel"), home.path() + "/.config/Orvandel.ini");
    }
}

TEST(QtSettingsStoreTest, AWriteReachesTheFileAtOnceUnderItsSection) {
    QTemporaryDir home;
    ScopedEnv config("XDG_CONFIG_HOME", (home.path() + "/not/yet/there").toUtf8());
    QtSettingsStore store;
    store.Write("Orvandel", "Metrivo", "LastFrom3", "12");
    store.Write("Orvandel", "Metrivo", "cboToCurrency", "-1");
    const QByteArray text = ReadAll(store.FilePath("Orvandel"));
    EXPECT_TRUE(text.contains("[Metrivo]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nLastFrom3=12\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\ncboToCurrency=-1\n")) << text.toStdString();
}

TEST(QtSettingsStoreTest, ReadsReturnTheStoredTextOrTheDefault) {
    QTemporaryDir home;
    ScopedEnv config("XDG_CONFIG_HOME", home.path().toUtf8());
    EXPECT_EQ(QtSettingsStore().Read("Orvandel", "Metrivo", "UnitType", "0"), "0");
    QtSettingsStore().Write("Orvandel", "Metrivo", "UnitType", "4");
    QtSettingsStore().Write("Orvandel", "Metrivo", "UnitType", "5");
    const QtSettingsStore later;
    EXPECT_EQ(later.Read("Orvandel", "Metrivo", "UnitType", "0"), "5");
    EXPECT_EQ(later.Read("Orvandel", "Metrivo", "unittype", "absent"), "absent");
    EXPECT_EQ(later.Read("Orvandel", "Other", "UnitType", "absent"), "absent");
    EXPECT_EQ(later.Read("Other", "Metrivo", "UnitType", "absent"), "absent");
}

TEST(QtSettingsStoreTest, TextEditedByHandComesBackAsWritten) {
    QTemporaryDir home;
    ScopedEnv config("XDG_CONFIG_HOME", home.path().toUtf8());
    QFile file(home.path() + "/Orvandel.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Metrivo]\nUnitType=abc\nLastFrom0=1, 2\nLastTo0= 7 \n");
    file.close();
    const QtSettingsStore store;
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "UnitType", "0"), "abc");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastFrom0", "0"), "1, 2");
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "LastTo0", "0"), "7");
}

}  // namespace
}  // namespace metrivo::test

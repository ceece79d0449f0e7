#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "errorreport.h"
#include "form1.h"
#include "qtmessagebox.h"
#include "qtsettingsstore.h"

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

QString FileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<unreadable>");
    return QString::fromUtf8(file.readAll());
}

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
    const QString text = FileText(store.FilePath("Orvandel"));
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

TEST(QtSettingsStoreTest, TheWindowsPicksLandInTheIniFile) {
    QTemporaryDir home;
    ScopedEnv config("XDG_CONFIG_HOME", home.path().toUtf8());
    QtSettingsStore store;
    QtMessageBox box;
    const ErrorReport report(box);
    Form1 form(store, report, ".");
    form.LoadUnits();
    form.optUnits_Click(0);
    form.SelectOption(4);
    form.cboFromCurrency()->setCurrentIndex(16);
    form.SetToListIndex(-1);
    const QString text = FileText(home.path() + "/Orvandel.ini");
    EXPECT_TRUE(text.startsWith("[Metrivo]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\ncboFromCurrency=16\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\ncboToCurrency=-1\n")) << text.toStdString();
    EXPECT_EQ(store.Read("Orvandel", "Metrivo", "cboFromCurrency", "x"), "16");
}

TEST(QtMessageBoxTest, TheReportShowsAsFourLines) {
    struct Case {
        std::string text;
        const char* shown;
    };
    const std::vector<Case> cases{
        {ErrorReport::MessageText("PushButton2_Click", "Overflow", 124, "a@b.example"),
         "Overflow\nin MetrivoProj2021/08/31.Form1.PushButton2_Click at line 124\n\n"
         "Please email screenshot of this message to a@b.example"},
        {"one\r\ntwo", "one\ntwo"},
        {"one\r\rtwo", "one\n\ntwo"},
        {"one\rtwo\n", "one\ntwo\n"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtMessageBox::DisplayText(c.text).toStdString(), c.shown);
    }
}

TEST(QtMessageBoxTest, AModalWarningWithOneOkButton) {
    QWidget owner;
    QtMessageBox box(&owner);
    struct Seen {
        bool found = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        int buttonCount = 0;
        bool modal = false;
    } seen;
    QTimer::singleShot(0, [&seen] {
        QMessageBox* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<QMessageBox*>(widget);
                candidate && candidate->isVisible()) {
                shown = candidate;
            }
        }
        if (shown == nullptr) return;
        seen.found = true;
        seen.icon = shown->icon();
        seen.title = shown->windowTitle();
        seen.text = shown->text();
        seen.buttons = shown->standardButtons();
        seen.buttonCount = static_cast<int>(shown->buttons().size());
        seen.modal = shown->isModal();
        shown->button(QMessageBox::Ok)->click();
    });
    box.ShowWarning("Application Error", "Type mismatch\r\nin X at line 142\r\rPlease");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, "Application Error");
    EXPECT_EQ(seen.text, "Type mismatch\nin X at line 142\n\nPlease");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_TRUE(seen.modal);
}

}  // namespace
}  // namespace metrivo::test

// Test driver: the main window offscreen, changing its unit lists' selections
// from a timer, each change stored by the real settings store in the real
// file ($XDG_CONFIG_HOME/Orvandel.ini). Every write is reported on standard
// output, flushed, before it starts ("begin KEY VALUE") and after it returned
// ("done KEY VALUE"), so a test that kills the driver knows which values the
// file must hold.
//
//   settingsdriver dump                     the file as found: "found KEY VALUE"
//                                           per key, "status N", "damaged 0|1"
//   settingsdriver from|to|both COUNT SEED  COUNT changes of the source list,
//                                           the target list or both in turn
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "errorreport.h"
#include "form1.h"
#include "messageboxservice.h"
#include "qtsettingsstore.h"
#include "windowsettings.h"

namespace {

using metrivo::Form1;

// Passes writes on to the real store once opened, reporting each of them.
class ReportingStore : public metrivo::SettingsStore {
  public:
    explicit ReportingStore(metrivo::SettingsStore& store) : store_(store) {}
    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override {
        return store_.Read(app, section, key, defaultValue);
    }
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override {
        if (!open) return;
        std::cout << "begin " << key << ' ' << value << std::endl;
        store_.Write(app, section, key, value);
        std::cout << "done " << key << ' ' << value << std::endl;
    }
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<metrivo::SettingsEntry>& entries) override {
        if (!open) return;
        for (const auto& entry : entries) {
            std::cout << "begin " << entry.key << ' ' << entry.value << std::endl;
        }
        store_.WriteBatch(app, section, entries);
        for (const auto& entry : entries) {
            std::cout << "done " << entry.key << ' ' << entry.value << std::endl;
        }
    }
    bool open = false;

  private:
    metrivo::SettingsStore& store_;
};

class CountingBox : public metrivo::MessageBoxService {
  public:
    void ShowWarning(std::string_view, std::string_view text) override {
        std::cout << "report " << text.substr(0, text.find('\r')) << std::endl;
    }
};

int Dump(const metrivo::QtSettingsStore& store) {
    using metrivo::WindowSettings;
    std::vector<std::string> keys;
    for (int n = 0; n < metrivo::WindowState::kCategories; ++n) {
        keys.push_back(WindowSettings::LastFromKey(n));
    }
    for (int n = 0; n < metrivo::WindowState::kCategories; ++n) {
        keys.push_back(WindowSettings::LastToKey(n));
    }
    for (std::string_view key :
         {WindowSettings::kUnitTypeKey, WindowSettings::kFromListKey, WindowSettings::kToListKey}) {
        keys.emplace_back(key);
    }
    for (const std::string& key : keys) {
        std::cout << "found " << key << ' '
                  << store.Read(WindowSettings::kApp, WindowSettings::kSection, key, "<absent>")
                  << '\n';
    }
    const QString path = store.FilePath(WindowSettings::kApp);
    QSettings settings(path, QSettings::IniFormat);
    (void)settings.childGroups();
    QFile file(path);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    std::cout << "status " << static_cast<int>(settings.status()) << '\n'
              << "damaged " << (metrivo::QtSettingsStore::IsDamaged(content) ? 1 : 0) << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    metrivo::QtSettingsStore store;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "dump") return Dump(store);
    if (argc < 4 || (mode != "from" && mode != "to" && mode != "both")) {
        std::cerr << "usage: settingsdriver dump | from|to|both COUNT SEED\n";
        return 2;
    }
    const long count = std::strtol(argv[2], nullptr, 10);
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));

    ReportingStore reporting(store);
    CountingBox box;
    const metrivo::ErrorReport report(box);
    Form1 form(reporting, report, ".");
    form.LoadUnits();
    form.optUnits_Click(0);
    reporting.open = true;

    long made = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (made == count) {
            timer.stop();
            QApplication::quit();
            return;
        }
        const bool from = mode == "from" || (mode == "both" && made % 2 == 0);
        QComboBox* list = from ? form.cboFromCurrency() : form.cboToCurrency();
        // -1 now and then: no selection is a value the file must keep too.
        std::uniform_int_distribution<int> pick(-1, list->count() - 1);
        const auto index = static_cast<int16_t>(pick(random));
        if (from) {
            form.SetFromListIndex(index);
        } else {
            form.SetToListIndex(index);
        }
        ++made;
    });
    timer.start(0);
    return QApplication::exec();
}

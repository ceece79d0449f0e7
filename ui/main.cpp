#include <QApplication>
#include <future>

#include "clipboardqt.h"
#include "deferredsettingsstore.h"
#include "errorreport.h"
#include "fileprobe.h"
#include "firstframe.h"
#include "form1.h"
#include "formlifecycle.h"
#include "localeseparator.h"
#include "qtmessagebox.h"
#include "qtsettingsstore.h"
#include "skinengine.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Metrivo"));
    QApplication::setDesktopFileName(QStringLiteral("metrivo"));
    // Decoding the icon's four images takes a few milliseconds; it goes on
    // beside the building of the window, which needs the icon only at its load.
    std::future<std::vector<QImage>> iconImages =
        std::async(std::launch::async, &metrivo::FormLifecycle::ApplicationIconImages);

    metrivo::QtSettingsStore settingsFile;
    // The load stores the list selections it restores; those writes wait
    // for the disk, so they go out once the window has been drawn.
    metrivo::DeferredSettingsStore settings(settingsFile);
    settings.Hold();
    metrivo::QtMessageBox messageBox;
    const metrivo::ErrorReport report(messageBox);
    metrivo::ClipboardQt clipboard;
    metrivo::SkinEngine SkinFramework1;

    metrivo::Form1 window(settings, report, metrivo::LocaleSeparator::FromEnvironment());
    window.SetClipboard(clipboard);
    messageBox.SetParentWidget(&window);

    metrivo::FormLifecycle lifecycle(window, SkinFramework1, &metrivo::FileProbe::ProgramFolder,
                                     metrivo::FormLifecycle::IconFrom(iconImages.get()));
    lifecycle.Form_Load();
    metrivo::FirstFrame::Then(window, [&settings] { settings.Flush(); });
    window.show();
    return QApplication::exec();
}

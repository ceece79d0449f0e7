#include <QApplication>

#include "clipboardqt.h"
#include "errorreport.h"
#include "fileprobe.h"
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

    metrivo::QtSettingsStore settings;
    metrivo::QtMessageBox messageBox;
    const metrivo::ErrorReport report(messageBox);
    metrivo::ClipboardQt clipboard;
    metrivo::SkinEngine SkinFramework1;

    metrivo::Form1 window(settings, report, metrivo::LocaleSeparator::FromEnvironment());
    window.SetClipboard(clipboard);
    messageBox.SetParentWidget(&window);

    metrivo::FormLifecycle lifecycle(window, SkinFramework1, &metrivo::FileProbe::ProgramFolder);
    lifecycle.Form_Load();
    window.show();
    return QApplication::exec();
}

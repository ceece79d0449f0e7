#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "deferredsettingsstore.h"
#include "displaylosswatch.h"
#include "errorline.h"
#include "errorreport.h"
#include "eventguard.h"
#include "fileprobe.h"
#include "firstframe.h"
#include "form1.h"
#include "formlifecycle.h"
#include "guardedapplication.h"
#include "localeseparator.h"
#include "qtclipboard.h"
#include "qtmessagebox.h"
#include "qtsettingsstore.h"
#include "skinengine.h"
#include "skinimages.h"
#include "startupmessages.h"
#include "terminationsignals.h"
#include "windowcommandline.h"
#include "writebehindsettingsstore.h"

namespace {

// Standard output through C's stream: std::cout's set-up would run at every
// start of the window.
int PrintText(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The window from its load to its close; returns the exit status once every
// object of the window is gone and the settings are written.
int RunWindow(metrivo::GuardedApplication& app) {
    metrivo::QtSettingsStore settingsFile;
    // Every write goes to the disk on a thread of its own, so that the
    // window never waits for it, however slow the disk; the last ones are
    // waited for once the window is gone.
    metrivo::WriteBehindSettingsStore writer(settingsFile);
    // The load stores the list selections it restores; those go out once
    // the window has been drawn, which also starts the writer's thread only
    // then.
    metrivo::DeferredSettingsStore settings(writer);
    settings.Hold();
    metrivo::QtMessageBox messageBox;
    const metrivo::ErrorReport report(messageBox);
    app.SetErrorReport(&report);
    metrivo::QtClipboard clipboard;
    metrivo::SkinEngine SkinFramework1;

    metrivo::Form1 window(settings, report, metrivo::LocaleSeparator::FromEnvironment());
    window.SetClipboard(clipboard);
    messageBox.SetParentWidget(&window);

    metrivo::FormLifecycle lifecycle(window, SkinFramework1, &metrivo::FileProbe::ProgramFolder,
                                     metrivo::FormLifecycle::ApplicationIcon());
    // Ending by a signal is closing the window; ending because the display
    // went away stores what a close would have stored.
    metrivo::TerminationSignals endSignals;
    QObject::connect(&endSignals, &metrivo::TerminationSignals::EndRequested, &lifecycle, [&] {
        metrivo::EventGuard::Run(report, "Form_Unload", [&] { lifecycle.EndRequested(); });
    });
    const metrivo::DisplayLossWatch saveOnDisplayLoss([&] {
        if (lifecycle.loaded() && !lifecycle.unloaded()) lifecycle.SavePendingChoices();
        settings.Flush();
        writer.WaitUntilWritten();
        SkinFramework1.RemoveImageCopies();
    });

    lifecycle.Form_Load();
    if (lifecycle.unloaded()) return EXIT_SUCCESS;
    metrivo::FirstFrame::Then(window, [&] {
        lifecycle.CompleteIcon();
        metrivo::EventGuard::Run(report, "SaveSettings", [&] { settings.Flush(); });
        // Image copies of runs that were killed.
        metrivo::SkinImages::RemoveLeftovers();
    });
    window.show();
    const int status = QApplication::exec();
    app.SetErrorReport(nullptr);
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A standard error or output that no one reads any more (the program
    // started as "metrivo 2>&1 | head") makes a write fail, not the program end.
    std::signal(SIGPIPE, SIG_IGN);
    using metrivo::WindowCommandLine;
    const std::vector<std::string_view> arguments(argv, argv + argc);
    switch (WindowCommandLine::Parse(arguments)) {
        case WindowCommandLine::Action::kShowHelp:
            return PrintText(
                WindowCommandLine::HelpText(metrivo::ErrorReport::DefaultSupportAddress()));
        case WindowCommandLine::Action::kShowVersion:
            return PrintText(WindowCommandLine::VersionText());
        case WindowCommandLine::Action::kOpenWindow:
            break;
    }
    std::string noDisplay;
    if (!WindowCommandLine::DisplayNamed(arguments, qgetenv("DISPLAY").toStdString(),
                                         qgetenv("WAYLAND_DISPLAY").toStdString(),
                                         qgetenv("QT_QPA_PLATFORM").toStdString(), noDisplay)) {
        metrivo::ErrorLine(noDisplay);
        return EXIT_FAILURE;
    }

    // A display that is named but cannot be reached ends the start with one
    // line, not with Qt's abort.
    metrivo::StartupMessages startup;
    metrivo::GuardedApplication app(argc, argv);
    startup.Release();
    // The desktop's name for the program from its first window on; the load
    // sets the application title again at its step.
    QApplication::setApplicationName(QStringLiteral("Metrivo"));
    QApplication::setDesktopFileName(QStringLiteral("metrivo"));

    const int status = RunWindow(app);
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        // Qt's Wayland plugin can wait for ever, when the application object
        // goes, for its event thread, which waits for events that never come.
        // Everything of ours is done by now; the compositor cleans up after
        // the connection.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

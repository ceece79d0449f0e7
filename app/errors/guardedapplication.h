#pragma once

#include <QApplication>

namespace metrivo {

class ErrorReport;

// The application object. Every event handler of the window guards itself
// (EventGuard); should an error still reach the delivery of an event, it is
// reported here and the event loop goes on, so no error ends the program.
class GuardedApplication : public QApplication {
    Q_OBJECT
  public:
    GuardedApplication(int& argc, char** argv);

    // The report box for errors that reach the event delivery; until one is
    // given, such an error is passed on.
    void SetErrorReport(const ErrorReport* report) { report_ = report; }

    bool notify(QObject* receiver, QEvent* event) override;

    // The procedure name a report gives for an event that reached no handler
    // of ours: the receiver's name and the event's kind, "Text1_KeyPress".
    static QString ProcedureFor(const QObject* receiver, const QEvent* event);

  private:
    const ErrorReport* report_ = nullptr;
};

}  // namespace metrivo

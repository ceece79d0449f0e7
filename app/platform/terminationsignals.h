#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace metrivo {

// Turns the signals by which the system asks a program to end (SIGTERM,
// SIGHUP, SIGINT, SIGQUIT) into a Qt signal on the window's thread, so that
// ending the program this way goes through the same steps as closing its
// window. A logout without a session manager, a stopped user service or
// Ctrl+C in a terminal all arrive so.
//
// The signal handler only writes the signal's number into a pipe; the event
// loop reads it. One instance at a time; the previous handlers are restored
// when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe could not be made; the signals then keep their
    // default action.
    bool active() const { return notifier_ != nullptr; }

  signals:
    void EndRequested(int signalNumber);

  private:
    void ReadPipe();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace metrivo

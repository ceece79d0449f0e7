#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace metrivo {

// Runs an action when the connection to the display breaks. Qt then says so
// ("The X11 connection broke", "The Wayland connection broke") and ends the
// program with exit(); the action runs at that message, while the program is
// still whole, so that it can store what a close would have stored. Every
// message is passed on to the handler that was there before.
//
// Qt has one message handler per process, so there is one watch at a time.
class DisplayLossWatch {
  public:
    explicit DisplayLossWatch(std::function<void()> action);
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;

    static bool IsDisplayLoss(const QString& message);

  private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
};

}  // namespace metrivo

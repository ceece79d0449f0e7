#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace metrivo {

// Runs an action once a window has painted its first frame: the action is
// posted when the window's first paint event has been handled, so it runs
// from the event loop after that frame has gone to the screen. Work that
// the first frame does not need (such as writing settings) waits there
// instead of delaying the window.
class FirstFrame : public QObject {
    Q_OBJECT
  public:
    // The watcher belongs to `window` and deletes itself once it has posted
    // the action. An action still waiting when the window is deleted is
    // dropped.
    static FirstFrame* Then(QWidget& window, std::function<void()> action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FirstFrame(QWidget& window, std::function<void()> action);

    QPointer<QWidget> window_;
    std::function<void()> action_;
};

}  // namespace metrivo

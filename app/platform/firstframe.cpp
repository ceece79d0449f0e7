#include "firstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace metrivo {

FirstFrame::FirstFrame(QWidget& window, std::function<void()> action)
    : QObject(&window), window_(&window), action_(std::move(action)) {
    window.installEventFilter(this);
}

FirstFrame* FirstFrame::Then(QWidget& window, std::function<void()> action) {
    return new FirstFrame(window, std::move(action));
}

bool FirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint && action_) {
        // The paint is still going on; the frame reaches the screen once it
        // and the backing store's flush have returned to the event loop.
        QTimer::singleShot(0, window_.data(), std::move(action_));
        action_ = nullptr;
        window_->removeEventFilter(this);
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace metrivo

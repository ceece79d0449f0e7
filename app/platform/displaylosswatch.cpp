#include "displaylosswatch.h"

#include <exception>
#include <string>

#include "errorline.h"

namespace metrivo {
namespace {

struct Watch {
    std::function<void()> action;
    QtMessageHandler previous = nullptr;
    bool running = false;
};

Watch& Current() {
    static Watch watch;
    return watch;
}

}  // namespace

DisplayLossWatch::DisplayLossWatch(std::function<void()> action) {
    Current().action = std::move(action);
    Current().previous = qInstallMessageHandler(&DisplayLossWatch::Handle);
}

DisplayLossWatch::~DisplayLossWatch() {
    qInstallMessageHandler(Current().previous);
    Current() = Watch{};
}

bool DisplayLossWatch::IsDisplayLoss(const QString& message) {
    return message.contains(QLatin1String("X11 connection broke")) ||
           message.contains(QLatin1String("Wayland connection broke"));
}

void DisplayLossWatch::Handle(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    Watch& watch = Current();
    if (!watch.running && watch.action && IsDisplayLoss(text)) {
        // Messages of the action itself go straight on.
        watch.running = true;
        std::function<void()> action = std::move(watch.action);
        watch.action = nullptr;
        try {
            action();
        } catch (const std::exception& error) {
            ErrorLine(std::string("metrivo: settings not saved: ") + error.what());
        } catch (...) {
            ErrorLine("metrivo: settings not saved");
        }
        watch.running = false;
    }
    if (watch.previous != nullptr) {
        watch.previous(type, context, text);
    } else {
        qt_message_output(type, context, text);
    }
}

}  // namespace metrivo

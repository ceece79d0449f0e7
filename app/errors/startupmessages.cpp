#include "startupmessages.h"

#include <cstdlib>

#include "errorline.h"

namespace metrivo {
namespace {

struct Kept {
    QtMsgType type;
    std::string category;
    QString text;
};

std::vector<Kept>& KeptMessages() {
    static std::vector<Kept> kept;
    return kept;
}

}  // namespace

StartupMessages::StartupMessages() {
    KeptMessages().clear();
    previous_ = qInstallMessageHandler(&StartupMessages::Handle);
}

StartupMessages::~StartupMessages() {
    Release();
}

void StartupMessages::Release() {
    if (released_) return;
    released_ = true;
    qInstallMessageHandler(previous_);
    std::vector<Kept> kept = std::move(KeptMessages());
    KeptMessages().clear();
    for (const Kept& message : kept) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        if (previous_ != nullptr) {
            previous_(message.type, context, message.text);
        } else {
            qt_message_output(message.type, context, message.text);
        }
    }
}

std::string StartupMessages::FailureLine(const std::vector<std::string>& messages,
                                         const std::string& fatal) {
    for (const std::string& message : messages) {
        const auto at = message.find("could not connect to display");
        if (at != std::string::npos) {
            return "metrivo: cannot open a window: " + message.substr(at);
        }
    }
    const std::string firstLine = fatal.substr(0, fatal.find('\n'));
    return "metrivo: cannot open a window: " +
           (firstLine.empty() ? std::string("the display cannot be used") : firstLine);
}

void StartupMessages::Handle(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    if (type != QtFatalMsg) {
        KeptMessages().push_back({type, context.category != nullptr ? context.category : "", text});
        return;
    }
    std::vector<std::string> earlier;
    for (const Kept& message : KeptMessages()) earlier.push_back(message.text.toStdString());
    ErrorLine(FailureLine(earlier, text.toStdString()));
    std::_Exit(EXIT_FAILURE);
}

}  // namespace metrivo

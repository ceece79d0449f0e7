#include "errorreport.h"

#include <cstdlib>
#include <utility>

#ifndef METRIVO_SUPPORT_ADDRESS
#define METRIVO_SUPPORT_ADDRESS "support@metrivo.example"
#endif

namespace metrivo {

ErrorReport::ErrorReport(MessageBoxService& box, std::string supportAddress)
    : box_(box), supportAddress_(std::move(supportAddress)) {}

void ErrorReport::ShowErrorReport(std::string_view procedure, std::string_view description,
                                  int32_t label) const {
    const int running = std::exchange(runningHandlers_, 0);
    try {
        box_.ShowWarning(kTitle, MessageText(procedure, description, label, supportAddress_));
    } catch (...) {
        runningHandlers_ = running;
        throw;
    }
    runningHandlers_ = running;
}

std::string ErrorReport::MessageText(std::string_view procedure, std::string_view description,
                                     int32_t label, std::string_view supportAddress) {
    std::string text;
    text += description;
    text += "\r\n";
    text += "in ";
    text += kModule;
    text += procedure;
    text += " at line ";
    text += std::to_string(label);
    text += "\r\r";
    text += "Please email screenshot of this message to ";
    text += supportAddress;
    return text;
}

std::string ErrorReport::DefaultSupportAddress() {
    return METRIVO_SUPPORT_ADDRESS;
}

}  // namespace metrivo

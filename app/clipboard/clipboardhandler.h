#pragma once

#include <functional>
#include <string>

#include "clipboardservice.h"
#include "errorreport.h"
#include "guardedhandler.h"

namespace metrivo {

// "Copy Results To Clipboard": empties the clipboard, then puts the results
// box's text on it as plain text. Only a failure outside the two clipboard
// routines, such as reading the results box, is reported.
class ClipboardHandler {
  public:
    static constexpr const char* kProcedure = "PushButton1_Click";

    ClipboardHandler(ClipboardService& clipboard, std::function<std::string()> resultText,
                     const ErrorReport& report);
    ClipboardHandler(const ClipboardHandler&) = delete;
    ClipboardHandler& operator=(const ClipboardHandler&) = delete;

    void PushButton1_Click();

  private:
    GuardedHandler BuildSteps();

    ClipboardService& clipboard_;
    std::function<std::string()> resultText_;
    const ErrorReport& report_;
    GuardedHandler handler_;
};

}  // namespace metrivo

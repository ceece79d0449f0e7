#include "clipboardhandler.h"

namespace metrivo {

ClipboardHandler::ClipboardHandler(ClipboardService& clipboard,
                                   std::function<std::string()> resultText,
                                   const ErrorReport& report)
    : clipboard_(clipboard),
      resultText_(std::move(resultText)),
      report_(report),
      handler_(BuildSteps()) {}

void ClipboardHandler::PushButton1_Click() {
    handler_.Run(report_);
}

GuardedHandler ClipboardHandler::BuildSteps() {
    using Step = GuardedHandler::Step;
    std::vector<Step> steps{
        {100,
         [this] {
             ClearClipboard(clipboard_);
             return GuardedHandler::kNext;
         },
         102},
        {102,
         [this] {
             SetClipboardText(clipboard_, resultText_(), ClipboardService::kPlainText);
             return GuardedHandler::kEnd;
         },
         GuardedHandler::kEnd},
    };
    return GuardedHandler(kProcedure, std::move(steps));
}

}  // namespace metrivo

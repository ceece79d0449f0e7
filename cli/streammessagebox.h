#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "messageboxservice.h"

namespace metrivo {

// The message box of a terminal: writes each report's text to a stream, its
// CR LF and lone CR shown as line breaks, each line after a prefix (empty,
// or "line N: " in a batch), and counts the reports.
class StreamMessageBox : public MessageBoxService {
  public:
    explicit StreamMessageBox(std::ostream& out) : out_(out) {}

    void ShowWarning(std::string_view title, std::string_view text) override;

    void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    int reportCount() const { return reportCount_; }

    // The lines of a report's text as written, each ending in "\n".
    static std::string Lines(std::string_view text, std::string_view prefix);

  private:
    std::ostream& out_;
    std::string prefix_;
    int reportCount_ = 0;
};

}  // namespace metrivo

#pragma once

#include <string>
#include <vector>

#include "messageboxservice.h"

namespace metrivo::test {

// Keeps every box it is asked to show, as "title|text".
class RecordingMessageBox : public MessageBoxService {
  public:
    void ShowWarning(std::string_view title, std::string_view text) override {
        shown.push_back(std::string(title) + "|" + std::string(text));
    }
    std::vector<std::string> shown;
};

}  // namespace metrivo::test

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "messageboxservice.h"

namespace metrivo::test {

// Records every box instead of showing it; `onShow` lets a test look at the
// window while a box would be open.
class FakeMessageBox : public MessageBoxService {
  public:
    void ShowWarning(std::string_view title, std::string_view text) override {
        titles.emplace_back(title);
        texts.emplace_back(text);
        if (onShow) onShow();
    }

    std::vector<std::string> titles;
    std::vector<std::string> texts;
    std::function<void()> onShow;
};

}  // namespace metrivo::test

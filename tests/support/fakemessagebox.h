#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "messageboxservice.h"
#include "reporttext.h"

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

    // Each box's report as "description@label", in order.
    std::vector<std::string> reports() const { return ReportsOf(texts); }

    std::vector<std::string> titles;
    std::vector<std::string> texts;
    std::function<void()> onShow;
};

}  // namespace metrivo::test

#pragma once

#include <string_view>

namespace metrivo {

// The platform's modal message box with a warning icon and one OK button.
// Returns when the user has closed it.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual void ShowWarning(std::string_view title, std::string_view text) = 0;
};

}  // namespace metrivo

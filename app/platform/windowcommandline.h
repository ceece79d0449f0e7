#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace metrivo {

// What the window's own command line asks for. The window takes no options of
// its own but --help and --version, which are answered without a display;
// everything else (Qt's -platform, -display, -style ...) is left to Qt.
class WindowCommandLine {
  public:
    enum class Action { kOpenWindow, kShowHelp, kShowVersion };

    static Action Parse(const std::vector<std::string_view>& arguments);

    static std::string HelpText(std::string_view supportAddress);
    static std::string VersionText();

    // Whether a display can be asked for at all: a display named in the
    // environment or on the command line, or a Qt platform that needs none.
    // When there is none, `reason` says so in one line.
    static bool DisplayNamed(const std::vector<std::string_view>& arguments,
                             std::string_view display, std::string_view waylandDisplay,
                             std::string_view qtPlatform, std::string& reason);
};

}  // namespace metrivo

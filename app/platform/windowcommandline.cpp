#include "windowcommandline.h"

#ifndef METRIVO_VERSION
#define METRIVO_VERSION "unknown"
#endif

namespace metrivo {

WindowCommandLine::Action WindowCommandLine::Parse(const std::vector<std::string_view>& arguments) {
    // The first of the two that appears wins, as with most GNU programs.
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") return Action::kShowHelp;
        if (argument == "--version") return Action::kShowVersion;
    }
    return Action::kOpenWindow;
}

std::string WindowCommandLine::HelpText(std::string_view supportAddress) {
    std::string text =
        "Usage: metrivo [QT-OPTION]...\n"
        "Open the Metrivo window: convert an amount between units of length,\n"
        "temperature, speed, volume, weight and area.\n"
        "\n"
        "  -h, --help     display this help and exit\n"
        "      --version  output version information and exit\n"
        "\n"
        "Qt's own options are accepted, for example -platform wayland or\n"
        "-display :1. The last category and units are kept in\n"
        "$XDG_CONFIG_HOME/Orvandel.ini (~/.config/Orvandel.ini by default).\n"
        "For conversions in a terminal or a script, see metrivo-convert(1).\n"
        "\n"
        "Report bugs to: ";
    text += supportAddress;
    text += '\n';
    return text;
}

std::string WindowCommandLine::VersionText() {
    return "metrivo " METRIVO_VERSION
           "\n"
           "Copyright (C) 2021-2026 Metrivo Team\n"
           "License: MIT (Expat) <https://opensource.org/licenses/MIT>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

bool WindowCommandLine::DisplayNamed(const std::vector<std::string_view>& arguments,
                                     std::string_view display, std::string_view waylandDisplay,
                                     std::string_view qtPlatform, std::string& reason) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-display" || argument == "--display" || argument == "-platform" ||
            argument == "--platform") {
            return true;
        }
    }
    if (!display.empty() || !waylandDisplay.empty()) return true;
    // offscreen, vnc, eglfs, linuxfb ... need no display server; xcb and
    // wayland name theirs in DISPLAY and WAYLAND_DISPLAY.
    if (!qtPlatform.empty() && qtPlatform.substr(0, 3) != "xcb" &&
        qtPlatform.substr(0, 7) != "wayland") {
        return true;
    }
    reason =
        "metrivo: cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return false;
}

}  // namespace metrivo

#pragma once

#include <span>
#include <string_view>

namespace metrivo {

// The window's design as one table: every control with its kind, container,
// caption, place and size in twips (1/1440 inch, 15 to a pixel at 96 dots
// per inch), tab index and description. The window is built from it, and
// the tests take their geometry and the points they click from it.
class FormLayout {
  public:
    enum class Kind { kFrame, kTextBox, kList, kOption, kPushButton };

    struct Control {
        std::string_view name;  // "Frame5", "Text1", "optUnits_3"...
        Kind kind;
        std::string_view container;  // a frame's name; empty for the window
        std::string_view caption;    // a text box's starting text
        int index;                   // an option's category; -1 for the others
        int left, top, width, height;
        int tabIndex;
        std::string_view description;
    };

    struct Rect {
        int left, top, width, height;
    };

    // The client area, in twips.
    static constexpr int kWidth = 8040;
    static constexpr int kHeight = 4965;

    // The controls in the order the design creates them, containers first.
    static std::span<const Control> Controls();
    // The control of that name; null for a name the design does not have.
    static const Control* Find(std::string_view name);

    // Twips to logical pixels.
    static constexpr int Twips(int twips) { return (twips + 7) / 15; }
    // A control's place within its container, and within the window, in
    // logical pixels.
    static Rect InContainer(const Control& control);
    static Rect InWindow(const Control& control);
};

}  // namespace metrivo

#pragma once

#include <QFont>
#include <QPalette>
#include <initializer_list>

class QWidget;

namespace metrivo {

// The window's fonts and colours: the design's bold Arial, the white the
// layout gives its frames, options, lists and results, and the desktop's own
// colours where the layout keeps them.
class FormLook {
  public:
    // Arial, bold, at that size.
    static QFont DesignFont(double pointSize);

    // Paints the widget's own background in white.
    static void WhiteBackground(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles);

    // The layout makes these controls white, so whatever the desktop's colour
    // scheme, what is drawn on them takes the colours of a light scheme: dark
    // text, white fields (a list's drop-down, an option's circle), grey
    // borders, a dark selection with white text. Controls inside take them
    // over unless they have colours of their own. `whiteRoles` are the
    // control's own white backgrounds. One palette change per control: each
    // one is sent on to the control's style and its children.
    static void DarkOnWhite(QWidget* widget, std::initializer_list<QPalette::ColorRole> whiteRoles);

    // A control inside a white frame that keeps the desktop's own colours,
    // each set as the control's own: one it left unset would come from the
    // frame (dark text on a dark desktop button, a white amount box). The
    // selection is darkened (lightened) where its text would not be readable.
    static void DesktopColours(QWidget* widget);
};

}  // namespace metrivo

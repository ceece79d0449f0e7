#pragma once

#include <functional>
#include <string>

#include "skinframework.h"

class QWidget;

namespace metrivo {

// Skins the main window from the file x/o.cjs below the program folder, when
// that file is there.
class SkinLoader {
  public:
    using FolderProvider = std::function<std::string()>;

    // The skin file's path below `programFolder`.
    static std::string SkinPath(const std::string& programFolder);

    // The kinds of control that take the button face with the window: option
    // buttons, check boxes, frames and labels.
    static bool TakesButtonFace(const QWidget& control);

    // Gives `widget` the system's button-face colour as its background, as a
    // reference to the palette's button role: it follows the palette when
    // drawn, it is not a copy of today's colour.
    static void UseButtonFace(QWidget& widget);
};

// Without a skin file nothing changes and `skin` is not called. With one, the
// window and its option buttons, check boxes, frames and labels take the
// button face, then `skin` loads the file and is applied to the window. The
// folder is read afresh each time the path is built. Failures pass to the
// caller as RunTimeError; what was done before them stays done.
void ApplySkinFile(QWidget& window, SkinFramework& skin,
                   const SkinLoader::FolderProvider& programFolder);

}  // namespace metrivo

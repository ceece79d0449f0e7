#pragma once

#include <QString>

namespace metrivo {

// The application title: the product name without its last word, and
// without further words while it is longer than 40 characters.
class AppTitle {
  public:
    static constexpr qsizetype kMaxLength = 40;

    static QString ProductName();

    // Cuts `name` at its last space (U+0020 only) once, then again while the
    // rest is longer than kMaxLength characters (UTF-16 code units). A text
    // that has no space where a cut is due is kept as it is at that point.
    static QString Cut(QString name);
};

// Makes the cut product name the application's name, the name the desktop
// lists the running program by.
void SetAppTitle();

}  // namespace metrivo

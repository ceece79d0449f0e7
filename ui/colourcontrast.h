#pragma once

#include <QColor>
#include <initializer_list>

namespace metrivo {

// Contrast between colours as WCAG 2 measures it: (L1 + 0.05) / (L2 + 0.05)
// of their relative luminances, from 1 (the same) to 21 (black on white).
class ColourContrast {
  public:
    static double Luminance(const QColor& colour);
    static double Ratio(const QColor& a, const QColor& b);
    // Of the candidates, the one that stands out most against `background`
    // (the first of equals).
    static QColor Strongest(const QColor& background, std::initializer_list<QColor> candidates);
    // `colour` made darker (or lighter, when `other` is the darker of the
    // two) in steps, keeping its hue, until it stands out at least `least`:1
    // against `other` or is black (white); as it is when it already does.
    static QColor AtLeast(const QColor& colour, const QColor& other, double least);
};

}  // namespace metrivo

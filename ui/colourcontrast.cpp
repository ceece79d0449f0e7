#include "colourcontrast.h"

#include <algorithm>
#include <cmath>

namespace metrivo {
namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double ColourContrast::Luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.red()) + 0.7152 * Linear(rgb.green()) + 0.0722 * Linear(rgb.blue());
}

double ColourContrast::Ratio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ColourContrast::Strongest(const QColor& background,
                                 std::initializer_list<QColor> candidates) {
    QColor best;
    double bestRatio = 0.0;
    for (const QColor& candidate : candidates) {
        const double ratio = Ratio(candidate, background);
        if (ratio > bestRatio) {
            best = candidate;
            bestRatio = ratio;
        }
    }
    return best;
}

QColor ColourContrast::AtLeast(const QColor& colour, const QColor& other, double least) {
    // Towards black when the other colour is the lighter, else towards white,
    // in steps of 2 % lightness.
    const int step = Luminance(other) >= Luminance(colour) ? -5 : 5;
    QColor moved = colour.toHsl();
    while (Ratio(moved, other) < least && moved.lightness() != (step < 0 ? 0 : 255)) {
        moved.setHsl(moved.hslHue(), moved.hslSaturation(),
                     std::clamp(moved.lightness() + step, 0, 255), moved.alpha());
    }
    return moved.toRgb();
}

}  // namespace metrivo

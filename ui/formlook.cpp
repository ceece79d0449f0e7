#include "formlook.h"

#include <QApplication>
#include <QWidget>

#include "colourcontrast.h"

namespace metrivo {
namespace {

// WCAG's least contrast for text (AA).
constexpr double kReadableContrast = 4.5;

}  // namespace

QFont FormLook::DesignFont(double pointSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void FormLook::WhiteBackground(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : roles) palette.setColor(role, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void FormLook::DarkOnWhite(QWidget* widget, std::initializer_list<QPalette::ColorRole> whiteRoles) {
    static const QPalette colours = [] {
        QPalette palette;
        const QPalette light{QColor(Qt::white)};
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const bool disabled = g == QPalette::Disabled;
            for (QPalette::ColorRole role : {QPalette::Light, QPalette::Midlight, QPalette::Mid,
                                             QPalette::Dark, QPalette::Shadow}) {
                palette.setColor(g, role, light.color(QPalette::Active, role));
            }
            const QColor text = disabled ? QColor(110, 110, 110) : QColor(Qt::black);
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                palette.setColor(g, role, text);
            }
            palette.setColor(g, QPalette::Base, Qt::white);
            palette.setColor(g, QPalette::AlternateBase, QColor(245, 245, 245));
            palette.setColor(g, QPalette::PlaceholderText, QColor(110, 110, 110));
            palette.setColor(g, QPalette::Highlight, QColor(0, 70, 140));
            palette.setColor(g, QPalette::HighlightedText, Qt::white);
            palette.setColor(g, QPalette::Link, QColor(0, 60, 150));
        }
        return palette;
    }();
    // The roles set above over the control's own; its white backgrounds
    // (white fields are white in both).
    QPalette palette = colours.resolve(widget->palette());
    for (QPalette::ColorRole role : whiteRoles) palette.setColor(role, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void FormLook::DesktopColours(QWidget* widget) {
    const QPalette desktop = QApplication::palette(widget);
    QPalette own;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = static_cast<QPalette::ColorRole>(role);
            own.setBrush(g, r, desktop.brush(g, r));
        }
        own.setColor(g, QPalette::Highlight,
                     ColourContrast::AtLeast(desktop.color(g, QPalette::Highlight),
                                             desktop.color(g, QPalette::HighlightedText),
                                             kReadableContrast));
    }
    widget->setPalette(own);
}

}  // namespace metrivo

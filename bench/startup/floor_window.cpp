// The start-up floor: a bare Qt Widgets window with the same size and kinds
// and number of controls as Metrivo's window (5 group boxes, 6 option
// buttons, 2 drop-down lists, 2 text boxes, 2 push buttons) at the same
// places, and no logic. bench_startup measures Metrivo against it.
// Built twice: bench_floor in the desktop's default font (the floor of the
// start-up target), bench_floor_fonts in the window's own fonts (Arial bold
// at two sizes), which separates what finding those fonts costs.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

namespace {

[[maybe_unused]] QFont DesignFont(double pointSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Bold);
    return font;
}

// Twips of the design to pixels.
QRect At(int left, int top, int width, int height) {
    const auto px = [](int twips) { return (twips + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(536, 331);
#ifdef FLOOR_DESIGN_FONTS
    window.setFont(DesignFont(9.0));
#endif

    auto* frame5 = new QGroupBox(QStringLiteral("Amount to convert"), &window);
    frame5->setGeometry(At(120, 1230, 1920, 810));
    (new QLineEdit(QStringLiteral("1.00"), frame5))->setGeometry(At(240, 300, 1425, 345));

    auto* frame4 = new QGroupBox(QStringLiteral("To"), &window);
    frame4->setGeometry(At(120, 2100, 7800, 810));
    (new QComboBox(frame4))->setGeometry(At(240, 300, 7305, 345));

    auto* frame3 = new QGroupBox(QStringLiteral("From"), &window);
    frame3->setGeometry(At(2160, 1215, 5760, 810));
    (new QComboBox(frame3))->setGeometry(At(240, 300, 5265, 345));

    auto* frame1 = new QGroupBox(QStringLiteral("Conversion Categories"), &window);
    frame1->setGeometry(At(120, 120, 7800, 1040));
    struct Option {
        const char* caption;
        int left, top, width;
    };
    for (const Option& o :
         {Option{"Length", 240, 300, 1095}, Option{"Temperature", 2280, 300, 1455},
          Option{"Speed", 4560, 300, 855}, Option{" Volume", 240, 650, 975},
          Option{" Weight", 2280, 650, 1095}, Option{"Area", 4560, 650, 1215}}) {
        (new QRadioButton(QString::fromLatin1(o.caption), frame1))
            ->setGeometry(At(o.left, o.top, o.width, 255));
    }

    auto* frame2 = new QGroupBox(QStringLiteral("Results"), &window);
    frame2->setGeometry(At(120, 3510, 7800, 1350));
    (new QLineEdit(frame2))->setGeometry(At(240, 300, 7305, 375));

    auto* copy = new QPushButton(QStringLiteral("Copy Results To Clipboard"), frame2);
    copy->setGeometry(At(240, 780, 7305, 405));
    auto* start = new QPushButton(QStringLiteral("Start Converting"), &window);
    start->setGeometry(At(120, 3015, 7800, 405));
#ifdef FLOOR_DESIGN_FONTS
    const QFont buttonFont = DesignFont(11.25);
    copy->setFont(buttonFont);
    start->setFont(buttonFont);
#endif

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - QPoint(536 / 2, 331 / 2));
    }
    window.show();
    return QApplication::exec();
}

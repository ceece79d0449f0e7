// A "Start Converting" press in the real window: Qt's offscreen platform, a
// shown Form1 over settings kept in memory and a message box that shows
// nothing. Each iteration clicks PushButton2 and reads the Results box, so it
// covers the button's click, the guarded conversion steps over the window's
// lists and text boxes, the pointer switched to the hourglass and back, and
// the result written into Text2. BM_PressFloor is the same click in a bare
// window that only sets a text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string>
#include <string_view>

#include "errorreport.h"
#include "form1.h"
#include "memorysettingsstore.h"
#include "messageboxservice.h"
#include "styledpushbutton.h"
#include "unitcatalogue.h"

namespace {

class SilentMessageBox : public metrivo::MessageBoxService {
  public:
    void ShowWarning(std::string_view, std::string_view) override { ++shown; }
    int shown = 0;
};

struct Window {
    metrivo::MemorySettingsStore settings;
    SilentMessageBox box;
    metrivo::ErrorReport report{box};
    metrivo::Form1 form{settings, report, "."};

    Window() {
        form.LoadUnits();
        form.show();
        QApplication::processEvents();
    }

    // Chooses the category and the two units, and types the amount.
    bool Prepare(int16_t category, const char* from, const char* to, const char* amount) {
        form.optUnits(category)->click();
        const int fromIndex = form.cboFromCurrency()->findText(QString::fromUtf8(from));
        const int toIndex = form.cboToCurrency()->findText(QString::fromUtf8(to));
        if (fromIndex < 0 || toIndex < 0) return false;
        form.cboFromCurrency()->setCurrentIndex(fromIndex);
        form.cboToCurrency()->setCurrentIndex(toIndex);
        form.Text1()->setText(QString::fromUtf8(amount));
        QApplication::processEvents();
        return true;
    }
};

// Made at the first press case and deleted before the application object.
std::unique_ptr<Window> theWindow;

Window& TheWindow() {
    if (!theWindow) theWindow = std::make_unique<Window>();
    return *theWindow;
}

void RunPress(benchmark::State& state, int16_t category, const char* from, const char* to,
              const char* amount, const char* expected) {
    Window& window = TheWindow();
    if (!window.Prepare(category, from, to, amount)) {
        state.SkipWithError("unit not in the list");
        return;
    }
    metrivo::StyledPushButton* button = window.form.PushButton2();
    QLineEdit* results = window.form.Text2();
    button->click();
    if (results->text() != QString::fromUtf8(expected) || window.box.shown != 0) {
        const std::string got = results->text().toStdString();
        state.SkipWithError(("unexpected result \"" + got + "\"").c_str());
        return;
    }
    for (auto _ : state) {
        button->click();
        QString text = results->text();
        benchmark::DoNotOptimize(text);
    }
    QApplication::processEvents();
}

void BM_PressLinearWindow(benchmark::State& state) {
    RunPress(state, metrivo::UnitTable::kWeight, "pound", "kilogram", "2.5", "1.133981");
}
BENCHMARK(BM_PressLinearWindow);

void BM_PressTemperatureWindow(benchmark::State& state) {
    RunPress(state, metrivo::UnitTable::kTemperature, "degree Fahrenheit", "degree Celsius", "100",
             "37.777777777778");
}
BENCHMARK(BM_PressTemperatureWindow);

// The floor of a press: a bare button whose click puts a fixed text into a
// text box, with no conversion and no pointer change.
void BM_PressFloor(benchmark::State& state) {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Start Converting"), &window);
    auto* results = new QLineEdit(&window);
    QObject::connect(button, &QPushButton::clicked, results, [results] {
        results->setText(QString::fromStdString(std::string("1.133981")));
        results->setCursorPosition(0);
    });
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        button->click();
        QString text = results->text();
        benchmark::DoNotOptimize(text);
    }
    QApplication::processEvents();
}
BENCHMARK(BM_PressFloor);

}  // namespace

int main(int argc, char** argv) {
    // The window is real but shown on no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}

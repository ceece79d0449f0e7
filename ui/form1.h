#pragma once

#include <QCursor>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clipboardhandler.h"
#include "clipboardservice.h"
#include "conversionview.h"
#include "converthandler.h"
#include "errorreport.h"
#include "formlayout.h"
#include "mousepointer.h"
#include "settingsstore.h"
#include "unitcatalogue.h"
#include "windowsettings.h"
#include "windowstate.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QStyle;

namespace metrivo {

class StyledPushButton;

// The program's one window: the category options, the two unit lists, the
// amount and results boxes and the two push buttons, with the handlers that
// choose a category, store the list selections, select the amount on focus,
// start the conversion and switch the pointer.
class Form1 : public QWidget, public ConversionView {
    Q_OBJECT

  public:
    // The longest amount text the box takes: a mebibyte, as a batch line of
    // metrivo-convert.
    static constexpr int kAmountMaxLength = 1024 * 1024;

    Form1(SettingsStore& settings, const ErrorReport& report, std::string decimalSeparator,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Builds the unit catalogue the lists and the conversion read.
    void LoadUnits();
    const UnitCatalogue& catalogue() const { return catalogue_; }
    WindowState& state() { return state_; }
    const WindowState& state() const { return state_; }
    WindowSettings& settings() { return settings_; }
    const ErrorReport& errorReport() const { return report_; }

    // Handlers.
    void optUnits_Click(int16_t Index);
    void cboFromCurrency_Click();
    void cboFromCurrency_Change();
    void cboToCurrency_Click();
    void cboToCurrency_Change();
    void Text1_GotFocus();
    void PushButton2_Click();
    // "Copy Results To Clipboard"; does nothing until a clipboard is given.
    void PushButton1_Click();
    void SetClipboard(ClipboardService& clipboard);
    void Form_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void Frame1_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void Frame2_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void Frame3_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void Frame4_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void Frame5_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, QPointF Position);
    void PushButton1_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift,
                               QPointF Position);
    void PushButton2_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift,
                               QPointF Position);

    // Selections made by program code. Setting a list's index raises its
    // selection handler, also when the index does not change; -1 clears the
    // selection, and any other index the list does not have is "Invalid
    // property value" with the selection left as it was. Selecting an
    // option button raises its click when it was not selected; an index
    // outside 0 to 5 is "Subscript out of range".
    void SetFromListIndex(int16_t index);
    void SetToListIndex(int16_t index);
    void SelectOption(int16_t Index);

    // The pointer setting over the window and all its controls, and the
    // image the custom pointer shows (the arrow while there is none).
    void SetMousePointer(MousePointer pointer) override;
    MousePointer CurrentMousePointer() const { return pointer_; }
    void SetMouseIcon(const QCursor& icon);
    void ClearMouseIcon();
    bool HasMouseIcon() const { return mouseIcon_.has_value(); }

    // What the conversion reads and writes.
    std::string AmountText() const override;
    std::string FromUnitText() const override;
    std::string ToUnitText() const override;
    int16_t FromListIndex() const override;
    int16_t ToListIndex() const override;
    void SetResultText(const std::string& text) override;

    // The controls.
    QGroupBox* Frame(int number) const;  // 1 to 5
    QRadioButton* optUnits(int16_t Index) const;
    QLineEdit* Text1() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QComboBox* cboFromCurrency() const { return cboFromCurrency_; }
    QComboBox* cboToCurrency() const { return cboToCurrency_; }
    StyledPushButton* PushButton1() const { return pushButton1_; }
    StyledPushButton* PushButton2() const { return pushButton2_; }

  signals:
    // A conversion has recorded its list indexes, or a category was chosen:
    // what the window remembers between runs has changed.
    void ChoicesChanged();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Runs a handler that an event started; an error raised in it is
    // reported and the program goes on.
    template <typename Handler>
    void Guarded(std::string_view procedure, Handler&& handler);

    // The controls as the layout's table has them.
    void BuildControls();
    QLineEdit* BuildTextBox(const FormLayout::Control& control, const QString& caption,
                            QWidget* container);
    void UseSystemColours();
    void ConnectNotifications();
    void SetTabOrder();
    void CentreOnScreen();
    // Where a frame of `frame` size stands centred in `available`.
    static QPoint CentredPosition(const QRect& available, const QSize& frame);
    void SetListIndex(QComboBox* list, int16_t index, void (Form1::*handler)());
    void ApplyPointer();
    void PointerOverFrame();
    void UpdateOptionTabStops();

    WindowSettings settings_;
    const ErrorReport& report_;
    UnitCatalogue catalogue_;
    WindowState state_;
    ConvertHandler convert_;
    std::unique_ptr<ClipboardHandler> copy_;
    // The frames' style; it outlives them.
    std::unique_ptr<QStyle> frameStyle_;

    MousePointer pointer_ = MousePointer::kDefault;
    std::optional<QCursor> mouseIcon_;
    // Controls with a pointer of their own (the text boxes' text cursor),
    // shown while the setting is the default.
    std::vector<std::pair<QPointer<QWidget>, QCursor>> ownCursors_;
    // Set while the category selection refills the lists, whose additions
    // are not selection changes.
    bool fillingLists_ = false;
    // The window is centred again once its frame is known, unless it was
    // moved from where it was first placed.
    bool centredInFrame_ = false;
    QPoint placedAt_;
    // A mouse click that gave the amount box the focus selects its text
    // again once the button is released, unless the user dragged a selection.
    bool selectAmountOnRelease_ = false;

    std::array<QGroupBox*, 5> frames_{};
    std::array<QRadioButton*, WindowState::kCategories> optUnits_{};
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QComboBox* cboFromCurrency_ = nullptr;
    QComboBox* cboToCurrency_ = nullptr;
    StyledPushButton* pushButton1_ = nullptr;
    StyledPushButton* pushButton2_ = nullptr;
};

}  // namespace metrivo

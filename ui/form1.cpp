#include "form1.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "accessiblefactory.h"
#include "boundedpaste.h"
#include "eventguard.h"
#include "focusring.h"
#include "formlook.h"
#include "framestyle.h"
#include "readonlytextaccessible.h"
#include "runtimeerror.h"
#include "styledpushbutton.h"
#include "unitlist.h"

namespace metrivo {
namespace {

using Layout = FormLayout;

// A line edit lays out its text, even an empty one, in the application's
// font while it is being built, before it takes its own. Built under the
// window's font, the window's two boxes load no font the window does not
// show; the desktop's font is the application's again straight after. Qt
// then takes that font as the program's own choice: a desktop font changed
// while the program runs reaches the report box at its next start.
QLineEdit* NewLineEdit(const QFont& windowFont, QWidget* parent) {
    const QFont desktopFont = QGuiApplication::font();
    QGuiApplication::setFont(windowFont);
    auto* box = new QLineEdit(parent);
    QGuiApplication::setFont(desktopFont);
    return box;
}

// "Frame5" is frame 5.
int FrameNumber(std::string_view name) {
    return name.back() - '0';
}

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

Form1::Form1(SettingsStore& settings, const ErrorReport& report, std::string decimalSeparator,
             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings),
      report_(report),
      convert_(catalogue_, state_, *this, report_, std::move(decimalSeparator)),
      frameStyle_(std::make_unique<FrameStyle>()) {
    AccessibleFactory::Install();
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(Layout::Twips(Layout::kWidth), Layout::Twips(Layout::kHeight));
    setFont(FormLook::DesignFont(9.0));
    FormLook::WhiteBackground(this, {QPalette::Window});
    setMouseTracking(true);

    BuildControls();
    ConnectNotifications();
    SetTabOrder();
    UpdateOptionTabStops();
    new FocusRing(this);
    cboFromCurrency_->setFocus(Qt::OtherFocusReason);
    setAttribute(Qt::WA_KeyboardFocusChange);
    CentreOnScreen();
    placedAt_ = pos();
}

Form1::~Form1() {
    // The frames go with the window, after its members.
    for (QGroupBox* frame : frames_) frame->setStyle(nullptr);
}

void Form1::BuildControls() {
    const QFont buttonFont = FormLook::DesignFont(11.25);
    for (const Layout::Control& control : Layout::Controls()) {
        QWidget* container = this;
        if (!control.container.empty()) container = Frame(FrameNumber(control.container));
        const QString caption = QString::fromUtf8(control.caption.data(),
                                                  static_cast<qsizetype>(control.caption.size()));
        // Boxes and lists are named by their frame; the others by their caption.
        QString accessibleName = caption.trimmed();
        QWidget* widget = nullptr;
        switch (control.kind) {
            case Layout::Kind::kFrame: {
                auto* frame = new QGroupBox(caption, container);
                frame->setFocusPolicy(Qt::NoFocus);
                frame->setMouseTracking(true);
                frame->installEventFilter(this);
                FormLook::DarkOnWhite(frame, {QPalette::Window});
                frame->setStyle(frameStyle_.get());
                frames_[static_cast<std::size_t>(FrameNumber(control.name) - 1)] = frame;
                widget = frame;
                break;
            }
            case Layout::Kind::kTextBox:
                accessibleName = static_cast<QGroupBox*>(container)->title();
                widget = BuildTextBox(control, caption, container);
                break;
            case Layout::Kind::kList: {
                accessibleName = static_cast<QGroupBox*>(container)->title();
                auto* list = new UnitList(container);
                list->setEditable(false);
                list->setMaxVisibleItems(20);
                FormLook::DarkOnWhite(list, {QPalette::Window, QPalette::Button, QPalette::Base});
                (control.name == "cboFromCurrency" ? cboFromCurrency_ : cboToCurrency_) = list;
                widget = list;
                break;
            }
            case Layout::Kind::kOption: {
                auto* option = new QRadioButton(caption, container);
                FormLook::DarkOnWhite(option, {QPalette::Window, QPalette::Button});
                // "Length" is the option selected in the design.
                option->setChecked(control.index == 0);
                optUnits_[static_cast<std::size_t>(control.index)] = option;
                widget = option;
                break;
            }
            case Layout::Kind::kPushButton: {
                auto* button = new StyledPushButton(caption, buttonFont, container);
                (control.name == "PushButton1" ? pushButton1_ : pushButton2_) = button;
                widget = button;
                break;
            }
        }
        const Layout::Rect rect = Layout::InContainer(control);
        widget->setObjectName(
            QString::fromLatin1(control.name.data(), static_cast<qsizetype>(control.name.size())));
        widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
        widget->setAccessibleName(accessibleName);
        widget->setAccessibleDescription(QString::fromUtf8(
            control.description.data(), static_cast<qsizetype>(control.description.size())));
    }

    UseSystemColours();

    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->testAttribute(Qt::WA_SetCursor)) {
            ownCursors_.emplace_back(child, child->cursor());
        }
    }
}

QLineEdit* Form1::BuildTextBox(const FormLayout::Control& control, const QString& caption,
                               QWidget* container) {
    QLineEdit* box = NewLineEdit(font(), container);
    if (control.name == "Text1") {
        text1_ = box;
        box->setText(caption);
        // A line edit keeps 32,767 characters by default and cuts a longer
        // paste, so "1", 40,000 spaces and "0" would read as 1 here and as 10
        // in metrivo-convert. The box takes what the tool's batch takes in a
        // line.
        box->setMaxLength(kAmountMaxLength);
        // A longer paste is cut before the box gets it: given more than
        // fits, the box takes a minute to cut it itself.
        new BoundedPaste(*box);
        return box;
    }
    // Read-only before anything reaches the accessibility bus, which takes
    // the box's kind at its first text.
    text2_ = box;
    box->setReadOnly(true);
    box->setText(caption);
    // Read-only, the box still lets the user select and copy its text.
    box->setCursor(Qt::IBeamCursor);
    FormLook::DarkOnWhite(box, {QPalette::Base});
    return box;
}

template <typename Handler>
void Form1::Guarded(std::string_view procedure, Handler&& handler) {
    EventGuard::Run(report_, procedure, std::forward<Handler>(handler));
}

void Form1::UseSystemColours() {
    // The amount box and the copy button stand inside white frames but keep
    // the desktop's own colours, as the push button outside does.
    FormLook::DesktopColours(text1_);
    FormLook::DesktopColours(pushButton1_);
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) UseSystemColours();
    QWidget::changeEvent(event);
}

void Form1::ConnectNotifications() {
    for (int index = 0; index < WindowState::kCategories; ++index) {
        QRadioButton* option = optUnits_[static_cast<std::size_t>(index)];
        connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
            UpdateOptionTabStops();
            if (checked) {
                Guarded("optUnits_Click", [&] { optUnits_Click(static_cast<int16_t>(index)); });
            }
        });
        // Choosing the option that shows as selected raises no toggle. When
        // the lists do not hold its category (a stored category outside 0 to
        // 5 left them empty), choosing it runs the selection all the same.
        connect(option, &QRadioButton::clicked, this, [this, index] {
            if (state_.selUnitType == index) return;
            Guarded("optUnits_Click", [&] { optUnits_Click(static_cast<int16_t>(index)); });
        });
    }
    connect(cboFromCurrency_, &QComboBox::currentIndexChanged, this, [this] {
        if (!fillingLists_) Guarded("cboFromCurrency_Click", [this] { cboFromCurrency_Click(); });
    });
    connect(cboFromCurrency_, &QComboBox::editTextChanged, this, [this] {
        if (!fillingLists_) Guarded("cboFromCurrency_Change", [this] { cboFromCurrency_Change(); });
    });
    connect(cboToCurrency_, &QComboBox::currentIndexChanged, this, [this] {
        if (!fillingLists_) Guarded("cboToCurrency_Click", [this] { cboToCurrency_Click(); });
    });
    connect(cboToCurrency_, &QComboBox::editTextChanged, this, [this] {
        if (!fillingLists_) Guarded("cboToCurrency_Change", [this] { cboToCurrency_Change(); });
    });
    connect(pushButton2_, &QPushButton::clicked, this,
            [this] { Guarded("PushButton2_Click", [this] { PushButton2_Click(); }); });
    connect(pushButton1_, &QPushButton::clicked, this,
            [this] { Guarded("PushButton1_Click", [this] { PushButton1_Click(); }); });
    connect(pushButton1_, &StyledPushButton::MouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF at) {
                Guarded("PushButton1_MouseMove",
                        [&] { PushButton1_MouseMove(buttons, shift, at); });
            });
    connect(pushButton2_, &StyledPushButton::MouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF at) {
                Guarded("PushButton2_MouseMove",
                        [&] { PushButton2_MouseMove(buttons, shift, at); });
            });
    for (QWidget* widget : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(cboFromCurrency_),
                            static_cast<QWidget*>(cboToCurrency_)}) {
        widget->installEventFilter(this);
    }
}

void Form1::SetTabOrder() {
    std::vector<const Layout::Control*> order;
    for (const Layout::Control& control : Layout::Controls()) order.push_back(&control);
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    auto widget = [this](const Layout::Control* control) {
        return findChild<QWidget*>(QString::fromLatin1(
            control->name.data(), static_cast<qsizetype>(control->name.size())));
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(widget(order[i - 1]), widget(order[i]));
    }
}

QPoint Form1::CentredPosition(const QRect& available, const QSize& frame) {
    return {available.x() + (available.width() - frame.width()) / 2,
            available.y() + (available.height() - frame.height()) / 2};
}

void Form1::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // A window's position is that of its frame. Before the window is shown
    // the frame is not known yet: the window is centred as if it had none,
    // and again once the window manager has put its frame around it.
    move(CentredPosition(screen->availableGeometry(), frameGeometry().size()));
}

bool Form1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && !testAttribute(Qt::WA_KeyboardFocusChange)) {
        // The focus shows from the first frame on, not only once the user has
        // pressed Tab: the window is used from the keyboard as much as by
        // mouse. Qt draws a focus only while this attribute is set.
        setAttribute(Qt::WA_KeyboardFocusChange);
        if (QWidget* focused = focusWidget()) focused->update();
    }
    // Asking for the frame costs round trips to the display: only once the
    // window has moved, which the window manager's frame makes it do.
    if (!centredInFrame_ && event->type() == QEvent::Move && isVisible() &&
        windowHandle() != nullptr && !windowHandle()->frameMargins().isNull()) {
        // Placed by the user or the window manager since, the window stays.
        centredInFrame_ = true;
        if (!testAttribute(Qt::WA_Moved) || pos() == placedAt_) CentreOnScreen();
    }
    return handled;
}

void Form1::UpdateOptionTabStops() {
    // Within the option group only the selected option is a tab stop; the
    // arrow keys move between the options.
    for (QRadioButton* option : optUnits_) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void Form1::LoadUnits() {
    catalogue_.LoadUnits();
}

void Form1::optUnits_Click(int16_t Index) {
    fillingLists_ = true;
    cboFromCurrency_->clear();
    cboToCurrency_->clear();
    const int16_t upper = catalogue_.UpperBound();
    for (int16_t i = 0; i <= upper; ++i) {
        const UnitRecord& row = catalogue_.Row(i);
        if (row.category == static_cast<int32_t>(Index)) {
            const QString name = QString::fromStdString(row.name);
            cboFromCurrency_->addItem(name);
            cboToCurrency_->addItem(name);
        }
    }
    // An added item is not a pick: the lists stay without a selection.
    cboFromCurrency_->setCurrentIndex(-1);
    cboToCurrency_->setCurrentIndex(-1);
    fillingLists_ = false;

    state_.selUnitType = Index;
    emit ChoicesChanged();
    SetFromListIndex(state_.lastFrom(state_.selUnitType));
    SetToListIndex(state_.lastTo(state_.selUnitType));
}

void Form1::cboFromCurrency_Click() {
    settings_.StoreListIndex(WindowSettings::kFromListKey, FromListIndex());
}
void Form1::cboFromCurrency_Change() {
    settings_.StoreListIndex(WindowSettings::kFromListKey, FromListIndex());
}
void Form1::cboToCurrency_Click() {
    settings_.StoreListIndex(WindowSettings::kToListKey, ToListIndex());
}
void Form1::cboToCurrency_Change() {
    settings_.StoreListIndex(WindowSettings::kToListKey, ToListIndex());
}

void Form1::SetListIndex(QComboBox* list, int16_t index, void (Form1::*handler)()) {
    if (index < -1 || index >= list->count()) {
        throw RunTimeError(RunTimeError::kInvalidPropertyValue);
    }
    if (list->currentIndex() == index) {
        // The list raises no change of its own; the selection is set all the same.
        (this->*handler)();
    } else {
        list->setCurrentIndex(index);
        report_.RaiseHeldError();
    }
}

void Form1::SetFromListIndex(int16_t index) {
    SetListIndex(cboFromCurrency_, index, &Form1::cboFromCurrency_Click);
}

void Form1::SetToListIndex(int16_t index) {
    SetListIndex(cboToCurrency_, index, &Form1::cboToCurrency_Click);
}

void Form1::SelectOption(int16_t Index) {
    optUnits(Index)->setChecked(true);
    report_.RaiseHeldError();
}

void Form1::Text1_GotFocus() {
    text1_->setSelection(0, static_cast<int>(text1_->text().size()));
}

void Form1::PushButton2_Click() {
    convert_.PushButton2_Click();
    emit ChoicesChanged();
}

void Form1::PushButton1_Click() {
    if (copy_) copy_->PushButton1_Click();
}

void Form1::SetClipboard(ClipboardService& clipboard) {
    copy_ = std::make_unique<ClipboardHandler>(
        clipboard, [this] { return text2_->text().toStdString(); }, report_);
}

void Form1::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    ApplyPointer();
}

void Form1::SetMouseIcon(const QCursor& icon) {
    mouseIcon_ = icon;
    ApplyPointer();
}

void Form1::ClearMouseIcon() {
    mouseIcon_.reset();
    ApplyPointer();
}

void Form1::ApplyPointer() {
    if (pointer_ == MousePointer::kDefault) {
        unsetCursor();
        for (auto& [widget, cursor] : ownCursors_) {
            if (widget) widget->setCursor(cursor);
        }
        return;
    }
    QCursor shown(Qt::WaitCursor);
    if (pointer_ == MousePointer::kCustom) shown = mouseIcon_.value_or(QCursor(Qt::ArrowCursor));
    setCursor(shown);
    for (auto& entry : ownCursors_) {
        if (entry.first) entry.first->setCursor(shown);
    }
}

void Form1::PointerOverFrame() {
    if (pointer_ != MousePointer::kHourglass) SetMousePointer(MousePointer::kDefault);
}

void Form1::Form_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}
void Form1::Frame1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}
void Form1::Frame2_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}
void Form1::Frame3_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}
void Form1::Frame4_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}
void Form1::Frame5_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    PointerOverFrame();
}

void Form1::PushButton1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    if (pointer_ != MousePointer::kHourglass) SetMousePointer(MousePointer::kCustom);
}

void Form1::PushButton2_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {
    if (pointer_ != MousePointer::kHourglass) SetMousePointer(MousePointer::kCustom);
}

std::string Form1::AmountText() const {
    return text1_->text().toStdString();
}
std::string Form1::FromUnitText() const {
    return cboFromCurrency_->currentText().toStdString();
}
std::string Form1::ToUnitText() const {
    return cboToCurrency_->currentText().toStdString();
}
int16_t Form1::FromListIndex() const {
    return static_cast<int16_t>(cboFromCurrency_->currentIndex());
}
int16_t Form1::ToListIndex() const {
    return static_cast<int16_t>(cboToCurrency_->currentIndex());
}

void Form1::SetResultText(const std::string& text) {
    text2_->setText(QString::fromStdString(text));
    text2_->setCursorPosition(0);
    ReadOnlyTextAccessible::Announce(text2_);
}

QGroupBox* Form1::Frame(int number) const {
    if (number < 1 || number > static_cast<int>(frames_.size())) {
        throw RunTimeError(RunTimeError::kSubscriptOutOfRange);
    }
    return frames_[static_cast<std::size_t>(number - 1)];
}

QRadioButton* Form1::optUnits(int16_t Index) const {
    if (Index < 0 || Index >= WindowState::kCategories) {
        throw RunTimeError(RunTimeError::kSubscriptOutOfRange);
    }
    return optUnits_[static_cast<std::size_t>(Index)];
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    // Moves that a control passes on are not over the window's own background.
    if (childAt(event->position().toPoint()) == nullptr) {
        Guarded("Form_MouseMove",
                [&] { Form_MouseMove(event->buttons(), event->modifiers(), event->position()); });
    }
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        using Handler = void (Form1::*)(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF);
        static constexpr std::array<Handler, 5> kFrameHandlers{
            &Form1::Frame1_MouseMove, &Form1::Frame2_MouseMove, &Form1::Frame3_MouseMove,
            &Form1::Frame4_MouseMove, &Form1::Frame5_MouseMove};
        static constexpr std::array<std::string_view, 5> kFrameProcedures{
            "Frame1_MouseMove", "Frame2_MouseMove", "Frame3_MouseMove", "Frame4_MouseMove",
            "Frame5_MouseMove"};
        for (std::size_t i = 0; i < frames_.size(); ++i) {
            if (watched != frames_[i]) continue;
            const auto* move = static_cast<QMouseEvent*>(event);
            // Only the frame's own area: its border, caption and background.
            if (frames_[i]->childAt(move->position().toPoint()) == nullptr) {
                Guarded(kFrameProcedures[i], [&] {
                    (this->*kFrameHandlers[i])(move->buttons(), move->modifiers(),
                                               move->position());
                });
            }
        }
        return false;
    }
    if (watched == text1_ || watched == cboFromCurrency_ || watched == cboToCurrency_) {
        if (IsEnterKey(event)) {
            Guarded("PushButton2_Click", [this] { PushButton2_Click(); });
            return true;
        }
    }
    if (watched == text1_) {
        if (event->type() == QEvent::FocusIn) {
            Guarded("Text1_GotFocus", [this] { Text1_GotFocus(); });
            selectAmountOnRelease_ =
                static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        } else if (event->type() == QEvent::MouseButtonRelease && selectAmountOnRelease_) {
            // The press that gave the focus has placed the text cursor.
            selectAmountOnRelease_ = false;
            if (!text1_->hasSelectedText()) {
                Guarded("Text1_GotFocus", [this] { Text1_GotFocus(); });
            }
        }
    }
    return false;
}

}  // namespace metrivo

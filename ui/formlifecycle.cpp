#include "formlifecycle.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QSessionManager>

#include "applicationicon.h"
#include "apptitle.h"
#include "cursorfile.h"
#include "eventguard.h"
#include "fileprobe.h"
#include "form1.h"
#include "settingvalue.h"
#include "skinloader.h"

namespace metrivo {

FormLifecycle::FormLifecycle(Form1& form, SkinFramework& skin, FolderProvider programFolder,
                             QIcon icon)
    : QObject(&form),
      form_(form),
      skin_(skin),
      programFolder_(std::move(programFolder)),
      icon_(icon.isNull() ? ApplicationIcon() : std::move(icon)),
      loadSteps_(BuildLoadSteps()) {
    form_.installEventFilter(this);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The desktop session is ending: save like a close, without asking.
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { EndRequested(); });
    }
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(kSaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, [this] {
        EventGuard::Run(form_.errorReport(), "SaveSettings", [this] { SaveChoices(); });
    });
}

QIcon FormLifecycle::SizesUpTo(const QIcon& icon, int largest) {
    QIcon smaller;
    for (const QSize& size : icon.availableSizes()) {
        if (size.width() <= largest && size.height() <= largest) {
            smaller.addPixmap(icon.pixmap(size));
        }
    }
    return smaller.isNull() ? icon : smaller;
}

void FormLifecycle::CompleteIcon() {
    if (loaded_ && !unloaded_) form_.setWindowIcon(icon_);
}

QIcon FormLifecycle::ApplicationIcon() {
    return IconFrom(ApplicationIconImages());
}

std::vector<QImage> FormLifecycle::ApplicationIconImages() {
    std::vector<QImage> images;
    for (const IconImage& icon : kApplicationIcon) {
        // The pixels are built into the program: nothing to decode, and the
        // image and the pixmap made of it refer to them without a copy.
        images.emplace_back(reinterpret_cast<const uchar*>(icon.premultipliedArgb), icon.size,
                            icon.size, QImage::Format_ARGB32_Premultiplied);
    }
    return images;
}

QIcon FormLifecycle::IconFrom(const std::vector<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

void FormLifecycle::Form_Load() {
    loadSteps_.Run(form_.errorReport());
    if (unloaded_) return;
    loaded_ = true;
    connect(&form_, &Form1::ChoicesChanged, this, &FormLifecycle::ScheduleSave);
}

void FormLifecycle::ScheduleSave() {
    // Not restarted by later changes, so a stream of presses is stored too.
    if (!unloaded_ && !saveTimer_.isActive()) saveTimer_.start();
}

void FormLifecycle::SavePendingChoices() {
    if (!saveTimer_.isActive()) return;
    saveTimer_.stop();
    SaveChoices();
}

void FormLifecycle::SaveChoices() {
    form_.settings().SaveChoices(form_.state());
}

void FormLifecycle::EndRequested() {
    if (loaded_) {
        Form_Unload();
        return;
    }
    if (unloaded_) return;
    unloaded_ = true;
    QCoreApplication::exit(0);
}

GuardedHandler FormLifecycle::BuildLoadSteps() {
    constexpr int kNext = GuardedHandler::kNext;
    WindowState& state = form_.state();
    std::vector<GuardedHandler::Step> steps{
        {100,
         [this] {
             ApplySkinFile(form_, skin_, programFolder_);
             return kNext;
         }},
        {104,
         [this] {
             cursorPath_ = FileProbe::Beside(programFolder_(), {kCursorFile});
             return FileExists(cursorPath_) == -1 ? kNext : 110;
         }},
        {106,
         [this] {
             form_.SetMouseIcon(CursorFile::Load(cursorPath_));
             return kNext;
         }},
        {110,
         [this] {
             form_.LoadUnits();
             return kNext;
         }},
        {130,
         [this] {
             form_.setWindowTitle(QStringLiteral("Metrivo"));
             return kNext;
         }},
        {130,
         [this] {
             form_.setWindowIcon(SizesUpTo(icon_, kLargestIconAtMap));
             return kNext;
         }},
        {130,
         [] {
             SetAppTitle();
             return kNext;
         }},
        {132,
         [this] {
             loopIndex_ = 0;
             return kNext;
         }},
        {134,
         [this, &state] {
             state.lastFrom(loopIndex_) = SettingValue::ToInt16(
                 form_.settings().Read(WindowSettings::LastFromKey(loopIndex_), "0"));
             return kNext;
         }},
        {136,
         [this, &state] {
             state.lastTo(loopIndex_) = SettingValue::ToInt16(
                 form_.settings().Read(WindowSettings::LastToKey(loopIndex_), "0"));
             return kNext;
         }},
        {138, [this] { return ++loopIndex_ < WindowState::kCategories ? 134 : kNext; }},
        {140,
         [this] {
             unitTypeText_ = form_.settings().Read(WindowSettings::kUnitTypeKey, "0");
             return kNext;
         }},
        {142,
         [this, &state] {
             state.selUnitType = SettingValue::ToInt16(unitTypeText_);
             return kNext;
         }},
        {144,
         [this, &state] {
             form_.optUnits_Click(state.selUnitType);
             return kNext;
         }},
        {146,
         [this, &state] {
             form_.SelectOption(state.selUnitType);
             return kNext;
         }},
        {148,
         [this] {
             form_.SetFromListIndex(
                 SettingValue::ToInt16(form_.settings().Read(WindowSettings::kFromListKey, "0")));
             return kNext;
         }},
        {150,
         [this] {
             form_.SetToListIndex(
                 SettingValue::ToInt16(form_.settings().Read(WindowSettings::kToListKey, "1")));
             return GuardedHandler::kEnd;
         }},
    };
    return GuardedHandler(std::string(kProcedure), std::move(steps));
}

void FormLifecycle::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    saveTimer_.stop();
    SaveChoices();
    QCoreApplication::processEvents();
    QCoreApplication::exit(0);
}

bool FormLifecycle::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close && !unloaded_) {
        EventGuard::Run(form_.errorReport(), "Form_Unload", [this] { Form_Unload(); });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace metrivo

#include "skinloader.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "fileprobe.h"
#include "runtimeerror.h"

namespace metrivo {

std::string SkinLoader::SkinPath(const std::string& programFolder) {
    return FileProbe::Beside(programFolder, {"x", "o.cjs"});
}

bool SkinLoader::TakesButtonFace(const QWidget& control) {
    return qobject_cast<const QRadioButton*>(&control) != nullptr ||
           qobject_cast<const QCheckBox*>(&control) != nullptr ||
           qobject_cast<const QGroupBox*>(&control) != nullptr ||
           qobject_cast<const QLabel*>(&control) != nullptr;
}

void SkinLoader::UseButtonFace(QWidget& widget) {
    // A button colour of the widget's own would hide the system's: keep every
    // other colour the widget was given and let the button role follow the
    // parent, and so the application, again.
    const QPalette current = widget.palette();
    bool ownButton = false;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        ownButton = ownButton ||
                    current.isBrushSet(static_cast<QPalette::ColorGroup>(group), QPalette::Button);
    }
    if (ownButton) {
        QPalette own;
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto r = static_cast<QPalette::ColorRole>(role);
                if (r != QPalette::Button && current.isBrushSet(g, r))
                    own.setBrush(g, r, current.brush(g, r));
            }
        }
        widget.setPalette(own);
    }
    widget.setBackgroundRole(QPalette::Button);
    widget.setAutoFillBackground(true);
}

void ApplySkinFile(QWidget& window, SkinFramework& skin,
                   const SkinLoader::FolderProvider& programFolder) {
    if (!FileProbe::IsRegularFile(SkinLoader::SkinPath(programFolder()))) return;

    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    // A control without a background role of its own paints with its
    // container's; the controls that keep their colours keep that role.
    for (QWidget* control : controls) {
        if (!SkinLoader::TakesButtonFace(*control))
            control->setBackgroundRole(control->backgroundRole());
    }
    SkinLoader::UseButtonFace(window);
    for (QWidget* control : controls) {
        if (SkinLoader::TakesButtonFace(*control)) SkinLoader::UseButtonFace(*control);
    }

    // The component's answer to the load is not looked at.
    skin.Invoke(SkinFramework::kLoadSkin, {SkinLoader::SkinPath(programFolder()), std::string()});

    const SkinFramework::Value options = skin.Get(SkinFramework::kOptions);
    const auto* flags = std::get_if<int32_t>(&options);
    if (flags == nullptr) throw RunTimeError(RunTimeError::kTypeMismatch);
    skin.Put(SkinFramework::kOptions, *flags | SkinFramework::kOptionFlag1);

    skin.Put(SkinFramework::kFirstSwitch, true);
    skin.Put(SkinFramework::kSecondSwitch, true);

    const auto handle = static_cast<SkinFramework::WindowHandle>(window.winId());
    skin.Invoke(SkinFramework::kApplySkin, {handle});
}

}  // namespace metrivo

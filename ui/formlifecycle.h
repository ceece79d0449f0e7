#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "guardedhandler.h"
#include "skinframework.h"

namespace metrivo {

class Form1;

// Loading and unloading the main window: the skin, the hand pointer, the
// catalogue, caption, icon and title, then the category and units restored
// from the settings; on close the remembered choices are stored again.
class FormLifecycle : public QObject {
    Q_OBJECT
  public:
    static constexpr std::string_view kProcedure = "Form_Load";
    static constexpr std::string_view kCursorFile = "HAND-M.CUR";

    using FolderProvider = std::function<std::string()>;

    // Closing `form` (its close box, the window manager's close request) and
    // the end of the desktop session run Form_Unload.
    FormLifecycle(Form1& form, SkinFramework& skin, FolderProvider programFolder,
                  QIcon icon = QIcon());
    FormLifecycle(const FormLifecycle&) = delete;
    FormLifecycle& operator=(const FormLifecycle&) = delete;

    void Form_Load();
    // Stores lastFrom, lastTo and selUnitType, lets waiting events run once
    // and ends the program. Runs once; later calls do nothing.
    void Form_Unload();

    // The system asks the program to end (a termination signal, the end of
    // the session): the same as closing the window. While the load is still
    // restoring the choices, the program ends without storing anything, since
    // nothing has been chosen in this run yet.
    void EndRequested();

    bool loaded() const { return loaded_; }
    bool unloaded() const { return unloaded_; }

    // After the load, every conversion and category change is stored soon,
    // within this time, so that a run ended without a close (killed, the
    // display lost) keeps what a close would have stored.
    static constexpr int kSaveDelayMs = 250;
    bool savePending() const { return saveTimer_.isActive(); }
    // Stores now what a close stores, if a change is still waiting.
    void SavePendingChoices();

    // The window maps with the icon's sizes up to this one, which are what
    // window lists show; the larger ones (128 and 256 pixels, 320 KB to send
    // to the display) are added once the first frame is on the screen, by
    // CompleteIcon.
    static constexpr int kLargestIconAtMap = 48;
    static QIcon SizesUpTo(const QIcon& icon, int largest);
    void CompleteIcon();

    // The window's application icon in the sizes the desktop asks for.
    static QIcon ApplicationIcon();
    // The icon's images, over the pixels built into the program. IconFrom
    // makes the icon of them.
    static std::vector<QImage> ApplicationIconImages();
    static QIcon IconFrom(const std::vector<QImage>& images);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    GuardedHandler BuildLoadSteps();
    // Stores what a close stores.
    void SaveChoices();
    void ScheduleSave();

    Form1& form_;
    SkinFramework& skin_;
    FolderProvider programFolder_;
    QIcon icon_;
    bool loaded_ = false;
    bool unloaded_ = false;
    QTimer saveTimer_;

    // Working values of the load.
    int loopIndex_ = 0;
    std::string unitTypeText_;
    std::string cursorPath_;

    GuardedHandler loadSteps_;
};

}  // namespace metrivo

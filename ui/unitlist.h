#pragma once

#include <QComboBox>
#include <QElapsedTimer>

namespace metrivo {

// A unit list: a drop-down list whose closed box takes type-ahead. Typing
// the start of a unit's name, in any letter case, selects that unit. A space
// typed while a search is going on (within the desktop's type-ahead interval)
// continues the search, since many names have spaces ("degree Rankine",
// "square foot"); a space at any other time opens the list, as usual.
class UnitList : public QComboBox {
    Q_OBJECT
  public:
    explicit UnitList(QWidget* parent = nullptr);

    // From now on, a unit selected in the list's view while the drop-down is
    // closed (through the accessibility bus: voice control, switch access)
    // becomes the list's selection, and the view's selection follows the
    // list's. Set up on first use, so a window nobody reads this way does
    // not build the drop-down at start.
    void FollowViewSelection();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Search(const QString& text);

    QElapsedTimer lastSearchKey_;
    bool followingView_ = false;
};

}  // namespace metrivo

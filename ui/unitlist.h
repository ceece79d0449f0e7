#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QString>

namespace metrivo {

// A unit list: a drop-down list whose closed box takes type-ahead. Typing
// the start of a unit's name, in any letter case, selects that unit. A space
// typed while a search is going on (within the desktop's type-ahead interval)
// continues the search, since many names have spaces ("degree Rankine",
// "square foot"); a space at any other time opens the list, as usual. The
// same letter typed again moves on to the next unit starting with it.
//
// The closed list never moves its drop-down's current item, which screen
// readers would follow into the hidden drop-down; each new unit is sent to
// them as the list's new text.
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

    // The row type-ahead selects after `typed` (the text typed so far in one
    // search) from the `current` row of `names`; -1 when no name starts with
    // it. A new search (`continuing` false) and a repeated letter ("pp")
    // begin after the current row; a longer search may stay on it.
    static int SearchRow(const QStringList& names, int current, const QString& typed,
                         bool continuing);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QStringList Names() const;
    void TellNewUnit();

    QElapsedTimer lastSearchKey_;
    QString typed_;
    // The unit as screen readers last heard of it.
    QString told_;
    bool followingView_ = false;
};

}  // namespace metrivo

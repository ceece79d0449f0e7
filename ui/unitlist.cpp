#include "unitlist.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace metrivo {

UnitList::UnitList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, &UnitList::TellNewUnit);
}

void UnitList::TellNewUnit() {
    const QString shown = currentText();
    if (shown == told_) return;
    if (QAccessible::isActive()) {
        // The new unit first, then the old one goes from behind it: told the
        // other way round, a screen reader takes the old unit, which reads as
        // selected, for deleted text ("Selection deleted").
        if (!shown.isEmpty()) {
            QAccessibleTextInsertEvent inserted(this, 0, shown);
            QAccessible::updateAccessibility(&inserted);
        }
        if (!told_.isEmpty()) {
            QAccessibleTextRemoveEvent removed(this, static_cast<int>(shown.size()), told_);
            QAccessible::updateAccessibility(&removed);
        }
    }
    told_ = shown;
}

void UnitList::FollowViewSelection() {
    if (followingView_) return;
    followingView_ = true;
    QAbstractItemView* items = view();
    const auto showCurrent = [this, items] {
        const QModelIndex current = model()->index(currentIndex(), modelColumn(), rootModelIndex());
        if (!current.isValid()) {
            items->selectionModel()->clearSelection();
        } else if (!items->selectionModel()->isSelected(current)) {
            items->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        }
    };
    connect(items->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, items] {
        if (items->isVisible()) return;  // the open drop-down picks as usual
        const QModelIndexList chosen = items->selectionModel()->selectedIndexes();
        if (chosen.size() == 1 && chosen.front().row() != currentIndex()) {
            setCurrentIndex(chosen.front().row());
        }
    });
    connect(this, &QComboBox::currentIndexChanged, this, showCurrent);
    showCurrent();
}

void UnitList::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool withCommand =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!isEditable() && !withCommand && !text.isEmpty() && text.at(0).isPrint()) {
        const bool searching = lastSearchKey_.isValid() &&
                               lastSearchKey_.elapsed() < QApplication::keyboardInputInterval();
        if (event->key() != Qt::Key_Space || searching) {
            typed_ = searching ? typed_ + text : text;
            lastSearchKey_.start();
            const int found = SearchRow(Names(), currentIndex(), typed_, searching);
            if (found >= 0 && found != currentIndex()) setCurrentIndex(found);
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

QStringList UnitList::Names() const {
    QStringList names;
    names.reserve(count());
    for (int row = 0; row < count(); ++row) names.append(itemText(row));
    return names;
}

int UnitList::SearchRow(const QStringList& names, int current, const QString& typed,
                        bool continuing) {
    const auto rows = static_cast<int>(names.size());
    if (rows == 0 || typed.isEmpty()) return -1;
    // "ppp" steps through the names that start with "p".
    const bool sameLetter = typed.size() > 1 && typed.count(typed.back()) == typed.size();
    const QString sought = sameLetter ? typed.left(1) : typed;
    int start = current < 0 ? 0 : current;
    if ((!continuing && current >= 0) || sameLetter) start = (start + 1) % rows;
    for (int step = 0; step < rows; ++step) {
        const int row = (start + step) % rows;
        if (names.at(row).startsWith(sought, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

}  // namespace metrivo

#include "unitlist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace metrivo {

UnitList::UnitList(QWidget* parent) : QComboBox(parent) {}

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
            Search(text);
            lastSearchKey_.start();
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void UnitList::Search(const QString& text) {
    // The list's own view keeps the typed text while the keys follow each
    // other quickly, and finds the first name that starts with it.
    QAbstractItemView* items = view();
    items->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
    const int before = items->currentIndex().row();
    items->keyboardSearch(text);
    const int found = items->currentIndex().row();
    if (found >= 0 && found != before) setCurrentIndex(found);
}

}  // namespace metrivo

#include "boundedpaste.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

namespace metrivo {
namespace {

bool SupportsSelection() {
    return QGuiApplication::clipboard()->supportsSelection();
}

}  // namespace

BoundedPaste::BoundedPaste(QLineEdit& box) : QObject(&box), box_(box) {
    box_.installEventFilter(this);
}

QString BoundedPaste::Fitting(const QLineEdit& box, const QString& text) {
    const qsizetype room =
        std::max<qsizetype>(0, box.maxLength() - box.text().size() + box.selectedText().size());
    return text.size() <= room ? text : text.left(room);
}

void BoundedPaste::Paste(QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty() && !box_.hasSelectedText()) return;
    box_.insert(Fitting(box_, text));
}

bool BoundedPaste::IsPasteAction(const QAction& action) {
    // Qt names it from 6.5 on; before, only its text, in Qt's own
    // translation, tells it ("&Paste", a tab and the key).
    return action.objectName() == QLatin1String("edit-paste") ||
           action.text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste");
}

bool BoundedPaste::ContextMenu(const QPoint& globalPosition) {
    QMenu* menu = box_.createStandardContextMenu();
    if (menu == nullptr) return false;
    for (QAction* action : menu->actions()) {
        if (!IsPasteAction(*action)) continue;
        disconnect(action, &QAction::triggered, &box_, nullptr);
        connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
    return true;
}

bool BoundedPaste::eventFilter(QObject* watched, QEvent* event) {
    // The box is looked at only for the events of a paste: others also come
    // while it is being destroyed, when it is no line edit any more.
    switch (watched == &box_ ? event->type() : QEvent::None) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Drop:
        case QEvent::ContextMenu:
            if (box_.isReadOnly()) return false;
            break;
        default:
            return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->matches(QKeySequence::Paste)) return false;
            const bool selection = SupportsSelection() && key->key() == Qt::Key_Insert &&
                                   key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
            Paste(selection ? QClipboard::Selection : QClipboard::Clipboard);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // The press has put the text cursor where the paste goes.
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !SupportsSelection()) {
                return false;
            }
            box_.deselect();
            Paste(QClipboard::Selection);
            return true;
        }
        case QEvent::Drop: {
            // A drop goes where it is let go, beside the selection.
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* data = drop->mimeData();
            if (data == nullptr || !data->hasText()) return false;
            const QString text = data->text();
            if (box_.maxLength() - box_.text().size() >= text.size()) return false;
            box_.setCursorPosition(box_.cursorPositionAt(drop->position().toPoint()));
            box_.insert(Fitting(box_, text));
            drop->acceptProposedAction();
            return true;
        }
        case QEvent::ContextMenu:
            return ContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        default:
            return false;
    }
}

}  // namespace metrivo

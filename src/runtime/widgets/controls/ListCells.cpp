#include "runtime/widgets/controls/ListCells.h"

#include "runtime/widgets/controls/Graphics.h"
#include "runtime/widgets/controls/ListModel.h"
#include "runtime/widgets/controls/Listbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace tickora::runtime::detail {

bool PaintCellBackground(Listbox &owner, QPainter &painter, const QRect &cell, int row, int column)
{
    if (!owner.CellBackgroundPaint.IsAttached())
        return false;
    painter.save();
    painter.translate(cell.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), cell.size()), Qt::IntersectClip);
    Graphics graphics(painter, static_cast<double>(cell.width()), static_cast<double>(cell.height()));
    const bool handled = owner.CellBackgroundPaint.Raise(owner, graphics, row, column);
    painter.restore();
    return handled;
}

CellDelegate::CellDelegate(Listbox &owner, ListModel &rows, QObject *parent)
    : QStyledItemDelegate(parent), m_owner(owner), m_rows(rows)
{
}

void CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const bool handled = PaintCellBackground(m_owner, *painter, cell, index.row(), index.column());
    const bool highlighted = !handled && option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group = !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
                                       : option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                     : QPalette::Inactive;
    if (highlighted)
        painter->fillRect(cell, option.palette.brush(group, QPalette::Highlight));

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        painter->setFont(option.font);
        // The program's cells are light, so plain text is black.
        painter->setPen(highlighted ? option.palette.color(group, QPalette::HighlightedText) : QColor(Qt::black));
        painter->drawText(cell.adjusted(kTextPadding, 0, -kTextPadding, 0),
                          static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), text);
    }

    if (HorizontalLines || VerticalLines) {
        const QWidget *widget = option.widget;
        const int hint = widget ? widget->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, widget) : 0;
        painter->setPen(QPen(QColor::fromRgba(static_cast<QRgb>(hint)), 0));
        if (HorizontalLines)
            painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        if (VerticalLines)
            painter->drawLine(cell.topRight(), cell.bottomRight());
    }
}

QWidget *CellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    // A line editor stops at 32,767 characters by default; a note is kept
    // whole, however long.
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setMaxLength(std::numeric_limits<int>::max());
    m_editor = editor;
    m_editing = index;
    return editor;
}

// A cell may reach past the list's right edge (the columns are wider than
// the list and it does not scroll sideways). Its editor ends where the list
// does, or the caret would run on out of sight while the user types.
void CellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    const QWidget *area = editor->parentWidget();
    if (!area)
        return;
    QRect shown = editor->geometry();
    shown.setLeft(std::max(shown.left(), 0));
    shown.setRight(std::min(shown.right(), area->width() - 1));
    editor->setGeometry(shown);
}

void CellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editing = QPersistentModelIndex();
        // Editing ends with the editor, however it closes.
        m_rows.CloseForEditing();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

// Return, Tab and Shift+Tab end the edit and keep what was typed. Qt commits
// on Return only once the event loop comes round again; here the typed text is
// the cell's at once, before any other key or click. On Tab Qt would go on to
// edit the neighbouring cell, which the program never opened: here the
// keyboard stays on the edited cell, and the next Tab leaves the list as it
// leaves any control.
bool CellDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_editor && object == m_editor.data()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QWidget *editor = m_editor;
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace tickora::runtime::detail

#include "runtime/widgets/controls/ListModel.h"

#include <algorithm>
#include <utility>

namespace tickora::runtime::detail {

ListModel::ListModel(QObject *parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !IsCell(index))
        return {};
    return Text(index.row(), index.column());
}

bool ListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !IsOpenForEditing(index))
        return false;
    SetText(index.row(), index.column(), value.toString());
    return true;
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
    if (!IsCell(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return IsOpenForEditing(index) ? flags | Qt::ItemIsEditable : flags;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || Heading(section).isEmpty())
        return {};
    return Heading(section);
}

void ListModel::SetHeading(int column, const QString &heading)
{
    QString &kept = m_headings[static_cast<std::size_t>(column)];
    if (kept == heading)
        return;
    kept = heading;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

bool ListModel::Contains(std::int64_t row, std::int64_t column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < m_columns;
}

const QString &ListModel::Text(int row, int column) const
{
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ListModel::SetText(int row, int column, const QString &text)
{
    QString &cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    cell = text;
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void ListModel::Append(const QStringList &texts)
{
    std::vector<QString> cells(static_cast<std::size_t>(m_columns));
    const qsizetype used = std::min<qsizetype>(texts.size(), m_columns);
    std::copy_n(texts.cbegin(), used, cells.begin());
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_rows.push_back(std::move(cells));
    endInsertRows();
}

void ListModel::Clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ListModel::SetColumnCount(int count)
{
    const int before = m_columns;
    if (count == before)
        return;
    if (count > before)
        beginInsertColumns({}, before, count - 1);
    else
        beginRemoveColumns({}, count, before - 1);
    m_columns = count;
    m_headings.resize(static_cast<std::size_t>(count));
    for (std::vector<QString> &cells : m_rows)
        cells.resize(static_cast<std::size_t>(count));
    if (count > before)
        endInsertColumns();
    else
        endRemoveColumns();
}

// Views ask about the invalid index too; that is no error worth a warning.
bool ListModel::IsCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && Contains(index.row(), index.column());
}

bool ListModel::IsOpenForEditing(const QModelIndex &index) const
{
    return IsCell(index) && m_openForEditing == index;
}

} // namespace tickora::runtime::detail

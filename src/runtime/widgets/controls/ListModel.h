#pragma once

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace tickora::runtime::detail {

// A list box's rows. Every row holds exactly one text per column, so a cell is
// found by indexing, however long the list grows.
//
// Qt opens editors of its own accord as well: on the neighbouring cell after
// Tab or Shift+Tab in an editor, and on any cell handed to its edit slot,
// whatever the view's edit triggers say. It asks flags() before every editor
// it opens, so only here does the rule hold on every path: the one cell the
// program opened is editable, and only while its editor is open. An in-place
// edit is committed through setData, and only into that cell.
class ListModel final : public QAbstractTableModel {
public:
    explicit ListModel(QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The columns' headings, for a shown header and for screen readers; rows have none.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void OpenForEditing(const QModelIndex &cell) { m_openForEditing = cell; }
    void CloseForEditing() { m_openForEditing = QPersistentModelIndex(); }

    bool Contains(std::int64_t row, std::int64_t column) const;
    const QString &Text(int row, int column) const;
    void SetText(int row, int column, const QString &text);
    // Appends one row: the texts fill the columns from column 0, further cells stay empty.
    void Append(const QStringList &texts);
    void Clear();
    void SetColumnCount(int count);
    const QString &Heading(int column) const { return m_headings[static_cast<std::size_t>(column)]; }
    void SetHeading(int column, const QString &heading);

private:
    bool IsCell(const QModelIndex &index) const;
    bool IsOpenForEditing(const QModelIndex &index) const;

    std::vector<std::vector<QString>> m_rows;
    int m_columns = 1;
    std::vector<QString> m_headings = std::vector<QString>(1);
    // Follows its cell; invalid once the rows or its column are gone.
    QPersistentModelIndex m_openForEditing;
};

} // namespace tickora::runtime::detail

#include "browsergrid.h"

#include "interaction.h"
#include "xlsxexport.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHeaderView>
#include <QTimer>
#include <algorithm>
#include <numeric>
#include <utility>

namespace bv {

class ListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    ResultSet rows;
    Headings headings;
    QSet<QString> money;
    QHash<QString, QColor> titleColours;
    std::vector<int> order;  // shown row -> row of `rows`
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    BrowserGrid::RowColour rowColour;

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(order.size()); }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(rows.columns.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::BackgroundRole && rowColour) {
            const QColor colour = rowColour(rows, source(index.row()));
            return colour.isValid() ? QVariant(colour) : QVariant();
        }
        if (role != Qt::DisplayRole)
            return {};
        return cellText(source(index.row())[index.column()], money.contains(rows.columns[index.column()]));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= rows.columns.size())
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return headingOf(headings, rows.columns[section]);
        if (role == Qt::BackgroundRole) {
            const QColor colour = titleColours.value(rows.columns[section]);
            return colour.isValid() ? QVariant(colour) : QVariant();
        }
        if (role == Qt::FontRole && section == sortColumn) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    const QVariantList &source(int shownRow) const { return rows.rows[size_t(order[size_t(shownRow)])]; }

    void reset(ResultSet newRows)
    {
        beginResetModel();
        rows = std::move(newRows);
        order.resize(rows.rows.size());
        std::iota(order.begin(), order.end(), 0);
        sortColumn = -1;
        endResetModel();
    }
    void sortBy(int column, Qt::SortOrder sequence)
    {
        emit layoutAboutToBeChanged();
        std::vector<SortKey> keys;
        keys.reserve(rows.rows.size());
        for (const QVariantList &row : rows.rows)
            keys.emplace_back(row[column]);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = SortKey::compare(keys[size_t(a)], keys[size_t(b)]);
            return sequence == Qt::AscendingOrder ? c < 0 : c > 0;
        });
        const int previous = sortColumn;
        sortColumn = column;
        sortOrder = sequence;
        emit layoutChanged();
        if (previous >= 0 && previous != column)
            emit headerDataChanged(Qt::Horizontal, previous, previous);
        emit headerDataChanged(Qt::Horizontal, column, column);
    }
};

BrowserGrid::BrowserGrid(QWidget *parent) : QTableView(parent), model_(new ListModel(this))
{
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionsClickable(true);
    // A sort orders the whole list, not its first screen.
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, &BrowserGrid::completeRows);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { sortBy(model_->rows.columns.value(section)); });
}

void BrowserGrid::setHeadings(const Headings &headings)
{
    model_->headings = headings;
    if (!model_->rows.columns.isEmpty())
        emit model_->headerDataChanged(Qt::Horizontal, 0, int(model_->rows.columns.size()) - 1);
}

void BrowserGrid::setTitleColours(const QHash<QString, QColor> &colours)
{
    model_->titleColours = colours;
}

void BrowserGrid::setHiddenColumns(const QStringList &columns)
{
    hidden_ = columns;
    applyHiddenColumns();
}

void BrowserGrid::setRowColour(RowColour colour)
{
    model_->rowColour = std::move(colour);
    viewport()->update();
}

QColor BrowserGrid::rowColourAt(int shownRow) const
{
    if (!model_->rowColour || shownRow < 0 || shownRow >= rowCount())
        return {};
    return model_->rowColour(model_->rows, model_->source(shownRow));
}

void BrowserGrid::setMoneyColumns(const QSet<QString> &columns)
{
    model_->money = columns;
    viewport()->update();
}

void BrowserGrid::applyHiddenColumns()
{
    for (int c = 0; c < model_->rows.columns.size(); ++c)
        setColumnHidden(c, hidden_.contains(model_->rows.columns[c]));
}

void BrowserGrid::setRows(ResultSet rows)
{
    pending_ = nullptr;
    showRows(std::move(rows));
}

void BrowserGrid::setFirstScreen(ResultSet firstScreen, qint64 total, RowsReader whole)
{
    const bool more = firstScreen.size() < total;
    setRows(std::move(firstScreen));
    if (!more)
        return;
    pending_ = std::move(whole);
    QTimer::singleShot(0, this, &BrowserGrid::completeRows);
}

void BrowserGrid::completeRows()
{
    if (!pending_)
        return;
    const RowsReader whole = std::exchange(pending_, nullptr);
    const QModelIndex at = currentIndex();
    try {
        showRows(whole());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    if (at.isValid())
        setCurrentIndex(model_->index(at.row(), at.column()));
}

void BrowserGrid::showRows(ResultSet rows)
{
    model_->reset(std::move(rows));
    applyHiddenColumns();
    if (model_->rowCount({}) > 0) {
        // The first shown column: keyboard moves from a hidden cell go nowhere.
        int column = 0;
        while (column < model_->rows.columns.size() - 1 && isColumnHidden(column))
            ++column;
        setCurrentIndex(model_->index(0, column));
    }
}

ResultSet BrowserGrid::shownRows() const
{
    ResultSet out;
    out.columns = model_->rows.columns;
    out.rows.reserve(model_->order.size());
    for (int r = 0; r < rowCount(); ++r)
        out.rows.push_back(model_->source(r));
    return out;
}

int BrowserGrid::rowCount() const
{
    return model_->rowCount({});
}

void BrowserGrid::sortBy(const QString &column)
{
    const int c = model_->rows.columnIndex(column);
    if (c < 0)
        return;
    const bool descending = model_->sortColumn == c && model_->sortOrder == Qt::AscendingOrder;
    const QModelIndex current = currentIndex();
    const int record = current.isValid() ? model_->order[size_t(current.row())] : -1;
    model_->sortBy(c, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    // The current row stays on the same record.
    if (record >= 0) {
        const auto at = std::find(model_->order.begin(), model_->order.end(), record);
        setCurrentIndex(model_->index(int(at - model_->order.begin()), current.column()));
    }
}

Row BrowserGrid::currentRow() const
{
    Row row;
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return row;
    const QVariantList &values = model_->source(index.row());
    for (int c = 0; c < model_->rows.columns.size(); ++c)
        row.insert(model_->rows.columns[c], values[c]);
    return row;
}

QVariant BrowserGrid::currentValue(const QString &column) const
{
    const int c = model_->rows.columnIndex(column);
    const QModelIndex index = currentIndex();
    if (c < 0 || !index.isValid())
        return {};
    return model_->source(index.row())[c];
}

void BrowserGrid::exportList(const Headings &headings) const
{
    bv::exportList(shownRows(), headings, model_->money);
}

}  // namespace bv

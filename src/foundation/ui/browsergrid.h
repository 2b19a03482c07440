#pragma once
// The grid of every browser: a read-only table of a search's rows with Persian
// headings, hidden columns, title-click sorting and the spreadsheet export.
#include "db.h"
#include "listtext.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <functional>
#include <QStringList>
#include <QTableView>

namespace bv {

class ListModel;

class BrowserGrid : public QTableView {
    Q_OBJECT
public:
    explicit BrowserGrid(QWidget *parent = nullptr);

    void setHeadings(const Headings &headings);
    void setHiddenColumns(const QStringList &columns);
    // Titles drawn on a colour of their own, by column.
    void setTitleColours(const QHash<QString, QColor> &colours);
    // The background of a row from its values; an invalid colour keeps the grid's own.
    using RowColour = std::function<QColor(const ResultSet &rows, const QVariantList &row)>;
    void setRowColour(RowColour colour);
    QColor rowColourAt(int shownRow) const;

    // Columns shown as grouped digits, on screen and in the spreadsheet.
    void setMoneyColumns(const QSet<QString> &columns);

    // Shows a search's rows, unsorted, with the first row current.
    void setRows(ResultSet rows);
    // A long list in two steps: its first screen at once, then the rows `whole`
    // reads when the window is idle, or sooner through completeRows(), which a
    // title click and every action over all listed rows call first. The current
    // row keeps its place: the first screen is the head of the whole list.
    using RowsReader = std::function<ResultSet()>;
    void setFirstScreen(ResultSet firstScreen, qint64 total, RowsReader whole);
    void completeRows();
    bool rowsComplete() const { return !pending_; }
    // The rows in the order shown.
    ResultSet shownRows() const;
    int rowCount() const;

    // The title-click sort: ascending, or descending when the list is already
    // sorted ascending by that column; the sorted column's title is bold.
    void sortBy(const QString &column);

    // A value of the current row; invalid when there is none.
    QVariant currentValue(const QString &column) const;
    QVariant currentId() const { return currentValue(QStringLiteral("id")); }
    // Every value of the current row by column; empty when there is none.
    Row currentRow() const;

    // The spreadsheet export of the rows shown, with the export's own headings.
    void exportList(const Headings &headings) const;

private:
    void applyHiddenColumns();
    void showRows(ResultSet rows);
    ListModel *model_;
    QStringList hidden_;
    RowsReader pending_;
};

}  // namespace bv

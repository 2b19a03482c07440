#pragma once
// The browsers' own exports of their listed rows: the HTML list and the
// attachment checklist. No widgets.
#include "db.h"
#include "listtext.h"

namespace bv {

// The rows as an HTML page titled `title` (UTF-8, every field escaped),
// columns headed by `headings`.
QString htmlList(const ResultSet &rows, const QString &title, const Headings &headings);

// Where a browser's attachments live and how its checklist ends.
struct ChecklistSource {
    QString lookupTitle;     // the lookup list of attachment descriptions
    QString table;           // attachment table
    QString ownerColumn;     // its column holding the owner's id
    QString lastColumn;      // the listed rows' column after the marks
    QString lastTitle;       // its title in the heading row
};

// One row per listed record with "1" or "0" per description of the lookup
// list (sorted), between county and village and the last column; the first
// row holds the titles. Built in memory.
ResultSet attachmentChecklist(const Db &db, const ResultSet &rows, const ChecklistSource &source);

}  // namespace bv

#include "listexports.h"

#include "lookuplists.h"

#include <QSet>

namespace bv {

QString htmlList(const ResultSet &rows, const QString &title, const Headings &headings)
{
    QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head><meta charset=\"utf-8\"><title>") + title.toHtmlEscaped()
            + QStringLiteral("</title></head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<table dir=\"rtl\" border=\"1\" align=\"center\" width=\"95%\">"),
        QStringLiteral("<thead>"),
        QStringLiteral("<tr bgcolor=\"#22ddff\" valign=\"middle\">"),
        QStringLiteral("<th>رديف</th>"),
    };
    for (const QString &column : rows.columns)
        lines << QStringLiteral("<th>") + headings.value(column, column).toHtmlEscaped() + QStringLiteral("</th>");
    lines << QStringLiteral("</tr>") << QStringLiteral("</thead>") << QStringLiteral("<tbody>");
    int number = 0;
    for (const QVariantList &row : rows.rows) {
        lines << QStringLiteral("<tr>") << QStringLiteral("<td>%1</td>").arg(++number);
        for (const QVariant &value : row)
            lines << QStringLiteral("<td>") + cellText(value).toHtmlEscaped() + QStringLiteral("</td>");
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</tbody>") << QStringLiteral("</table>") << QStringLiteral("</body>")
          << QStringLiteral("</html>");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

ResultSet attachmentChecklist(const Db &db, const ResultSet &rows, const ChecklistSource &source)
{
    const QStringList kinds = lookupItemsSorted(db, source.lookupTitle);
    ResultSet sheet;
    sheet.columns << QStringLiteral("city") << QStringLiteral("rosta");
    for (int i = 1; i <= kinds.size(); ++i)
        sheet.columns << QStringLiteral("z%1").arg(i);
    sheet.columns << source.lastColumn;
    QVariantList titles = {QStringLiteral("شهرستان"), QStringLiteral("روستا")};
    for (const QString &kind : kinds)
        titles << kind;
    titles << source.lastTitle;
    sheet.rows.push_back(titles);

    // Every description of the listed records' attachments, read once.
    const int id = rows.columnIndex(QStringLiteral("id"));
    QSet<qint64> listed;
    for (const QVariantList &row : rows.rows)
        listed.insert(row[id].toLongLong());
    QHash<qint64, QSet<QString>> present;
    // Table and column names are the caller's constants, never typed text.
    const ResultSet attached =
        db.select(QStringLiteral("SELECT DISTINCT %1, cmt FROM %2").arg(source.ownerColumn, source.table));
    for (const QVariantList &a : attached.rows)
        if (listed.contains(a[0].toLongLong()))
            present[a[0].toLongLong()].insert(a[1].toString());

    const int city = rows.columnIndex(QStringLiteral("city"));
    const int rosta = rows.columnIndex(QStringLiteral("rosta"));
    const int last = rows.columnIndex(source.lastColumn);
    for (const QVariantList &row : rows.rows) {
        QVariantList line = {row[city], row[rosta]};
        const QSet<QString> &has = present[row[id].toLongLong()];
        for (const QString &kind : kinds)
            line << (has.contains(kind) ? QStringLiteral("1") : QStringLiteral("0"));
        line << row[last];
        sheet.rows.push_back(line);
    }
    return sheet;
}

}  // namespace bv

#include "jalasat_guests.h"

namespace bv::studies {

namespace {

const QString listColumns =
    QStringLiteral("jalasat.id, jalasat.borvinat_id, jalasat.jalase_no, jalasat.title, jalasat.dat, jalasat.org, "
                   "jalasat.shakhs, jalasat.hozor, borvinat.city, borvinat.bakhsh, borvinat.dehestan, borvinat.rosta, "
                   "borvinat.khanevar, borvinat.jamiyat");
const QString listFrom = QStringLiteral(" FROM jalasat LEFT JOIN borvinat ON jalasat.borvinat_id = borvinat.id");

// An empty text is stored and compared as "", never as null.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

bool repeated(const Db &db, qint64 study, const QString &org, const QString &shakhs)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM jalasat WHERE borvinat_id = ? AND org = ? AND shakhs = ?"),
                     {study, text(org), text(shakhs)})
               .toInt()
           > 0;
}

void insertGuest(const Db &db, qint64 study, const Guest &g)
{
    db.exec(QStringLiteral("INSERT INTO jalasat (borvinat_id, dat, org, shakhs, hozor, jalase_no, title) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {study, text(g.dat), text(g.org), text(g.shakhs), g.shakhs.isEmpty() ? 0 : 1, text(g.jalase_no),
             text(g.title)});
}

}  // namespace

Row studyRow(const Db &db, qint64 study)
{
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM borvinat WHERE id = ?"), {study});
    return rows.empty() ? Row() : rows.front();
}

ResultSet guests(const Db &db, qint64 study)
{
    return db.select(QStringLiteral("SELECT id, borvinat_id, jalase_no, title, dat, org, shakhs, hozor FROM jalasat "
                                    "WHERE borvinat_id = ? ORDER BY id"),
                     {study});
}

QString attendance(const Db &db, qint64 study)
{
    const QVariant sum = db.scalar(QStringLiteral("SELECT SUM(hozor) FROM jalasat WHERE borvinat_id = ?"), {study});
    return sum.isNull() ? QString() : QString::number(sum.toLongLong());
}

bool addGuest(const Db &db, qint64 study, const Guest &guest)
{
    bool added = false;
    db.transaction([&] {
        if (repeated(db, study, guest.org, guest.shakhs))
            return;
        insertGuest(db, study, guest);
        added = true;
    });
    return added;
}

int addEveryOffice(const Db &db, qint64 study, const QStringList &offices, const Guest &guest)
{
    int added = 0;
    db.transaction([&] {
        for (const QString &office : offices) {
            Guest g = guest;
            g.org = office;
            if (repeated(db, study, office, guest.shakhs))
                continue;
            insertGuest(db, study, g);
            ++added;
        }
    });
    return added;
}

bool deleteGuest(const Db &db, qint64 id)
{
    return db.exec(QStringLiteral("DELETE FROM jalasat WHERE id = ?"), {id}).numRowsAffected() > 0;
}

int deleteAllGuests(const Db &db, qint64 study)
{
    return db.exec(QStringLiteral("DELETE FROM jalasat WHERE borvinat_id = ?"), {study}).numRowsAffected();
}

int nextEntry(int index, int count)
{
    const int next = index + 1;
    return next < count ? next : -1;
}

Conditions meetingConditions(const Dialect &dialect, const MeetingFilters &f)
{
    Conditions c(dialect);
    if (f.dates)
        c.range(QStringLiteral("jalasat.dat"), f.dates->first, f.dates->second);
    if (f.org)
        c.contains(QStringLiteral("jalasat.org"), *f.org);
    if (f.shakhs)
        c.contains(QStringLiteral("jalasat.shakhs"), *f.shakhs);
    if (f.city)
        c.contains(QStringLiteral("borvinat.city"), *f.city);
    if (f.rosta)
        c.contains(QStringLiteral("borvinat.rosta"), *f.rosta);
    return c;
}

QString meetingListSql(const Conditions &c)
{
    return QStringLiteral("SELECT ") + listColumns + listFrom + c.where()
           + QStringLiteral(" ORDER BY jalasat.dat DESC, jalasat.id DESC");
}

QString meetingCountSql(const Conditions &c)
{
    return QStringLiteral("SELECT COUNT(*)") + listFrom + c.where();
}

ResultSet meetingList(const Db &db, const MeetingFilters &filters)
{
    const Conditions c = meetingConditions(db.dialect(), filters);
    return db.select(meetingListSql(c), c.values());
}

int meetingCount(const Db &db, const MeetingFilters &filters)
{
    const Conditions c = meetingConditions(db.dialect(), filters);
    return db.scalar(meetingCountSql(c), c.values()).toInt();
}

report::Document attendanceSheet(const ResultSet &rows, const Row &place, const QString &jalase_no, const QString &dat)
{
    report::Document doc = report::Document::load(QStringLiteral("jalasat_frm"));
    for (const char *column : {"city", "bakhsh", "dehestan", "rosta", "khanevar", "jamiyat"})
        doc.setLabel(QString::fromLatin1(column), place.value(QString::fromLatin1(column)).toString());
    doc.setLabel(QStringLiteral("jalase_no"), jalase_no);
    doc.setLabel(QStringLiteral("dat"), dat);
    doc.setRows(rows);
    return doc;
}

}  // namespace bv::studies

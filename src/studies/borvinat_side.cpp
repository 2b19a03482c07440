#include "borvinat_side.h"

namespace bv::studies {

ResultSet programmes(const Db &db, qint64 study)
{
    return db.select(QStringLiteral("SELECT id, cmt, org FROM barnameha WHERE borvinat_id = ? ORDER BY id"), {study});
}

AddOutcome addProgramme(const Db &db, qint64 study, const QString &cmt, const QString &org)
{
    AddOutcome outcome = AddOutcome::Added;
    db.transaction([&] {
        if (!db.select(QStringLiteral("SELECT id FROM barnameha WHERE borvinat_id = ? AND cmt = ? AND org = ?"),
                       {study, cmt, org})
                 .empty()) {
            outcome = AddOutcome::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO barnameha (borvinat_id, cmt, org) VALUES (?, ?, ?)"), {study, cmt, org});
    });
    return outcome;
}

bool deleteProgramme(const Db &db, qint64 id)
{
    return db.exec(QStringLiteral("DELETE FROM barnameha WHERE id = ?"), {id}).numRowsAffected() > 0;
}

NumberReading indicatorValue(const QString &typed)
{
    QString text = typed;
    text.replace(QLatin1Char('/'), QLatin1Char('.')).replace(QChar(0x066B), QLatin1Char('.'));
    return readNumber(text, Grouping::Refused);
}

ResultSet indicators(const Db &db, qint64 study)
{
    return db.select(QStringLiteral("SELECT id, cmt, mojod, ofogh FROM shakhes WHERE borvinat_id = ? ORDER BY id"),
                     {study});
}

AddOutcome addIndicator(const Db &db, qint64 study, const QString &cmt, const Decimal &mojod, const Decimal &ofogh)
{
    AddOutcome outcome = AddOutcome::Added;
    db.transaction([&] {
        if (!db.select(QStringLiteral("SELECT id FROM shakhes WHERE borvinat_id = ? AND cmt = ?"), {study, cmt}).empty()) {
            outcome = AddOutcome::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO shakhes (borvinat_id, cmt, mojod, ofogh) VALUES (?, ?, ?, ?)"),
                {study, cmt, mojod.toSql(), ofogh.toSql()});
    });
    return outcome;
}

std::optional<int> registerAllIndicators(const Db &db, qint64 study, const QStringList &names, const Decimal &mojod,
                                         const Decimal &ofogh)
{
    std::optional<int> written;
    db.transaction([&] {
        // Without the lock two clerks at once would each delete only the rows
        // committed before them and both insert a full set.
        if (!lockRow(db, QStringLiteral("borvinat"), study))
            return;
        db.exec(QStringLiteral("DELETE FROM shakhes WHERE borvinat_id = ?"), {study});
        Statement insert =
            db.statement(QStringLiteral("INSERT INTO shakhes (borvinat_id, cmt, mojod, ofogh) VALUES (?, ?, ?, ?)"));
        int count = 0;
        for (const QString &name : names)
            count += insert.run({study, name, mojod.toSql(), ofogh.toSql()});
        written = count;
    });
    return written;
}

RowGuard indicatorGuard()
{
    return RowGuard(QStringLiteral("shakhes"), {QStringLiteral("mojod"), QStringLiteral("ofogh")});
}

RowGuard::Outcome updateIndicator(const Db &db, RowGuard &guard, const Decimal &mojod, const Decimal &ofogh)
{
    return guard.write(db, [&] {
        db.exec(QStringLiteral("UPDATE shakhes SET mojod = ?, ofogh = ? WHERE id = ?"),
                {mojod.toSql(), ofogh.toSql(), guard.key()});
    });
}

}  // namespace bv::studies

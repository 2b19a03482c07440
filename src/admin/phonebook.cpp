#include "phonebook.h"

#include "conditions.h"
#include "foldsearch.h"
#include "text.h"

namespace bv {

namespace {
Conditions phoneConditions(const Db &db, PhoneField field, const QString &text)
{
    static const QString columns[] = {QStringLiteral("name"), QStringLiteral("tel"), QStringLiteral("cmt")};
    Conditions where(db.dialect());
    where.compare(QStringLiteral("name"), Conditions::Op::NotEqual, QString(QLatin1String("")));
    containsFolded(where, columns[int(field)], asciiDigits(text));
    return where;
}
}  // namespace

ResultSet searchPhones(const Db &db, PhoneField field, const QString &text)
{
    const Conditions where = phoneConditions(db, field, text);
    return db.select(QStringLiteral("SELECT id, name, tel, cmt FROM phone") + where.where() + QStringLiteral(" ORDER BY ")
                         + db.dialect().persianOrder(QStringLiteral("name")) + QStringLiteral(", id"),
                     where.values());
}

int countPhones(const Db &db, PhoneField field, const QString &text)
{
    const Conditions where = phoneConditions(db, field, text);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM phone") + where.where(), where.values()).toInt();
}

PhoneAdd addPhone(const Db &db, const QString &name, const QString &tel, const QString &cmt)
{
    const QString typedName = normalizeYeh(name);
    if (typedName.trimmed().isEmpty())
        return PhoneAdd::EmptyName;
    PhoneAdd result = PhoneAdd::Added;
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM phone WHERE name = ?"), {typedName}).toInt() > 0) {
            result = PhoneAdd::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)"),
                {typedName, normalizeInput(tel), normalizeYeh(cmt)});
    });
    return result;
}

void removePhone(const Db &db, qint64 id)
{
    db.exec(QStringLiteral("DELETE FROM phone WHERE id = ?"), {id});
}

}  // namespace bv

#include "sabti_contractors.h"

#include "activitylog.h"

namespace bv::sabt {

const QStringList &contractorColumns()
{
    static const QStringList columns = {
        "typ",       "fname",    "lname",     "company",  "father",    "nation",       "email",
        "madrak",    "reshte",   "mobile",    "tel",      "nezam",     "cod_sabti",    "model",
        "serial",    "cod_karbari", "adr",    "hesab_no", "sodor",     "sh_no",        "zipcode",
        "birthday",  "bank",     "shobe",     "comp_name", "comp_dat", "comp_loc",     "comp_adr",
        "comp_no",   "comp_shenase", "eghtesadi_cod", "tamin_shahr", "tamin_shobe"};
    return columns;
}

std::optional<QString> contractorDisplayName(const Row &c)
{
    const QString kind = c.value(QStringLiteral("typ")).toString();
    if (kind == naturalPerson)
        return c.value(QStringLiteral("fname")).toString() + QLatin1Char(' ') + c.value(QStringLiteral("lname")).toString();
    if (kind == legalPerson)
        return c.value(QStringLiteral("company")).toString();
    return std::nullopt;
}

Conditions contractorConditions(const Dialect &dialect, const ContractorFilter &filter)
{
    Conditions where(dialect);
    where.compare(QStringLiteral("id"), Conditions::Op::NotEqual, -1);
    if (!filter.kind.isEmpty())
        where.compare(QStringLiteral("typ"), Conditions::Op::Equal, filter.kind);
    if (filter.lname)
        where.contains(QStringLiteral("lname"), *filter.lname);
    if (filter.company)
        where.contains(QStringLiteral("company"), *filter.company);
    return where;
}

QString contractorListSql(const Conditions &where)
{
    return QStringLiteral("SELECT * FROM sabti_peyman") + where.where() + QStringLiteral(" ORDER BY id");
}

ResultSet searchContractors(const Db &db, const ContractorFilter &filter)
{
    const Conditions where = contractorConditions(db.dialect(), filter);
    return db.select(contractorListSql(where), where.values());
}

bool contractorExists(const Db &db, const ContractorTexts &t)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_peyman WHERE fname = ? AND lname = ? AND company = ?"),
                     {t.value("fname"), t.value("lname"), t.value("company")})
               .toInt()
        > 0;
}

namespace {
QVariantList valuesOf(const ContractorTexts &t)
{
    QVariantList out;
    for (const QString &c : contractorColumns())
        out << t.value(c);
    return out;
}

QString logText(const QString &action, const ContractorTexts &t, const QString &user)
{
    return action + t.value(QStringLiteral("lname")) + QLatin1Char(' ') + user;
}
}  // namespace

qint64 insertContractor(const Db &db, const ContractorTexts &t, const QString &user)
{
    QStringList marks;
    for (int i = 0; i < contractorColumns().size(); ++i)
        marks << QStringLiteral("?");
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO sabti_peyman (%1) VALUES (%2)")
                           .arg(contractorColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       valuesOf(t));
        writeLog(db, user, logText(QStringLiteral(" ثبت پيمانکار ثبتي جديد  "), t, user));
    });
    return id;
}

void updateContractor(const Db &db, qint64 id, const ContractorTexts &t, const QString &user)
{
    QStringList sets;
    for (const QString &c : contractorColumns())
        sets << c + QStringLiteral(" = ?");
    QVariantList bound = valuesOf(t);
    bound << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE sabti_peyman SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        writeLog(db, user, logText(QStringLiteral("ويرايش پيمانکار ثبتي   "), t, user));
    });
}

bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("DELETE FROM sabti_peyman WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        writeLog(db, user, QStringLiteral(" حذف پيمانکار ثبتي  ") + lname + QLatin1Char(' ') + user);
    });
    return found;
}

int jobsOfContractor(const Db &db, qint64 id)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti WHERE peymankar_id = ?"), {id}).toInt();
}

}  // namespace bv::sabt

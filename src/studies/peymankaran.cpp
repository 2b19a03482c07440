#include "peymankaran.h"

#include "activitylog.h"
#include "passwords.h"

namespace bv::study {

namespace {
const QMap<QString, QString> &labels()
{
    static const QMap<QString, QString> l = {{QStringLiteral("comp_rotbe"), QStringLiteral("رتبه مشاور")}};
    return l;
}

QString marks(int n)
{
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QString logText(const QString &action, const QString &lname, const QString &user)
{
    return action + lname + QLatin1Char(' ') + user;
}
}  // namespace

const QStringList &contractorColumns()
{
    static const QStringList columns = {
        "typ",    "lname",    "fname",  "father",     "sh_no",           "nation",             "birthday",
        "sodor",  "degree",   "degree_dat", "zipcode", "adr",            "bank",               "shobe",
        "hesab_no", "mobile", "phone",  "comp_name",  "comp_dat",        "comp_loc",           "comp_adr",
        "comp_no", "comp_shenase", "comp_rotbe", "comp_etebar_dat", "comp_eghtesadi_cod", "taminejtemaei"};
    return columns;
}

RowValues readContractor(const TypedTexts &typed)
{
    return readTypedRow(contractorTables.contractors, contractorColumns(), typed, labels(), EmptyNumber::Null);
}

bool contractorExists(const Db &db, const TypedTexts &t)
{
    const QString kind = t.value(QStringLiteral("typ"));
    if (kind == naturalPerson)
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM peymankaran WHERE lname = ? AND fname = ?"),
                         {t.value(QStringLiteral("lname")), t.value(QStringLiteral("fname"))})
                   .toInt()
            > 0;
    if (kind == legalPerson)
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM peymankaran WHERE comp_name = ?"),
                         {t.value(QStringLiteral("comp_name"))})
                   .toInt()
            > 0;
    return false;
}

qint64 insertContractor(const Db &db, const TypedTexts &t, const RowValues &values, const QString &user)
{
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO peymankaran (%1) VALUES (%2)")
                           .arg(contractorColumns().join(QStringLiteral(", ")), marks(int(contractorColumns().size()))),
                       values.values);
        writeLog(db, user, logText(QStringLiteral(" ثبت پيمانکار جديد مطالعات "), t.value(QStringLiteral("lname")), user));
    });
    return id;
}

void updateContractor(const Db &db, qint64 id, const TypedTexts &t, const RowValues &values, const QString &user)
{
    QStringList sets;
    for (const QString &c : contractorColumns())
        sets << c + QStringLiteral(" = ?");
    QVariantList bound = values.values;
    bound << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE peymankaran SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        writeLog(db, user, logText(QStringLiteral(" ويرايش پيمانکار  "), t.value(QStringLiteral("lname")), user));
    });
}

bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("DELETE FROM peymankaran WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        writeLog(db, user, logText(QStringLiteral(" حذف پيمانکار مطالعات "), lname, user));
    });
    return found;
}

int studiesOfContractor(const Db &db, qint64 id)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM borvinat WHERE peymankar_id = ?"), {id}).toInt();
}

std::optional<QString> accountName(const Row &c)
{
    const QString kind = c.value(QStringLiteral("typ")).toString();
    QString name;
    if (kind == naturalPerson)
        name = c.value(QStringLiteral("lname")).toString() + QLatin1Char(' ') + c.value(QStringLiteral("fname")).toString();
    else if (kind == legalPerson)
        name = c.value(QStringLiteral("comp_name")).toString();
    if (name.trimmed().isEmpty())
        return std::nullopt;
    return name;
}

bool mayCreateAccounts(const Session &user)
{
    return user.level == QLatin1String("admin");
}

int createContractorAccounts(const Db &db)
{
    int made = 0;
    for (const Row &c : db.rows(QStringLiteral("SELECT typ, lname, fname, comp_name, nation FROM peymankaran "
                                               "WHERE id <> -1 ORDER BY id"))) {
        const std::optional<QString> name = accountName(c);
        if (!name || db.scalar(QStringLiteral("SELECT COUNT(*) FROM users WHERE us = ?"), {*name}).toInt() > 0)
            continue;
        db.transaction([&] {
            const qint64 id = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev) VALUES (?, ?, '', 'city')"),
                                        {*name, hashPassword(c.value(QStringLiteral("nation")).toString())});
            for (const char *page : {"zamaem_m", "moshaveran"}) {
                db.exec(QStringLiteral("DELETE FROM dastrasi WHERE prs_id = ? AND page_name = ?"), {id, QLatin1String(page)});
                db.exec(QStringLiteral("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) "
                                       "VALUES (?, ?, ?, ?, ?, ?)"),
                        {id, QLatin1String(page), 1, 0, 0, 1});
            }
        });
        ++made;
    }
    return made;
}

}  // namespace bv::study

#include "contractors.h"

#include "activitylog.h"
#include "text.h"

namespace bv::survey {

const QStringList &contractorColumns()
{
    static const QStringList columns = {
        "typ", "lname", "fname", "father", "sh_no", "nation", "birthday", "sodor", "degree", "zipcode", "adr",
        "bank", "shobe", "hesab_no", "mobile", "phone", "comp_name", "comp_dat", "comp_loc", "comp_adr", "comp_no",
        "comp_shenase", "tamin_shahr", "tamin_shobe", "eghtesadi_cod"};
    return columns;
}

bool contractorExists(const Db &db, const ContractorTexts &t)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM peymankar WHERE lname = ? AND fname = ? AND comp_name = ?"),
                     {t.value("lname"), t.value("fname"), t.value("comp_name")})
               .toInt()
        > 0;
}

namespace {
QVariantList valuesOf(const ContractorTexts &t)
{
    QVariantList out;
    for (const QString &c : contractorColumns())
        out << normalizeYeh(t.value(c));
    return out;
}
}  // namespace

qint64 insertContractor(const Db &db, const ContractorTexts &t, const QString &user)
{
    QStringList marks;
    for (int i = 0; i < contractorColumns().size(); ++i)
        marks << QStringLiteral("?");
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO peymankar (%1) VALUES (%2)")
                           .arg(contractorColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       valuesOf(t));
        writeLog(db, user, QStringLiteral(" ثبت پيمانکار جديد  ") + t.value("lname") + QLatin1Char(' ') + user);
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
        db.exec(QStringLiteral("UPDATE peymankar SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        writeLog(db, user, QStringLiteral(" ويرايش پيمانکار  ") + t.value("lname") + QLatin1Char(' ') + user);
    });
}

int projectsOfContractor(const Db &db, qint64 id)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM naghshe WHERE peymankar_id = ?"), {id}).toInt();
}

bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("DELETE FROM peymankar WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        writeLog(db, user, QStringLiteral(" حذف پيمانکار نقشه برداري ") + lname + QLatin1Char(' ') + user);
    });
    return found;
}

}  // namespace bv::survey

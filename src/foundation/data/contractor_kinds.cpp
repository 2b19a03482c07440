#include "contractor_kinds.h"

namespace bv {

std::optional<QString> contractorDisplayName(const Row &c)
{
    const QString kind = c.value(QStringLiteral("typ")).toString();
    if (kind == naturalPerson)
        return c.value(QStringLiteral("fname")).toString() + QLatin1Char(' ') + c.value(QStringLiteral("lname")).toString();
    if (kind == legalPerson)
        return c.value(QStringLiteral("comp_name")).toString();
    return std::nullopt;
}

Conditions contractorConditions(const Dialect &dialect, const QString &table, const ContractorFilter &filter)
{
    Conditions where(dialect);
    where.compare(table + QStringLiteral(".id"), Conditions::Op::NotEqual, -1);
    if (!filter.kind.isEmpty())
        where.compare(QStringLiteral("typ"), Conditions::Op::Equal, filter.kind);
    if (filter.lname)
        where.contains(QStringLiteral("lname"), *filter.lname);
    if (filter.compName)
        where.contains(QStringLiteral("comp_name"), *filter.compName);
    return where;
}

int countContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter)
{
    const Conditions where = contractorConditions(db.dialect(), tables.contractors, filter);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + tables.contractors + where.where(), where.values())
        .toInt();
}

QString browseContractorsSql(const Db &db, const ContractorTables &tables, const Conditions &where)
{
    return QStringLiteral("SELECT %1.*, b.pic_count FROM %1 LEFT JOIN "
                          "(SELECT peymankar_id, COUNT(*) AS pic_count FROM %2 GROUP BY peymankar_id) b "
                          "ON %1.id = b.peymankar_id")
               .arg(tables.contractors, tables.attachments)
        + where.where() + QStringLiteral(" ORDER BY ") + db.dialect().persianOrder(QStringLiteral("lname"));
}

QString pickContractorsSql(const Db &db, const ContractorTables &tables, const Conditions &where)
{
    return QStringLiteral("SELECT * FROM ") + tables.contractors + where.where() + QStringLiteral(" ORDER BY ")
        + db.dialect().persianOrder(QStringLiteral("lname"));
}

ResultSet browseContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter)
{
    const Conditions where = contractorConditions(db.dialect(), tables.contractors, filter);
    return db.select(browseContractorsSql(db, tables, where), where.values());
}

ResultSet pickContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter)
{
    const Conditions where = contractorConditions(db.dialect(), tables.contractors, filter);
    return db.select(pickContractorsSql(db, tables, where), where.values());
}

bool contractorComplete(const QString &kind, int attachments)
{
    if (kind == naturalPerson)
        return attachments >= 3;
    if (kind == legalPerson)
        return attachments >= 5;
    return false;
}

}  // namespace bv

#include "schema_builder.h"

#include "interaction.h"
#include "passwords.h"

namespace bv {

namespace {
const QString adminName = QStringLiteral("admin");

void seedAdministrator(const Db &db, const QString &password)
{
    db.exec(QStringLiteral("INSERT INTO users (us, ps, ver, lev, status) VALUES (?, ?, ?, ?, ?)"),
            {adminName, hashPassword(password), QStringLiteral("1"), QStringLiteral("ostan"),
             QStringLiteral("فعال")});
}

void seedAdministratorRights(const Db &db)
{
    const QVariant adminId =
        db.scalar(QStringLiteral("SELECT MIN(id) FROM users WHERE us = ?"), {adminName});
    if (adminId.isNull() || !adminId.isValid())
        return;
    db.exec(QStringLiteral("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) "
                           "VALUES (?, ?, 1, 1, 1, 1)"),
            {adminId, QStringLiteral("karbaran")});
}
}  // namespace

SchemaReport buildSchema(const Db &db, const std::function<std::optional<QString>()> &askAdminPassword)
{
    SchemaReport report;
    const QStringList existing = db.tables();
    std::optional<QString> adminPassword;
    if (!existing.contains(QStringLiteral("users"))) {
        adminPassword = askAdminPassword();
        if (!adminPassword) {
            report.cancelled = true;
            return report;
        }
    }

    const Dialect &dialect = db.dialect();
    for (const schema::Table &table : schema::allTables()) {
        const QString name = QString::fromLatin1(table.name);
        if (!existing.contains(name)) {
            try {
                db.transaction([&] {
                    db.exec(dialect.createTable(table));
                    if (name == QLatin1String("users"))
                        seedAdministrator(db, *adminPassword);
                    else if (name == QLatin1String("dastrasi"))
                        seedAdministratorRights(db);
                });
                report.createdTables << name;
            } catch (const DbError &e) {
                report.failures << QStringLiteral("جدول %1: %2").arg(name, e.text());
                continue;
            }
        } else {
            const QStringList columns = db.columns(name);
            for (const schema::Column &column : table.columns) {
                const QString col = QString::fromLatin1(column.name);
                if (columns.contains(col.toLower()))
                    continue;
                try {
                    db.exec(dialect.addColumn(name, column));
                    report.addedColumns << name + QLatin1Char('.') + col;
                } catch (const DbError &e) {
                    report.failures << QStringLiteral("ستون %1.%2: %3").arg(name, col, e.text());
                }
            }
        }
        for (const schema::Index &index : table.indexes) {
            const QString statement = dialect.createIndex(name, index);
            if (statement.isEmpty())
                continue;
            try {
                db.exec(statement);
            } catch (const DbError &e) {
                report.failures << QStringLiteral("فهرست %1: %2").arg(QString::fromLatin1(index.name), e.text());
            }
        }
    }
    return report;
}

QString schemaReportMessage(const SchemaReport &report)
{
    if (report.ok())
        return QStringLiteral("همه تنظيمات انجام شد");
    if (report.cancelled)
        return QStringLiteral("رمز عبور مدير سيستم وارد نشد؛ هيچ تغييري در بانک اطلاعاتي داده نشد");
    return QStringLiteral("اين موارد انجام نشد:\n") + report.failures.join(QLatin1Char('\n'));
}

void runSchemaBuilder(const Db &db)
{
    auto ask = []() -> std::optional<QString> {
        for (;;) {
            const std::optional<QString> typed = ui().input(
                QStringLiteral("مدير سيستم"), QStringLiteral("رمز عبور کاربر admin را تعيين نماييد"), {}, true);
            if (!typed)
                return std::nullopt;
            if (!typed->isEmpty())
                return typed;
            ui().message(QStringLiteral("رمز عبور را وارد نمائيد"), MessageKind::Confirm);
        }
    };
    try {
        const SchemaReport report = buildSchema(db, ask);
        ui().message(schemaReportMessage(report), report.ok() ? MessageKind::Plain : MessageKind::Warning);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv

#include "accounts.h"

#include "activitylog.h"
#include "config.h"
#include "passwords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace bv {

const std::vector<PageKey> &pageKeys()
{
    static const std::vector<PageKey> keys = {
        {"naghshe", QStringLiteral("نقشه برداري")},
        {"dorbin", QStringLiteral("دوربين")},
        {"zamaem_n", QStringLiteral("ضمائم نقشه")},
        {"peymankar", QStringLiteral("پيمانکاران نقشه")},
        {"peymankar_pic", QStringLiteral("ضمائم پيمانکاران نقشه")},
        {"borvinat", QStringLiteral("مطالعات")},
        {"zamaem_m", QStringLiteral("ضمائم مطالعات")},
        {"peymankaran", QStringLiteral("پيمانکاران مطالعات")},
        {"peymankaran_pic", QStringLiteral("ضمائم پيمانکاران مطالعات")},
        {"arzyabi", QStringLiteral("آيتم هاي ارزيابي")},
        {"sabt", QStringLiteral("ثبتي")},
        {"moshaveran", QStringLiteral("مشاوران")},
        {"rep", QStringLiteral("گزارشات")},
        {"etebarat", QStringLiteral("اعتبارات")},
        {"abadiha", QStringLiteral("آبادي ها")},
        {"seting", QStringLiteral("تنظيمات")},
        {"phone", QStringLiteral("دفترچه تلفن")},
        {"zamaem", QStringLiteral("ضمائم")},
        {"darkhast", QStringLiteral("درخواست برآورد")},
        {"karbaran", QStringLiteral("کاربران")},
    };
    return keys;
}

namespace {
Account accountOf(const Row &row)
{
    Account a;
    a.id = row.value(QStringLiteral("id")).toLongLong();
    a.us = row.value(QStringLiteral("us")).toString();
    a.lev = row.value(QStringLiteral("lev")).toString();
    a.nam = row.value(QStringLiteral("nam")).toString();
    a.ostan = row.value(QStringLiteral("ostan")).toString();
    a.semat = row.value(QStringLiteral("semat")).toString();
    a.mobile = row.value(QStringLiteral("mobile")).toString();
    a.status = row.value(QStringLiteral("status")).toString();
    return a;
}
}  // namespace

LoginCheck checkLogin(const Db &db, const QString &us, const QString &ps, Account *account)
{
    const std::vector<Row> rows =
        db.rows(QStringLiteral("SELECT id, us, ps, lev, nam, ostan, semat, mobile, status FROM users "
                               "WHERE us = ? ORDER BY id"),
                {us});
    for (const Row &row : rows) {
        const QString stored = row.value(QStringLiteral("ps")).toString();
        if (!verifyPassword(ps, stored))
            continue;
        *account = accountOf(row);
        if (account->status != QStringLiteral("فعال"))
            return LoginCheck::Inactive;
        if (!isPasswordHash(stored))
            db.exec(QStringLiteral("UPDATE users SET ps = ? WHERE id = ?"), {hashPassword(ps), account->id});
        return LoginCheck::Ok;
    }
    return LoginCheck::WrongCredentials;
}

std::optional<double> versionGate(const Db &db, const QString &us)
{
    db.exec(QStringLiteral("UPDATE users SET ver = ? WHERE us = ?"), {QString::number(programVersion), us});
    const QVariant ver = db.scalar(QStringLiteral("SELECT ver FROM users WHERE us = ? ORDER BY id"),
                                   {QStringLiteral("admin")});
    bool ok = false;
    const double value = ver.toString().trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

int unreadMessages(const Db &db, qint64 userId)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM payamha WHERE rec_prs_id = ? "
                                    "AND (show_dat = '' OR show_dat IS NULL)"),
                     {userId})
        .toInt();
}

bool changePassword(const Db &db, const QString &us, const QString &current, const QString &replacement)
{
    const std::vector<Row> rows =
        db.rows(QStringLiteral("SELECT id, ps FROM users WHERE us = ? ORDER BY id"), {us});
    for (const Row &row : rows) {
        if (!verifyPassword(current, row.value(QStringLiteral("ps")).toString()))
            continue;
        const QSqlQuery q = db.exec(QStringLiteral("UPDATE users SET ps = ? WHERE id = ?"),
                                    {hashPassword(replacement), row.value(QStringLiteral("id"))});
        return q.numRowsAffected() > 0;
    }
    return false;
}

QString rememberedUserFile()
{
    QString folder = QFileInfo(ConnectionConfig::defaultPath()).absolutePath();
    if (ConnectionConfig::defaultPath().isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder + QStringLiteral("/Borvinat.txt");
}

QString rememberedUser()
{
    QFile file(rememberedUserFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

void rememberUser(const QString &us)
{
    const QString path = rememberedUserFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        file.write(us.toUtf8() + '\n');
}

bool userNameTaken(const Db &db, const QString &us, qint64 exceptId)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM users WHERE us = ? AND id <> ?"), {us, exceptId}).toInt() > 0;
}

qint64 insertAccount(const Db &db, const Account &a, const QString &password, const QString &actingUser)
{
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, ostan, semat, mobile, nam, status) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {a.us, hashPassword(password), QString(), a.lev, a.ostan, a.semat, a.mobile, a.nam, a.status});
        writeLog(db, actingUser, QStringLiteral(" ثبت کاربر جديد ") + a.us + QLatin1Char(' ') + a.ostan);
    });
    return id;
}

void updateAccount(const Db &db, const Account &a, const QString &password, const QString &actingUser)
{
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE users SET us = ?, lev = ?, ostan = ?, semat = ?, mobile = ?, nam = ?, "
                               "status = ? WHERE id = ?"),
                {a.us, a.lev, a.ostan, a.semat, a.mobile, a.nam, a.status, a.id});
        if (!password.isEmpty())
            db.exec(QStringLiteral("UPDATE users SET ps = ? WHERE id = ?"), {hashPassword(password), a.id});
        writeLog(db, actingUser, QStringLiteral(" ويرايش کاربر ") + a.us + QLatin1Char(' ') + a.ostan);
    });
}

std::map<QString, PageRights> loadRights(const Db &db, qint64 userId)
{
    std::map<QString, PageRights> rights;
    const ResultSet rows = db.select(QStringLiteral("SELECT page_name, darj, virayesh, hazf, namayesh FROM dastrasi "
                                                    "WHERE prs_id = ? ORDER BY id"),
                                     {userId});
    for (const QVariantList &r : rows.rows) {
        const QString key = r[0].toString();
        const bool known = std::any_of(pageKeys().begin(), pageKeys().end(),
                                       [&](const PageKey &k) { return key == QLatin1String(k.key); });
        if (known)
            rights[key] = {r[1].toInt() != 0, r[2].toInt() != 0, r[3].toInt() != 0, r[4].toInt() != 0};
    }
    return rights;
}

void saveRights(const Db &db, qint64 userId, const std::map<QString, PageRights> &rights)
{
    static const char *const saveOrder[] = {
        "darkhast", "peymankar", "sabt", "dorbin", "peymankaran", "abadiha", "moshaveran", "zamaem_m", "zamaem_n",
        "peymankaran_pic", "peymankar_pic", "phone", "zamaem", "rep", "arzyabi", "etebarat", "naghshe", "borvinat",
        "seting", "karbaran"};
    db.transaction([&] {
        for (const char *key : saveOrder) {
            const auto it = rights.find(QLatin1String(key));
            const PageRights r = it == rights.end() ? PageRights{} : it->second;
            db.exec(QStringLiteral("DELETE FROM dastrasi WHERE prs_id = ? AND page_name = ?"),
                    {userId, QLatin1String(key)});
            db.exec(QStringLiteral("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"),
                    {userId, QLatin1String(key), int(r.insert), int(r.edit), int(r.remove), int(r.view)});
        }
    });
}

QStringList loadCounties(const Db &db, qint64 userId)
{
    QStringList out;
    for (const QVariantList &r : db.select(QStringLiteral("SELECT cmt FROM dastrasi2 WHERE user_id = ?"), {userId}).rows)
        out << r[0].toString();
    return out;
}

void saveCounties(const Db &db, qint64 userId, const QStringList &counties)
{
    db.transaction([&] {
        db.exec(QStringLiteral("DELETE FROM dastrasi2 WHERE user_id = ?"), {userId});
        for (const QString &county : counties)
            db.exec(QStringLiteral("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)"), {userId, county});
    });
}

RowGuard rightsGuard()
{
    return RowGuard::rowSet(QStringLiteral("dastrasi"), {"page_name", "darj", "virayesh", "hazf", "namayesh"},
                            QStringLiteral("prs_id"), QStringLiteral("users"));
}

RowGuard countiesGuard()
{
    return RowGuard::rowSet(QStringLiteral("dastrasi2"), {"cmt"}, QStringLiteral("user_id"), QStringLiteral("users"));
}

}  // namespace bv

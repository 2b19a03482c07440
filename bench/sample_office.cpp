#include "sample_office.h"

#include "accounts.h"
#include "messages.h"
#include "passwords.h"

#include <array>
#include <map>
#include <random>

namespace bv::sample {

namespace {

const QString paid = QStringLiteral("پرداخت شده");
const QString waiting = QStringLiteral("در انتظار پرداخت");

PageRights all() { return {true, true, true, true}; }
PageRights viewOnly() { return {false, false, false, true}; }
PageRights noDelete() { return {true, true, false, true}; }

// The page rights of each staff account, by user name.
std::map<QString, PageRights> rightsOf(const QString &us)
{
    if (us == QLatin1String("arak"))  // the county's surveying expert
        return {{"naghshe", noDelete()}, {"zamaem_n", noDelete()}, {"peymankar", viewOnly()},
                {"peymankar_pic", viewOnly()}, {"borvinat", viewOnly()}, {"phone", viewOnly()},
                {"abadiha", viewOnly()}};
    if (us == QLatin1String("saveh"))  // a county that only follows its projects
        return {{"naghshe", viewOnly()}, {"zamaem_n", viewOnly()}, {"borvinat", viewOnly()}, {"phone", viewOnly()}};
    if (us == QLatin1String("ostan"))  // the province's senior expert
        return {{"naghshe", noDelete()}, {"zamaem_n", all()}, {"peymankar", noDelete()}, {"peymankar_pic", all()},
                {"borvinat", noDelete()}, {"zamaem_m", noDelete()}, {"peymankaran", noDelete()},
                {"arzyabi", noDelete()}, {"abadiha", noDelete()}, {"rep", viewOnly()}, {"etebarat", noDelete()},
                {"phone", all()}, {"darkhast", noDelete()}, {"dorbin", noDelete()}};
    if (us == QLatin1String("report"))  // reports across the province, changes nothing
        return {{"naghshe", viewOnly()}, {"borvinat", viewOnly()}, {"rep", viewOnly()}, {"etebarat", viewOnly()},
                {"phone", viewOnly()}};
    return {{"phone", viewOnly()}};
}

void addStaff(const Db &db, std::map<QString, qint64> &ids)
{
    QStringList known;
    for (const QVariantList &r : db.select(QStringLiteral("SELECT DISTINCT city FROM abadiha")).rows)
        known << r[0].toString();
    // Written as the users window stores them, without its log rows: the tool
    // that builds the sample database has no one to date them.
    for (const StaffAccount &s : staffAccounts()) {
        const QString mobile = QStringLiteral("0918%1").arg(3000000 + int(ids.size()) * 104729 % 6999999);
        const qint64 id = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, ostan, semat, mobile, nam, status) "
                                                   "VALUES (?, ?, '', ?, ?, ?, ?, ?, ?)"),
                                    {s.us, hashPassword(staffPassword), s.lev, QStringLiteral("مرکزي"), s.semat, mobile,
                                     s.nam, s.status});
        ids[s.us] = id;
        saveRights(db, id, rightsOf(s.us));
        QStringList counties;
        for (const QString &county : s.counties)
            if (known.contains(county))
                counties << county;
        saveCounties(db, id, counties);
    }
}

void addMessages(const Db &db, const std::map<QString, qint64> &ids)
{
    const qint64 admin = db.scalar(QStringLiteral("SELECT MIN(id) FROM users WHERE us = 'admin'")).toLongLong();
    auto id = [&](const char *us) { return ids.at(QString::fromLatin1(us)); };
    struct Note {
        qint64 from;
        QList<qint64> to;
        QString subject, text, sent, read;
    };
    const std::vector<Note> notes = {
        {admin, {id("arak"), id("saveh")}, QStringLiteral("اداري"),
         QStringLiteral("مدارک تحويل قطعي پروژه هاي سال جاري تا پايان ماه بارگذاري شود."), "1403/02/10", "1403/02/11"},
        {id("arak"), {admin}, QStringLiteral("فوري"),
         QStringLiteral("صورت وضعيت قطعي روستاي علي آباد آماده امضاست."), "1403/02/12", ""},
        {id("ostan"), {admin, id("report")}, QStringLiteral("اداري"),
         QStringLiteral("گزارش اعتبارات نقشه برداري استان به روز شد."), "1403/02/14", ""},
        {id("saveh"), {id("ostan")}, QStringLiteral("اداري"),
         QStringLiteral("براي دو روستاي شهرستان پيمانکار جديد معرفي شود."), "1403/02/15", "1403/02/15"},
    };
    for (const Note &n : notes) {
        sendMessage(db, n.from, n.to, n.subject, n.text, n.sent);
        if (n.read.isEmpty())
            continue;
        for (const QVariantList &r : db.select(QStringLiteral("SELECT id FROM payamha WHERE send_prs_id = ? AND send_dat = ?"),
                                               {n.from, n.sent})
                                         .rows)
            markRead(db, r[0].toLongLong(), n.read);
    }
}

void addPhoneBook(const Db &db)
{
    const std::vector<std::array<QString, 3>> entries = {
        {QStringLiteral("دبيرخانه اداره کل"), QStringLiteral("086-32221100"), QStringLiteral("داخلي 210")},
        {QStringLiteral("معاونت عمران روستايي"), QStringLiteral("086-32221150"), QStringLiteral("دفتر معاون")},
        {QStringLiteral("امور پيمان ها"), QStringLiteral("086-32221175"), QStringLiteral("قراردادهاي نقشه برداري")},
        {QStringLiteral("امور مالي - ذيحسابي"), QStringLiteral("086-32221190"), QStringLiteral("پرداخت صورت وضعيت ها")},
        {QStringLiteral("بنياد شهرستان اراک"), QStringLiteral("086-34120000"), QStringLiteral("کارشناس نقشه برداري")},
        {QStringLiteral("بنياد شهرستان ساوه"), QStringLiteral("086-42430000"), QStringLiteral("")},
        {QStringLiteral("بنياد شهرستان خمين"), QStringLiteral("086-46320000"), QStringLiteral("")},
        {QStringLiteral("مهندسين مشاور نقش جهان"), QStringLiteral("0912-3456789"), QStringLiteral("مدير عامل")},
        {QStringLiteral("پارس نقشه"), QStringLiteral("086-33445566"), QStringLiteral("دفتر فني")},
        {QStringLiteral("اداره ثبت اسناد استان"), QStringLiteral("086-32770000"), QStringLiteral("کاداستر")},
        {QStringLiteral("پشتيباني نرم افزار"), QStringLiteral("086-32221333"), QStringLiteral("فناوري اطلاعات")},
    };
    Statement insert = db.statement(QStringLiteral("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)"));
    for (const auto &[name, tel, note] : entries)
        insert.run({name, tel, note});
}

// Payment states follow the years: old projects are paid, new ones mostly wait.
// Some files are complete (12 attachments or more: green and finalised), more
// are under way (yellow).
void completeProjects(const Db &db, std::mt19937 &random)
{
    auto chance = [&](int percent) { return std::uniform_int_distribution<int>(1, 100)(random) <= percent; };
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    QStringList kinds;
    for (const QVariantList &r :
         db.select(QStringLiteral("SELECT cmt FROM setting WHERE component = ? ORDER BY id"),
                   {QStringLiteral("شرح ضمائم نقشه برداري")})
             .rows)
        kinds << r[0].toString();
    kinds << QStringLiteral("تصوير قرارداد") << QStringLiteral("تحويل اوليه") << QStringLiteral("چک ليست نهايي")
          << QStringLiteral("صورتجلسه تحويل قطعي") << QStringLiteral("نامه ابلاغ");
    const QByteArray document("%PDF-1.4\n%%EOF\n");
    Statement status = db.statement(QStringLiteral("UPDATE naghshe SET status = ? WHERE id = ?"));
    Statement attach = db.statement(
        QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.pdf', ?)"));
    const ResultSet projects = db.select(QStringLiteral("SELECT id, tamin_sal FROM naghshe ORDER BY id"));
    for (const QVariantList &p : projects.rows) {
        const int year = p[1].toInt();
        const int paidShare = year <= 1399 ? 85 : (year <= 1401 ? 50 : 15);
        status.run({chance(paidShare) ? paid : waiting, p[0]});
        int files = 0;
        if (chance(year <= 1400 ? 20 : 8))
            files = between(12, 15);
        else if (chance(15))
            files = between(5, 9);
        for (int i = 0; i < files; ++i)
            attach.run({p[0], i < kinds.size() ? kinds[i] : QStringLiteral("ضميمه %1").arg(i + 1), document});
    }
}

}  // namespace

const std::vector<StaffAccount> &staffAccounts()
{
    static const std::vector<StaffAccount> accounts = {
        {"arak", QStringLiteral("مريم کريمي"), "city", QStringLiteral("کارشناس"), QStringLiteral("فعال"),
         {QStringLiteral("اراک")}},
        {"saveh", QStringLiteral("حسن رضايي"), "city", QStringLiteral("کارشناس"), QStringLiteral("فعال"),
         {QStringLiteral("ساوه")}},
        {"ostan", QStringLiteral("علي قاسمي"), "ostan", QStringLiteral("مدير"), QStringLiteral("فعال"),
         {QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"), QStringLiteral("محلات")}},
        {"report", QStringLiteral("زهرا احمدي"), "keshvar", QStringLiteral("کارشناس"), QStringLiteral("فعال"),
         {QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"), QStringLiteral("محلات"),
          QStringLiteral("تفرش"), QStringLiteral("شازند"), QStringLiteral("دليجان"), QStringLiteral("آشتيان")}},
        {"retired", QStringLiteral("جواد موسوي"), "city", QStringLiteral("کارشناس"), QStringLiteral("غير فعال"),
         {QStringLiteral("تفرش")}},
    };
    return accounts;
}

void fillOffice(const Db &db, const Size &size)
{
    std::mt19937 random(size.seed + 32);
    db.transaction([&] {
        std::map<QString, qint64> ids;
        addStaff(db, ids);
        addMessages(db, ids);
        addPhoneBook(db);
        completeProjects(db, random);
    });
}

}  // namespace bv::sample

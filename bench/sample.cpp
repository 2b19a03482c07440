#include "sample.h"
#include "sample_credits.h"
#include "sample_evaluation.h"
#include "sample_agreements.h"
#include "sample_agreement_pages.h"

#include "dates.h"
#include "money.h"
#include "naghshe_calc.h"
#include "sabt_calc.h"
#include "sample_consultants.h"
#include "sample_registration2.h"
#include "sample_studies.h"
#include "sample_study_sides.h"
#include "sample_study_reviews.h"
#include "sample_study_letters.h"
#include "sample_office.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cmath>
#include <random>

namespace bv::sample {

namespace {

const QStringList counties = {
    QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"), QStringLiteral("محلات"),
    QStringLiteral("تفرش"), QStringLiteral("شازند"), QStringLiteral("دليجان"), QStringLiteral("آشتيان"),
    QStringLiteral("کميجان"), QStringLiteral("زرنديه"), QStringLiteral("فراهان"), QStringLiteral("خنداب"),
};
const QString province = QStringLiteral("مرکزي");
const QStringList placeHeads = {
    QStringLiteral("علي"), QStringLiteral("حسن"), QStringLiteral("قلعه"), QStringLiteral("چشمه"),
    QStringLiteral("باغ"), QStringLiteral("گل"), QStringLiteral("سرخ"), QStringLiteral("امير"),
    QStringLiteral("ده"), QStringLiteral("کوشک"), QStringLiteral("ژاور"), QStringLiteral("پير"),
    QStringLiteral("مزرعه"), QStringLiteral("تپه"), QStringLiteral("کهنه"), QStringLiteral("شاه"),
};
const QStringList placeTails = {
    QStringLiteral("آباد"), QStringLiteral("نو"), QStringLiteral("بالا"), QStringLiteral("پايين"),
    QStringLiteral("سفلي"), QStringLiteral("عليا"), QStringLiteral("کند"), QStringLiteral("دره"),
    QStringLiteral("بلاغ"), QStringLiteral("سر"),
};
const QStringList firstNames = {
    QStringLiteral("محمد"), QStringLiteral("علي"), QStringLiteral("حسين"), QStringLiteral("رضا"),
    QStringLiteral("مهدي"), QStringLiteral("زهرا"), QStringLiteral("فاطمه"), QStringLiteral("مريم"),
    QStringLiteral("احمد"), QStringLiteral("جواد"), QStringLiteral("سعيد"), QStringLiteral("پرويز"),
    QStringLiteral("ژاله"), QStringLiteral("گلناز"), QStringLiteral("کاظم"),
};
const QStringList lastNames = {
    QStringLiteral("احمدي"), QStringLiteral("محمدي"), QStringLiteral("کريمي"), QStringLiteral("رضايي"),
    QStringLiteral("حسيني"), QStringLiteral("موسوي"), QStringLiteral("جعفري"), QStringLiteral("قاسمي"),
    QStringLiteral("صادقي"), QStringLiteral("نوري"), QStringLiteral("پورمحمد"), QStringLiteral("زارعي"),
    QStringLiteral("چراغي"), QStringLiteral("گودرزي"),
};
const QStringList companies = {
    QStringLiteral("مهندسين مشاور نقش جهان"), QStringLiteral("پارس نقشه"), QStringLiteral("آبادگران روستا"),
    QStringLiteral("سپهر نگار"), QStringLiteral("کاوش زمين"), QStringLiteral("طرح و نقشه مرکزي"),
};
const QString emptyDate = QStringLiteral("    /  /  ");
const QString natural = QStringLiteral("حقيقي");
const QString legal = QStringLiteral("حقوقي");

// Lookup lists: title and items, in the order the office would register them.
const std::vector<std::pair<QString, QStringList>> lookupLists = {
    {QStringLiteral("ادارات استعلام"), {QStringLiteral("اداره منابع طبيعي"), QStringLiteral("اداره راه و شهرسازي"), QStringLiteral("اداره آب منطقه اي")}},
    {QStringLiteral("ادارات جلسات"), {QStringLiteral("فرمانداري"), QStringLiteral("بخشداري"), QStringLiteral("دهياري")}},
    {QStringLiteral("انواع طرح"), {QStringLiteral("هادي"), QStringLiteral("بازنگري"), QStringLiteral("تعيين محدوده")}},
    {QStringLiteral("انواع وضعيت"), {QStringLiteral("علي الحساب"), QStringLiteral("قطعي")}},
    {QStringLiteral("برنامه هاي دستگاه هاي اجرايي"), {QStringLiteral("آبرساني"), QStringLiteral("بهسازي معابر")}},
    {QStringLiteral("دستگاه هاي اجرايي"), {QStringLiteral("آب و فاضلاب روستايي"), QStringLiteral("شرکت گاز")}},
    {QStringLiteral("رپيس امور حقوقي"), {QStringLiteral("حسن رضايي")}},
    {QStringLiteral("رپيس امور مالي"), {QStringLiteral("مريم کريمي")}},
    {QStringLiteral("رمز حذف"), {QStringLiteral("1234")}},
    {QStringLiteral("شاخص ها"), {QStringLiteral("جمعيت (نفر)"), QStringLiteral("مساحت محدوده طرح(هكتار)"), QStringLiteral("تعداد شاغلين(نفر)"), QStringLiteral("سرانه کل کاربريها (متر مربع)"), QStringLiteral("سرانه مسکوني (متر مربع)")}},
    {QStringLiteral("شرح ضمائم پيمانکاران"), {QStringLiteral("کارت ملي"), QStringLiteral("گواهي صلاحيت")}},
    {QStringLiteral("شرح ضمائم ثبتي"), {QStringLiteral("قرارداد"), QStringLiteral("صورتجلسه تحويل")}},
    {QStringLiteral("شرح ضمائم مشاوران"), {QStringLiteral("قرارداد"), QStringLiteral("گزارش پيشرفت")}},
    {QStringLiteral("شرح ضمائم مطالعات"), {QStringLiteral("قرارداد"), QStringLiteral("صورتجلسه")}},
    {QStringLiteral("شرح ضمائم نقشه برداري"), {QStringLiteral("تصوير نقشه"), QStringLiteral("قرارداد"), QStringLiteral("صورت وضعيت")}},
    {QStringLiteral("ضريب تعديل"), {QStringLiteral("1.15")}},
    {QStringLiteral("طرف هاي مکاتبه ثبتي"), {QStringLiteral("اداره ثبت اسناد"), QStringLiteral("پيمانکار")}},
    {QStringLiteral("عنوان پست معاون عمران روستايي"), {QStringLiteral("معاون عمران روستايي")}},
    {QStringLiteral("کارشناس آرشيو فني"), {QStringLiteral("زهرا احمدي")}},
    {QStringLiteral("کارشناس جي آي اس"), {QStringLiteral("سعيد نوري")}},
    {QStringLiteral("کارشناس عامل چهارم"), {QStringLiteral("جواد موسوي")}},
    {QStringLiteral("کارشناس مسئول امور پيمان ها"), {QStringLiteral("علي قاسمي")}},
    {QStringLiteral("کارشناس مسئول فني و مطالعات"), {QStringLiteral("مهدي صادقي")}},
    {QStringLiteral("کارشناس نقشه برداري"), {QStringLiteral("رضا جعفري")}},
    {QStringLiteral("گروه کاربري"), {QStringLiteral("کارشناس"), QStringLiteral("مدير"), QStringLiteral("پيمانکار")}},
    {QStringLiteral("مبلغ تجهيز"), {QStringLiteral("15000000")}},
    {QStringLiteral("مبلغ تجهيز کارگاه ثبتي"), {QStringLiteral("20000000")}},
    {QStringLiteral("مبلغ جي پي اس"), {QStringLiteral("8000000")}},
    {QStringLiteral("مبلغ هر قطعه نقشه برداريPPK"), {QStringLiteral("450000")}},
    {QStringLiteral("مبلغ هر قطعه نقشه برداريRTK"), {QStringLiteral("520000")}},
    {QStringLiteral("مبلغ هر هکتار نقشه برداريPPK"), {QStringLiteral("2500000")}},
    {QStringLiteral("مبلغ هر هکتار نقشه برداريRTK"), {QStringLiteral("2900000")}},
    {QStringLiteral("محل تامين اعتبار"), {QStringLiteral("استاني"), QStringLiteral("ملي"), QStringLiteral("دهياري")}},
    {QStringLiteral("مدير کل"), {QStringLiteral("پرويز گودرزي")}},
    {QStringLiteral("مدير کل زلمرکان استان"), {QStringLiteral("پرويز گودرزي")}},
    {QStringLiteral("معاون پشتيباني"), {QStringLiteral("کاظم زارعي")}},
    {QStringLiteral("معاون ذيحسابي"), {QStringLiteral("احمد پورمحمد")}},
    {QStringLiteral("معاون عمران روستايي"), {QStringLiteral("محمد چراغي")}},
    {QStringLiteral("مقياس"), {QStringLiteral("1:500"), QStringLiteral("1:1000"), QStringLiteral("1:2000")}},
    {QStringLiteral("موضوع پيام"), {QStringLiteral("اداري"), QStringLiteral("فوري")}},
    {QStringLiteral("نوع طرح ثبتي"), {QStringLiteral("حدنگاري"), QStringLiteral("کاداستر")}},
    {QStringLiteral("وضعيت پرداخت"), {QStringLiteral("پرداخت شده"), QStringLiteral("در انتظار پرداخت")}},
};

const QStringList &itemsOf(const QString &title)
{
    for (const auto &[t, items] : lookupLists)
        if (t == title)
            return items;
    static const QStringList none;
    return none;
}

// One prepared INSERT reused for many rows.
class BulkInsert {
public:
    BulkInsert(const Db &db, const QString &table, const QStringList &columns) : query_(db.handle())
    {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        if (!query_.prepare(sql))
            throw DbError(query_.lastError().text());
    }
    void add(const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            query_.bindValue(i, values[i]);
        if (!query_.exec())
            throw DbError(query_.lastError().text());
    }

private:
    QSqlQuery query_;
};

class Random {
public:
    explicit Random(quint32 seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    double real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine_); }
    // An area between the bounds, to the hundredth.
    Decimal area(double low, double high) { return Decimal::fromScaled(std::llround(real(low, high) * 100), 2); }
    QString pick(const QStringList &list) { return list[between(0, int(list.size()) - 1)]; }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString date(int fromYear, int toYear)
    {
        return QStringLiteral("%1/%2/%3")
            .arg(between(fromYear, toYear))
            .arg(between(1, 12), 2, 10, QLatin1Char('0'))
            .arg(between(1, 29), 2, 10, QLatin1Char('0'));
    }

private:
    std::mt19937 engine_;
};

struct Village {
    QString city, bakhsh, dehestan, rosta, cod, x, y;
    int khanevar, jamiyat;
    Decimal zarib;
};

struct Contractor {
    qint64 id;
    QString name;
};

std::vector<Village> makeVillages(const Db &db, Random &r, const Size &size)
{
    std::vector<Village> out;
    BulkInsert insert(db, QStringLiteral("abadiha"),
                      {"ostan", "city", "bakhsh", "dehestan", "rosta", "khanevar", "zarib", "x", "y", "cod",
                       "jamiyat", "zaribMantaghe", "zaribDori"});
    for (int c = 0; c < size.counties; ++c) {
        const QString city = counties[c % counties.size()]
            + (c >= counties.size() ? QStringLiteral(" ") + QString::number(c / counties.size() + 1) : QString());
        for (int v = 0; v < size.villagesPerCounty; ++v) {
            Village village;
            village.city = city;
            const int district = v / 20;
            village.bakhsh = QStringLiteral("مرکزي") + (district ? QStringLiteral(" ") + QString::number(district + 1) : QString());
            village.dehestan = r.pick(placeHeads) + QStringLiteral(" ") + r.pick(placeTails);
            village.rosta = r.pick(placeHeads) + QStringLiteral(" ") + r.pick(placeTails)
                + (r.chance(30) ? QStringLiteral(" ") + r.pick(lastNames) : QString());
            village.cod = QStringLiteral("10%1%2%3")
                              .arg(c + 1, 2, 10, QLatin1Char('0'))
                              .arg(district + 1, 2, 10, QLatin1Char('0'))
                              .arg(v + 1, 6, 10, QLatin1Char('0'));
            village.khanevar = r.between(20, 900);
            village.jamiyat = village.khanevar * r.between(3, 5);
            village.zarib = Decimal::fromScaled(100 + r.between(0, 4) * 5, 2);
            village.x = QString::number(49.0 + r.real(0, 2), 'f', 5);
            village.y = QString::number(33.5 + r.real(0, 1.5), 'f', 5);
            insert.add({province, village.city, village.bakhsh, village.dehestan, village.rosta, village.khanevar,
                        village.zarib.toSql(), village.x, village.y, village.cod, village.jamiyat, "1.1", 1});
            out.push_back(village);
        }
    }
    return out;
}

QString nationalCode(Random &r)
{
    return QStringLiteral("%1").arg(r.between(1000000, 9999999), 10, 10, QLatin1Char('0'));
}

std::vector<Contractor> makeContractors(const Db &db, Random &r, const Size &size)
{
    std::vector<Contractor> out;
    const QStringList columns = {"typ", "lname", "fname", "father", "nation", "birthday", "degree", "adr",
                                 "mobile", "comp_name", "comp_no", "comp_shenase"};
    for (int i = 0; i < size.contractors; ++i) {
        const bool person = i % 3 != 0;
        const QString fname = r.pick(firstNames);
        const QString lname = r.pick(lastNames);
        const QString company = person ? QString() : r.pick(companies) + QStringLiteral(" ") + QString::number(i);
        const qint64 id = db.insert(
            QStringLiteral("INSERT INTO peymankar (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)").arg(columns.join(QLatin1Char(','))),
            {person ? natural : legal, lname, fname, r.pick(firstNames), nationalCode(r), r.date(1340, 1375),
             QStringLiteral("کارشناسي نقشه برداري"), QStringLiteral("اراک، خيابان شهيد بهشتي"),
             QStringLiteral("0918%1").arg(r.between(1000000, 9999999)), company,
             person ? QString() : QString::number(r.between(1000, 9999)),
             person ? QString() : QString::number(r.between(10000000, 99999999))});
        out.push_back({id, person ? fname + QStringLiteral(" ") + lname : company});
    }
    return out;
}

void makeLookupLists(const Db &db)
{
    BulkInsert insert(db, QStringLiteral("setting"), {"component", "cmt"});
    for (const auto &[title, items] : lookupLists)
        for (const QString &item : items)
            insert.add({title, item});
    BulkInsert scales(db, QStringLiteral("naghshe_meghyas"), {"scale", "khali_price"});
    scales.add({500, 1800000});
    scales.add({1000, 1200000});
    scales.add({2000, 700000});
}

QStringList makeContractsRegister(const Db *contracts, Random &r, const Size &size)
{
    QStringList numbers;
    std::unique_ptr<BulkInsert> insert;
    if (contracts)
        insert = std::make_unique<BulkInsert>(*contracts, QStringLiteral("prot"),
                                              QStringList{"num", "pdate", "mablagh", "name", "ptime", "engheza",
                                                          "etebar", "salemali"});
    for (int i = 0; i < size.contracts; ++i) {
        const int year = r.between(1397, 1403);
        const QString num = QStringLiteral("%1/%2").arg(year % 100).arg(1000 + i);
        numbers << num;
        const QVariantList row = {num, r.date(year, year), QString::number(r.between(50, 900) * 1000000LL),
                                  QStringLiteral("نقشه برداري روستاي ") + r.pick(placeHeads) + QStringLiteral(" ")
                                      + r.pick(placeTails),
                                  QStringLiteral("%1 ماه").arg(r.between(3, 12)), r.date(year + 1, year + 1),
                                  r.pick(itemsOf(QStringLiteral("محل تامين اعتبار"))), QString::number(year)};
        if (insert)
            insert->add(row);
    }
    return numbers;
}

void makeProjects(const Db &db, Random &r, const Size &size, const std::vector<Village> &villages,
                  const std::vector<Contractor> &contractors, const QStringList &contractNumbers)
{
    BulkInsert insert(db, QStringLiteral("naghshe"),
                      {"ostan", "city", "bakhsh", "dehestan", "rosta", "khanevar", "jamiyat", "zarib_mantaghe", "cod",
                       "y", "x", "tarh_typ", "prot_no", "prot_dat1", "prot_mablagh", "peymankar", "prot_tim",
                       "prot_dat2", "tamin_loc", "tamin_sal", "paper_no", "paper_dat", "tahvil_dat1", "tahvil_dat2",
                       "masahat_por", "por_price", "masahat_khali", "khali_price", "tajhiz_mablagh", "zarib_kochaki",
                       "scale", "peymankar_id", "status"});
    const QStringList kinds = itemsOf(QStringLiteral("انواع طرح"));
    const QStringList sources = itemsOf(QStringLiteral("محل تامين اعتبار"));
    const QStringList states = itemsOf(QStringLiteral("وضعيت پرداخت"));
    for (int i = 0; i < size.projects; ++i) {
        const Village &v = villages[size_t(r.between(0, int(villages.size()) - 1))];
        const Contractor &c = contractors[size_t(r.between(0, int(contractors.size()) - 1))];
        const int year = r.between(1396, 1403);
        const int fullWhole = r.between(5, 80);
        const Decimal full = Decimal::fromScaled(fullWhole * 100 + r.between(0, 99), 2);
        const int emptyWhole = r.between(0, 40);
        const Decimal empty = Decimal::fromScaled(emptyWhole * 100 + r.between(0, 99), 2);
        const Money fullPrice = Money::fromWhole(2400000), emptyPrice = Money::fromWhole(1200000),
                    equipment = Money::fromWhole(15000000);
        const Money amount = (fullPrice.times(full) + emptyPrice.times(empty)).rounded(0) + equipment;
        insert.add({province, v.city, v.bakhsh, v.dehestan, v.rosta, v.khanevar, v.jamiyat, v.zarib.toSql(), v.cod, v.y, v.x,
                    r.pick(kinds), contractNumbers.isEmpty() ? QString::number(i) : r.pick(contractNumbers),
                    r.date(year, year), amount.toSql(), c.name, QStringLiteral("6 ماه"), r.date(year, year + 1),
                    r.pick(sources), QString::number(year), QString::number(r.between(100, 9999)), r.date(year, year),
                    r.chance(70) ? r.date(year, year + 1) : QString(), r.chance(40) ? r.date(year + 1, year + 1) : QString(),
                    full.toSql(), fullPrice.toSql(), empty.toSql(), emptyPrice.toSql(), equipment.toSql(), full <= 15 ? "1.10" : (full <= 30 ? "1.05" : "1"),
                    r.pick({"500", "1000", "2000"}), c.id, r.pick(states)});
    }
}

void makeStudies(const Db &db, Random &r, const Size &size, const std::vector<Village> &villages,
                 const std::vector<Contractor> &contractors)
{
    BulkInsert insert(db, QStringLiteral("borvinat"),
                      {"ostan", "city", "bakhsh", "dehestan", "rosta", "khanevar", "cod", "X", "Y", "jamiyat",
                       "etebar_sal", "tamin_loc", "movafeghat_dat", "tarh_typ", "tarh_moshaver_name",
                       "moshaver_prot_no", "prot_mablagh", "tarh_prot_dat", "peymankar_id", "masahat"});
    for (int i = 0; i < size.studies; ++i) {
        const Village &v = villages[size_t(r.between(0, int(villages.size()) - 1))];
        const Contractor &c = contractors[size_t(r.between(0, int(contractors.size()) - 1))];
        const int year = r.between(1396, 1403);
        insert.add({province, v.city, v.bakhsh, v.dehestan, v.rosta, v.khanevar, v.cod, v.x, v.y, v.jamiyat,
                    QString::number(year), r.pick(itemsOf(QStringLiteral("محل تامين اعتبار"))), r.date(year, year),
                    r.pick(itemsOf(QStringLiteral("انواع طرح"))), c.name, QString::number(r.between(100, 9999)),
                    qint64(r.between(200, 2000)) * 1000000, r.date(year, year), c.id, r.area(10, 120).toSql()});
    }
}

std::vector<Contractor> makeRegistrationContractors(const Db &db, Random &r, const Size &size,
                                                    const std::vector<Village> &villages)
{
    std::vector<Contractor> out;
    const QStringList columns = {"typ", "fname", "lname", "company", "father", "nation", "email", "madrak", "reshte",
                                 "mobile", "tel", "nezam", "cod_sabti", "model", "serial", "cod_karbari", "adr",
                                 "hesab_no", "sodor", "sh_no", "zipcode", "birthday", "bank", "shobe", "comp_name",
                                 "comp_dat", "comp_loc", "comp_adr", "comp_no", "comp_shenase", "eghtesadi_cod",
                                 "tamin_shahr", "tamin_shobe"};
    BulkInsert insert(db, QStringLiteral("sabti_peyman"), columns);
    const QStringList degrees = {QStringLiteral("کارداني"), QStringLiteral("کارشناسي"), QStringLiteral("کارشناسي ارشد")};
    const QStringList fields = {QStringLiteral("مهندسي نقشه برداري"), QStringLiteral("مهندسي عمران"),
                                QStringLiteral("مهندسي ژئودزي و ژئوماتيک")};
    const QStringList devices = {QStringLiteral("Leica GS18"), QStringLiteral("Trimble R10"), QStringLiteral("South Galaxy G1"),
                                 QStringLiteral("CHC i80")};
    const QStringList banks = {QStringLiteral("ملي"), QStringLiteral("ملت"), QStringLiteral("کشاورزي"),
                               QStringLiteral("صادرات")};
    for (int i = 0; i < size.registrationContractors; ++i) {
        const bool person = i % 4 != 0;
        const QString fname = r.pick(firstNames);
        const QString lname = r.pick(lastNames);
        const QString company = person ? QString() : r.pick(companies) + QStringLiteral(" ") + QString::number(i);
        const QString city = villages.empty() ? QString() : villages[size_t(r.between(0, int(villages.size()) - 1))].city;
        insert.add({person ? natural : legal, fname, lname, company, r.pick(firstNames), nationalCode(r),
                    QStringLiteral("surveyor%1@example.ir").arg(i + 1), r.pick(degrees), r.pick(fields),
                    QStringLiteral("0918%1").arg(r.between(1000000, 9999999)),
                    QStringLiteral("086%1").arg(r.between(30000000, 39999999)), QString::number(r.between(10000, 99999)),
                    QStringLiteral("sabt%1").arg(r.between(1000, 9999)), r.pick(devices),
                    QString::number(r.between(100000, 999999)), QStringLiteral("p%1").arg(r.between(100000, 999999)),
                    city + QStringLiteral("، خيابان امام، کوچه ") + QString::number(r.between(1, 40)),
                    QString::number(r.between(100000000, 999999999)), city, QString::number(r.between(1, 9999)),
                    QString::number(r.between(1000000000, 2000000000)), r.date(1345, 1375), r.pick(banks),
                    QStringLiteral("شعبه مرکزي ") + city, person ? QString() : company,
                    person ? QString() : r.date(1380, 1400), person ? QString() : city,
                    person ? QString() : city + QStringLiteral("، بلوار جمهوري"),
                    person ? QString() : QString::number(r.between(1000, 9999)),
                    person ? QString() : QString::number(r.between(10000000, 99999999)),
                    person ? QString() : QString::number(r.between(100000000, 999999999)), city,
                    QStringLiteral("شعبه ") + QString::number(r.between(1, 5))});
        out.push_back({0, person ? fname + QStringLiteral(" ") + lname : company});
    }
    // The ids the table gave, in insert order.
    const ResultSet ids = db.select(QStringLiteral("SELECT id FROM sabti_peyman ORDER BY id"));
    for (size_t i = 0; i < out.size() && i < size_t(ids.size()); ++i)
        out[i].id = ids.rows[ids.size() - out.size() + i][0].toLongLong();
    return out;
}

// Jobs priced by the entry window's own computations, one estimate or both.
void makeRegistrations(const Db &db, Random &r, const Size &size, const std::vector<Village> &villages,
                       const std::vector<Contractor> &contractors)
{
    BulkInsert insert(db, QStringLiteral("sabti"),
                      {"city", "bakhsh", "dehestan", "rosta", "cod", "tamin_sal", "peymankar", "peymankar_id",
                       "prot_no", "prot_dat1", "prot_dat2", "tarh", "ravesh", "tedad", "mablagh_gh", "zarib_gh_s",
                       "mablagh_gh_1", "tedad_gh", "masahat", "zarib_p", "zarib_t", "zarib_m", "tajhiz", "zarib_k",
                       "zarib_man", "mablagh_m_1", "paper_no", "paper_dat", "tahvil_dat", "hosn_dat", "status",
                       "status_dat_gh", "ravesh2"});
    const QString equipment = itemsOf(QStringLiteral("مبلغ تجهيز کارگاه ثبتي")).value(0);
    for (int i = 0; i < size.registrations; ++i) {
        const Village &v = villages[size_t(r.between(0, int(villages.size()) - 1))];
        const Contractor c = contractors.empty() ? Contractor{0, QStringLiteral("?")}
                                                 : contractors[size_t(r.between(0, int(contractors.size()) - 1))];
        const int year = r.between(1398, 1403);
        const QString method = r.pick({"PPK", "RTK"});
        const bool perParcel = r.chance(70), perHectare = !perParcel || r.chance(40);
        const QString parcels = QString::number(r.between(40, 900));
        const QString area = r.area(3, 60).plain();
        const QString difficulty = r.pick({"1", "1.5", "2"});
        const Money parcelPrice =
            Money::parse(itemsOf(QStringLiteral("مبلغ هر قطعه نقشه برداري") + method).value(0)).value_or(Money());
        const QString hectarePrice = itemsOf(QStringLiteral("مبلغ هر هکتار نقشه برداري") + method).value(0);
        const QString density = sabt::densityCoefficient(parcels, area).value_or(QStringLiteral("1.1"));
        const QString smallness = sabt::smallnessCoefficient(area);
        const QString regional = v.zarib.plain();
        const Money parcelEstimate = perParcel ? sabt::parcelAmount(parcels, parcelPrice, difficulty).value_or(Money()) : Money();
        const Money hectareEstimate = perHectare
            ? sabt::hectareAmount({area, hectarePrice, density, difficulty, regional, smallness,
                                   Money::parse(equipment).value_or(Money())})
                  .value_or(Money())
            : Money();
        const bool delivered = r.chance(60);
        insert.add({v.city, v.bakhsh, v.dehestan, v.rosta, v.cod, QString::number(year), c.name, c.id,
                    QString::number(r.between(100, 9999)), r.date(year, year), r.date(year, year + 1),
                    r.pick(itemsOf(QStringLiteral("نوع طرح ثبتي"))), perParcel ? method : QString(),
                    perParcel ? parcels.toInt() : 0, perParcel ? parcelPrice.toSql() : QVariant(0),
                    perParcel ? difficulty : QStringLiteral("1"), parcelEstimate.toSql(),
                    perHectare ? parcels.toInt() : 0, perHectare ? area : QStringLiteral("0"),
                    perHectare ? hectarePrice : QStringLiteral("0"), perHectare ? density : QStringLiteral("0"),
                    difficulty, perHectare ? equipment : QStringLiteral("0"), perHectare ? smallness : QStringLiteral("0"),
                    regional, hectareEstimate.toSql(), QString::number(r.between(100, 9999)), r.date(year, year),
                    delivered ? r.date(year, year + 1) : emptyDate, delivered && r.chance(50) ? r.date(year + 1, year + 1) : emptyDate,
                    delivered ? r.pick({QStringLiteral("قطعي"), QStringLiteral("موقت")}) : QString(),
                    delivered ? r.date(year + 1, year + 1) : emptyDate, perHectare ? method : QString()});
    }
}

// Statement figures of the projects, the contractors' social-security branch,
// the statement signatures and map pictures. They draw from a generator of
// their own so that the rows above stay the same for a seed.

// A small picture of a wavy `ink` stroke, as a JPEG file (PNG where JPEG is missing).
QByteArray pictureOf(const QColor &ink, const QSize &size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2));
    QPainterPath stroke(QPointF(size.width() * 0.1, size.height() * 0.6));
    for (int x = size.width() / 10; x < size.width() * 9 / 10; x += 2)
        stroke.lineTo(x, size.height() * (0.5 + 0.3 * std::sin(x / (6.0 + seed % 4)) * std::cos(x / 23.0)));
    painter.drawPath(stroke);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG")) {
        bytes.clear();
        buffer.seek(0);
        image.save(&buffer, "PNG");
    }
    return bytes;
}

// Initial and final areas, coefficients, fees, penalties, GPS amounts and the
// statement's type and date; the good-performance letter's date blank on most
// finished projects, dated on some, empty on the rest.
void makeStatementFigures(const Db &db, Random &r)
{
    const ResultSet projects = db.select(QStringLiteral(
        "SELECT id, masahat_por, por_price, masahat_khali, khali_price, zarib_mantaghe, zarib_kochaki, "
        "tajhiz_mablagh, prot_mablagh, prot_dat2 FROM naghshe ORDER BY id"));
    Statement update = db.statement(QStringLiteral(
        "UPDATE naghshe SET masahat_por1 = ?, masahat_khali1 = ?, zarib_sobat = ?, zarib_sobat1 = ?, zarib_kochaki1 = ?, "
        "gps_mablagh = ?, pardakhti = ?, jarime = ?, status_typ = ?, status_dat = ?, hosn_paper_dat = ?, "
        "prot_mablagh = ? WHERE id = ?"));
    const QStringList types = itemsOf(QStringLiteral("انواع وضعيت"));
    const Money gps = Money::fromWhole(8000000);
    for (int i = 0; i < projects.size(); ++i) {
        auto value = [&](const char *column) { return projects.value(i, QString::fromLatin1(column)); };
        const Decimal por = Decimal::fromVariant(value("masahat_por"));
        const Decimal khali = Decimal::fromVariant(value("masahat_khali"));
        // The contract was priced on a first estimate of the areas.
        const Decimal porInitial = (por * Decimal::fromScaled(r.between(85, 100), 2)).rounded(2);
        const Decimal khaliInitial = (khali * Decimal::fromScaled(r.between(85, 100), 2)).rounded(2);
        const Decimal difficulty = Decimal::fromScaled(100 + 5 * r.between(0, 3), 2);
        const Decimal smallInitial = porInitial <= 15 ? Decimal::fromScaled(110, 2)
                                                      : (porInitial <= 30 ? Decimal::fromScaled(105, 2) : Decimal(1));
        const bool withGps = r.chance(30);
        // The entry window's own computations: the contract amount on the
        // initial figures, the fee on the final ones.
        const auto figure = [&](const char *column) { return Decimal::fromVariant(value(column)).plain(); };
        const Money fee = survey::surveyFee({por.plain(), figure("por_price"), figure("zarib_kochaki"), khali.plain(),
                                             figure("khali_price"), figure("zarib_mantaghe"), difficulty.plain(),
                                             figure("tajhiz_mablagh"), withGps ? gps : Money()})
                              .value_or(Money());
        const Money amount = survey::surveyFee({porInitial.plain(), figure("por_price"), smallInitial.plain(),
                                                khaliInitial.plain(), figure("khali_price"), figure("zarib_mantaghe"),
                                                difficulty.plain(), figure("tajhiz_mablagh"), withGps ? gps : Money()})
                                 .value_or(Money());
        const QString end = value("prot_dat2").toString();
        const bool finished = r.chance(60);
        QString letter;
        if (finished)
            letter = r.chance(75) ? emptyDateMask : QStringLiteral("%1/%2/15").arg(end.left(4).toInt() + 1).arg(r.between(1, 12), 2, 10, QLatin1Char('0'));
        update.run({porInitial.toSql(), khaliInitial.toSql(), difficulty.toSql(), difficulty.toSql(), smallInitial.toSql(),
                    withGps ? gps.toSql() : QVariant(0), fee.toSql(), r.chance(20) ? r.between(1, 10) : 0,
                    finished ? types.value(1) : types.value(0), r.date(end.left(4).toInt(), end.left(4).toInt()),
                    letter, amount.toSql(), value("id")});
    }
}

// The social-security branch of the companies.
void makeContractorBranches(const Db &db, Random &r)
{
    Statement update = db.statement(QStringLiteral("UPDATE peymankar SET tamin_shahr = ?, tamin_shobe = ? WHERE id = ?"));
    const ResultSet rows = db.select(QStringLiteral("SELECT id FROM peymankar WHERE typ = ? ORDER BY id"), {legal});
    for (const QVariantList &row : rows.rows)
        update.run({r.pick(counties.mid(0, 4)), QString::number(r.between(1, 9)), row[0]});
}

// The six signatures of the final statement under the default password, and
// map pictures with a few other attachments of the cover sheet's boxes.
void makeStatementAttachments(const Db &db, Random &r)
{
    const QStringList signatures = {
        QStringLiteral("تصوير امضا نقشه بردار"), QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات"),
        QStringLiteral("تصوير امضا آرشيو فني"), QStringLiteral("تصوير امضا معاون عمران روستايي"),
        QStringLiteral("تصوير امضا مديرکل"),
    };
    BulkInsert signs(db, QStringLiteral("zamaem"), {"cmt", "ramz", "pictype", "pic"});
    for (int i = 0; i < signatures.size(); ++i)
        signs.add({signatures[i], QStringLiteral("1"), QStringLiteral(".jpg"), pictureOf(Qt::darkBlue, QSize(120, 50), i)});
    BulkInsert files(db, QStringLiteral("naghshe_pic"), {"naghshe_id", "cmt", "pictyp", "pic"});
    const QStringList others = {QStringLiteral("تصوير قرارداد"), QStringLiteral("تحويل اوليه"),
                                QStringLiteral("چک ليست نهايي")};
    const ResultSet projects = db.select(QStringLiteral("SELECT id FROM naghshe ORDER BY id"));
    for (int p = 0; p < projects.size(); ++p) {
        if (!r.chance(25))
            continue;
        const QVariant id = projects.rows[size_t(p)][0];
        files.add({id, QStringLiteral("تصوير نقشه"), QStringLiteral(".jpg"), pictureOf(Qt::darkGreen, QSize(240, 150), p)});
        for (const QString &kind : others)
            if (r.chance(50))
                files.add({id, kind, QStringLiteral(".pdf"), QByteArray("%PDF-1.4\n%%EOF\n")});
    }
}

}  // namespace

void createContractsRegister(const Db &contracts)
{
    if (contracts.tables().contains(QStringLiteral("prot")))
        return;
    const schema::Table prot{"prot",
                             {{"id", schema::ColType::IntIdentity},
                              {"num", schema::ColType::NVarChar, 40},
                              {"pdate", schema::ColType::NVarChar, 10},
                              {"mablagh", schema::ColType::NVarChar, 30},
                              {"name", schema::ColType::NVarChar, 200},
                              {"ptime", schema::ColType::NVarChar, 30},
                              {"engheza", schema::ColType::NVarChar, 10},
                              {"etebar", schema::ColType::NVarChar, 50},
                              {"salemali", schema::ColType::NVarChar, 4}}};
    contracts.exec(contracts.dialect().createTable(prot));
}

void fill(const Db &main, const Db *contracts, const Size &size)
{
    Random r(size.seed);
    std::vector<Village> villages;
    std::vector<Contractor> contractors, surveyors;
    QStringList contractNumbers;
    main.transaction([&] {
        makeLookupLists(main);
        villages = makeVillages(main, r, size);
        contractors = makeContractors(main, r, size);
        surveyors = makeRegistrationContractors(main, r, size, villages);
    });
    if (contracts) {
        createContractsRegister(*contracts);
        contracts->transaction([&] { contractNumbers = makeContractsRegister(contracts, r, size); });
    } else {
        contractNumbers = makeContractsRegister(nullptr, r, size);
    }
    main.transaction([&] { makeProjects(main, r, size, villages, contractors, contractNumbers); });
    main.transaction([&] { makeStudies(main, r, size, villages, contractors); });
    main.transaction([&] { fillStudies(main, size.seed); });
    main.transaction([&] { fillStudySides(main, size.seed); });
    main.transaction([&] { fillStudyReviews(main, size.seed); });
    main.transaction([&] { makeRegistrations(main, r, size, villages, surveyors); });
    main.transaction([&] { makeRegistrationPapers(main, size.seed); });
    Random statements(size.seed + 16);
    main.transaction([&] {
        makeStatementFigures(main, statements);
        makeContractorBranches(main, statements);
        makeStatementAttachments(main, statements);
    });
    fillEvaluationsAndCameras(main, size.seed);
    main.transaction([&] { fillStudyLetters(main, size.seed); });
    main.transaction([&] { fillAgreementPages(main, size.seed); });
    main.transaction([&] { fillConsultants(main, size.studies / 2, size.projects / 10, size.seed + 24); });
    fillAgreements(main, size.seed);
    if (size.office)
        fillOffice(main, size);
    main.transaction([&] { fillCredits(main, size.seed); });
}

}  // namespace bv::sample

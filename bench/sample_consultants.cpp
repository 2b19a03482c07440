#include "sample_consultants.h"

#include "dates.h"
#include "money.h"

#include <random>

namespace bv::sample {

namespace {
const QString yes = QStringLiteral("بلي"), no = QStringLiteral("خير"), unanswered = QStringLiteral("*");
const QString approved = QStringLiteral("تاييد"), notApproved = QStringLiteral("عدم تاييد");

// Used when no studies contractor is registered yet.
const QStringList firms = {
    QStringLiteral("مهندسين مشاور طرح و آمايش"), QStringLiteral("مهندسين مشاور نقش محيط"),
    QStringLiteral("مهندسين مشاور پارس آوند"), QStringLiteral("مهندسين مشاور شهر و روستا"),
    QStringLiteral("مهندسين مشاور کاوش پي"),
};
const QStringList experts = {QStringLiteral("جواد موسوي"), QStringLiteral("مريم کريمي"), QStringLiteral("سعيد نوري")};
const QStringList opinions = {QStringLiteral("مطالعات کامل و قابل تاييد است"),
                              QStringLiteral("نقشه ها نياز به اصلاح جزئي دارد"),
                              QStringLiteral("گزارش با نظرات کميته فني تطبيق داده شود")};

// The steps in table order: state column and whether it has a date.
const std::vector<std::pair<QString, bool>> steps = {
    {"bazdid", true},   {"estelam", false}, {"dehyar", true}, {"shahr_map", true}, {"shahr_jalase", true},
    {"behengam", true}, {"fani", true},     {"tasvib", true}, {"kargoroh", true},  {"cd_map", true},
    {"albom", true},    {"taeed", true},    {"chap", true},   {"prin", true},      {"sahafi", true},
    {"nazar", true},    {"asnad", true},    {"eblagh", true},
};
constexpr int firstSteps = 7;

class Draw {
public:
    explicit Draw(quint32 seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString pick(const QStringList &list) { return list[between(0, int(list.size()) - 1)]; }

private:
    std::mt19937 engine_;
};

QStringList column(const Db &db, const QString &sql, const QVariantList &params = {})
{
    QStringList out;
    for (const QVariantList &r : db.select(sql, params).rows)
        out << r[0].toString();
    return out;
}

// An eight-digit date `days` after the 1st of Farvardin of `year`, in 30-day months.
QString compactDay(int year, int days)
{
    year += days / 360;
    days %= 360;
    return QStringLiteral("%1%2%3")
        .arg(year)
        .arg(days / 30 + 1, 2, 10, QLatin1Char('0'))
        .arg(days % 30 + 1, 2, 10, QLatin1Char('0'));
}

QString marks(qsizetype n)
{
    QStringList m;
    for (qsizetype i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QLatin1Char(','));
}
}  // namespace

void fillConsultants(const Db &db, int jobs, int requests, quint32 seed)
{
    Draw r(seed);
    const ResultSet villages = db.select(QStringLiteral("SELECT city, bakhsh, dehestan, rosta, cod FROM abadiha"));
    if (villages.empty())
        return;
    QStringList consultants;
    for (const Row &c : db.rows(QStringLiteral("SELECT typ, lname, fname, comp_name FROM peymankaran WHERE id <> -1"))) {
        const QString name = c.value("typ").toString() == QStringLiteral("حقيقي")
            ? c.value("lname").toString() + QLatin1Char(' ') + c.value("fname").toString()
            : c.value("comp_name").toString();
        if (!name.trimmed().isEmpty())
            consultants << name;
    }
    if (consultants.isEmpty())
        consultants = firms;
    QStringList reviewers = column(db, QStringLiteral("SELECT cmt FROM setting WHERE component = ?"),
                                   {QStringLiteral("کارشناس عامل چهارم")});
    for (const QString &e : experts)
        if (!reviewers.contains(e))
            reviewers << e;
    const QStringList offices = column(db, QStringLiteral("SELECT cmt FROM setting WHERE component = ?"),
                                       {QStringLiteral("ادارات استعلام")});
    const QStringList users = column(db, QStringLiteral("SELECT us FROM users"));

    QStringList columns = {"city",      "bakhsh",   "dehestan",  "rosta",     "cod",       "harim",    "moshaver",
                           "moshaver_dat1", "moshaver_dat2", "tahvil_map", "amel4_no", "amel4_dat", "amel4_name"};
    for (const auto &[step, dated] : steps) {
        columns << step;
        if (dated)
            columns << step + QStringLiteral("_dat");
        columns << step + QStringLiteral("_t");
        if (step == QLatin1String("nazar"))
            columns << QStringLiteral("nazar_cmt");
    }
    columns << QStringLiteral("karbar");
    Statement job = db.statement(QStringLiteral("INSERT INTO moshaveran (%1) VALUES (%2)")
                                     .arg(columns.join(QLatin1Char(',')), marks(columns.size())));
    Statement office = db.statement(QStringLiteral("INSERT INTO moshaveran_estelam (moshaveran_id, edare) VALUES (?, ?)"));
    const qint64 firstId = db.scalar(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM moshaveran")).toLongLong();
    std::vector<int> officeCounts;
    for (int i = 0; i < jobs; ++i) {
        const int v = r.between(0, villages.size() - 1);
        const int year = r.between(1398, 1403);
        const int start = r.between(0, 300);
        // How far the job has come: the steps before `reached` are done.
        const int reached = r.between(0, int(steps.size()));
        const bool laterSaved = reached > firstSteps || r.chance(20);
        QVariantList values;
        for (const char *c : {"city", "bakhsh", "dehestan", "rosta", "cod"})
            values << villages.value(v, QLatin1String(c));
        values << (r.chance(25) ? yes : no) << r.pick(consultants) << compactDay(year, start)
               << compactDay(year + 1, start) << (reached > 0 || r.chance(50) ? yes : unanswered)
               << QStringLiteral("%1/%2").arg(r.between(1, 9)).arg(r.between(100, 999))
               << compactDay(year, start + r.between(0, 20)) << r.pick(reviewers);
        int day = start;
        for (int s = 0; s < int(steps.size()); ++s) {
            const bool later = s >= firstSteps;
            if (later && !laterSaved) {
                values << QString();
                if (steps[size_t(s)].second)
                    values << QString();
                values << QString();
                if (steps[size_t(s)].first == QLatin1String("nazar"))
                    values << QString();
                continue;
            }
            const bool done = s < reached;
            day += r.between(5, 40);
            values << (done ? yes : s == reached && r.chance(40) ? no : unanswered);
            if (steps[size_t(s)].second)
                values << (done ? compactDay(year, day) : emptyCompactDate);
            values << (done && r.chance(85) ? approved : notApproved);
            if (steps[size_t(s)].first == QLatin1String("nazar"))
                values << (done ? r.pick(opinions) : QString());
        }
        values << (users.isEmpty() ? QStringLiteral("admin") : r.pick(users));
        job.run(values);
        officeCounts.push_back(reached > 1 && !offices.isEmpty() ? r.between(1, int(offices.size())) : 0);
    }
    // The ids the table gave, in insert order.
    const ResultSet ids =
        db.select(QStringLiteral("SELECT id FROM moshaveran WHERE id > ? ORDER BY id"), {firstId});
    for (int i = 0; i < ids.size() && i < int(officeCounts.size()); ++i)
        for (int k = 0; k < officeCounts[size_t(i)]; ++k)
            office.run({ids.rows[size_t(i)][0], offices[k]});

    Statement request = db.statement(QStringLiteral(
        "INSERT INTO baravord (dat_darkhast, city, bakhsh, dehestan, rosta, cod, dat_naghshe, masahat_por, "
        "masahat_khali, mablagh, cmt, dat_borvinat, cmt2) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < requests; ++i) {
        const int v = r.between(0, villages.size() - 1);
        const int year = r.between(1400, 1403);
        const int month = r.between(1, 9);
        auto date = [&](int m) {
            return QStringLiteral("%1/%2/%3").arg(year).arg(m, 2, 10, QLatin1Char('0')).arg(r.between(1, 29), 2, 10,
                                                                                            QLatin1Char('0'));
        };
        const int stage = i % 3;  // requested, approved by surveying, approved by studies
        const Decimal por = stage > 0 ? Decimal::fromScaled(r.between(300, 9000), 2) : Decimal();
        const Decimal khali = stage > 0 ? Decimal::fromScaled(r.between(0, 4000), 2) : Decimal();
        const Money amount = stage > 0 ? (Money::fromWhole(2400000).times(por) + Money::fromWhole(1200000).times(khali))
                                             .rounded(0)
                                       : Money();
        QVariantList values;
        values << date(month);
        for (const char *c : {"city", "bakhsh", "dehestan", "rosta", "cod"})
            values << villages.value(v, QLatin1String(c));
        values << (stage > 0 ? date(month + 1) : emptyDateMask) << por.toSql() << khali.toSql() << amount.toSql()
               << (stage > 0 ? QStringLiteral("برآورد بر اساس نقشه موجود") : QString())
               << (stage > 1 ? date(month + 2) : emptyDateMask)
               << (stage > 1 ? QStringLiteral("در برنامه سال آينده") : QString());
        request.run(values);
    }
}

}  // namespace bv::sample

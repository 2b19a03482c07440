#include "moshaveran_search.h"

#include "moshaveran_job.h"

namespace bv::consultants {

namespace {
// The steps the grid shows, with a shorter title where the grid has one.
const std::vector<std::pair<QString, QString>> &gridSteps()
{
    static const std::vector<std::pair<QString, QString>> shown = {
        {"bazdid", {}},
        {"estelam", {}},
        {"dehyar", {}},
        {"shahr_map", {}},
        {"shahr_jalase", {}},
        {"behengam", QStringLiteral("به هنگام سازي نقشه پايه")},
        {"fani", QStringLiteral("برگزاري جلسات کميته فني")},
        {"tasvib", QStringLiteral("مصوبه کميته تصويب")},
        {"kargoroh", {}},
        {"cd_map", {}},
        {"albom", {}},
        {"chap", {}},
        {"sahafi", {}},
        {"asnad", QStringLiteral("تحويل اسناد و مدارک کامل طرح (گزارش،آلبوم نقشه ها،لمينت سي دي)")},
    };
    return shown;
}

QString captionOf(const QString &column)
{
    for (const Step &s : steps())
        if (s.column == column)
            return s.caption;
    return column;
}

QStringList otherColumns()
{
    QStringList others;
    for (const QString &c : jobColumns() + stepColumns(false) + stepColumns(true))
        if (!gridColumns().contains(c))
            others << c;
    return others;
}
}  // namespace

const QStringList &gridColumns()
{
    static const QStringList columns = [] {
        QStringList c = jobColumns();
        for (const auto &[step, title] : gridSteps())
            c << step << step + QStringLiteral("_t");
        c << QStringLiteral("karbar");
        return c;
    }();
    return columns;
}

const Headings &gridHeadings()
{
    static const Headings headings = [] {
        Headings h = {
            {"city", QStringLiteral("شهرستان")},
            {"bakhsh", QStringLiteral("بخش")},
            {"dehestan", QStringLiteral("دهستان")},
            {"rosta", QStringLiteral("روستا")},
            {"cod", QStringLiteral("کد روستا")},
            {"harim", QStringLiteral("قرارگيري در حريم شهر")},
            {"moshaver", QStringLiteral("نام مشاور")},
            {"moshaver_dat1", QStringLiteral("تاريخ قرارداد مشاور")},
            {"moshaver_dat2", QStringLiteral("تاريخ اتمام قرارداد")},
            {"tahvil_map", QStringLiteral("تحويل نقشه پايه به مشاور")},
            {"amel4_no", QStringLiteral("شماره قرارداد عامل چهارم")},
            {"amel4_dat", QStringLiteral("تاريخ قرارداد عامل چهارم")},
            {"amel4_name", QStringLiteral("نام عامل چهارم")},
            {"karbar", QStringLiteral("کاربر")},
        };
        for (const auto &[step, title] : gridSteps()) {
            const QString caption = title.isEmpty() ? captionOf(step) : title;
            h[step] = caption;
            h[step + QStringLiteral("_t")] = QStringLiteral("تاييد ") + caption;
        }
        return h;
    }();
    return headings;
}

const Headings &exportHeadings()
{
    static const Headings headings = [] {
        Headings h = gridHeadings();
        h[QStringLiteral("cod")] = QStringLiteral("کد آبادي");
        h[QStringLiteral("id")] = QStringLiteral("شناسه");
        return h;
    }();
    return headings;
}

Conditions jobConditions(const Dialect &dialect, const JobFilters &f, const Session &user)
{
    Conditions c(dialect);
    if (user.level == QLatin1String("city"))
        c.compare(QStringLiteral("karbar"), Conditions::Op::Equal, user.karbar);
    if (f.city)
        c.contains(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.contains(QStringLiteral("rosta"), *f.rosta);
    if (f.moshaver)
        c.contains(QStringLiteral("moshaver"), *f.moshaver);
    if (f.amel4_name)
        c.contains(QStringLiteral("amel4_name"), *f.amel4_name);
    return c;
}

QString jobListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT id, %1 FROM moshaveran WHERE %2 ORDER BY id")
        .arg((gridColumns() + otherColumns()).join(QStringLiteral(", ")), conditions.sql());
}

ResultSet searchJobs(const Db &db, const Conditions &conditions)
{
    return db.select(jobListSql(conditions), conditions.values());
}

ResultSet searchJobsPage(const Db &db, const Conditions &conditions, int limit)
{
    return db.select(db.dialect().firstRows(jobListSql(conditions), limit), conditions.values());
}

int countJobs(const Db &db, const Conditions &conditions)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM moshaveran WHERE ") + conditions.sql(), conditions.values())
        .toInt();
}

report::Document progressReport(const ResultSet &rows, const QString &today)
{
    report::Document doc = report::Document::load(QStringLiteral("moshaveran_chap"));
    doc.setLabel(QStringLiteral("dat"), today);
    doc.setRows(rows);
    return doc;
}

}  // namespace bv::consultants

#include "sample_evaluation.h"

#include "messages.h"
#include "naghshe_evaluation.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <random>

namespace bv::sample {

namespace {

// The catalogue of evaluation items with their maximum scores.
const std::vector<std::pair<QString, int>> catalogue = {
    {QStringLiteral("دقت نقاط کنترل زميني"), 20},    {QStringLiteral("برداشت کامل عوارض"), 15},
    {QStringLiteral("ترسيم معابر و حرائم"), 10},      {QStringLiteral("کدگذاري و لايه بندي عوارض"), 10},
    {QStringLiteral("درج نام معابر و اماکن"), 5},     {QStringLiteral("توپولوژي و بستن عوارض"), 10},
    {QStringLiteral("منحني ميزان و نقاط ارتفاعي"), 15}, {QStringLiteral("گزارش فني و فايل هاي خام"), 15},
};

const std::vector<std::pair<QString, QString>> checklistItems = {
    {QStringLiteral("حقيقي"), QStringLiteral("تصوير کارت ملي و شناسنامه مشاور")},
    {QStringLiteral("حقيقي"), QStringLiteral("گواهي صلاحيت فني از سازمان نظام مهندسي")},
    {QStringLiteral("حقيقي"), QStringLiteral("موافقت نامه امضا شده")},
    {QStringLiteral("حقيقي"), QStringLiteral("برآورد هزينه تاييد شده")},
    {QStringLiteral("حقوقي"), QStringLiteral("آگهي تاسيس و آخرين تغييرات شرکت")},
    {QStringLiteral("حقوقي"), QStringLiteral("گواهي رتبه بندي شرکت")},
    {QStringLiteral("حقوقي"), QStringLiteral("موافقت نامه امضا شده")},
    {QStringLiteral("حقوقي"), QStringLiteral("معرفي نامه صاحبان امضاي مجاز")},
    {QStringLiteral("حقوقي"), QStringLiteral("برآورد هزينه تاييد شده")},
};

const QStringList models = {QStringLiteral("توتال استيشن لايکا TS06"), QStringLiteral("توتال استيشن سوکيا CX-105"),
                            QStringLiteral("GPS دو فرکانسه ساوت"), QStringLiteral("ترازياب نيکون AC-2S")};
const QStringList keepers = {QStringLiteral("محمد کريمي"), QStringLiteral("علي رضايي"), QStringLiteral("حسين نوري"),
                             QStringLiteral("مهدي زارعي"), QStringLiteral("سعيد چراغي")};
const QStringList events = {QStringLiteral("تحويل به کارشناس"), QStringLiteral("کاليبراسيون"),
                            QStringLiteral("تعمير"), QStringLiteral("بازگشت به انبار")};
const QStringList eventTexts = {
    QStringLiteral("دوربين پس از کاليبراسيون در شرکت نماينده تحويل گرفته شد و صورتجلسه آن پيوست است."),
    QStringLiteral("باتري دوربين تعويض شد."),
    QStringLiteral("دوربين براي نقشه برداري روستاهاي بخش مرکزي در اختيار کارشناس قرار گرفت."),
};

class Random {
public:
    explicit Random(quint32 seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString pick(const QStringList &list) { return list[between(0, int(list.size()) - 1)]; }
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

// A small scanned-looking page: a frame and a few lines of `ink`.
QByteArray scan(const QColor &ink, const QSize &size, int lines)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(ink, 2));
    painter.drawRect(image.rect().adjusted(3, 3, -4, -4));
    for (int i = 1; i <= lines; ++i)
        painter.drawLine(12, 10 + i * 10, size.width() - 12 - (i % 3) * 15, 10 + i * 10);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void makeCatalogues(const Db &db)
{
    Statement items = db.statement(QStringLiteral("INSERT INTO arzyabi (cmt, emtiyaz) VALUES (?, ?)"));
    for (const auto &[item, top] : catalogue)
        items.run({item, top});
    Statement questions =
        db.statement(QStringLiteral("INSERT INTO naghshe_cheklist (typ, mozo, bale, kheyr, cmt) VALUES (?, ?, ?, ?, ?)"));
    for (const auto &[kind, subject] : checklistItems)
        questions.run({kind, subject, QString(), QString(), QString()});
}

// Evaluations of a third of the projects, graded as the window grades them,
// and their attachments of the lookup list's descriptions.
void makeEvaluations(const Db &db, Random &r)
{
    Statement rows = db.statement(QStringLiteral(
        "INSERT INTO naghshe_arzyabi (naghshe_id, cmt, emtiyaz_top, anjam, keifiyat, emtiyaz, sayer) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Statement files = db.statement(QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"));
    const ResultSet projects = db.select(QStringLiteral("SELECT id FROM naghshe ORDER BY id"));
    const QByteArray contract = scan(Qt::black, QSize(160, 220), 12);
    const QByteArray statement = scan(Qt::darkGray, QSize(160, 220), 8);
    for (const QVariantList &p : projects.rows) {
        if (!r.chance(35))
            continue;
        for (const auto &[item, top] : catalogue) {
            const bool done = r.chance(90);
            const int score = done ? r.between(top / 3, top) : 0;
            rows.run({p[0], item, top, done ? survey::done : survey::notDone,
                      survey::qualityGrade(QString::number(score), QString::number(top)).value_or(QString()), score,
                      r.chance(15) ? QStringLiteral("نياز به اصلاح جزئي") : QString()});
        }
        if (r.chance(70))
            files.run({p[0], QStringLiteral("قرارداد"), QStringLiteral(".png"), contract});
        if (r.chance(50))
            files.run({p[0], QStringLiteral("صورت وضعيت"), QStringLiteral(".png"), statement});
    }
}

// Shared survey documents, and the two checklist signatures under the default password.
void makeDocuments(const Db &db)
{
    Statement documents = db.statement(QStringLiteral("INSERT INTO naghshe_mostanadat (cmt, pictyp, pic) VALUES (?, ?, ?)"));
    documents.run({QStringLiteral("دستورالعمل تهيه نقشه وضع موجود روستا"), QStringLiteral(".pdf"),
                   QByteArray("%PDF-1.4\n%%EOF\n")});
    documents.run({QStringLiteral("شرح خدمات نقشه برداري"), QStringLiteral(".pdf"), QByteArray("%PDF-1.4\n%%EOF\n")});
    documents.run({QStringLiteral("نمونه چک ليست ارزيابي"), QStringLiteral(".png"), scan(Qt::black, QSize(160, 220), 10)});
    Statement signs = db.statement(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, ?, ?, ?)"));
    for (const QString &title : {survey::initialSignature, survey::finalSignature})
        signs.run({title, QStringLiteral("1"), QStringLiteral(".png"), scan(Qt::darkBlue, QSize(120, 50), 2)});
}

// Two or three instruments per county, each with dated events, some with a document.
void makeCameras(const Db &db, Random &r)
{
    const ResultSet counties = db.select(QStringLiteral("SELECT city FROM abadiha GROUP BY city ORDER BY city"));
    Statement event = db.statement(QStringLiteral(
        "INSERT INTO dorbin_pic (dorbin_id, dat, cmt, sharh, pictyp, pic) VALUES (?, ?, ?, ?, ?, ?)"));
    const QByteArray receipt = scan(Qt::darkRed, QSize(160, 120), 5);
    int code = 4100;
    for (const QVariantList &county : counties.rows) {
        const int count = r.between(2, 3);
        for (int i = 0; i < count; ++i) {
            const qint64 id = db.insert(
                QStringLiteral("INSERT INTO dorbin (city, typ, cod, prs, cmt) VALUES (?, ?, ?, ?, ?)"),
                {county[0], r.pick(models), QString::number(++code), r.pick(keepers),
                 r.chance(30) ? QStringLiteral("همراه با سه پايه و منشور") : QString()});
            const int year = r.between(1397, 1400);
            for (int e = 0, n = r.between(1, 4); e < n; ++e) {
                const bool withDocument = r.chance(40);
                event.run({QString::number(id), r.date(year + e, year + e), r.pick(events),
                           encodeMessageText(r.pick(eventTexts)), withDocument ? QStringLiteral(".png") : QString(),
                           withDocument ? receipt : QByteArray("")});
            }
        }
    }
}

}  // namespace

void fillEvaluationsAndCameras(const Db &main, quint32 seed)
{
    Random r(seed + 18);
    main.transaction([&] {
        makeCatalogues(main);
        makeEvaluations(main, r);
        makeDocuments(main);
        makeCameras(main, r);
    });
}

}  // namespace bv::sample

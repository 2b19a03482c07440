#include "sample_study_reviews.h"

#include "borvinat_evaluation.h"
#include "jalasat_guests.h"
#include "lookuplists.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <random>

namespace bv::sample {

namespace {

using Items = std::vector<std::tuple<QString, QString, int>>;

const Items guidePlanItems = {
    {QStringLiteral("مطالعات پايه"), QStringLiteral("جمعيت و اشتغال"), 3},
    {QStringLiteral("مطالعات پايه"), QStringLiteral("وضعيت اقتصادي روستا"), 2},
    {QStringLiteral("مطالعات پايه"), QStringLiteral("کالبد و مسکن"), 4},
    {QStringLiteral("تحليل و جمع بندي"), QStringLiteral("مسائل و امکانات توسعه"), 5},
    {QStringLiteral("تحليل و جمع بندي"), QStringLiteral("پيش بيني جمعيت افق طرح"), 3},
    {QStringLiteral("طرح پيشنهادي"), QStringLiteral("کاربري اراضي پيشنهادي"), 5},
    {QStringLiteral("طرح پيشنهادي"), QStringLiteral("شبکه معابر"), 4},
    {QStringLiteral("طرح پيشنهادي"), QStringLiteral("ضوابط و مقررات"), 1},
};
const Items detailedPlanItems = {
    {QStringLiteral("پلان هندسي"), QStringLiteral("شعاع قوس ها"), 3},
    {QStringLiteral("پلان هندسي"), QStringLiteral("تقاطع ها"), 4},
    {QStringLiteral("مقاطع عرضي"), QStringLiteral("عرض سواره و پياده رو"), 3},
    {QStringLiteral("پروفيل طولي"), QStringLiteral("شيب طولي معابر"), 5},
};
const std::vector<std::pair<QString, int>> gisItems = {
    {QStringLiteral("لايه هاي پايه و سيستم مختصات"), 20}, {QStringLiteral("توپولوژي عوارض"), 25},
    {QStringLiteral("جداول توصيفي کاربري ها"), 15},        {QStringLiteral("فراداده و مستندات"), 10},
};
const QStringList baseMapItems = {QStringLiteral("دقت مسطحاتي نقاط کنترل"), QStringLiteral("کامل بودن عوارض"),
                                  QStringLiteral("منحني هاي ميزان"), QStringLiteral("اسامي معابر و اماکن")};
const QStringList consultantQuestions = {QStringLiteral("حضور به موقع در جلسات"),
                                         QStringLiteral("پاسخگويي به نظرات کارشناسي"),
                                         QStringLiteral("کيفيت گزارش هاي تحويلي"), QStringLiteral("رعايت زمانبندي")};
const QStringList experts = {QStringLiteral("محسن طاهري"), QStringLiteral("زهرا کريمي"), QStringLiteral("رضا مرادي"),
                             QStringLiteral("فاطمه حسيني")};
const QStringList meetingTitles = {QStringLiteral("کميته فني"), QStringLiteral("کميته تصويب")};

bool empty(const Db &db, const char *table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(table))).toInt() == 0;
}

void fillCatalogues(const Db &db)
{
    if (empty(db, "arzyabi_tarh"))
        for (const auto &[kol, joz, top] : guidePlanItems)
            db.exec(QStringLiteral("INSERT INTO arzyabi_tarh (kol, joz, emtiyaz) VALUES (?, ?, ?)"), {kol, joz, top});
    if (empty(db, "arzyabi_item_tafsili"))
        for (const auto &[kol, joz, top] : detailedPlanItems)
            db.exec(QStringLiteral("INSERT INTO arzyabi_item_tafsili (kol, joz, emtiyaz) VALUES (?, ?, ?)"),
                    {kol, joz, top});
    if (empty(db, "arzyabi_gis"))
        for (const auto &[cmt, top] : gisItems)
            db.exec(QStringLiteral("INSERT INTO arzyabi_gis (cmt, emtiyaz) VALUES (?, ?)"), {cmt, top});
    if (empty(db, "arzyabi_naghshe"))
        for (const QString &cmt : baseMapItems)
            db.exec(QStringLiteral("INSERT INTO arzyabi_naghshe (cmt) VALUES (?)"), {cmt});
    if (empty(db, "arzyabi_moshaver"))
        for (const QString &cmt : consultantQuestions)
            db.exec(QStringLiteral("INSERT INTO arzyabi_moshaver (cmt) VALUES (?)"), {cmt});
}

// The GIS expert's signature under the sample's password "1".
void addGisSignature(const Db &db)
{
    const QString title = QStringLiteral("تصوير امضا کارشناس جي آي اس");
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM zamaem WHERE cmt = ?"), {title}).toInt() > 0)
        return;
    QImage image(QSize(120, 50), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawLine(10, 35, 50, 12);
    painter.drawLine(50, 12, 70, 38);
    painter.drawLine(70, 38, 110, 15);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    db.exec(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '1', '.png', ?)"), {title, bytes});
}

}  // namespace

void fillStudyReviews(const Db &db, quint32 seed)
{
    using namespace studies;
    std::mt19937 engine(seed + 31);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); };
    fillCatalogues(db);
    addGisSignature(db);
    const QStringList offices = lookupItems(db, QStringLiteral("ادارات جلسات"));
    const ResultSet rows = db.select(QStringLiteral("SELECT id, komitefani_dat1, tarh_moshaver_name FROM borvinat ORDER BY id"));
    for (const QVariantList &study : rows.rows) {
        const qint64 id = study[0].toLongLong();
        if (between(1, 3) == 1) {
            // Evaluated: every catalogue once, with scores from the offered steps.
            const QString dat = QStringLiteral("14%1/%2/%3").arg(between(0, 3), 2, 10, QLatin1Char('0'))
                                    .arg(between(1, 12), 2, 10, QLatin1Char('0'))
                                    .arg(between(1, 28), 2, 10, QLatin1Char('0'));
            EvaluationEntry e;
            e.dat = dat;
            e.karshenas = experts[between(0, 3)];
            e.anjam = done;
            registerAllEvaluations(db, EvaluationKind::Gis, id, e);
            for (const auto &[cmt, top] : gisItems)
                db.exec(QStringLiteral("UPDATE borvinat_arzyabi_gis SET emtiyaz = ? WHERE borvinat_id = ? AND cmt = ?"),
                        {top - between(0, top / 2), id, cmt});
            for (const auto &[kind, items] : {std::pair{EvaluationKind::Tarh, &guidePlanItems},
                                              std::pair{EvaluationKind::Tafsili, &detailedPlanItems}}) {
                for (const auto &[kol, joz, top] : *items) {
                    EvaluationEntry row = e;
                    row.kol = kol;
                    row.joz = joz;
                    row.emtiyaz_top = QString::number(top);
                    const QStringList steps = scoreSteps(row.emtiyaz_top).value_or(QStringList());
                    row.grade = between(0, 3);
                    row.emtiyaz = steps.isEmpty() ? QString::number(top) : steps[row.grade];
                    row.keifiyat = qualityGrades()[row.grade];
                    row.anjam = between(1, 5) == 1 ? notDone : done;
                    row.sayer = between(1, 4) == 1 ? QStringLiteral("نياز به اصلاح") : QString();
                    registerEvaluation(db, kind, id, row);
                }
            }
            for (const QString &cmt : baseMapItems) {
                EvaluationEntry row = e;
                row.cmt = cmt;
                row.anjam = between(1, 6) == 1 ? notDone : done;
                registerEvaluation(db, EvaluationKind::Naghshe, id, row);
            }
            for (const QString &cmt : consultantQuestions) {
                EvaluationEntry row;
                row.cmt = cmt;
                row.keifiyat = consultantAnswers()[between(1, 4)];
                registerEvaluation(db, EvaluationKind::Moshaver, id, row);
            }
            db.exec(QStringLiteral("UPDATE borvinat SET naghshe_moshaver_name = ? WHERE id = ? AND "
                                   "(naghshe_moshaver_name IS NULL OR naghshe_moshaver_name = '')"),
                    {study[2].toString().isEmpty() ? QStringLiteral("مهندسين مشاور نقش آفرين") : study[2].toString(), id});
        }
        if (between(1, 3) == 1 && !offices.isEmpty()) {
            // Guests of one or two meetings.
            const QString first = study[1].toString().trimmed().isEmpty() ? QStringLiteral("1402/04/15") : study[1].toString();
            const int meetings = between(1, 2);
            for (int meeting = 1; meeting <= meetings; ++meeting) {
                for (const QString &office : offices) {
                    if (between(1, 4) == 1)
                        continue;
                    const QString expert = between(1, 5) == 1 ? QString() : experts[between(0, 3)];
                    addGuest(db, id, {first, office, expert, QString::number(meeting), meetingTitles[meeting == 2 ? 1 : 0]});
                }
            }
        }
    }
}

}  // namespace bv::sample

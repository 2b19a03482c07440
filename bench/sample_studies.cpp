#include "sample_studies.h"

#include "borvinat_fee.h"
#include "borvinat_record.h"
#include "contractor_kinds.h"
#include "dates.h"
#include "peymankaran.h"

#include <random>

namespace bv::sample {

namespace {
const QStringList consultants = {
    QStringLiteral("مهندسين مشاور شهر و خانه"), QStringLiteral("معماران افق روستا"), QStringLiteral("طرح آمايش سرزمين"),
    QStringLiteral("نقش آفرينان پايدار"), QStringLiteral("مشاوران توسعه زاگرس"),
};
const QStringList givenNames = {QStringLiteral("بهرام"), QStringLiteral("نرگس"), QStringLiteral("کامران"),
                                QStringLiteral("شيرين"), QStringLiteral("فرهاد"), QStringLiteral("ليلا")};
const QStringList familyNames = {QStringLiteral("افشار"), QStringLiteral("بهمني"), QStringLiteral("تهراني"),
                                 QStringLiteral("شريفي"), QStringLiteral("فرهمند"), QStringLiteral("يزداني")};
const QStringList documents = {QStringLiteral("کارت ملي"), QStringLiteral("گواهي صلاحيت"), QStringLiteral("آگهي تاسيس"),
                               QStringLiteral("روزنامه رسمي"), QStringLiteral("قرارداد")};

class Dice {
public:
    explicit Dice(quint32 seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString pick(const QStringList &list) { return list[between(0, int(list.size()) - 1)]; }
    // A date of `year` that the calendar has.
    QString date(int year)
    {
        return QStringLiteral("%1/%2/%3").arg(year).arg(between(1, 12), 2, 10, QLatin1Char('0')).arg(between(1, 29), 2, 10, QLatin1Char('0'));
    }

private:
    std::mt19937 engine_;
};

struct Consultant {
    qint64 id;
    QString name;
};

std::vector<Consultant> makeConsultants(const Db &db, Dice &d)
{
    std::vector<Consultant> out;
    for (int i = 0; i < 18; ++i) {
        const bool person = i % 3 != 0;
        TypedTexts t{{QStringLiteral("typ"), person ? naturalPerson : legalPerson},
                     {QStringLiteral("fname"), d.pick(givenNames)},
                     {QStringLiteral("lname"), d.pick(familyNames) + QStringLiteral(" ") + QString::number(i + 1)},
                     {QStringLiteral("nation"), QStringLiteral("%1").arg(d.between(1000000, 9999999), 10, 10, QLatin1Char('0'))},
                     {QStringLiteral("birthday"), d.date(d.between(1340, 1370))},
                     {QStringLiteral("degree"), QStringLiteral("کارشناسي ارشد شهرسازي")},
                     {QStringLiteral("degree_dat"), d.date(d.between(1370, 1395))},
                     {QStringLiteral("mobile"), QStringLiteral("0912%1").arg(d.between(1000000, 9999999))},
                     {QStringLiteral("adr"), QStringLiteral("اراک، خيابان امام خميني")}};
        for (const char *date : {"comp_dat", "comp_etebar_dat"})
            t[QLatin1String(date)] = emptyDateMask;
        if (!person) {
            t[QStringLiteral("comp_name")] = consultants[(i / 3) % consultants.size()] + QStringLiteral(" ") + QString::number(i + 1);
            t[QStringLiteral("comp_dat")] = d.date(d.between(1375, 1395));
            t[QStringLiteral("comp_no")] = QString::number(d.between(1000, 9999));
            t[QStringLiteral("comp_shenase")] = QString::number(d.between(10000000, 99999999));
            t[QStringLiteral("comp_rotbe")] = QString::number(d.between(1, 3));
            t[QStringLiteral("comp_etebar_dat")] = d.date(d.between(1403, 1405));
        }
        QStringList marks;
        for (int m = 0; m < study::contractorColumns().size(); ++m)
            marks << QStringLiteral("?");
        // Written without a log row: no one registered them.
        const qint64 id = db.insert(QStringLiteral("INSERT INTO peymankaran (%1) VALUES (%2)")
                                        .arg(study::contractorColumns().join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                                    study::readContractor(t).values);
        // Some have every document, some one short of it.
        const int files = person ? d.between(1, 4) : d.between(3, 6);
        for (int f = 0; f < files; ++f)
            db.exec(QStringLiteral("INSERT INTO peymankaran_pic (peymankar_id, cmt, pictyp, pic) VALUES (?, ?, '.txt', ?)"),
                    {id, documents[f % documents.size()], documents[f % documents.size()].toUtf8()});
        Row shown;
        for (auto it = t.cbegin(); it != t.cend(); ++it)
            shown[it.key()] = it.value();
        out.push_back({id, contractorDisplayName(shown).value_or(QString())});
    }
    return out;
}

// A fee as the entry window computes it, as the amount stored.
QVariant fee(const study::FeeFigures &figures, study::FeeKind kind)
{
    return Money::parse(study::studyFee(figures, kind).value_or(QStringLiteral("0"))).value_or(Money()).toSql();
}

// The workflow dates in their order, each some months after the one before.
const QStringList workflow = {"movafeghat_dat",   "tarh_prot_dat",        "tarh_tahvil_dat1", "check_list_dat2",
                              "arzyabi_dat",      "jalase_city_dat",      "gis_dat",          "komitefani_dat1",
                              "tarh_tasvib_dat",  "jalase_tasvib_dat",    "checklist_nahaei_dat",
                              "ejra_checklist_dat", "asnad_tahvil_dat",   "farmandari_dat",   "tehran_ersal_dat"};
const QStringList otherDates = {"naghshe_tahvil_dat2", "taeid_dat", "komitefani_dat3", "komitefani_dat4", "tamdid_dat"};
}  // namespace

void fillStudies(const Db &db, quint32 seed)
{
    Dice d(seed + 19);
    db.exec(QStringLiteral("INSERT INTO setting (component, cmt) VALUES (?, ?)"),
            {QStringLiteral("انواع طرح"), study::localRevision});
    const std::vector<Consultant> consultantRows = makeConsultants(db, d);
    const QString adjustment = study::adjustmentCoefficient(db);
    const QStringList plans = {QStringLiteral("هادي"), QStringLiteral("هادي"), QStringLiteral("بازنگري"),
                               study::boundaryPlan, study::localRevision};
    QStringList sets = {"peymankar_id", "tarh_moshaver_name", "tarh_typ", "masahat", "prot_mablagh",
                        "prot_mablagh_binofoz", "tarh_emtiyaz", "gis_emtiyaz", "gis_emtiyaz2", "arzyabi_emtiyaz",
                        "checklist_nahaei_emtiyaz", "status", "taeid_paper_no", "amel4"};
    sets << workflow << otherDates;
    QStringList assignments;
    for (const QString &c : sets)
        assignments << c + QStringLiteral(" = ?");
    Statement update = db.statement(QStringLiteral("UPDATE borvinat SET %1 WHERE id = ?").arg(assignments.join(QStringLiteral(", "))));
    for (const QVariantList &row : db.select(QStringLiteral("SELECT id, cod, jamiyat, etebar_sal FROM borvinat ORDER BY id")).rows) {
        const Consultant &c = consultantRows[size_t(d.between(0, int(consultantRows.size()) - 1))];
        const QString plan = d.pick(plans);
        const QString area = QString::number(d.between(8, 140));
        const study::VillageCoefficients village = study::villageCoefficients(db, row[1].toString());
        study::FeeFigures figures{plan, area, row[2].toString(), adjustment, village.remoteness, village.province};
        // How far the study went: some steps of the workflow have their dates.
        const int steps = d.between(1, int(workflow.size()));
        const int year = row[3].toString().toInt() > 1300 ? row[3].toString().toInt() : 1400;
        const bool done = steps > 10;
        QVariantList values = {c.id, c.name, plan, area,
                               fee(figures, study::FeeKind::WithInfluence), fee(figures, study::FeeKind::WithoutInfluence),
                               steps > 4 ? QVariant(d.between(60, 100)) : QVariant(),
                               steps > 6 ? QVariant(d.between(50, 100)) : QVariant(),
                               done ? QVariant(d.between(70, 100)) : QVariant(0),
                               steps > 8 ? QString::number(d.between(60, 95)) : QString(),
                               done ? QVariant(d.between(70, 100)) : QVariant(),
                               done ? study::statusChoices[1] : steps > 3 ? study::statusChoices[0] : QString(),
                               QString::number(d.between(100, 9999)), d.chance(60) ? d.pick(givenNames) + QStringLiteral(" ") + d.pick(familyNames) : QString()};
        for (int s = 0; s < workflow.size(); ++s)
            values << (s < steps ? d.date(std::min(year + s / 5, 1404)) : emptyDateMask);
        for (qsizetype i = 0; i < otherDates.size(); ++i)
            values << (d.chance(30) ? d.date(year) : emptyDateMask);
        values << row[0];
        update.run(values);
    }
}

}  // namespace bv::sample

#include "sample_agreements.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <random>

namespace bv::sample {

namespace {

const QStringList banks = {QStringLiteral("ملي"), QStringLiteral("ملت"), QStringLiteral("تجارت"), QStringLiteral("سپه"),
                           QStringLiteral("کشاورزي")};
const QStringList places = {QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"),
                            QStringLiteral("محلات"), QStringLiteral("تهران")};
const QStringList streets = {QStringLiteral("خيابان شهيد بهشتي"), QStringLiteral("خيابان امام"),
                             QStringLiteral("بلوار جمهوري"), QStringLiteral("خيابان دانشگاه")};

class Draw {
public:
    explicit Draw(quint32 seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    QString pick(const QStringList &list) { return list[between(0, int(list.size()) - 1)]; }
    QString digits(int count)
    {
        QString out;
        for (int i = 0; i < count; ++i)
            out += QChar(u'0' + between(i == 0 ? 1 : 0, 9));
        return out;
    }
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

// A one-page PDF titled as the document, a framed page without text: the
// generator runs without a display and its fonts.
QByteArray pdfOf(const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(title);
    QPainter painter(&writer);
    painter.setPen(QPen(Qt::darkGreen, 20));
    painter.drawRect(QRect(200, 200, writer.width() - 400, writer.height() - 400));
    painter.end();
    return bytes;
}

void makeContractorDetails(const Db &db, Draw &d)
{
    Statement update = db.statement(QStringLiteral(
        "UPDATE peymankar SET sh_no = ?, sodor = ?, zipcode = ?, phone = ?, bank = ?, shobe = ?, hesab_no = ?, "
        "comp_dat = ?, comp_loc = ?, comp_adr = ?, eghtesadi_cod = ?, comp_shenase = ?, tamin_shahr = ?, "
        "tamin_shobe = ? WHERE id = ?"));
    const ResultSet rows =
        db.select(QStringLiteral("SELECT id, typ, comp_shenase, tamin_shahr, tamin_shobe FROM peymankar ORDER BY id"));
    for (int r = 0; r < rows.size(); ++r) {
        const bool company = rows.value(r, QStringLiteral("typ")).toString() == QStringLiteral("حقوقي");
        const QString city = d.pick(places);
        const QVariant none;
        update.run({d.digits(6), city, d.digits(10), QStringLiteral("086") + d.digits(8), d.pick(banks),
                    city + QStringLiteral(" مرکزي"), d.digits(13),
                    company ? QVariant(d.date(1375, 1398)) : none, company ? QVariant(d.pick(places)) : none,
                    company ? QVariant(city + QStringLiteral("، ") + d.pick(streets)) : none,
                    company ? QVariant(d.digits(12)) : none,
                    company ? QVariant(d.digits(11)) : rows.value(r, QStringLiteral("comp_shenase")),
                    company ? rows.value(r, QStringLiteral("tamin_shahr")) : none,
                    company ? rows.value(r, QStringLiteral("tamin_shobe")) : none, rows.value(r, QStringLiteral("id"))});
    }
}

void makeProjectTerms(const Db &db, Draw &d)
{
    Statement update = db.statement(
        QStringLiteral("UPDATE naghshe SET prot_typ = ?, jalase_dat = ?, prot_tim = ? WHERE id = ?"));
    const ResultSet rows = db.select(QStringLiteral("SELECT id, prot_dat1 FROM naghshe ORDER BY id"));
    for (int r = 0; r < rows.size(); ++r) {
        const int year = rows.value(r, QStringLiteral("prot_dat1")).toString().left(4).toInt();
        // One in five is a memorandum; a few older projects predate the column.
        const int kind = d.between(1, 20);
        const QVariant type = kind <= 4 ? QVariant(QStringLiteral("تفاهمنامه"))
                                        : (kind == 5 ? QVariant() : QVariant(QStringLiteral("قرارداد")));
        update.run({type, d.date(year - 1, year - 1), QString::number(d.between(3, 9) * 30),
                    rows.value(r, QStringLiteral("id"))});
    }
}

void makeAgreementDocuments(const Db &db)
{
    // The scale-200 special conditions are left out, so the browser shows what a missing chapter does.
    const QStringList titles = {
        QStringLiteral("فايل موافقت نامه نقشه برداري"),
        QStringLiteral("فايل موافقت نامه نقشه برداري - بند1"),
        QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس200"),
        QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس500"),
        QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست5 - مقياس500"),
    };
    Statement insert = db.statement(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, ?, ?, ?)"));
    for (const QString &title : titles)
        insert.run({title, QString(), QStringLiteral(".pdf"), pdfOf(title)});
}

}  // namespace

void fillAgreements(const Db &db, quint32 seed)
{
    Draw d(seed + 17);
    db.transaction([&] {
        makeContractorDetails(db, d);
        makeProjectTerms(db, d);
        makeAgreementDocuments(db);
    });
}

}  // namespace bv::sample

#include "sample_agreement_pages.h"

#include "borvinat_agreement_pages.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

namespace bv::sample {

namespace {

const QStringList banks = {QStringLiteral("ملي"), QStringLiteral("ملت"), QStringLiteral("تجارت"), QStringLiteral("سپه"),
                           QStringLiteral("کشاورزي")};

QByteArray digits(QRandomGenerator &r, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += char('0' + r.bounded(10));
    return out;
}

// A one-page PDF titled as the document it stands for.
QByteArray pdfOf(const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(title);
    QPainter painter(&writer);
    // No text: the generator runs without a font database.
    painter.setPen(QPen(Qt::darkBlue, 20));
    for (int y = 600; y < writer.height() - 600; y += 400)
        painter.drawLine(400, y, writer.width() - 400, y);
    painter.end();
    return bytes;
}

// A scanned page of minutes: ruled lines under a signature box.
QByteArray minutesPicture()
{
    QImage image(420, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::darkGray, 2));
    for (int y = 30; y < 220; y += 18)
        painter.drawLine(30, y, 390, y);
    painter.drawRect(250, 230, 140, 50);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

void fillAgreementPages(const Db &db, quint32 seed)
{
    QRandomGenerator r(seed + 41);
    Statement contractor = db.statement(
        QStringLiteral("UPDATE peymankaran SET phone = ?, zipcode = ?, bank = ?, shobe = ?, hesab_no = ? WHERE id = ?"));
    const ResultSet contractors = db.select(QStringLiteral("SELECT id FROM peymankaran WHERE id > 0 ORDER BY id"));
    for (const QVariantList &row : contractors.rows)
        contractor.run({QStringLiteral("086") + QString::fromLatin1(digits(r, 8)), QString::fromLatin1(digits(r, 10)),
                        banks[r.bounded(int(banks.size()))], QString::number(r.bounded(1000, 9999)),
                        QString::fromLatin1(digits(r, 13)), row[0]});
    Statement document = db.statement(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, ?, ?, ?)"));
    for (const QString &title : studies::agreementDocuments)
        document.run({title, QString(), QStringLiteral(".pdf"), pdfOf(title)});
    // Under the second description, so the lookup past the first one shows.
    const QVariant study = db.scalar(QStringLiteral("SELECT MIN(id) FROM borvinat WHERE peymankar_id > 0"));
    if (!study.isNull())
        db.exec(QStringLiteral("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"),
                {study, studies::selectionMinutesPictures[1], QStringLiteral(".png"), minutesPicture()});
}

}  // namespace bv::sample

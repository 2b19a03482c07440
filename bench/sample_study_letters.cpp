#include "sample_study_letters.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace bv::sample {

namespace {

// A signature-like scrawl, as a PNG file.
QByteArray scrawl(QRandomGenerator &r)
{
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 30, 120), 2));
    QPainterPath path(QPointF(10, 40));
    for (int i = 0; i < 6; ++i)
        path.cubicTo(QPointF(20 + i * 22, r.bounded(5, 55)), QPointF(30 + i * 22, r.bounded(5, 55)),
                     QPointF(32 + i * 22, r.bounded(20, 45)));
    painter.drawPath(path);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

void fillStudyLetters(const Db &db, quint32 seed)
{
    QRandomGenerator r(seed + 31);
    // The hand-over form's three signers; the technical officer and the deputy
    // may already be there for the survey statements.
    for (const QString &title : {QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات"), QStringLiteral("تصوير امضا عامل چهارم"),
                                 QStringLiteral("تصوير امضا معاون عمران روستايي")}) {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM zamaem WHERE cmt = ?"), {title}).toInt() > 0)
            continue;
        db.exec(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '1', '.png', ?)"), {title, scrawl(r)});
    }
    const QStringList branches = {QStringLiteral("شعبه 1"), QStringLiteral("شعبه 2"), QStringLiteral("شعبه مرکزي")};
    const ResultSet companies = db.select(QStringLiteral("SELECT id FROM peymankaran WHERE typ <> ? ORDER BY id"),
                                          {QStringLiteral("حقيقي")});
    for (int i = 0; i < companies.size(); ++i)
        db.exec(QStringLiteral("UPDATE peymankaran SET taminejtemaei = ? WHERE id = ?"),
                {branches[i % branches.size()], companies.rows[size_t(i)][0]});
}

}  // namespace bv::sample

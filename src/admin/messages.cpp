#include "messages.h"

#include "listtext.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace bv {

namespace {

const QByteArray utf8Mark("\xEF\xBB\xBF");

// Code page 1256, bytes 0x80 to 0xFF. Written out here because the text codecs
// of Qt depend on how Qt was built.
constexpr std::array<char16_t, 128> cp1256 = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0679, 0x2039, 0x0152,
    0x0686, 0x0698, 0x0688, 0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x06A9, 0x2122,
    0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA, 0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F, 0x06C1,
    0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627, 0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D,
    0x062E, 0x062F, 0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7, 0x0637, 0x0638, 0x0639,
    0x063A, 0x0640, 0x0641, 0x0642, 0x0643, 0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF, 0x064B, 0x064C, 0x064D, 0x064E, 0x00F4,
    0x064F, 0x0650, 0x00F7, 0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

QString fromCp1256(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += b < 0x80 ? QChar(b) : QChar(cp1256[b - 0x80]);
    }
    return text;
}

QString part(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

}  // namespace

QByteArray encodeMessageText(const QString &text)
{
    return utf8Mark + text.toUtf8();
}

QString decodeMessageText(const QByteArray &stored)
{
    if (stored.startsWith(utf8Mark))
        return QString::fromUtf8(stored.mid(utf8Mark.size()));
    return fromCp1256(stored);
}

QString recipientLabel(const QVariant &ostan, const QVariant &lev, const QVariant &semat, const QVariant &nam)
{
    const QString star = QStringLiteral("*");
    return part(ostan) + star + part(lev) + star + part(semat) + star + part(nam);
}

std::vector<Recipient> recipients(const Db &db)
{
    std::vector<Recipient> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT id, ostan, lev, semat, nam FROM users ORDER BY id"));
    while (q.next())
        out.push_back({q.value(0).toLongLong(), recipientLabel(q.value(1), q.value(2), q.value(3), q.value(4))});
    std::vector<SortKey> keys;
    keys.reserve(out.size());
    for (const Recipient &r : out)
        keys.emplace_back(r.label);
    std::vector<size_t> order(out.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return SortKey::compare(keys[a], keys[b]) < 0; });
    std::vector<Recipient> sorted;
    sorted.reserve(out.size());
    for (const size_t i : order)
        sorted.push_back(out[i]);
    return sorted;
}

ResultSet listMessages(const Db &db, const Session &user, std::optional<qint64> recipient)
{
    QString sql = QStringLiteral(
        "SELECT payamha.id, payamha.send_prs_id, payamha.rec_prs_id, users.us AS ferestande, payamha.send_dat, "
        "payamha.show_dat, payamha.mozo, payamha.cmt FROM payamha LEFT JOIN users ON payamha.send_prs_id = users.id");
    QVariantList values;
    if (user.karbar != QLatin1String("admin"))
        recipient = user.prsId;
    if (recipient) {
        sql += QStringLiteral(" WHERE payamha.rec_prs_id = ?");
        values << *recipient;
    }
    sql += QStringLiteral(" ORDER BY payamha.send_dat DESC, payamha.id DESC");
    ResultSet rows = db.select(sql, values);
    const int text = rows.columnIndex(QStringLiteral("cmt"));
    for (QVariantList &row : rows.rows)
        row[text] = decodeMessageText(row[text].toByteArray());
    return rows;
}

SendResult sendMessage(const Db &db, qint64 sender, const QList<qint64> &recipientIds, const QString &subject,
                       const QString &text, const QString &today)
{
    SendResult result;
    db.transaction([&] {
        result = {};
        for (const qint64 recipient : recipientIds) {
            const QVariant repeated = db.scalar(
                db.dialect().firstRows(QStringLiteral("SELECT id FROM payamha WHERE send_prs_id = ? AND rec_prs_id = ? "
                                                      "AND mozo = ? AND send_dat = ?"),
                                       1),
                {sender, recipient, subject, today});
            if (repeated.isValid()) {
                ++result.repeated;
                continue;
            }
            db.exec(QStringLiteral("INSERT INTO payamha (send_prs_id, rec_prs_id, send_dat, show_dat, mozo, cmt) "
                                   "VALUES (?, ?, ?, '', ?, ?)"),
                    {sender, recipient, today, subject, encodeMessageText(text)});
            ++result.sent;
        }
    });
    return result;
}

QString sendReport(const SendResult &result)
{
    QStringList lines;
    if (result.sent > 0)
        lines << QStringLiteral("ارسال انجام شد") << QStringLiteral("تعداد پيام ارسال شده: ") + QString::number(result.sent);
    else if (result.repeated > 0)
        lines << QStringLiteral("پيامي ارسال نشد");
    else
        lines << QStringLiteral("پيامي ارسال نشد؛ گيرنده اي انتخاب نشده است");
    if (result.repeated > 0)
        lines << QStringLiteral("تکراري امروز که ارسال نشد: ") + QString::number(result.repeated);
    return lines.join(QLatin1Char('\n'));
}

void markRead(const Db &db, qint64 messageId, const QString &today)
{
    db.exec(QStringLiteral("UPDATE payamha SET show_dat = ? WHERE id = ?"), {today, messageId});
}

QString partyLabel(const Db &db, qint64 messageId, Party party)
{
    const QString column = party == Party::Sender ? QStringLiteral("send_prs_id") : QStringLiteral("rec_prs_id");
    const ResultSet rows = db.select(QStringLiteral("SELECT users.ostan, users.lev, users.semat, users.nam FROM payamha "
                                                    "JOIN users ON payamha.%1 = users.id WHERE payamha.id = ?")
                                         .arg(column),
                                     {messageId});
    if (rows.empty())
        return {};
    const QVariantList &r = rows.rows.front();
    return recipientLabel(r[0], r[1], r[2], r[3]);
}

bool mayDeleteMessages(const Session &user)
{
    return user.karbar == QLatin1String("admin");
}

void deleteMessage(const Db &db, qint64 messageId)
{
    db.exec(QStringLiteral("DELETE FROM payamha WHERE id = ?"), {messageId});
}

int deleteReadMessages(const Db &db)
{
    return db.exec(QStringLiteral("DELETE FROM payamha WHERE show_dat <> ''")).numRowsAffected();
}

int deleteReadAmong(const Db &db, const QList<qint64> &messageIds)
{
    if (messageIds.isEmpty())
        return 0;
    QVariantList values;
    for (const qint64 id : messageIds)
        values << id;
    return db.exec(QStringLiteral("DELETE FROM payamha WHERE show_dat <> '' AND id IN (") + placeholders(values.size())
                       + QLatin1Char(')'),
                   values)
        .numRowsAffected();
}

}  // namespace bv

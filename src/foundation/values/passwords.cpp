#include "passwords.h"

#include "text.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace bv {

namespace {
const QString prefix = QStringLiteral("pbkdf2-sha256");
// Qt computes each HMAC round afresh; this count keeps a login under a tenth of a second.
constexpr int iterations = 20000;
constexpr int keyLength = 32;

QByteArray derive(const QString &plain, const QByteArray &salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, normalizeInput(plain).toUtf8(), salt, rounds,
                                              keyLength);
}

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}
}  // namespace

QString hashPassword(const QString &plain)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), salt.size() / 4);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(prefix)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(derive(plain, salt, iterations).toBase64()));
}

bool isPasswordHash(const QString &stored)
{
    return stored.startsWith(prefix + QLatin1Char('$')) && stored.count(QLatin1Char('$')) == 3;
}

bool verifyPassword(const QString &plain, const QString &stored)
{
    if (!isPasswordHash(stored))
        return normalizeInput(plain) == normalizeInput(stored);
    const QStringList parts = stored.split(QLatin1Char('$'));
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    if (!ok || rounds <= 0)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    return sameBytes(derive(plain, salt, rounds), expected);
}

}  // namespace bv

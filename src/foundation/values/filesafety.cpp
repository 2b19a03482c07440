#include "filesafety.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace bv {

QString safeExtension(const QString &stored)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.[A-Za-z0-9]{1,10}$"));
    const QString trimmed = stored.trimmed();
    return pattern.match(trimmed).hasMatch() ? trimmed : QString();
}

QString safeFileName(const QString &description)
{
    QString name = description;
    static const QRegularExpression separators(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(separators, QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("file") : name;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace bv

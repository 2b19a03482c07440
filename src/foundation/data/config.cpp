#include "config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

namespace bv {

namespace {
const QString localGroup = QStringLiteral("zelmarkan");
const QString internetGroup = QStringLiteral("internet");

// Shifts every character of the reversed text by `delta`, as bytes of code page
// 1256 where the converter knows it, else as Unicode code units.
QString shifted(const QString &text, int delta)
{
    QString reversed(text.size(), QChar());
    std::reverse_copy(text.begin(), text.end(), reversed.begin());
    QStringEncoder encode("windows-1256");
    QStringDecoder decode("windows-1256");
    if (encode.isValid() && decode.isValid()) {
        QByteArray bytes = encode(reversed);
        if (!encode.hasError()) {
            for (char &b : bytes)
                b = char(static_cast<unsigned char>(b) + delta);
            return decode(bytes);
        }
    }
    for (QChar &c : reversed)
        c = QChar(ushort(c.unicode() + delta));
    return reversed;
}
}  // namespace

AuthKind authKindOf(const QString &stored)
{
    if (stored == QLatin1String("SQL Server"))
        return AuthKind::SqlServer;
    if (stored == QLatin1String("Windows"))
        return AuthKind::Windows;
    if (stored == QLatin1String("Access"))
        return AuthKind::Access;
    if (stored == QLatin1String("SQLite"))
        return AuthKind::SQLite;
    if (stored == QLatin1String("PostgreSQL"))
        return AuthKind::PostgreSQL;
    return AuthKind::Unknown;
}

QString authText(AuthKind kind)
{
    switch (kind) {
    case AuthKind::SqlServer: return QStringLiteral("SQL Server");
    case AuthKind::Windows: return QStringLiteral("Windows");
    case AuthKind::Access: return QStringLiteral("Access");
    case AuthKind::SQLite: return QStringLiteral("SQLite");
    case AuthKind::PostgreSQL: return QStringLiteral("PostgreSQL");
    case AuthKind::Unknown: break;
    }
    return {};
}

QString scramble(const QString &plain)
{
    return shifted(plain, -1);
}

QString unscramble(const QString &stored)
{
    return shifted(stored, +1);
}

ConnectionConfig::ConnectionConfig(const QString &path)
{
    const QString file = path.isEmpty() ? defaultPath() : path;
    if (file.isEmpty())
        settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("zelmarkan"), QStringLiteral("Borvinat"));
    else
        settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

ConnectionConfig::~ConnectionConfig() = default;

QString ConnectionConfig::defaultPath()
{
    const QByteArray env = qgetenv("BORVINAT_CONFIG");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
#ifdef Q_OS_WIN
    return {};
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zelmarkan/Borvinat.conf");
#endif
}

QString ConnectionConfig::path() const
{
    return settings_->fileName();
}

bool ConnectionConfig::exists() const
{
    settings_->sync();
    settings_->beginGroup(localGroup);
    const bool any = !settings_->childKeys().isEmpty();
    settings_->endGroup();
    return any;
}

QString ConnectionConfig::read(const QString &group, const QString &name) const
{
    settings_->beginGroup(group);
    QString result;
    const QStringList keys = settings_->childKeys();
    for (const QString &key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            result = settings_->value(key).toString();
            break;
        }
    }
    settings_->endGroup();
    return result;
}

QString ConnectionConfig::value(const QString &name) const
{
    return read(localGroup, name);
}

QString ConnectionConfig::internetValue(const QString &name) const
{
    return read(internetGroup, name);
}

bool ConnectionConfig::store(const QString &group, const std::vector<std::pair<QString, QString>> &values)
{
    if (!settings_->isWritable())
        return false;
    settings_->beginGroup(group);
    const QStringList keys = settings_->childKeys();
    for (const auto &[name, text] : values) {
        QString key = name;
        for (const QString &existing : keys)
            if (existing.compare(name, Qt::CaseInsensitive) == 0)
                key = existing;
        settings_->setValue(key, text);
    }
    settings_->endGroup();
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        return false;
    if (settings_->format() == QSettings::IniFormat || QFileInfo(settings_->fileName()).isFile())
        QFile::setPermissions(settings_->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool ConnectionConfig::write(const std::vector<std::pair<QString, QString>> &values)
{
    return store(localGroup, values);
}

bool ConnectionConfig::writeInternet(const std::vector<std::pair<QString, QString>> &values)
{
    return store(internetGroup, values);
}

}  // namespace bv

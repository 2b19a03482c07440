#include "appsetup.h"

#include "dm.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace bv {

QString fontFolder()
{
    const QByteArray env = qgetenv("BORVINAT_FONTS");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    // Beside the program in a build; in the shared data folder when installed.
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts");
    if (QDir(beside).exists())
        return beside;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/borvinat/fonts"));
}

QString setUpApplication()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QString family;
    const QDir dir(fontFolder());
    for (const QString &file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id >= 0 && family.isEmpty() && !file.contains(QLatin1String("-FD-"))) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                family = families.first();
        }
    }
    if (!family.isEmpty()) {
        QFont font(family, 10);
        QApplication::setFont(font);
    }
    return family;
}

}  // namespace bv

namespace bv {

void shutDownApplication()
{
    windows::destroyAll();
    dm().main().close();
    dm().contracts().close();
    dm().xls().close();
}

}  // namespace bv

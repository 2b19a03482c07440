#include "attachment_saving.h"

#include "filesafety.h"

#include <QDir>
#include <QFileInfo>

namespace bv {

QString numberedSavePath(const QString &prefix, int number, const QString &body, const QString &extension)
{
    const QFileInfo chosen(prefix);
    const QString name = safeFileName(chosen.fileName() + QString::number(number) + body);
    return QDir(chosen.path()).filePath(name + safeExtension(extension));
}

SaveAllReport saveListedAttachments(const Db &db, const AttachmentTable &table, const ResultSet &rows,
                                    const QString &prefix, const SaveAllBody &body)
{
    SaveAllReport report;
    auto fail = [&](const QString &error) {
        ++report.failed;
        if (report.firstError.isEmpty())
            report.firstError = error;
    };
    for (int i = 0; i < rows.size(); ++i) {
        std::optional<StoredAttachment> file;
        QString name;
        try {
            file = fetchAttachment(db, table, rows.value(i, QStringLiteral("id")).toLongLong());
            if (file)
                name = body(i, *file);
        } catch (const DbError &e) {
            fail(e.text());
            continue;
        }
        if (!file) {
            fail({});
            continue;
        }
        QString error;
        if (writeFileAtomically(numberedSavePath(prefix, i + 1, name, file->extension), file->content, &error))
            ++report.saved;
        else
            fail(error);
    }
    return report;
}

QString saveAllMessage(const SaveAllReport &report)
{
    QString text = QStringLiteral("تعداد فايل هاي ذخيره شده: %1").arg(report.saved);
    if (report.failed > 0) {
        text += QStringLiteral("\nتعداد فايل هاي ذخيره نشده: %1").arg(report.failed);
        if (!report.firstError.isEmpty())
            text += QLatin1Char('\n') + report.firstError;
    }
    return text;
}

}  // namespace bv

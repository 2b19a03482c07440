#include "attachments.h"

#include "activitylog.h"
#include "conditions.h"
#include "filesafety.h"
#include "interaction.h"
#include "rowguard.h"
#include "schema_tables.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <memory>

namespace bv {

namespace {

const QString wrongPassword = QStringLiteral("رمز حذف اشتباه بود");
const QString registered = QStringLiteral("ثبت شد");
const QString attachmentLabel = QStringLiteral("شرح ضميمه");

QString bitmapNote(const QString &what, const QString &description)
{
    return QStringLiteral("لطفا ") + what + QStringLiteral(" را با شرح \"") + description
        + QStringLiteral("\" و با فرمت bmp ذخيره نماييد");
}

AttachmentTable owned(const char *name, const QString &caption, const char *ownerColumn, const QString &list,
                      const char *pageKey)
{
    return AttachmentTable{name,       AttachmentKind::Owned,      caption,
                           ownerColumn, attachmentLabel,           list,
                           {},          {},                        {},
                           {},          SaveMode::AskOpenIfTicked, true,
                           wrongPassword, {},                      pageKey};
}

AttachmentTable document(const char *name, const QString &caption, SaveMode save, const char *pageKey)
{
    return AttachmentTable{name, AttachmentKind::Document, caption, "", attachmentLabel, {}, {}, {}, {}, {},
                           save, true,                     wrongPassword, {},            pageKey};
}

int columnWidth(const char *table, const char *column)
{
    if (const schema::Table *t = schema::findTable(table))
        for (const schema::Column &c : t->columns)
            if (QString::fromLatin1(c.name) == QLatin1String(column))
                return c.width;
    return 0;
}

}  // namespace

QString AttachmentTable::keyColumn() const
{
    return kind == AttachmentKind::Program ? QStringLiteral("pk") : QStringLiteral("id");
}

QString AttachmentTable::extensionColumn() const
{
    return kind == AttachmentKind::Program ? QStringLiteral("pictype") : QStringLiteral("pictyp");
}

int AttachmentTable::descriptionWidth() const
{
    return columnWidth(name, "cmt");
}

int AttachmentTable::extensionWidth() const
{
    return columnWidth(name, kind == AttachmentKind::Program ? "pictype" : "pictyp");
}

namespace attachment {

const AttachmentTable &naghshe_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("naghshe_pic", QStringLiteral("ضمائم نقشه"), "naghshe_id",
                                  QStringLiteral("شرح ضمائم نقشه برداري"), "zamaem_n");
        a.bitmapDescription = QStringLiteral("تصوير نقشه");
        a.note = bitmapNote(QStringLiteral("تصوير نقشه روکش صورت وضعيت"), a.bitmapDescription);
        a.ownerTable = "naghshe";
        return a;
    }();
    return t;
}

const AttachmentTable &peymankar_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("peymankar_pic", QStringLiteral("ضمائم پيمانکار"), "peymankar_id",
                                  QStringLiteral("شرح ضمائم پيمانکاران"), "peymankar_pic");
        a.bitmapDescription = QStringLiteral("تصوير نقشه");
        a.addedMessage = registered;
        a.ownerTable = "peymankar";
        return a;
    }();
    return t;
}

const AttachmentTable &peymankaran_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("peymankaran_pic", QStringLiteral("ضمائم پيمانکاران"), "peymankar_id",
                                  QStringLiteral("شرح ضمائم پيمانکاران"), "peymankaran_pic");
        a.descriptionLabel = QStringLiteral("شرح مستند");
        a.bitmapDescription = QStringLiteral("تصوير نقشه");
        a.addedMessage = registered;
        return a;
    }();
    return t;
}

const AttachmentTable &borvinat_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("borvinat_pic", QStringLiteral("ضمائم مطالعات"), "borvinat_id",
                                  QStringLiteral("شرح ضمائم مطالعات"), "zamaem_m");
        a.bitmapDescription = QStringLiteral("تصوير صورتجلسه کميته تصويب انتخاب مشاور دفتر مرکزي");
        a.note = bitmapNote(QStringLiteral("صورتجلسه کميته تصويب انتخاب مشاور دفتر مرکزي"), a.bitmapDescription);
        a.addedMessage = registered;
        a.ownerTable = "borvinat";
        return a;
    }();
    return t;
}

const AttachmentTable &moshaveran_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("moshaveran_pic", QStringLiteral("ضمائم مشاوران"), "moshaveran_id",
                                  QStringLiteral("شرح ضمائم مشاوران"), "zamaem_m");
        a.bitmapDescription = QStringLiteral("تصوير نقشه");
        a.save = SaveMode::ViewAtOnce;
        return a;
    }();
    return t;
}

const AttachmentTable &sabti_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = owned("sabti_pic", QStringLiteral("ضمائم ثبتي"), "sabti_id",
                                  QStringLiteral("شرح ضمائم ثبتي"), "zamaem_n");
        a.wrongPasswordMessage.clear();
        a.deleteLog = QStringLiteral(" حذف ضمائم ثبتي ");
        return a;
    }();
    return t;
}

const AttachmentTable &sabti_peyman_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a =
            owned("sabti_peyman_pic", QStringLiteral("ضمائم پيمانکاران ثبتي"), "peyman_id", {}, "zamaem_n");
        a.wrongPasswordMessage.clear();
        a.deleteLog = QStringLiteral(" حذف ضمائم  پيمانکاران ثبتي ");
        return a;
    }();
    return t;
}

const AttachmentTable &sabti_mokatebat_pic()
{
    static const AttachmentTable t = [] {
        AttachmentTable a =
            owned("sabti_mokatebat_pic", QStringLiteral("ضمائم مکاتبات ثبتي"), "mokatebat_id", {}, "zamaem_n");
        a.wrongPasswordMessage.clear();
        a.deleteLog = QStringLiteral(" حذف ضمائم مکاتبات  ثبتي ");
        return a;
    }();
    return t;
}

const AttachmentTable &mostanadat()
{
    static const AttachmentTable t =
        document("mostanadat", QStringLiteral("مستندات"), SaveMode::ViewAtOnce, "zamaem_n");
    return t;
}

const AttachmentTable &naghshe_mostanadat()
{
    static const AttachmentTable t =
        document("naghshe_mostanadat", QStringLiteral("مستندات نقشه برداري"), SaveMode::ViewAtOnce, "zamaem_n");
    return t;
}

const AttachmentTable &borvinat_mostanadat()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = document("borvinat_mostanadat", QStringLiteral("مستندات مطالعات"),
                                     SaveMode::AskOpenIfTicked, "zamaem_m");
        a.fixedDescriptions = {QStringLiteral("استانداري"), QStringLiteral("برنامه و بودجه"),
                               QStringLiteral("دفتر مرکزي"), QStringLiteral("ساير ادارات")};
        return a;
    }();
    return t;
}

const AttachmentTable &sabti_mostanadat()
{
    static const AttachmentTable t = [] {
        AttachmentTable a =
            document("sabti_mostanadat", QStringLiteral("مستندات ثبتي"), SaveMode::AskThenOpen, "zamaem_n");
        a.wrongPasswordMessage.clear();
        a.deleteLog = QStringLiteral(" حذف مستندات ثبتي ");
        return a;
    }();
    return t;
}

const AttachmentTable &zamaem()
{
    static const AttachmentTable t = [] {
        AttachmentTable a = document("zamaem", QStringLiteral("ضمائم برنامه"), SaveMode::AskThenOpen, "zamaem");
        a.kind = AttachmentKind::Program;
        a.fixedDescriptions = {
            QStringLiteral("آخرين نسخه نرم افزار"),
            QStringLiteral("تصوير امضا آرشيو فني"),
            QStringLiteral("تصوير امضا چک ليست ارزيابي اوليه"),
            QStringLiteral("تصوير امضا چک ليست ارزيابي نهايي"),
            QStringLiteral("تصوير امضا عامل چهارم"),
            QStringLiteral("تصوير امضا کارشناس جي آي اس"),
            QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات"),
            QStringLiteral("تصوير امضا مديرکل"),
            QStringLiteral("تصوير امضا معاون ذيحساب"),
            QStringLiteral("تصوير امضا معاون عمران روستايي"),
            QStringLiteral("تصوير امضا نقشه بردار"),
            QStringLiteral("راهنمايي حل مشکل نمايش فونت ها"),
            QStringLiteral("فايل تفاهمنامه مطالعات"),
            QStringLiteral("فايل موافقت نامه مطالعات-بازنگري"),
            QStringLiteral("فايل موافقت نامه مطالعات-تعيين محدوده"),
            QStringLiteral("فايل موافقت نامه مطالعات-هادي"),
            QStringLiteral("فايل موافقت نامه نقشه برداري"),
            QStringLiteral("فايل موافقت نامه نقشه برداري - بند1"),
            QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس200"),
            QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس500"),
            QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست5 - مقياس200"),
            QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست5 - مقياس500"),
            QStringLiteral("مدارک اوراق نقشه برداري"),
        };
        a.note = QStringLiteral("*جهت حذف هر مورد بر روي آن کليک راست نماييد.");
        a.addedMessage = registered;
        a.askDeletePassword = false;
        a.wrongPasswordMessage.clear();
        return a;
    }();
    return t;
}

const std::vector<const AttachmentTable *> &all()
{
    static const std::vector<const AttachmentTable *> tables = {
        &naghshe_pic(),      &peymankar_pic(),      &peymankaran_pic(),      &borvinat_pic(),
        &moshaveran_pic(),   &sabti_pic(),          &sabti_peyman_pic(),     &sabti_mokatebat_pic(),
        &mostanadat(),       &naghshe_mostanadat(), &borvinat_mostanadat(), &sabti_mostanadat(),
        &zamaem(),
    };
    return tables;
}

}  // namespace attachment

QStringList descriptionChoices(const Db &db, const AttachmentTable &table)
{
    if (table.descriptionList.isEmpty())
        return table.fixedDescriptions;
    QStringList items;
    QSqlQuery q = db.exec(QStringLiteral("SELECT cmt FROM setting WHERE component = ? ORDER BY ")
                              + db.dialect().persianOrder(QStringLiteral("cmt")),
                          {table.descriptionList});
    while (q.next())
        items << q.value(0).toString();
    return items;
}

QString extensionOf(const QString &path, int width)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return {};
    const QString extension = safeExtension(QLatin1Char('.') + suffix);
    return extension.size() <= width ? extension : QString();
}

ResultSet listAttachments(const Db &db, const AttachmentTable &table, qint64 owner, const QString &search)
{
    const QString byDescription = db.dialect().persianOrder(QStringLiteral("cmt"));
    Conditions where(db.dialect());
    QString columns;
    QString order = QStringLiteral(" ORDER BY radif");
    switch (table.kind) {
    case AttachmentKind::Owned:
        columns = QStringLiteral("ROW_NUMBER() OVER (ORDER BY %1) AS radif, id, %2, cmt, pictyp")
                      .arg(byDescription, table.owner());
        where.compare(table.owner(), Conditions::Op::Equal, owner);
        break;
    case AttachmentKind::Document:
        columns = QStringLiteral("ROW_NUMBER() OVER (ORDER BY %1) AS radif, id, cmt, pictyp").arg(byDescription);
        break;
    case AttachmentKind::Program:
        // The signature passwords stay out of the list.
        columns = QStringLiteral("pk, CASE WHEN ramz IS NULL OR ramz = '' THEN '' ELSE '*****' END AS ramz, "
                                 "cmt, pictype");
        order = QStringLiteral(" ORDER BY ") + byDescription + QStringLiteral(", pk");
        break;
    }
    if (table.kind != AttachmentKind::Owned && !search.isEmpty())
        where.contains(QStringLiteral("cmt"), search);
    return db.select(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table.table() + where.where()
                         + order,
                     where.values());
}

AddResult addAttachment(const Db &db, const AttachmentTable &table, const QList<qint64> &owners,
                        const NewAttachment &file)
{
    AddResult result;
    const QString into = QStringLiteral("INSERT INTO ") + table.table();
    db.transaction([&] {
        switch (table.kind) {
        case AttachmentKind::Owned:
            for (const qint64 owner : owners) {
                // Locked, so the owner cannot be deleted before the file is stored.
                if (table.ownerTable && !lockRow(db, QString::fromLatin1(table.ownerTable), owner)) {
                    ++result.skippedOwners;
                    continue;
                }
                db.exec(into + QStringLiteral(" (%1, cmt, pictyp, pic) VALUES (?, ?, ?, ?)").arg(table.owner()),
                        {owner, file.description, file.extension, file.content});
            }
            break;
        case AttachmentKind::Document:
            if (db.scalar(db.dialect().firstRows(
                              QStringLiteral("SELECT cmt FROM ") + table.table() + QStringLiteral(" WHERE cmt = ?"), 1),
                          {file.description})
                    .isValid()) {
                result.outcome = AddOutcome::DuplicateDescription;
                return;
            }
            db.exec(into + QStringLiteral(" (cmt, pictyp, pic) VALUES (?, ?, ?)"),
                    {file.description, file.extension, file.content});
            break;
        case AttachmentKind::Program:
            db.exec(into + QStringLiteral(" (cmt, ramz, pictype, pic) VALUES (?, ?, ?, ?)"),
                    {file.description, file.password, file.extension, file.content});
            break;
        }
    });
    return result;
}

std::optional<StoredAttachment> fetchAttachment(const Db &db, const AttachmentTable &table, qint64 key)
{
    const ResultSet rows = db.select(QStringLiteral("SELECT cmt, %1, pic FROM %2 WHERE %3 = ?")
                                         .arg(table.extensionColumn(), table.table(), table.keyColumn()),
                                     {key});
    if (rows.empty())
        return std::nullopt;
    const QVariantList &r = rows.rows.front();
    return StoredAttachment{r[0].toString(), r[1].toString(), r[2].toByteArray()};
}

void deleteAttachment(const Db &db, const AttachmentTable &table, qint64 key, const QString &user,
                      const QString &logText)
{
    db.transaction([&] {
        db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table.table(), table.keyColumn()), {key});
        if (!logText.isEmpty())
            writeLog(db, user, logText);
    });
}

QString saveAttachmentAs(const StoredAttachment &file, const QString &suggestedName)
{
    const QString chosen = ui().saveFileName(QStringLiteral("ذخيره فايل"),
                                             safeFileName(suggestedName.isEmpty() ? file.description : suggestedName));
    if (chosen.isEmpty())
        return {};
    // The stored extension only ever adds a plain suffix to the chosen name.
    const QString extension = safeExtension(file.extension);
    const QString path = chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
    QString error;
    if (!writeFileAtomically(path, file.content, &error)) {
        ui().message(error, MessageKind::Error);
        return {};
    }
    return path;
}

QString writeViewingCopy(const StoredAttachment &file)
{
    // One folder for the run, readable by this user only, removed at exit.
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder || !folder->isValid())
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/borvinat-XXXXXX"));
    QString error = folder->errorString();
    if (folder->isValid()) {
        QTemporaryFile copy(folder->filePath(safeFileName(file.description).left(60) + QStringLiteral("-XXXXXX")
                                             + safeExtension(file.extension)));
        copy.setAutoRemove(false);
        if (copy.open() && copy.write(file.content) == file.content.size() && copy.flush()) {
            copy.close();
            return copy.fileName();
        }
        error = copy.errorString();
        copy.remove();
    }
    ui().message(error, MessageKind::Error);
    return {};
}

bool isExecutableExtension(const QString &extension)
{
    static const QSet<QString> executable = {
        QStringLiteral("exe"),  QStringLiteral("com"),      QStringLiteral("bat"),     QStringLiteral("cmd"),
        QStringLiteral("msi"),  QStringLiteral("msp"),      QStringLiteral("scr"),     QStringLiteral("pif"),
        QStringLiteral("cpl"),  QStringLiteral("hta"),      QStringLiteral("jar"),     QStringLiteral("js"),
        QStringLiteral("jse"),  QStringLiteral("vbs"),      QStringLiteral("vbe"),     QStringLiteral("wsf"),
        QStringLiteral("wsh"),  QStringLiteral("ps1"),      QStringLiteral("psm1"),    QStringLiteral("reg"),
        QStringLiteral("lnk"),  QStringLiteral("scf"),      QStringLiteral("sh"),      QStringLiteral("bash"),
        QStringLiteral("run"),  QStringLiteral("bin"),      QStringLiteral("appimage"), QStringLiteral("desktop"),
        QStringLiteral("py"),   QStringLiteral("pl"),       QStringLiteral("rb"),      QStringLiteral("apk"),
    };
    QString bare = extension.trimmed().toLower();
    while (bare.startsWith(QLatin1Char('.')))
        bare.remove(0, 1);
    return executable.contains(bare);
}

bool openAttachmentFile(const QString &path)
{
    if (isExecutableExtension(QFileInfo(path).suffix()) && !ui().question(executableQuestion))
        return false;
    return ui().openWithDesktop(path);
}

std::optional<StoredAttachment> findProgramDocument(const Db &db, const QString &description)
{
    const ResultSet rows =
        db.select(QStringLiteral("SELECT cmt, pictype, pic FROM zamaem WHERE cmt = ? ORDER BY pk"), {description});
    if (rows.empty())
        return std::nullopt;
    const QVariantList &r = rows.rows.front();
    return StoredAttachment{r[0].toString(), r[1].toString(), r[2].toByteArray()};
}

ProgramDocumentOutcome openProgramDocument(const Db &db, const QString &description, ProgramDocumentCopy copy)
{
    const std::optional<StoredAttachment> file = findProgramDocument(db, description);
    if (!file)
        return ProgramDocumentOutcome::Missing;
    if (file->content.isEmpty())
        return ProgramDocumentOutcome::NotOpened;
    const QString path = copy == ProgramDocumentCopy::SavedAs ? saveAttachmentAs(*file) : writeViewingCopy(*file);
    return !path.isEmpty() && openAttachmentFile(path) ? ProgramDocumentOutcome::Opened
                                                       : ProgramDocumentOutcome::NotOpened;
}

}  // namespace bv

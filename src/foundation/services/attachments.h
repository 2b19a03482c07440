#pragma once
// The attachment store: files kept in the database, one row per file with its
// description and extension. Each attachment table is described once here; one
// window class serves them all. Lists never read the file contents.
#include "db.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bv {

enum class AttachmentKind {
    Owned,     // each row belongs to a record through the owner column
    Document,  // free-standing files with unique descriptions
    Program,   // files the program looks up by description
};

// What a click on a listed file does.
enum class SaveMode {
    AskOpenIfTicked,  // save where the user says, open when "پس از ذخيره باز شود" is ticked
    AskThenOpen,      // save where the user says, then open
    ViewAtOnce,       // open a private copy at once, without asking where
};

// Where an owned attachment goes: the current owner ("1") or every listed owner ("2").
enum class AddMode { One, All };

struct AttachmentTable {
    const char *name;            // table and window name
    AttachmentKind kind;
    QString caption;
    const char *ownerColumn;     // owned tables only
    QString descriptionLabel;
    QString descriptionList;     // lookup list offering descriptions; empty when none
    QStringList fixedDescriptions;
    QString bitmapDescription;   // the description whose file must be a bitmap
    QString note;                // shown under the description
    QString addedMessage;        // shown after an add; empty: only the marker turns green
    SaveMode save;
    bool askDeletePassword;
    QString wrongPasswordMessage;  // empty: a wrong password is refused silently
    QString deleteLog;           // activity-log text of a delete, followed by the job code; empty: none
    const char *pageKey;
    // The owners' table, keyed by "id": an owner deleted meanwhile gets no file.
    const char *ownerTable = nullptr;

    QString table() const { return QString::fromLatin1(name); }
    QString owner() const { return QString::fromLatin1(ownerColumn); }
    QString keyColumn() const;
    QString extensionColumn() const;
    // Widths of the description and extension columns.
    int descriptionWidth() const;
    int extensionWidth() const;
};

namespace attachment {
const AttachmentTable &naghshe_pic();
const AttachmentTable &peymankar_pic();
const AttachmentTable &peymankaran_pic();
const AttachmentTable &borvinat_pic();
const AttachmentTable &moshaveran_pic();
const AttachmentTable &sabti_pic();
const AttachmentTable &sabti_peyman_pic();
const AttachmentTable &sabti_mokatebat_pic();
const AttachmentTable &mostanadat();
const AttachmentTable &naghshe_mostanadat();
const AttachmentTable &borvinat_mostanadat();
const AttachmentTable &sabti_mostanadat();
const AttachmentTable &zamaem();
// Every attachment table.
const std::vector<const AttachmentTable *> &all();
}  // namespace attachment

inline const QString addFailedMessage = QStringLiteral("خطايي در ثبت رخ داده است!");
inline const QString skippedOwnersMessage =
    QStringLiteral("اين تعداد از موارد ليست پيش تر توسط كاربر ديگري حذف شده بود و ضميمه براي آنها ثبت نشد: ");
inline const QString duplicateDescriptionMessage = QStringLiteral("قبلا ثبت شده است وشرح تکراري است");

// The descriptions offered: the lookup list in alphabetical order, or the fixed items.
QStringList descriptionChoices(const Db &db, const AttachmentTable &table);

// The stored extension of a chosen file: its suffix with the dot when it is a
// safe extension that fits the column; empty otherwise.
QString extensionOf(const QString &path, int width);

// The list of a window, numbered by description, without the contents. Owned
// tables list the rows of `owner`; the others the rows whose description
// contains `search`. Program attachments show their passwords masked.
ResultSet listAttachments(const Db &db, const AttachmentTable &table, qint64 owner, const QString &search = {});

struct NewAttachment {
    QString description;
    QString extension;
    QByteArray content;
    QString password;  // program attachments only
};

enum class AddOutcome { Stored, DuplicateDescription };
struct AddResult {
    AddOutcome outcome = AddOutcome::Stored;
    int skippedOwners = 0;  // owners another clerk had deleted
};

// Adds the file once per owner (owned tables) or once (the others), all in one
// transaction: a failure stores nothing. Where the table names its owner table,
// each owner's row is locked meanwhile and an owner no longer stored is skipped
// and counted. A document whose description is taken is refused. Throws DbError.
AddResult addAttachment(const Db &db, const AttachmentTable &table, const QList<qint64> &owners,
                        const NewAttachment &file);

struct StoredAttachment {
    QString description;
    QString extension;
    QByteArray content;
};

// One row's file; nullopt when the row is gone.
std::optional<StoredAttachment> fetchAttachment(const Db &db, const AttachmentTable &table, qint64 key);

// Deletes one row; with a log text, the activity-log row of `user` is written in
// the same transaction. Throws DbError.
void deleteAttachment(const Db &db, const AttachmentTable &table, qint64 key, const QString &user = {},
                      const QString &logText = {});

// Saving and opening files, through the user's dialogs.
// Asks where to save (suggesting `suggestedName`, else the description) and
// writes the file with its stored extension; the saved path, empty when
// cancelled or not written.
QString saveAttachmentAs(const StoredAttachment &file, const QString &suggestedName = {});
// Writes a copy for viewing under a unique name in this run's private folder.
QString writeViewingCopy(const StoredAttachment &file);
// True for extensions of files the desktop would run rather than show.
bool isExecutableExtension(const QString &extension);
// Opens a saved file with the desktop's program, asking first for an executable type.
bool openAttachmentFile(const QString &path);

// Program documents: files of `zamaem` the program looks up by description.
// The first one registered under that description; nullopt when none. Throws DbError.
std::optional<StoredAttachment> findProgramDocument(const Db &db, const QString &description);

enum class ProgramDocumentOutcome {
    Missing,    // no program document of that description
    Opened,
    NotOpened,  // empty, not written, refused at the executable question, or no program opened it
};
// Where the opened copy goes: a private copy for viewing, or a file the user
// names (suggested: the description) and keeps; a cancelled choice opens nothing.
enum class ProgramDocumentCopy { Private, SavedAs };
// Finds a program document, writes its copy and opens it with the desktop's
// program, asking first for an executable type. Throws DbError.
ProgramDocumentOutcome openProgramDocument(const Db &db, const QString &description,
                                           ProgramDocumentCopy copy = ProgramDocumentCopy::Private);

inline const QString executableQuestion =
    QStringLiteral("اين فايل از نوع اجرايي است و با باز کردن آن اجرا مي شود. آيا باز شود؟");

}  // namespace bv

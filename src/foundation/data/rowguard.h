#pragma once
// Keeps two clerks from overwriting each other: an entry window remembers the
// row as it loaded it, and its save writes only while the stored row still
// holds those values, checked with the row locked inside the save's
// transaction. Needs no version column, so older databases work as they are.
#include "db.h"

#include <QMap>
#include <functional>
#include <optional>

namespace bv {

class RowGuard {
public:
    // Guards `columns` of rows of `table` found by `key`; the names come from
    // the code, never from the user. Rows are keyed by lower-case column names.
    RowGuard(QString table, QStringList columns, QString key = QStringLiteral("id"));
    // Guards the set of rows sharing `key` (a user's rights, say), each named
    // by its first column: the loaded "row" maps that name to the rest, and a
    // change names the rows added, removed or changed. No rows is a valid set.
    // The row of `ownerTable` whose "id" is the key is locked first: two first
    // saves of an empty set then cannot both insert, and a set whose owner is
    // gone counts as deleted.
    static RowGuard rowSet(QString table, QStringList columns, QString key, QString ownerTable);

    // The field names the clerk sees, for the list of changed fields; a column
    // without one is named as it is.
    void setLabel(const QString &column, const QString &label)
    {
        if (!label.isEmpty())
            labels_[column.toLower()] = label;
    }
    QString label(const QString &column) const { return labels_.value(column.toLower(), column); }

    // Reads the row as stored now and remembers it; nullopt when there is no
    // such row (a save then reports it deleted).
    std::optional<Row> load(const Db &db, const QVariant &key);
    // load() laid over the row a browser listed a while ago, for the window to
    // show the row as stored now; a database error is shown and leaves `listed`.
    Row loadOver(const Db &db, const QVariant &key, const Row &listed);
    // Takes `row` as the loaded row of `key` without reading it, for a row a
    // list read a while ago: a write then checks the stored row against it.
    void remember(const QVariant &key, const Row &row);
    const QVariant &key() const { return key_; }
    const Row &loaded() const { return loaded_; }

    // What the check inside a write found.
    struct Outcome {
        enum Kind { Written, Changed, Deleted } kind = Written;
        QStringList changed;  // columns (lower case) whose stored value is not the loaded one
        Row stored;           // the row as stored now (Changed)
    };
    // Runs `write` in one transaction only when the stored row still holds what
    // was loaded; the row written becomes the loaded one. Otherwise nothing is
    // written. A failure of `write` rolls everything back and is rethrown.
    Outcome write(const Db &db, const std::function<void()> &write);
    // Takes the stored row as the loaded one: the clerk chose to overwrite it.
    void adopt(const Row &stored) { loaded_ = stored; }

    // write() with the clerk deciding a conflict: told which fields another
    // user changed, the clerk reloads the window (`reload` gets the stored row)
    // or overwrites them. A deleted row is reported and nothing is written.
    // True when written.
    bool save(const Db &db, const std::function<void()> &write, const std::function<void(const Row &)> &reload);

    // The notice that names the changed fields and says nothing was saved, and
    // the question that follows it with the choice to reload.
    QString changedNotice(const QStringList &columns) const;
    QString changedQuestion(const QStringList &columns) const;

private:
    std::optional<Row> read(const Db &db, const QStringList &statements) const;
    QString plainRead() const;
    QString table_, key_column_, owner_table_;
    QStringList columns_;
    bool rowSet_ = false;
    QMap<QString, QString> labels_;
    QVariant key_;
    Row loaded_;
};

// Inside a transaction: keeps other writers off the row of `table` whose
// `key` is `id` until the transaction ends. False when there is no such row.
bool lockRow(const Db &db, const QString &table, const QVariant &id, const QString &key = QStringLiteral("id"));

// What a bulk action says of the rows it changed, counted as they were when it ran.
inline QString changedCountMessage(int changed)
{
    return QStringLiteral(" اين تعداد تغيير يافتند ") + QString::number(changed);
}
inline QString doneChangedMessage(int changed)
{
    return QStringLiteral("انجام شد") + QLatin1Char('\n') + changedCountMessage(changed);
}

inline const QString rowDeletedMessage =
    QStringLiteral("اين ركورد پس از باز شدن پنجره توسط كاربر ديگري حذف شده است؛ چيزي ذخيره نشد");
inline const QString alreadyDeletedMessage = QStringLiteral("اين ركورد پيش تر توسط كاربر ديگري حذف شده است");
// After a delete: "حذف شد", or that another clerk had already deleted the row.
void reportDelete(bool found);
inline const QString overwriteQuestion = QStringLiteral("مقادير شما به جاي مقادير كاربر ديگر ذخيره شود؟");

}  // namespace bv

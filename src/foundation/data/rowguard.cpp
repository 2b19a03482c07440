#include "rowguard.h"

#include "interaction.h"

namespace bv {

namespace {
// Both values come from the same statement on the same engine, so equal
// stored values read back equal.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() == b.typeId())
        return a == b;
    return a.toString() == b.toString();
}
}  // namespace

RowGuard::RowGuard(QString table, QStringList columns, QString key)
    : table_(std::move(table)), key_column_(std::move(key))
{
    for (const QString &c : columns)
        columns_ << c.toLower();
}

RowGuard RowGuard::rowSet(QString table, QStringList columns, QString key, QString ownerTable)
{
    RowGuard guard(std::move(table), std::move(columns), std::move(key));
    guard.rowSet_ = true;
    guard.owner_table_ = std::move(ownerTable);
    return guard;
}

QString RowGuard::plainRead() const
{
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(columns_.join(QStringLiteral(", ")), table_, key_column_);
}

std::optional<Row> RowGuard::read(const Db &db, const QStringList &statements) const
{
    std::vector<Row> rows;
    for (const QString &sql : statements) {
        if (sql.startsWith(QLatin1String("SELECT")))
            rows = db.rows(sql, {key_});
        else
            db.exec(sql, {key_});
    }
    if (!rowSet_)
        return rows.empty() ? std::nullopt : std::optional<Row>(rows.front());
    // Folded by name, so the order of the rows does not matter.
    Row set;
    for (const Row &r : rows) {
        QVariantList rest;
        for (int i = 1; i < columns_.size(); ++i)
            rest << r.value(columns_[i]).toString();
        set.insert(r.value(columns_[0]).toString(), rest);
    }
    return set;
}

std::optional<Row> RowGuard::load(const Db &db, const QVariant &key)
{
    key_ = key;
    // Never the previous row's values, should the read fail.
    loaded_.clear();
    const std::optional<Row> row = read(db, {plainRead()});
    if (!row) {
        // The key stays: a save then reports the row deleted.
        loaded_.clear();
        return std::nullopt;
    }
    loaded_ = *row;
    return row;
}

void RowGuard::remember(const QVariant &key, const Row &row)
{
    key_ = key;
    loaded_.clear();
    for (const QString &c : columns_)
        if (row.contains(c))
            loaded_.insert(c, row.value(c));
}

Row RowGuard::loadOver(const Db &db, const QVariant &key, const Row &listed)
{
    Row row = listed;
    try {
        if (const std::optional<Row> stored = load(db, key))
            row.insert(*stored);
    } catch (const DbError &e) {
        // The window shows the listed row, so the save checks against it.
        if (!rowSet_)
            for (const QString &c : columns_)
                if (listed.contains(c))
                    loaded_.insert(c, listed.value(c));
        ui().message(e.text(), MessageKind::Error);
    }
    return row;
}

RowGuard::Outcome RowGuard::write(const Db &db, const std::function<void()> &work)
{
    Outcome out;
    std::optional<Row> written;
    db.transaction([&] {
        if (!owner_table_.isEmpty() && !lockRow(db, owner_table_, key_)) {
            out.kind = Outcome::Deleted;
            return;
        }
        const std::optional<Row> stored =
            read(db, db.dialect().lockedRowRead(table_, columns_.join(QStringLiteral(", ")), key_column_));
        if (!stored) {
            out.kind = Outcome::Deleted;
            return;
        }
        QStringList names = columns_;
        if (rowSet_) {
            names = stored->keys();
            for (const QString &name : loaded_.keys())
                if (!stored->contains(name))
                    names << name;
        }
        for (const QString &name : names)
            if (stored->contains(name) != loaded_.contains(name)
                || !sameValue(stored->value(name), loaded_.value(name)))
                out.changed << name;
        if (!out.changed.isEmpty()) {
            out.kind = Outcome::Changed;
            out.stored = *stored;
            return;
        }
        work();
        written = read(db, {plainRead()});
    });
    // The row as written, so a second save from the same window is no conflict;
    // taken only once committed, so a failed commit leaves the loaded row.
    if (written)
        loaded_ = *written;
    return out;
}

bool lockRow(const Db &db, const QString &table, const QVariant &id, const QString &key)
{
    bool found = false;
    for (const QString &sql : db.dialect().lockedRowRead(table, key, key)) {
        if (sql.startsWith(QLatin1String("SELECT")))
            found = !db.rows(sql, {id}).empty();
        else
            db.exec(sql, {id});
    }
    return found;
}

void reportDelete(bool found)
{
    if (found)
        ui().message(QStringLiteral("حذف شد"));
    else
        ui().message(alreadyDeletedMessage, MessageKind::Warning);
}

QString RowGuard::changedNotice(const QStringList &columns) const
{
    QStringList names;
    // A date and its approval may share their step's name.
    for (const QString &c : columns)
        if (!names.contains(label(c)))
            names << label(c);
    return QStringLiteral("كاربر ديگري پس از باز شدن اين پنجره اين موارد را تغيير داده است:\n")
        + names.join(QStringLiteral("، "))
        + QStringLiteral("\nچيزي ذخيره نشد.");
}

QString RowGuard::changedQuestion(const QStringList &columns) const
{
    return changedNotice(columns) + QStringLiteral(" مقادير كاربر ديگر در پنجره بارگذاري شود؟");
}

bool RowGuard::save(const Db &db, const std::function<void()> &work, const std::function<void(const Row &)> &reload)
{
    for (;;) {
        const Outcome out = write(db, work);
        switch (out.kind) {
        case Outcome::Written:
            return true;
        case Outcome::Deleted:
            ui().message(rowDeletedMessage, MessageKind::Warning);
            return false;
        case Outcome::Changed:
            if (ui().question(changedQuestion(out.changed))) {
                loaded_ = out.stored;
                reload(out.stored);
                return false;
            }
            if (!ui().question(overwriteQuestion))
                return false;
            // Checked again on the next pass: a third clerk may have saved meanwhile.
            adopt(out.stored);
            break;
        }
    }
}

}  // namespace bv

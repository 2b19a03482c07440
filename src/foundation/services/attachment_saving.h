#pragma once
// "Save all" of an attachment search: every listed file written under one
// chosen prefix, numbered in list order. No widgets.
#include "attachments.h"

#include <functional>

namespace bv {

// The file of listed row `number` under the chosen `prefix` (a folder and the
// start of a name): prefix + number + the row's name body + its extension,
// always in the prefix's folder whatever the stored texts hold.
QString numberedSavePath(const QString &prefix, int number, const QString &body, const QString &extension);

struct SaveAllReport {
    int saved = 0;
    int failed = 0;
    QString firstError;
};
// The name body of listed row `row` for its file; may throw DbError.
using SaveAllBody = std::function<QString(int row, const StoredAttachment &file)>;
// Reads each listed row's file by its `id`, numbered from 1 in list order; a
// row that fails is counted and the others go on.
SaveAllReport saveListedAttachments(const Db &db, const AttachmentTable &table, const ResultSet &rows,
                                    const QString &prefix, const SaveAllBody &body);
// The closing message: files saved and, when any, files not saved.
QString saveAllMessage(const SaveAllReport &report);

}  // namespace bv

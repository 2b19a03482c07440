#pragma once
// The letters of registration jobs (table `sabti_mokatebat`): the checks and
// the insert of a new letter, the search over the letters of all jobs, their
// deletion and the saving of the listed letters' attachments. No widgets.
#include "conditions.h"
#include "db.h"
#include "listtext.h"

#include <optional>

namespace bv::sabt {

// A typed letter, each text normalised by the box that typed it.
struct LetterTexts {
    QString paper_no, paper_dat, taraf, typ, post, mozo;
};

// What the checks of a new letter found.
enum class LetterCheck {
    Free,             // no letter uses the number
    NumberUsed,       // a letter (of any job) uses the number: the user decides
    SameLetter,       // the job has a letter of the same number, party and subject: refused
};
LetterCheck checkLetter(const Db &db, qint64 job, const LetterTexts &letter);
inline const QString sameLetterMessage = QStringLiteral("شماره نامه، موضوع و طرف مکاتبه تکراريست");
inline const QString numberUsedQuestion = QStringLiteral("هشدار! شماره نامه تکراريست. آيا ميخواهيد ادامه دهيد؟");

// Throws DbError.
qint64 addLetter(const Db &db, qint64 job, const LetterTexts &letter);

// The letters of one job, in registration order.
ResultSet jobLetters(const Db &db, qint64 job);

// Each filter that is set narrows the search, which covers the letters of all jobs.
struct LetterFilters {
    std::optional<QString> paper_no;
    std::optional<std::pair<QString, QString>> dates;  // paper_dat from, to (inclusive)
    std::optional<QString> taraf, typ, post, mozo;
};
Conditions letterConditions(const Dialect &dialect, const LetterFilters &filters);
int letterCount(const Db &db, const Conditions &conditions);
ResultSet letterList(const Db &db, const Conditions &conditions);

const Headings &letterHeadings();

// Attachments of a letter, which its deletion keeps.
int attachmentsOfLetter(const Db &db, qint64 letter);
QString attachmentsStayQuestion(int attachments);
// Throws DbError.
void deleteLetter(const Db &db, qint64 letter);

// Writes the attachments of the listed letters (rows with `id` and `mozo`) as
// files into `folder`, each named prefix + the letter's number in the list
// (from 1) + its subject + "_" + a running number + the stored extension,
// made safe as a file name. A letter counts as saved when every one of its
// attachments was written.
struct SavedAttachments {
    int letters = 0;   // letters with attachments, all written
    int files = 0;
    int skipped = 0;   // letters of which a file could not be written
};
SavedAttachments saveListAttachments(const Db &db, const ResultSet &letters, const QString &folder,
                                     const QString &prefix);
QString savedMessage(const SavedAttachments &saved);

}  // namespace bv::sabt

#pragma once
// Registering and editing survey projects: the columns a project stores, the
// reading of typed numbers, the checks and the statements. No widgets.
#include "db.h"
#include "villages.h"

#include <QMap>
#include <optional>

namespace bv::survey {

// The columns a project's entry window writes, in statement order.
const QStringList &projectColumns();

// The typed texts of a project by column.
using Typed = QMap<QString, QString>;

// The values bound for `projectColumns()`: numbers read in the program (an
// empty number is 0), money as numbers, texts as typed. `error` names the field
// of the first unreadable number, and then nothing may be written.
struct ProjectValues {
    QVariantList values;
    QString error;
};
ProjectValues readProject(const Typed &typed);

// The text an input shows for a stored value of `column`: amounts and measures
// as plain exact decimals ("1250000.5", "16.27"), "/" of older measures read
// as the point; other values as stored.
QString storedText(const QString &column, const QVariant &value);

using bv::provinceKnown;
using bv::provinceMessage;

bool projectExists(const Db &db, const Typed &typed);
inline const QString duplicateProjectMessage =
    QStringLiteral("خطا! شهرستان و روستا و نام پيمانکار و شماره قرارداد تکراري است");

// The study that matches a project: county, village, credit year, households and plan type.
bool studyExists(const Db &db, const Typed &typed);
inline const QString duplicateStudyMessage = QStringLiteral("خطا! شهرستان و روستا و نام مشاور طرح و نقشه تکراري است");

// The first study that matches a project, with its village code.
struct MatchingStudy {
    qint64 id = 0;
    QString cod;
};
std::optional<MatchingStudy> matchingStudy(const Db &db, const Typed &typed);

// Inserts the study row made from a project, and its log row; call it inside
// the action's transaction.
void insertStudy(const Db &db, const Typed &typed, const QString &user);

// Inserts the project and its log row; with `withStudy`, also the matching study
// row and its log row, all in one transaction. Returns the project's id.
qint64 registerProject(const Db &db, const Typed &typed, const ProjectValues &values, const QString &user,
                       bool withStudy);
// Updates project `id`, keeps the matching studies' area in step and logs it, in one transaction.
void editProject(const Db &db, qint64 id, const Typed &typed, const ProjectValues &values, const QString &user);

// Rewrites the Arabic kaf of a village-name column as the Persian keheh, in
// the registry and, for districts and rural districts, in the projects.
void normaliseNames(const Db &db, const QString &column);

}  // namespace bv::survey

#pragma once
// The steps every fill procedure is made of, written once: questions, today,
// signatory names, contractor names, short village codes, signatures, tick
// boxes, the agreement word and guarded computations.
#include "db.h"
#include "document.h"
#include "money.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace bv::report {

// A step that stops the fill: its message is shown and no document appears.
class FillError : public std::runtime_error {
public:
    explicit FillError(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

// Runs a fill procedure. A step that stops it (FillError), a database error, a
// computation out of range or a template fault shows its message; false then, and the caller shows nothing.
bool runFill(const std::function<void()> &fill);

// Asks with an input box; Cancel gives the default and never stops the fill.
QString ask(const QString &caption, const QString &prompt, const QString &defaultText);
// Asks for a whole number; an answer that is not one stops the fill.
int askWholeNumber(const QString &caption, const QString &prompt, const QString &defaultText);
// The message of an answer that is not a whole number, naming the question
// when there is one.
QString notWholeNumberMessage(const QString &text, const QString &question = {});

// The entries of a list filter joined in list order; empty when the filter
// is off or its list is empty.
QString joinedList(const std::optional<QStringList> &entries, const QString &separator = QStringLiteral("-"));

// Today's Jalali date string.
QString today();

// The signatory of a role: the first registered item of the lookup list titled
// by the role; empty when the list is empty.
QString roleName(const Db &db, const QString &role);

// How a contractor row is named: natural persons by their names, others by a
// company column.
struct ContractorNameRule {
    QString typeColumn = QStringLiteral("typ");
    QString naturalType = QStringLiteral("حقيقي");
    QStringList naturalColumns = {QStringLiteral("fname"), QStringLiteral("lname")};
    QString companyColumn = QStringLiteral("comp_name");
};
QString contractorName(const Row &contractor, const ContractorNameRule &rule = {});

// The last six characters of a trimmed village code; the whole trimmed code
// when it is shorter.
QString shortVillageCode(const QString &cod);

// Font size of labels or groups from a question (default "12"). A non-number
// stops the fill when `strict`; otherwise it gives `fallback`, or is ignored
// when there is none.
void askFontSize(Document &doc, const QStringList &targets, const QString &caption, const QString &prompt,
                 const QString &defaultText = QStringLiteral("12"), bool strict = true,
                 std::optional<int> fallback = std::nullopt);

// A signature slot and the attachment title of its image.
struct SignatureSlot {
    QString slot;
    QString title;
};
// Looks the image up by title and password and decides the slot: emptied (the
// typed name and title print) when no row or no picture, else the picture in
// front of the name and title. True when signed. A picture that is not an
// image stops the fill.
bool signSlot(Document &doc, const Db &db, const SignatureSlot &slot, const QString &password);
// Single-password form: one question for every slot; silent when not found.
void placeSignatures(Document &doc, const Db &db, const std::vector<SignatureSlot> &signatureSlots);
// Per-slot form: a question for this slot, and a message when not found.
bool placeSignature(Document &doc, const Db &db, const SignatureSlot &slot,
                    const QString &prompt = QStringLiteral("رمز امضا"));
QString signatureMissingMessage();

// Tick boxes: box i gets the "on" colour when the answer is answers[i]; an
// answer that is none of them marks the box `otherwise` (-1: none). Every other
// box gets the "off" colour. Boxes of the cross style are crossed instead.
struct TickRule {
    QStringList answers;
    int otherwise = -1;
    QColor on = Qt::blue;
    QColor off = Qt::white;
};
// Done / not done: "1" marks the first box, any other answer the second.
TickRule doneRule();
void tick(Document &doc, const QStringList &boxes, const QString &answer, const TickRule &rule);
// Asks about an item (caption = the item's text) and ticks its boxes; returns the answer.
QString askTick(Document &doc, const QString &item, const QStringList &boxes, const TickRule &rule = doneRule(),
                const QString &prompt = QStringLiteral("انجام شده=1 و انجام نشده=2"),
                const QString &defaultText = QStringLiteral("1"));

// The word naming the document: "تفاهمنامه" for that agreement type, otherwise
// the layout's own word.
QString agreementWord(const QString &protTyp, const QString &layoutWord);
// Sets every label `movafeg`, `movafeg2`, ... of the document.
void setAgreementWords(Document &doc, const QString &protTyp);

// A number read for a computation (grouping commas in threes allowed); nullopt
// when empty or not a number.
std::optional<Decimal> operand(const QString &text);
// Computes exactly from operands read as numbers and gives the plain decimal
// text ("1250000", "12.5"); "0" when an operand cannot be read or the
// computation divides by zero. A result beyond the range of numbers stops the
// fill (NumberError).
QString guarded(const QStringList &operands, const std::function<Decimal(const std::vector<Decimal> &)> &compute);

// Binds the rows of a statement to a bound template.
void bindRows(Document &doc, const Db &db, const QString &sql, const QVariantList &params = {},
              int currentRow = 0);

}  // namespace bv::report

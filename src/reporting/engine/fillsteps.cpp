#include "fillsteps.h"

#include "dates.h"
#include "interaction.h"
#include "lookuplists.h"
#include "money.h"
#include "text.h"

#include <QRegularExpression>
#include <climits>

namespace bv::report {

bool runFill(const std::function<void()> &fill)
{
    try {
        fill();
        return true;
    } catch (const FillError &e) {
        ui().message(e.text(), MessageKind::Error);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    } catch (const TemplateError &e) {
        ui().message(e.text(), MessageKind::Error);
    } catch (const NumberError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    return false;
}

QString ask(const QString &caption, const QString &prompt, const QString &defaultText)
{
    const std::optional<QString> answer = ui().input(caption, prompt, defaultText);
    return answer ? *answer : defaultText;
}

QString notWholeNumberMessage(const QString &text, const QString &question)
{
    const QString message = QStringLiteral("«%1» عدد صحيح نيست").arg(text);
    return question.isEmpty() ? message : question + QStringLiteral(": ") + message;
}

namespace {
std::optional<int> wholeAnswer(const QString &answer)
{
    const NumberReading r = readNumber(answer, Grouping::Refused);
    const std::optional<std::int64_t> n = r.ok() ? r.value.wholeValue() : std::nullopt;
    if (!n || *n < INT_MIN || *n > INT_MAX)
        return std::nullopt;
    return int(*n);
}
}  // namespace

int askWholeNumber(const QString &caption, const QString &prompt, const QString &defaultText)
{
    const QString answer = ask(caption, prompt, defaultText);
    const std::optional<int> n = wholeAnswer(answer);
    if (!n)
        throw FillError(notWholeNumberMessage(answer, prompt));
    return *n;
}

QString joinedList(const std::optional<QStringList> &entries, const QString &separator)
{
    return entries ? entries->join(separator) : QString();
}

QString today()
{
    return jalaliToday();
}

QString roleName(const Db &db, const QString &role)
{
    return lookupFirst(db, role);
}

QString contractorName(const Row &contractor, const ContractorNameRule &rule)
{
    if (contractor.value(rule.typeColumn).toString() == rule.naturalType) {
        QStringList parts;
        for (const QString &c : rule.naturalColumns)
            parts << contractor.value(c).toString();
        return parts.join(QLatin1Char(' '));
    }
    return contractor.value(rule.companyColumn).toString();
}

QString shortVillageCode(const QString &cod)
{
    const QString trimmed = cod.trimmed();
    return trimmed.size() <= 6 ? trimmed : trimmed.right(6);
}

void askFontSize(Document &doc, const QStringList &targets, const QString &caption, const QString &prompt,
                 const QString &defaultText, bool strict, std::optional<int> fallback)
{
    int size = 0;
    if (strict) {
        size = askWholeNumber(caption, prompt, defaultText);
    } else {
        std::optional<int> n = wholeAnswer(ask(caption, prompt, defaultText));
        if (!n || *n <= 0 || *n > 1000)
            n = fallback;
        if (!n)
            return;
        size = *n;
    }
    if (size <= 0)
        throw FillError(notWholeNumberMessage(QString::number(size), prompt));
    for (const QString &t : targets)
        doc.setFontSize(t, size);
}

QString signatureMissingMessage()
{
    return QStringLiteral("تصوير امضاء در بخش ضمائم اطلاعات پايه موجود نيست و يا رمز امضاء را اشتباه وارد نموديد");
}

bool signSlot(Document &doc, const Db &db, const SignatureSlot &slot, const QString &password)
{
    // Decided anew on every fill: nothing of an earlier document stays.
    doc.setImage(slot.slot, QImage());
    // Both passwords as typed text, so the yeh or digits they were typed with do not matter.
    const QString typed = normalizeInput(password);
    const ResultSet rows =
        db.select(QStringLiteral("SELECT ramz, pic FROM zamaem WHERE cmt = ? ORDER BY pk"), {slot.title});
    int match = -1;
    for (int r = 0; r < rows.size() && match < 0; ++r)
        if (normalizeInput(rows.value(r, QStringLiteral("ramz")).toString()) == typed)
            match = r;
    if (match < 0)
        return false;
    const QByteArray bytes = rows.value(match, QStringLiteral("pic")).toByteArray();
    if (bytes.isEmpty())
        return false;
    const QImage image = QImage::fromData(bytes);
    if (image.isNull())
        throw FillError(QStringLiteral("تصوير امضاء «%1» يک تصوير معتبر نيست").arg(slot.title));
    doc.setImage(slot.slot, image);
    doc.bringToFront(slot.slot);
    return true;
}

void placeSignatures(Document &doc, const Db &db, const std::vector<SignatureSlot> &signatureSlots)
{
    const QString password = ask(QStringLiteral("Signature Password"), QStringLiteral("رمز امضاء"), QStringLiteral("1"));
    for (const SignatureSlot &slot : signatureSlots)
        signSlot(doc, db, slot, password);
}

bool placeSignature(Document &doc, const Db &db, const SignatureSlot &slot, const QString &prompt)
{
    const QString password = ask(QStringLiteral("Signature"), prompt, QStringLiteral("?"));
    if (signSlot(doc, db, slot, password))
        return true;
    ui().message(signatureMissingMessage(), MessageKind::Warning);
    return false;
}

TickRule doneRule()
{
    return TickRule{{QStringLiteral("1")}, 1};
}

void tick(Document &doc, const QStringList &boxes, const QString &answer, const TickRule &rule)
{
    int chosen = int(rule.answers.indexOf(answer.trimmed()));
    if (chosen < 0)
        chosen = rule.otherwise;
    for (int i = 0; i < boxes.size(); ++i) {
        if (doc.isCrossBox(boxes[i]))
            doc.setCrossed(boxes[i], i == chosen);
        else
            doc.setFill(boxes[i], i == chosen ? rule.on : rule.off);
    }
}

QString askTick(Document &doc, const QString &item, const QStringList &boxes, const TickRule &rule,
                const QString &prompt, const QString &defaultText)
{
    const QString answer = ask(item, prompt, defaultText);
    tick(doc, boxes, answer, rule);
    return answer;
}

QString agreementWord(const QString &protTyp, const QString &layoutWord)
{
    const QString memorandum = QStringLiteral("تفاهمنامه");
    return protTyp == memorandum ? memorandum : layoutWord;
}

void setAgreementWords(Document &doc, const QString &protTyp)
{
    for (const QString &name : doc.labelNames()) {
        static const QRegularExpression agreement(QStringLiteral("^movafeg\\d*$"));
        if (agreement.match(name).hasMatch())
            doc.setLabel(name, agreementWord(protTyp, doc.placeholder(name)));
    }
}

std::optional<Decimal> operand(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    if (!r.ok())
        return std::nullopt;
    return r.value;
}

QString guarded(const QStringList &operands, const std::function<Decimal(const std::vector<Decimal> &)> &compute)
{
    std::vector<Decimal> values;
    for (const QString &o : operands) {
        const std::optional<Decimal> v = operand(o);
        if (!v)
            return QStringLiteral("0");
        values.push_back(*v);
    }
    try {
        return compute(values).plain();
    } catch (const NumberError &e) {
        if (e.kind() == NumberError::Kind::DivisionByZero)
            return QStringLiteral("0");
        throw;
    }
}

void bindRows(Document &doc, const Db &db, const QString &sql, const QVariantList &params, int currentRow)
{
    doc.setRows(db.select(sql, params), currentRow);
}

}  // namespace bv::report

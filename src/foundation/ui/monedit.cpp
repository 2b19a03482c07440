#include "monedit.h"

#include "interaction.h"
#include "text.h"

namespace bv {

MonEditText monEditText(const QString &typed, bool negativeAllowed)
{
    const QString ascii = asciiDigits(typed).trimmed();
    const bool negative = ascii.startsWith(QLatin1Char('-'));
    if (negative && !negativeAllowed)
        return {QString(), negativeAmountMessage};
    QString whole, fraction;
    bool point = false;
    for (QChar c : ascii) {
        if (c == QLatin1Char('.') && !point)
            point = true;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            (point ? fraction : whole) += c;
    }
    if (fraction.size() > 4)
        return {QString(), amountDecimalsMessage};
    QString text = groupDigits(whole);
    if (point)
        text += QLatin1Char('.') + fraction;
    if (negative)
        text.prepend(QLatin1Char('-'));
    // The digits must make an amount: what a money column holds.
    if (!whole.isEmpty() || !fraction.isEmpty()) {
        const NumberReading r = readNumber(text, Grouping::Allowed);
        try {
            if (r.fault == NumberReading::Fault::OutOfRange)
                throw NumberError(NumberError::Kind::Overflow);
            if (r.ok())
                r.value.toMoney();
        } catch (const NumberError &) {
            return {QString(), amountTooLargeMessage};
        }
    }
    return {text, QString()};
}

MonEdit::MonEdit(QWidget *parent) : QLineEdit(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    setAlignment(Qt::AlignLeft);
    connect(this, &QLineEdit::textChanged, this, &MonEdit::rebuild);
}

void MonEdit::rebuild(const QString &typed)
{
    if (typed == lastText_)
        return;
    if (typed.isEmpty()) {
        lastText_.clear();
        return;
    }
    const MonEditText shown = monEditText(typed, negativeAllowed_ || showingStored_);
    if (!shown.refusal.isEmpty()) {
        setText(lastText_);
        ui().message(shown.refusal, MessageKind::Warning);
        return;
    }
    lastText_ = shown.text;
    if (text() != lastText_)
        setText(lastText_);
    setCursorPosition(int(lastText_.size()));
}

Money MonEdit::money() const
{
    return Money::parse(text()).value_or(Money());
}

void MonEdit::setMoney(Money amount)
{
    showingStored_ = true;
    setText(amount.grouped());
    showingStored_ = false;
}

}  // namespace bv

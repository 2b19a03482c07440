#include "monedit.h"

#include "interaction.h"

namespace bv {

namespace {
// 18 digits always fit a signed 64-bit amount.
constexpr int maxDigits = 18;
}

std::optional<QString> monEditText(const QString &typed)
{
    const QString digits = digitsOnly(typed);
    if (digits.size() > maxDigits)
        return std::nullopt;
    return groupDigits(digits);
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
    const std::optional<QString> grouped = monEditText(typed);
    if (!grouped) {
        const QString previous = lastText_;
        setText(previous);
        ui().message(QStringLiteral("مبلغ وارد شده بيش از حد مجاز است"), MessageKind::Warning);
        return;
    }
    lastText_ = *grouped;
    if (text() != lastText_)
        setText(lastText_);
    setCursorPosition(int(lastText_.size()));
}

qint64 MonEdit::value() const
{
    const QString digits = digitsOnly(text());
    return digits.isEmpty() ? 0 : digits.toLongLong();
}

void MonEdit::setValue(qint64 amount)
{
    setText(QString::number(amount));
}

}  // namespace bv

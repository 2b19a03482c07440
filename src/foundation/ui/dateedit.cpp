#include "dateedit.h"

#include "interaction.h"
#include "text.h"

#include <QKeyEvent>

namespace bv {

QString storedDateText(const QString &display)
{
    QString t = asciiDigits(display);
    t.replace(QLatin1Char('_'), QLatin1Char(' '));
    t = t.leftJustified(10, QLatin1Char(' '), true);
    t[4] = QLatin1Char('/');
    t[7] = QLatin1Char('/');
    return t;
}

namespace {
// "1397/7/1", as older rows and the checklist default hold it, in the box's
// zero-padded places; any other text is left to the mask.
QString padded(const QString &jalali)
{
    const QStringList parts = asciiDigits(jalali).trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3 || parts[0].size() != 4 || parts[1].size() > 2 || parts[2].size() > 2)
        return jalali;
    for (const QString &part : parts) {
        if (part.isEmpty())
            return jalali;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return jalali;
    }
    return parts[0] + QLatin1Char('/') + parts[1].rightJustified(2, QLatin1Char('0')) + QLatin1Char('/')
        + parts[2].rightJustified(2, QLatin1Char('0'));
}
}  // namespace

JalaliDateEdit::JalaliDateEdit(QWidget *parent) : QLineEdit(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    setInputMask(QStringLiteral("0000/00/00; "));
    setAlignment(Qt::AlignCenter);
}

void JalaliDateEdit::setCompact(bool compact)
{
    compact_ = compact;
    setInputMask(compact ? QStringLiteral("00000000; ") : QStringLiteral("0000/00/00; "));
}

QString JalaliDateEdit::date() const
{
    if (!compact_)
        return storedDateText(displayText());
    QString t = asciiDigits(displayText());
    t.replace(QLatin1Char('_'), QLatin1Char(' '));
    return t.leftJustified(8, QLatin1Char(' '), true);
}

bool JalaliDateEdit::isBlank() const
{
    return compact_ ? date().trimmed().isEmpty() : date() == emptyDateMask;
}

DateEntry JalaliDateEdit::entry() const
{
    return compact_ ? compactDateEntry(date()) : dateEntry(date());
}

void JalaliDateEdit::keyPressEvent(QKeyEvent *event)
{
    const QString ascii = asciiDigits(event->text());
    if (ascii != event->text() && ascii.size() == 1 && ascii[0].isDigit()) {
        QKeyEvent translated(event->type(), Qt::Key_0 + ascii[0].digitValue(), event->modifiers(), ascii);
        QLineEdit::keyPressEvent(&translated);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void JalaliDateEdit::setDate(const QString &jalali)
{
    if (compact_ && !jalali.contains(QLatin1Char('/'))) {
        setText(asciiDigits(jalali).leftJustified(8, QLatin1Char(' '), true));
        return;
    }
    setText(storedDateText(padded(jalali)).remove(QLatin1Char('/')));
}

void JalaliDateEdit::setCaption(const QString &caption)
{
    caption_ = caption;
}

QString JalaliDateEdit::caption() const
{
    return caption_;
}

bool acceptDates(const QList<JalaliDateEdit *> &boxes)
{
    for (JalaliDateEdit *box : boxes) {
        if (box->entry() != DateEntry::Invalid)
            continue;
        ui().message(invalidDateMessage(box->caption()), MessageKind::Warning);
        box->setFocus();
        return false;
    }
    return true;
}

}  // namespace bv

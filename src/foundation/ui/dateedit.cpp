#include "dateedit.h"

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

JalaliDateEdit::JalaliDateEdit(QWidget *parent) : QLineEdit(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    setInputMask(QStringLiteral("0000/00/00; "));
    setAlignment(Qt::AlignCenter);
}

QString JalaliDateEdit::date() const
{
    return storedDateText(displayText());
}

bool JalaliDateEdit::isBlank() const
{
    return date() == emptyDateMask;
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
    setText(storedDateText(jalali).remove(QLatin1Char('/')));
}

}  // namespace bv

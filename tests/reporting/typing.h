#pragma once
// Typing any characters into a widget, Persian digits included, as key presses.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace bv::test {

inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.isDigit() && c.unicode() < 128 ? Qt::Key_0 + c.digitValue() : 0,
                        Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
    }
}

}  // namespace bv::test

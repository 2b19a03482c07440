#include "text.h"

namespace bv {

QString normalizeYeh(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c == QChar(0x06CC) || c == QChar(0x0649))
            c = QChar(0x064A);
    }
    return out;
}

QString asciiDigits(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        const ushort u = c.unicode();
        if (u >= 0x06F0 && u <= 0x06F9)
            c = QChar('0' + (u - 0x06F0));
        else if (u >= 0x0660 && u <= 0x0669)
            c = QChar('0' + (u - 0x0660));
        else if (u == 0x066B)
            c = QChar('.');
        else if (u == 0x066C || u == 0x060C)
            c = QChar(',');
    }
    return out;
}

QString normalizeInput(const QString &text)
{
    return asciiDigits(normalizeYeh(text)).trimmed();
}

QString searchFold(const QString &text)
{
    QString out = normalizeYeh(text);
    for (QChar &c : out) {
        if (c == QChar(0x06A9))
            c = QChar(0x0643);
    }
    return out;
}

}  // namespace bv

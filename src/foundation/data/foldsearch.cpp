#include "foldsearch.h"

#include "text.h"

namespace bv {

QString foldedColumn(const QString &column, QVariantList &values)
{
    // The same replacements as searchFold(): both yehs and the Persian kaf.
    static const std::pair<char16_t, char16_t> replacements[] = {
        {u'\u06CC', u'\u064A'}, {u'\u0649', u'\u064A'}, {u'\u06A9', u'\u0643'}};
    QString expression = column;
    for (const auto &[from, to] : replacements) {
        expression = QStringLiteral("REPLACE(") + expression + QStringLiteral(", ?, ?)");
        values << QString(QChar(from)) << QString(QChar(to));
    }
    return expression;
}

void containsFolded(Conditions &conditions, const QString &column, const QString &text)
{
    QVariantList values;
    const QString folded = foldedColumn(column, values);
    values << QString(QLatin1Char('%') + searchFold(text) + QLatin1Char('%'));
    conditions.fixed(folded + QStringLiteral(" like ?"), values);
}

}  // namespace bv

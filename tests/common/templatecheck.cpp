#include "templatecheck.h"

#include <QSet>

namespace bv::test {

using namespace report;

::testing::AssertionResult fullyFilled(const Document &doc, const QStringList &keep)
{
    const QStringList names = doc.labelNames();
    QStringList faults;
    for (const QString &name : keep)
        if (!names.contains(name))
            faults << QStringLiteral("no label \"%1\" to keep").arg(name);
    const QSet<QString> nameSet(names.begin(), names.end());
    QSet<QString> checked;
    auto check = [&](const QString &name) {
        if (keep.contains(name) || checked.contains(name))
            return;
        checked.insert(name);
        const QString shown = doc.label(name).trimmed();
        if (!shown.isEmpty() && shown == doc.placeholder(name).trimmed())
            faults << QStringLiteral("%1 shows its placeholder \"%2\"").arg(name, shown);
        else if (nameSet.contains(shown))
            faults << QStringLiteral("%1 shows the name \"%2\"").arg(name, shown);
    };
    for (const Band &band : doc.layoutTemplate().bands)
        for (const Element &e : band.elements) {
            if (!e.visible)
                continue;
            if (e.kind == ElementKind::Label)
                check(e.name);
            for (const Run &r : e.runs)
                if (!r.label.isEmpty())
                    check(r.label);
        }
    if (faults.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << doc.name().toStdString() << ": "
                                         << faults.join(QStringLiteral("; ")).toStdString();
}

}  // namespace bv::test

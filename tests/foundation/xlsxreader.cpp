#include "xlsxreader.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace bv::test {

namespace {
QByteArray member(const QString &zip, const QString &name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

struct Style {
    bool bold = false;
    QString border;
};

// The cell formats of styles.xml, by index.
QList<Style> styles(const QByteArray &xml)
{
    QList<bool> fonts;
    QList<QString> borders;
    QList<std::pair<int, int>> xfs;
    QXmlStreamReader r(xml);
    QString section;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        const auto name = r.name();
        if (name == u"fonts" || name == u"borders" || name == u"cellXfs" || name == u"cellStyleXfs")
            section = name.toString();
        else if (name == u"font" && section == u"fonts")
            fonts << false;
        else if (name == u"b" && section == u"fonts")
            fonts.last() = true;
        else if (name == u"border" && section == u"borders")
            borders << QString();
        else if (name == u"left" && section == u"borders")
            borders.last() = r.attributes().value(QLatin1String("style")).toString();
        else if (name == u"xf" && section == u"cellXfs")
            xfs << std::pair{r.attributes().value(QLatin1String("fontId")).toInt(), r.attributes().value(QLatin1String("borderId")).toInt()};
    }
    QList<Style> out;
    for (const auto &[font, border] : xfs)
        out << Style{fonts.value(font), borders.value(border)};
    return out;
}

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si")
            out << QString();
        else if (r.isStartElement() && r.name() == u"t")
            out.last() += r.readElementText();
    }
    return out;
}
}  // namespace

XlsxSheet readXlsx(const QString &path)
{
    XlsxSheet sheet;
    {
        QXmlStreamReader r(member(path, QStringLiteral("xl/workbook.xml")));
        while (!r.atEnd() && sheet.name.isEmpty())
            if (r.readNext() == QXmlStreamReader::StartElement && r.name() == u"sheet")
                sheet.name = r.attributes().value(QLatin1String("name")).toString();
    }
    const QList<Style> formats = styles(member(path, QStringLiteral("xl/styles.xml")));
    const QStringList shared = sharedStrings(member(path, QStringLiteral("xl/sharedStrings.xml")));
    QXmlStreamReader r(member(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref, type;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        const auto name = r.name();
        const auto a = r.attributes();
        if (name == u"sheetView") {
            sheet.rightToLeft = a.value(QLatin1String("rightToLeft")) == u"1";
        } else if (name == u"col") {
            sheet.columnRanges << std::pair{a.value(QLatin1String("min")).toInt(), a.value(QLatin1String("max")).toInt()};
            sheet.columnWidths << a.value(QLatin1String("width")).toDouble();
        } else if (name == u"row") {
            sheet.rows << a.value(QLatin1String("r")).toInt();
        } else if (name == u"c") {
            ref = a.value(QLatin1String("r")).toString();
            type = a.value(QLatin1String("t")).toString();
            const Style s = formats.value(a.value(QLatin1String("s")).toInt());
            sheet.cells[ref] = XlsxCell{QString(), s.bold, s.border};
        } else if (name == u"v") {
            const QString v = r.readElementText();
            sheet.cells[ref].text = type == u"s" ? shared.value(v.toInt()) : v;
        } else if (name == u"t") {
            sheet.cells[ref].text += r.readElementText();
        }
    }
    return sheet;
}

}  // namespace bv::test

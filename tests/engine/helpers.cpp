#include "helpers.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace bv::test {

using namespace report;

Template listTemplate(double summaryHeight)
{
    const QString json = QStringLiteral(R"({
      "name": "test_list", "bound": true,
      "page": {"size": "A4", "orientation": "portrait"},
      "table": {"x": 0, "headerHeight": 10, "rowHeight": 8, "columns": [
        {"title": "رديف", "rowNumber": true, "width": 15},
        {"title": "نام", "field": "name", "width": 100, "align": "right"},
        {"title": "مبلغ", "field": "amount", "width": 40, "number": true}]},
      "bands": [
        {"kind": "pageHeader", "height": 20, "elements": [
          {"type": "text", "text": "سربرگ گزارش", "x": 0, "y": 0, "w": 190, "h": 10, "align": "center"}]},
        {"kind": "columnHeader", "table": true, "height": 10},
        {"kind": "detail", "table": true, "height": 8},
        {"kind": "summary", "height": @SUMMARY@, "elements": [
          {"type": "text", "text": "جمع", "column": "#", "span": 2, "y": 0, "h": 8, "ruled": true},
          {"type": "label", "name": "total", "placeholder": "0", "column": "amount", "y": 0, "h": 8, "ruled": true}]},
        {"kind": "pageFooter", "height": 10, "elements": [
          {"type": "pageNumber", "text": "صفحه %1 از %2", "x": 60, "y": 0, "w": 70, "h": 8, "align": "center"}]}
      ]})")
                             .replace(QStringLiteral("@SUMMARY@"), QString::number(summaryHeight));
    return Template::fromJson(json.toUtf8(), QStringLiteral("test_list"));
}

Template letterTemplate()
{
    const QString json = QStringLiteral(R"({
      "name": "test_letter",
      "page": {"size": "A5", "orientation": "portrait"},
      "groups": {"header": ["rosta", "city"]},
      "bands": [
        {"kind": "pageHeader", "height": 15, "elements": [
          {"type": "text", "text": "تاريخ:", "x": 90, "y": 0, "w": 13, "h": 6},
          {"type": "label", "name": "dat", "placeholder": "    /  /  ", "x": 103, "y": 0, "w": 25, "h": 6}]},
        {"kind": "detail", "height": 120, "elements": [
          {"type": "paragraph", "x": 0, "y": 0, "w": 128, "h": 8, "runs": [
            "روستاي ", {"label": "rosta", "bold": true}, " از شهرستان ", {"label": "city"}, " تحويل شد"]},
          {"type": "label", "name": "movafeg", "placeholder": "موافقتنامه", "x": 0, "y": 30, "w": 40, "h": 7},
          {"type": "label", "name": "movafeg2", "placeholder": "قرارداد", "x": 50, "y": 30, "w": 40, "h": 7},
          {"type": "tick", "name": "done1", "x": 0, "y": 40, "w": 5, "h": 5},
          {"type": "tick", "name": "notdone1", "x": 10, "y": 40, "w": 5, "h": 5},
          {"type": "label", "name": "name1", "x": 0, "y": 60, "w": 50, "h": 7},
          {"type": "label", "name": "post1", "placeholder": "کارشناس", "x": 0, "y": 67, "w": 50, "h": 7},
          {"type": "signature", "name": "slot1", "x": 0, "y": 55, "w": 50, "h": 25},
          {"type": "label", "name": "name2", "x": 70, "y": 60, "w": 50, "h": 7},
          {"type": "signature", "name": "slot2", "x": 70, "y": 55, "w": 50, "h": 25}]}
      ]})");
    return Template::fromJson(json.toUtf8(), QStringLiteral("test_letter"));
}

Row surveyProject()
{
    return {{"rosta", QStringLiteral("کلاته")},      {"city", QStringLiteral("نيشابور")},
            {"prot_no", QStringLiteral("8123")},     {"prot_dat", QStringLiteral("1401/02/03")},
            {"peymankar", QStringLiteral("پارس")},  {"tamin_loc", QStringLiteral("ذيحسابي استان")},
            {"status_dat", QStringLiteral("1402/12/29")}, {"tamin_shobe", QStringLiteral("دو")},
            {"tamin_shahr", QStringLiteral("مشهد")}, {"prot_mablagh", QStringLiteral("1250000.0000")}};
}

Document filledExtensionLetter()
{
    Document doc = Document::load(QStringLiteral("tamdid_frm"));
    doc.fillFromRow(surveyProject());
    doc.setLabel(QStringLiteral("dat"), QStringLiteral("1402/06/13"));
    doc.setLabel(QStringLiteral("moaven_omran"), QStringLiteral("حسن کريمي"));
    doc.setLabel(QStringLiteral("moa_omran_post"), QStringLiteral("معاون عمران روستايي"));
    return doc;
}

ResultSet numberedRows(int n)
{
    ResultSet rows;
    rows.columns = {QStringLiteral("name"), QStringLiteral("amount")};
    for (int i = 1; i <= n; ++i)
        rows.rows.push_back({QStringLiteral("row%1").arg(i), i * 1000});
    return rows;
}

QString primitiveText(const Primitive &p)
{
    QStringList lines;
    for (const TextLine &l : p.lines)
        lines << l.text;
    return lines.join(QLatin1Char('\n'));
}

QStringList textsNamed(const Page &page, const QString &name)
{
    QStringList out;
    for (const Primitive &p : page.items)
        if (p.kind == Primitive::Kind::Text && (name.isEmpty() || p.name == name))
            out << primitiveText(p);
    return out;
}

std::vector<const Primitive *> findText(const Page &page, const QString &text)
{
    std::vector<const Primitive *> out;
    for (const Primitive &p : page.items)
        if (p.kind == Primitive::Kind::Text && primitiveText(p) == text)
            out.push_back(&p);
    return out;
}

std::vector<const Primitive *> primitives(const Page &page, Primitive::Kind kind)
{
    std::vector<const Primitive *> out;
    for (const Primitive &p : page.items)
        if (p.kind == kind)
            out.push_back(&p);
    return out;
}

QString words(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("واژه%1").arg(i);
    return out.join(QLatin1Char(' '));
}

std::function<int(QDialog &)> printToFile(const QString &path, int from, int to)
{
    return [path, from, to](QDialog &dialog) {
        auto &print = dynamic_cast<QPrintDialog &>(dialog);
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(path);
        if (from > 0)
            print.printer()->setFromTo(from, to);
        return int(QDialog::Accepted);
    };
}

QList<QSizeF> pdfPageSizes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    QList<QSizeF> sizes;
    static const QRegularExpression box(QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
    for (auto it = box.globalMatch(QString::fromLatin1(data)); it.hasNext();) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

}  // namespace bv::test

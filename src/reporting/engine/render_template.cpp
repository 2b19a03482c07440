// render_template NAME [--pdf FILE] [--png PREFIX] [--dpi N] [--rows N] [label=value ...]
// Renders a template with its placeholders, or the values given, to a PDF (the
// default, NAME.pdf) or to PNG pages PREFIX-1.png, PREFIX-2.png ... A bound
// template gets N made-up rows.
#include "appsetup.h"
#include "document.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

using namespace bv::report;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: render_template NAME [--pdf FILE] [--png PREFIX] [--dpi N] [--rows N] "
                         "[label=value ...]\n       render_template --list\n");
    return 2;
}

// Rows whose every field shows its column name and the row number; number
// columns get amounts.
bv::ResultSet sampleRows(const Template &t, int count)
{
    bv::ResultSet rows;
    QStringList numbers;
    for (const Band &b : t.bands)
        for (const Element &e : b.elements)
            if (e.kind == ElementKind::Field && !rows.columns.contains(e.name)) {
                rows.columns << e.name;
                if (e.number)
                    numbers << e.name;
            }
    for (int i = 1; i <= count; ++i) {
        QVariantList row;
        for (const QString &c : rows.columns)
            row << (numbers.contains(c) ? QVariant(qint64(i) * 1250000) : QVariant(c + QLatin1Char(' ') + QString::number(i)));
        rows.rows.push_back(row);
    }
    return rows;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bv::setUpApplication();
    QStringList args = QApplication::arguments().mid(1);
    if (args.value(0) == QLatin1String("--list")) {
        QTextStream(stdout) << Template::available().join(QLatin1Char('\n')) << '\n';
        return 0;
    }
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-')))
        return usage();
    const QString name = args.takeFirst();
    QString pdf, png;
    double dpi = 100;
    int rowCount = 0;
    QList<std::pair<QString, QString>> values;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--pdf") && !args.isEmpty())
            pdf = args.takeFirst();
        else if (a == QLatin1String("--png") && !args.isEmpty())
            png = args.takeFirst();
        else if (a == QLatin1String("--dpi") && !args.isEmpty())
            dpi = args.takeFirst().toDouble();
        else if (a == QLatin1String("--rows") && !args.isEmpty())
            rowCount = args.takeFirst().toInt();
        else if (a.contains(QLatin1Char('=')) && !a.startsWith(QLatin1Char('-')))
            values.append({a.section(QLatin1Char('='), 0, 0), a.section(QLatin1Char('='), 1)});
        else
            return usage();
    }
    if (pdf.isEmpty() && png.isEmpty())
        pdf = name + QStringLiteral(".pdf");
    if (dpi <= 0)
        return usage();
    try {
        Document doc = Document::load(name);
        for (const auto &[label, value] : values)
            doc.setLabel(label, value);
        if (doc.layoutTemplate().bound)
            doc.setRows(sampleRows(doc.layoutTemplate(), rowCount));
        if (!pdf.isEmpty()) {
            QString error;
            if (!doc.writePdf(pdf, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
        }
        if (!png.isEmpty()) {
            int page = 0;
            for (const QImage &image : doc.renderImages(dpi)) {
                const QString file = QStringLiteral("%1-%2.png").arg(png).arg(++page);
                if (!image.save(file)) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                    return 1;
                }
            }
        }
    } catch (const TemplateError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    bv::shutDownApplication();
    return 0;
}

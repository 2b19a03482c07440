// Renders a 1,000-row list report to PDF and prints the time of each pass.
#include "appsetup.h"
#include "document.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace bv::report;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bv::setUpApplication();
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;

    bv::ResultSet data;
    data.columns = {"city", "bakhsh", "dehestan", "rosta", "peymankar2", "prot_no", "prot_dat1", "prot_mablagh",
                    "pardakhti_haghighi", "pardakhti_hoghoghi"};
    const QStringList cities = {QStringLiteral("نيشابور"), QStringLiteral("سبزوار"), QStringLiteral("قوچان")};
    for (int i = 0; i < rows; ++i)
        data.rows.push_back({cities[i % 3], QStringLiteral("مرکزي"), QStringLiteral("زبرخان"),
                             QStringLiteral("روستاي %1").arg(i + 1), QStringLiteral("مهندسين مشاور طرح و آبادي"),
                             QString::number(8000 + i), QStringLiteral("1402/06/13"), qint64(1250000000) + i,
                             qint64(1000000000) + i, qint64(1210000000) + i});

    QElapsedTimer timer;
    timer.start();
    Document doc = Document::load(QStringLiteral("etebarat_rep"));
    doc.setRows(data);
    const auto pages = doc.layout();
    const qint64 layoutMs = timer.elapsed();
    QTemporaryDir dir;
    timer.restart();
    const bool ok = doc.writePdf(dir.filePath(QStringLiteral("bench.pdf")));
    const qint64 pdfMs = timer.elapsed();
    std::printf("%-34s %8s %8s\n", "document", "pages", "ms");
    std::printf("%-34s %8zu %8lld\n", "layout etebarat_rep", pages.size(), static_cast<long long>(layoutMs));
    std::printf("%-34s %8zu %8lld%s\n", "layout + PDF etebarat_rep", pages.size(), static_cast<long long>(pdfMs),
                ok ? "" : "  (PDF not written)");
    std::printf("%d rows\n", rows);
    bv::shutDownApplication();
    return 0;
}

#include "bundle.h"

#include "painter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace bv::report {

void Bundle::add(Document doc)
{
    docs_.push_back(std::move(doc));
}

QString Bundle::title() const
{
    if (docs_.empty())
        return {};
    const Template &first = docs_.front().layoutTemplate();
    return first.title.isEmpty() ? first.name : first.title;
}

std::vector<Page> Bundle::layout() const
{
    return layout(nullptr);
}

std::vector<Page> Bundle::layout(std::vector<int> *firstPages) const
{
    std::vector<Page> pages;
    for (const Document &doc : docs_) {
        if (firstPages)
            firstPages->push_back(int(pages.size()) + 1);
        std::vector<Page> own = doc.layout();
        std::move(own.begin(), own.end(), std::back_inserter(pages));
    }
    return pages;
}

bool Bundle::writePdf(const QString &path, QString *error) const
{
    return report::writePdf(layout(), title(), path, error);
}

bool Bundle::savePdf()
{
    if (docs_.empty())
        return false;
    const QString path = ui().saveFileName(QStringLiteral("ذخيره PDF"), docs_.front().name() + QStringLiteral(".pdf"),
                                           QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (writePdf(path, &error))
        return true;
    ui().message(error, MessageKind::Error);
    return false;
}

int Bundle::preview()
{
    int printed = 0;
    for (Document &doc : docs_)
        printed += doc.preview() ? 1 : 0;
    return printed;
}

bool Bundle::print()
{
    if (docs_.empty())
        return false;
    std::vector<int> firstPages;
    const std::vector<Page> pages = layout(&firstPages);
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, docs_.front().layoutTemplate().page, title());
    QPrintDialog dialog(&printer);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, int(pages.size()));
    if (ui().execDialog(dialog) != QDialog::Accepted)
        return false;
    if (!printPages(printer, pages)) {
        ui().message(printFailedMessage(), MessageKind::Error);
        return false;
    }
    if (printsToFile(printer))
        return true;
    const QList<int> printed = pagesToPrint(printer, int(pages.size()));
    for (size_t i = 0; i < docs_.size(); ++i) {
        const int from = firstPages[i];
        const int to = i + 1 < docs_.size() ? firstPages[i + 1] - 1 : int(pages.size());
        if (std::any_of(printed.begin(), printed.end(), [&](int page) { return page >= from && page <= to; }))
            docs_[i].afterPrint();
    }
    return true;
}

}  // namespace bv::report

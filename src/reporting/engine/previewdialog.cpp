#include "previewdialog.h"

#include "document.h"
#include "interaction.h"
#include "painter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv::report {

PreviewDialog::PreviewDialog(const Document &doc, QWidget *parent)
    : QDialog(parent), doc_(doc), pages_(doc.layout()), printer_(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("PreviewDialog"));
    const QString title = doc.layoutTemplate().title.isEmpty() ? doc.name() : doc.layoutTemplate().title;
    setWindowTitle(QStringLiteral("پيش نمايش - ") + title);
    setLayoutDirection(Qt::RightToLeft);
    setUpPrinter(printer_, doc.layoutTemplate().page, title);

    auto button = [this](const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        return b;
    };
    first_btn = button(QStringLiteral("صفحه اول"));
    prev_btn = button(QStringLiteral("صفحه قبل"));
    next_btn = button(QStringLiteral("صفحه بعد"));
    last_btn = button(QStringLiteral("صفحه آخر"));
    zoomin_btn = button(QStringLiteral("بزرگنمايي"));
    zoomout_btn = button(QStringLiteral("کوچکنمايي"));
    fitwidth_btn = button(QStringLiteral("عرض صفحه"));
    setup_btn = button(QStringLiteral("تنظيم چاپگر"));
    print_btn = button(QStringLiteral("چاپ"));
    pdf_btn = button(QStringLiteral("ذخيره PDF"));
    close_btn = button(QStringLiteral("بستن"));
    page_lbl = new QLabel(this);

    preview = new QPrintPreviewWidget(&printer_, this);
    // The preview widget lays pages out left to right; pages read in their own order.
    preview->setLayoutDirection(Qt::LeftToRight);
    connect(preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { printPages(*printer, pages_, true); });
    connect(preview, &QPrintPreviewWidget::previewChanged, this, &PreviewDialog::updatePageLabel);

    auto *bar = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(print_btn), static_cast<QWidget *>(pdf_btn),
                       static_cast<QWidget *>(setup_btn), static_cast<QWidget *>(first_btn),
                       static_cast<QWidget *>(prev_btn), static_cast<QWidget *>(page_lbl),
                       static_cast<QWidget *>(next_btn), static_cast<QWidget *>(last_btn),
                       static_cast<QWidget *>(zoomin_btn), static_cast<QWidget *>(zoomout_btn),
                       static_cast<QWidget *>(fitwidth_btn)})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(close_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(preview, 1);

    connect(first_btn, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(prev_btn, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(next_btn, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(last_btn, &QPushButton::clicked, this, [this] { showPage(pageCount()); });
    connect(zoomin_btn, &QPushButton::clicked, preview, [this] { preview->zoomIn(); });
    connect(zoomout_btn, &QPushButton::clicked, preview, [this] { preview->zoomOut(); });
    connect(fitwidth_btn, &QPushButton::clicked, preview, &QPrintPreviewWidget::fitToWidth);
    connect(setup_btn, &QPushButton::clicked, this, &PreviewDialog::printerSetup);
    connect(print_btn, &QPushButton::clicked, this, &PreviewDialog::printDocument);
    connect(pdf_btn, &QPushButton::clicked, this, &PreviewDialog::savePdf);
    connect(close_btn, &QPushButton::clicked, this, &QDialog::reject);

    resize(1000, 800);
    preview->updatePreview();
    updatePageLabel();
}

int PreviewDialog::currentPage() const
{
    return preview->currentPage();
}

void PreviewDialog::showPage(int page)
{
    preview->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    updatePageLabel();
}

void PreviewDialog::updatePageLabel()
{
    page_lbl->setText(QStringLiteral("صفحه %1 از %2").arg(currentPage()).arg(pageCount()));
}

void PreviewDialog::printerSetup()
{
    QPageSetupDialog dialog(&printer_, this);
    if (ui().execDialog(dialog) == QDialog::Accepted)
        preview->updatePreview();
}

void PreviewDialog::printDocument()
{
    QPrintDialog dialog(&printer_, this);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pageCount());
    if (ui().execDialog(dialog) != QDialog::Accepted)
        return;
    // Whatever the dialog offered, each page keeps its own paper and orientation.
    if (!printPages(printer_, pages_)) {
        ui().message(printFailedMessage(), MessageKind::Error);
        return;
    }
    // A print to a file is a saved PDF, not paper.
    printed_ = printed_ || !printsToFile(printer_);
}

void PreviewDialog::savePdf()
{
    const QString path = ui().saveFileName(QStringLiteral("ذخيره PDF"), doc_.name() + QStringLiteral(".pdf"),
                                           QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writePdf(pages_, windowTitle(), path, &error))
        ui().message(error, MessageKind::Error);
}

}  // namespace bv::report

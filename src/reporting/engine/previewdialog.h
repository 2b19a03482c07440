#pragma once
// The modal preview of a document: page through, zoom, printer set-up, print
// and save as PDF. It tells a real print apart from a look or a PDF.
#include "layout.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;
class QPushButton;

namespace bv::report {

class Document;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(const Document &doc, QWidget *parent = nullptr);

    // True once the document has been printed on paper from this window.
    bool printed() const { return printed_; }
    int pageCount() const { return int(pages_.size()); }
    int currentPage() const;

    QPrintPreviewWidget *preview = nullptr;
    QPushButton *first_btn = nullptr;
    QPushButton *prev_btn = nullptr;
    QPushButton *next_btn = nullptr;
    QPushButton *last_btn = nullptr;
    QPushButton *zoomin_btn = nullptr;
    QPushButton *zoomout_btn = nullptr;
    QPushButton *fitwidth_btn = nullptr;
    QPushButton *setup_btn = nullptr;
    QPushButton *print_btn = nullptr;
    QPushButton *pdf_btn = nullptr;
    QPushButton *close_btn = nullptr;
    QLabel *page_lbl = nullptr;

    void printDocument();
    void savePdf();
    void printerSetup();

private:
    void showPage(int page);
    void updatePageLabel();

    const Document &doc_;
    std::vector<Page> pages_;
    QPrinter printer_;
    bool printed_ = false;
};

}  // namespace bv::report

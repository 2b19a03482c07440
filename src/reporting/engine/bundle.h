#pragma once
// Several documents handled as one set (the pages of a contract): previewed one
// after another, printed with one choice of printer, or saved as one PDF. Each
// document keeps its own paper, page numbers and after-print action.
#include "document.h"

#include <vector>

namespace bv::report {

class Bundle {
public:
    void add(Document doc);
    int size() const { return int(docs_.size()); }

    // The pages of every document, in order.
    std::vector<Page> layout() const;
    bool writePdf(const QString &path, QString *error = nullptr) const;
    // Asks where to save and writes one PDF; false when cancelled or not written.
    bool savePdf();

    // The modal preview of each document in turn; returns how many of them were
    // printed on paper from their preview.
    int preview();
    // One print dialog for the whole set, then every page of its range. The
    // after-print actions of the documents that had a page on paper run; a print
    // to a file runs none. True when the pages were printed (on paper or to a file).
    bool print();

private:
    // With the 1-based number of each document's first page.
    std::vector<Page> layout(std::vector<int> *firstPages) const;
    QString title() const;
    std::vector<Document> docs_;
};

}  // namespace bv::report

#pragma once
// A document: a fresh copy of a template, filled by a window before it is
// previewed or printed. Nothing of one document reaches the next, since every
// document starts from the template's own placeholders.
#include "db.h"
#include "interaction.h"
#include "layout.h"
#include "template.h"

#include <QHash>
#include <QSet>
#include <QImage>
#include <functional>
#include <vector>

class QPrinter;

namespace bv::report {

class Document {
public:
    explicit Document(Template t);
    // A fresh document of the named template; throws TemplateError.
    static Document load(const QString &name);

    const QString &name() const { return t_.name; }
    const Template &layoutTemplate() const { return t_; }

    // Fill-in labels (standalone or flowing in a paragraph) and named fixed
    // texts. Setting an unknown name throws TemplateError: a fill that names a
    // label its template lacks is a fault of the program.
    bool hasLabel(const QString &name) const;
    void setLabel(const QString &name, const QString &text);
    QString label(const QString &name) const;
    QString placeholder(const QString &name) const;
    QStringList labelNames() const;
    // Fills every label whose name, without a trailing copy number, is a column
    // of the row (`rosta`, `rosta2`, `prot_no3`; a name that is a column itself,
    // such as `prot_dat1`, wins over `prot_dat`). Values show as stored: null as
    // empty text, numbers without grouping, pictures not at all; labels declared
    // "number" show plain amounts ("1250000.0000" as "1250000"). Returns the
    // labels it filled; a later setLabel overrides any of them.
    QStringList fillFromRow(const Row &row);

    // Font size of an element, of a label in a paragraph, or of every member
    // of a named group.
    void setFontSize(const QString &nameOrGroup, double points);
    void setVisible(const QString &name, bool visible);
    bool isVisible(const QString &name) const;
    // Colour of a rectangle or tick box.
    void setFill(const QString &name, const QColor &colour);
    QColor fill(const QString &name) const;
    // Tick boxes of the cross style: crossed by their two diagonals, or empty.
    bool isCrossBox(const QString &name) const;
    void setCrossed(const QString &name, bool crossed);
    bool isCrossed(const QString &name) const;
    // Images of signature slots and bound images; a null image empties the slot.
    void setImage(const QString &name, const QImage &image);
    QImage image(const QString &name) const;
    // Puts an element in front of everything else on its band.
    void bringToFront(const QString &name);
    int zOrder(const QString &name) const;

    // The rows of a bound template, and the row that fields outside the detail
    // band show.
    void setRows(ResultSet rows, int currentRow = 0);
    const ResultSet &rows() const { return rows_; }

    // Runs after the document has been printed on paper, never after a look
    // at the preview, a PDF or a print to a file.
    void setAfterPrint(std::function<void()> action);

    std::vector<Page> layout() const;
    QString text() const;
    bool writePdf(const QString &path, QString *error = nullptr) const;
    std::vector<QImage> renderImages(double dpi) const;

    // The modal preview through the user interface; runs the after-print action
    // when the user printed. True when printed.
    bool preview();
    // Straight to the current printer, without a preview or a print dialog.
    bool print();

private:
    friend class ShownFilledDocument;
    friend class Bundle;
    std::vector<Element *> elements(const QString &name);
    std::vector<const Element *> elements(const QString &name) const;
    void afterPrint();
    bool show(DocumentAction action);

    Template t_;
    QHash<QString, QString> labels_;
    QHash<QString, QString> placeholders_;
    QSet<QString> numberLabels_;
    QHash<QString, QImage> images_;
    ResultSet rows_;
    int current_ = 0;
    std::function<void()> afterPrint_;
};

}  // namespace bv::report

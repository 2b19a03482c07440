#include "document.h"

#include "painter.h"
#include "previewdialog.h"

#include <QPrinter>
#include <algorithm>

namespace bv::report {

// What the user interface is handed: the document's name, text, preview and print.
class ShownFilledDocument : public ShownDocument {
public:
    explicit ShownFilledDocument(Document &doc) : doc_(doc) {}
    QString documentName() const override { return doc_.name(); }
    QString documentText() const override { return doc_.text(); }
    bool runPreview() override
    {
        PreviewDialog dialog(doc_);
        ui().execDialog(dialog);
        return dialog.printed();
    }
    bool printDirect() override
    {
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, doc_.t_.page, doc_.t_.title.isEmpty() ? doc_.name() : doc_.t_.title);
        if (printPages(printer, doc_.layout()))
            return true;
        ui().message(printFailedMessage(), MessageKind::Error);
        return false;
    }

private:
    Document &doc_;
};

Document::Document(Template t) : t_(std::move(t))
{
    for (const Band &b : t_.bands) {
        for (const Element &e : b.elements) {
            if (e.kind == ElementKind::Label) {
                labels_.insert(e.name, e.text);
                if (e.number)
                    numberLabels_.insert(e.name);
            }
            for (const Run &r : e.runs) {
                if (r.label.isEmpty())
                    continue;
                labels_.insert(r.label, r.text);
                if (r.number)
                    numberLabels_.insert(r.label);
            }
            if (e.kind == ElementKind::Text && !e.name.isEmpty())
                placeholders_.insert(e.name, e.text);
        }
    }
    placeholders_.insert(labels_);
}

Document Document::load(const QString &name)
{
    return Document(Template::load(name));
}

std::vector<Element *> Document::elements(const QString &name)
{
    std::vector<Element *> out;
    for (Band &b : t_.bands)
        for (Element &e : b.elements)
            if (e.name == name && e.kind != ElementKind::Field && e.kind != ElementKind::Mark)
                out.push_back(&e);
    return out;
}

std::vector<const Element *> Document::elements(const QString &name) const
{
    std::vector<const Element *> out;
    for (Element *e : const_cast<Document *>(this)->elements(name))
        out.push_back(e);
    return out;
}

namespace {
[[noreturn]] void unknown(const QString &templateName, const QString &what, const QString &name)
{
    throw TemplateError(QStringLiteral("template %1 has no %2 \"%3\"").arg(templateName, what, name));
}
}  // namespace

bool Document::hasLabel(const QString &name) const
{
    if (labels_.contains(name))
        return true;
    for (const Element *e : elements(name))
        if (e->kind == ElementKind::Text)
            return true;
    return false;
}

void Document::setLabel(const QString &name, const QString &text)
{
    bool found = false;
    if (labels_.contains(name)) {
        labels_[name] = text;
        found = true;
    }
    for (Element *e : elements(name)) {
        if (e->kind == ElementKind::Text) {
            e->text = text;
            found = true;
        }
    }
    if (!found)
        unknown(t_.name, QStringLiteral("label"), name);
}

QString Document::label(const QString &name) const
{
    const auto it = labels_.constFind(name);
    if (it != labels_.constEnd())
        return *it;
    for (const Element *e : elements(name))
        if (e->kind == ElementKind::Text)
            return e->text;
    unknown(t_.name, QStringLiteral("label"), name);
}

QString Document::placeholder(const QString &name) const
{
    const auto it = placeholders_.constFind(name);
    if (it == placeholders_.constEnd())
        unknown(t_.name, QStringLiteral("label"), name);
    return *it;
}

QStringList Document::labelNames() const
{
    QStringList names = labels_.keys();
    names.sort();
    return names;
}

QStringList Document::fillFromRow(const Row &row)
{
    QHash<QString, QVariant> columns;
    for (auto it = row.begin(); it != row.end(); ++it)
        columns.insert(it.key().toLower(), it.value());
    QStringList filled;
    for (const QString &name : labelNames()) {
        // The name itself, then without its copy digits one by one.
        QString column = name.toLower();
        while (!columns.contains(column) && !column.isEmpty() && column.back().isDigit())
            column.chop(1);
        const auto it = columns.constFind(column);
        if (it == columns.constEnd() || it->typeId() == QMetaType::QByteArray)
            continue;
        labels_[name] = valueText(*it, numberLabels_.contains(name));
        filled << name;
    }
    return filled;
}

void Document::setFontSize(const QString &nameOrGroup, double points)
{
    const auto group = t_.groups.constFind(nameOrGroup);
    if (group != t_.groups.constEnd()) {
        for (const QString &member : *group)
            setFontSize(member, points);
        return;
    }
    bool found = false;
    for (Element *e : elements(nameOrGroup)) {
        e->font.size = points;
        found = true;
    }
    for (Band &b : t_.bands)
        for (Element &e : b.elements)
            for (Run &r : e.runs)
                if (r.label == nameOrGroup) {
                    r.size = points;
                    found = true;
                }
    if (!found)
        unknown(t_.name, QStringLiteral("element or group"), nameOrGroup);
}

void Document::setVisible(const QString &name, bool visible)
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("element"), name);
    for (Element *e : found)
        e->visible = visible;
}

bool Document::isVisible(const QString &name) const
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("element"), name);
    return found.front()->visible;
}

void Document::setFill(const QString &name, const QColor &colour)
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("box"), name);
    for (Element *e : found)
        e->fill = colour;
}

QColor Document::fill(const QString &name) const
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("box"), name);
    return found.front()->fill;
}

namespace {
bool crossBox(const Element *e)
{
    return e->kind == ElementKind::Tick && e->markStyle == MarkStyle::Cross;
}
}  // namespace

bool Document::isCrossBox(const QString &name) const
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("box"), name);
    return std::all_of(found.begin(), found.end(), crossBox);
}

void Document::setCrossed(const QString &name, bool crossed)
{
    const auto found = elements(name);
    if (found.empty() || !std::all_of(found.begin(), found.end(), crossBox))
        unknown(t_.name, QStringLiteral("cross box"), name);
    for (Element *e : found)
        e->crossed = crossed;
}

bool Document::isCrossed(const QString &name) const
{
    if (!isCrossBox(name))
        unknown(t_.name, QStringLiteral("cross box"), name);
    return elements(name).front()->crossed;
}

void Document::setImage(const QString &name, const QImage &image)
{
    bool found = false;
    for (const Element *e : elements(name))
        found = found || e->kind == ElementKind::Signature || e->kind == ElementKind::BoundImage;
    if (!found)
        unknown(t_.name, QStringLiteral("image slot"), name);
    if (image.isNull())
        images_.remove(name);
    else
        images_.insert(name, image);
}

QImage Document::image(const QString &name) const
{
    return images_.value(name);
}

void Document::bringToFront(const QString &name)
{
    int top = 0;
    for (const Band &b : t_.bands)
        for (const Element &e : b.elements)
            top = std::max(top, e.z);
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("element"), name);
    for (Element *e : found)
        e->z = top + 1;
}

int Document::zOrder(const QString &name) const
{
    const auto found = elements(name);
    if (found.empty())
        unknown(t_.name, QStringLiteral("element"), name);
    return found.front()->z;
}

void Document::setRows(ResultSet rows, int currentRow)
{
    rows_ = std::move(rows);
    current_ = currentRow;
}

void Document::setAfterPrint(std::function<void()> action)
{
    afterPrint_ = std::move(action);
}

std::vector<Page> Document::layout() const
{
    FillState state;
    state.label = [this](const QString &name) { return labels_.value(name); };
    state.image = [this](const QString &name) { return images_.value(name); };
    state.value = [this](int row, const QString &column) { return rows_.value(row < 0 ? current_ : row, column); };
    state.rowCount = rows_.size();
    return layoutDocument(t_, state);
}

QString Document::text() const
{
    return readingText(layout());
}

bool Document::writePdf(const QString &path, QString *error) const
{
    return report::writePdf(layout(), t_.title.isEmpty() ? t_.name : t_.title, path, error);
}

std::vector<QImage> Document::renderImages(double dpi) const
{
    std::vector<QImage> images;
    for (const Page &page : layout())
        images.push_back(renderPage(page, dpi));
    return images;
}

void Document::afterPrint()
{
    if (!afterPrint_)
        return;
    try {
        afterPrint_();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool Document::show(DocumentAction action)
{
    ShownFilledDocument shown(*this);
    const bool printed = ui().showDocument(shown, action);
    if (printed)
        afterPrint();
    return printed;
}

bool Document::preview()
{
    return show(DocumentAction::Preview);
}

bool Document::print()
{
    return show(DocumentAction::Print);
}

}  // namespace bv::report

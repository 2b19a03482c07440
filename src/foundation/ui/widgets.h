#pragma once
// Small shared widgets, the one reading of typed text and the one showing of a
// stored value in a list box.
#include <QColor>
#include <QLabel>

class QComboBox;

namespace bv {

// A label that reports clicks (defaults and links).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

    // Makes the label a link: 8 points, regular and black, growing to 10
    // points bold in `colour` while the pointer is over it.
    void setLinkColour(const QColor &colour);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void showLink(bool hovered);
    QColor linkColour_;
};

// What a person typed into an input, as it is stored, searched, compared or
// used as a key: the normalised text (normalizeInput) of a line edit or of a
// list box's current text, and the stored form of a date box. Windows read
// their inputs through this, never through QLineEdit::text().
QString typedText(const QWidget *input);

// Shows a record's stored value in a list box: the matching item when there is
// one; otherwise, in a fixed-choice box, the stored text as an extra item
// (removed again when the box shows another record), in an editable box the
// text itself; no choice at all when the value is empty. Nothing of the
// previous record's choice stays.
void showStoredValue(QComboBox *box, const QString &stored);

// Replaces the items of an editable filter box, keeping what is typed in it
// and without reporting a change.
void refillChoices(QComboBox *box, const QStringList &items);

}  // namespace bv

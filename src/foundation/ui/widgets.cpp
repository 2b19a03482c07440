#include "widgets.h"

#include "dateedit.h"
#include "text.h"

#include <QComboBox>
#include <QMouseEvent>

namespace bv {

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::setLinkColour(const QColor &colour)
{
    linkColour_ = colour;
    showLink(false);
}

void ClickLabel::showLink(bool hovered)
{
    QFont f = font();
    f.setPointSize(hovered ? 10 : 8);
    f.setBold(hovered);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hovered ? linkColour_ : QColor(Qt::black));
    setPalette(p);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::enterEvent(QEnterEvent *event)
{
    if (linkColour_.isValid())
        showLink(true);
    QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent *event)
{
    if (linkColour_.isValid())
        showLink(false);
    QLabel::leaveEvent(event);
}

QString typedText(const QWidget *input)
{
    if (auto *date = qobject_cast<const JalaliDateEdit *>(input))
        return date->date();
    if (auto *combo = qobject_cast<const QComboBox *>(input))
        return normalizeInput(combo->currentText());
    if (auto *edit = qobject_cast<const QLineEdit *>(input))
        return normalizeInput(edit->text());
    return {};
}

namespace {
// Marks the item a stored value outside the list added.
constexpr int storedOnlyRole = Qt::UserRole + 0x5e7;
}  // namespace

void refillChoices(QComboBox *box, const QStringList &items)
{
    const QString text = box->currentText();
    box->blockSignals(true);
    box->clear();
    box->addItems(items);
    box->setCurrentText(text);
    box->blockSignals(false);
}

void showStoredValue(QComboBox *box, const QString &stored)
{
    for (int i = box->count() - 1; i >= 0; --i)
        if (box->itemData(i, storedOnlyRole).toBool())
            box->removeItem(i);
    int at = stored.isEmpty() ? -1 : box->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (box->isEditable()) {
        box->setCurrentIndex(at);
        if (at < 0)
            box->setEditText(stored);
        return;
    }
    if (at < 0 && !stored.isEmpty()) {
        box->addItem(stored);
        at = box->count() - 1;
        box->setItemData(at, true, storedOnlyRole);
    }
    box->setCurrentIndex(at);
}

}  // namespace bv

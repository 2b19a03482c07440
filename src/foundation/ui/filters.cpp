#include "filters.h"

#include "text.h"
#include "widgets.h"

#include <QAction>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace bv {

FilterCheck::FilterCheck(const QString &text, QList<QWidget *> inputs, QWidget *parent)
    : QCheckBox(text, parent), inputs_(std::move(inputs))
{
    for (QWidget *input : inputs_)
        input->setEnabled(false);
    connect(this, &QCheckBox::toggled, this, &FilterCheck::apply);
}

bool FilterCheck::active() const
{
    return !inputs_.isEmpty() && inputs_.first()->isEnabled();
}

void FilterCheck::apply(bool on)
{
    for (QWidget *input : inputs_) {
        input->setEnabled(on);
        if (on) {
            QPalette yellow = input->palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            input->setPalette(yellow);
        } else {
            // An empty palette inherits the window's colours again.
            input->setPalette(QPalette());
        }
    }
    if (on && !inputs_.isEmpty())
        inputs_.first()->setFocus();
}

std::optional<QString> FilterCheck::entry(const QWidget *input) const
{
    if (!active())
        return std::nullopt;
    return typedText(input ? input : inputs_.first());
}

FilterList::FilterList(const QString &caption, QWidget *input_, const QString &removeCaption, QWidget *parent)
    : QObject(parent), input(input_)
{
    add = new QPushButton(QStringLiteral("+"), parent);
    show = new QCheckBox(parent);
    list = new QListWidget(parent);
    list->setFixedHeight(56);
    list->hide();
    check = new FilterCheck(caption, {input, add, show}, parent);
    remove = new QAction(removeCaption, list);
    list->addAction(remove);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(check, &QCheckBox::toggled, this, [this] {
        list->hide();
        list->clear();
        show->setChecked(false);
    });
    connect(add, &QPushButton::clicked, this, [this] { append(typedText(input)); });
    connect(show, &QCheckBox::toggled, list, &QWidget::setVisible);
    connect(remove, &QAction::triggered, this, [this] { delete list->currentItem(); });
}

std::optional<QStringList> FilterList::entries() const
{
    if (!check->active())
        return std::nullopt;
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void FilterList::append(const QString &entry)
{
    list->addItem(normalizeInput(entry));
}

void FilterList::clear()
{
    list->clear();
}

SelectionCheck::SelectionCheck(QWidget *parent) : QCheckBox(parent)
{
    hide();
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            hide();
    });
}

void SelectionCheck::showSelection(const QString &caption)
{
    for (FilterCheck *check : window()->findChildren<FilterCheck *>())
        check->setChecked(false);
    setText(caption);
    setChecked(true);
    show();
}

void SelectionCheck::drop()
{
    setChecked(false);
    hide();
}

}  // namespace bv

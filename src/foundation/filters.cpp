#include "filters.h"

#include <QPalette>

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

}  // namespace bv

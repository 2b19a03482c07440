#include "yearedit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace bv::reporting {

QLineEdit *yearEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]{0,4}")), edit));
    return edit;
}

}  // namespace bv::reporting

#include "change_pass.h"

#include "accounts.h"
#include "dm.h"
#include "interaction.h"
#include "widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace bv {

change_pass::change_pass(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("change_pass"));
    setWindowTitle(QStringLiteral("تغيير کلمه عبور"));
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit1->setEchoMode(QLineEdit::Password);
    Edit2->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("تغيير"), this);
    BitBtn2 = new QPushButton(QStringLiteral("انصراف"), this);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("كلمه عبور جديد"), Edit1);
    form->addRow(QStringLiteral("تاييد كلمه عبور"), Edit2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    form->addRow(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &change_pass::change);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void change_pass::setAccount(const QString &us, const QString &ps)
{
    us_ = us;
    ps_ = ps;
    Edit1->clear();
    Edit2->clear();
}

void change_pass::change()
{
    const QString replacement = typedText(Edit1);
    if (replacement.isEmpty() && typedText(Edit2).isEmpty()) {
        ui().message(QStringLiteral("كلمه عبور صحيح نيست"));
        return;
    }
    if (replacement != typedText(Edit2)) {
        ui().message(QStringLiteral("كلمه عبور جديد همخواني ندارد"));
        return;
    }
    try {
        if (!changePassword(dm().main(), us_, ps_, replacement)) {
            ui().message(QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"));
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("كلمه عبور تغيير يافت"));
    accept();
}

}  // namespace bv

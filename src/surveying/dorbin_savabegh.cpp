#include "dorbin_savabegh.h"

#include "cameras.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "session.h"
#include "text.h"
#include "widgets.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bv {

dorbin_savabegh::dorbin_savabegh(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dorbin_savabegh"));
    setWindowTitle(QStringLiteral("سوابق دوربين"));
    dat = new JalaliDateEdit(this);
    dat->setCaption(QStringLiteral("تاريخ"));
    cmt = new QLineEdit(this);
    sharh = new QPlainTextEdit(this);
    Edit_filename = new QLineEdit(this);
    Edit_filename->setReadOnly(true);
    BitBtn1 = new QPushButton(QStringLiteral("Browse..."), this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    auto *document = new QGroupBox(QStringLiteral("تصوير مستند"), this);
    auto *file = new QHBoxLayout(document);
    file->addWidget(Edit_filename);
    file->addWidget(BitBtn1);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("تاريخ"), dat);
    form->addRow(QStringLiteral("توضيحات"), cmt);
    form->addRow(QStringLiteral("شرح"), sharh);
    form->addRow(document);
    form->addRow(ins_btn);
    connect(BitBtn1, &QPushButton::clicked, this, &dorbin_savabegh::browse);
    connect(ins_btn, &QPushButton::clicked, this, &dorbin_savabegh::registerEvent);
}

bool dorbin_savabegh::open(qint64 camera)
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("dorbin"));
        if (!rights || !rights->view) {
            ui().message(noAccessMessage);
            return false;
        }
        ins_btn->setEnabled(rights->insert);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    prepare(camera);
    ui().execDialog(*this);
    return true;
}

void dorbin_savabegh::prepare(qint64 camera)
{
    camera_ = camera;
    dat->setDate(emptyDateMask);
    cmt->clear();
    sharh->clear();
    Edit_filename->clear();
}

void dorbin_savabegh::browse()
{
    const QString path = ui().openFileName(QStringLiteral("Browse..."));
    if (!path.isEmpty())
        Edit_filename->setText(path);
}

bool dorbin_savabegh::registerEvent()
{
    if (camera_ == 0 || !ins_btn->isEnabled() || !acceptDates({dat}))
        return false;
    survey::CameraEvent event{typedText(dat), typedText(cmt), normalizeYeh(sharh->toPlainText()), {}, {}};
    if (!Edit_filename->text().isEmpty()) {
        QString error;
        const std::optional<StoredAttachment> file = survey::readDocumentFile(Edit_filename->text(), &error);
        if (!file) {
            ui().message(survey::unreadableFileMessage(error), MessageKind::Error);
            return false;
        }
        event.pictyp = file->extension;
        event.pic = file->content;
    }
    try {
        survey::addEvent(dm().main(), camera_, event);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    emit saved();
    sharh->setFocus();
    ui().message(QStringLiteral("قبت شد"));
    return true;
}

}  // namespace bv

#include "clipboard_frm.h"

#include "document.h"
#include "interaction.h"
#include "windows.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv::report {

clipboard_frm::clipboard_frm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("clipboard_frm"));
    setWindowTitle(QStringLiteral("Clipboard"));
    setLayoutDirection(Qt::RightToLeft);
    heading = new QLabel(QStringLiteral("حافظه موقت"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setLayoutDirection(Qt::RightToLeft);
    copy_btn = new QPushButton(QStringLiteral("Copy and Exit"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(Memo1, 1);
    layout->addWidget(copy_btn);
    connect(copy_btn, &QPushButton::clicked, this, &clipboard_frm::copyAndExit);
}

void clipboard_frm::copyAndExit()
{
    Memo1->selectAll();
    ui().setClipboardText(Memo1->toPlainText());
    hide();
}

void copyLetterText(const Document &doc)
{
    clipboard_frm &window = windows::get<clipboard_frm>();
    window.Memo1->clear();
    QString text = doc.text();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    window.Memo1->setPlainText(text);
    window.copyAndExit();
}

}  // namespace bv::report

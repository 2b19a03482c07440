#include "qtinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace bv {

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}
}  // namespace

void QtInteraction::message(const QString &text, MessageKind kind)
{
    QMessageBox box(dialogParent());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setText(text);
    switch (kind) {
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.addButton(QStringLiteral("تاييد"), QMessageBox::AcceptRole);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.addButton(QStringLiteral("تاييد"), QMessageBox::AcceptRole);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.addButton(QStringLiteral("تاييد"), QMessageBox::AcceptRole);
        break;
    case MessageKind::Confirm:
        box.setIcon(QMessageBox::Question);
        box.addButton(QStringLiteral("بلي"), QMessageBox::YesRole);
        break;
    }
    box.exec();
}

bool QtInteraction::question(const QString &text)
{
    QMessageBox box(dialogParent());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    QPushButton *yes = box.addButton(QStringLiteral("بلي"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("خير"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtInteraction::input(const QString &caption, const QString &prompt,
                                            const QString &initial, bool password)
{
    QInputDialog dialog(dialogParent());
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("تاييد"));
    dialog.setCancelButtonText(QStringLiteral("انصراف"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtInteraction::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(dialogParent(), caption, {}, filter);
}

QString QtInteraction::saveFileName(const QString &caption, const QString &suggested, const QString &filter)
{
    return QFileDialog::getSaveFileName(dialogParent(), caption, suggested, filter);
}

QString QtInteraction::folderName(const QString &caption)
{
    return QFileDialog::getExistingDirectory(dialogParent(), caption);
}

bool QtInteraction::openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtInteraction::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

int QtInteraction::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

QDate QtInteraction::today()
{
    return QDate::currentDate();
}

bool QtInteraction::showDocument(ShownDocument &document, DocumentAction action)
{
    return action == DocumentAction::Preview ? document.runPreview() : document.printDirect();
}

}  // namespace bv

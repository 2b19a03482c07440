#include "backup.h"

#include "backupfile.h"
#include "dates.h"
#include "dm.h"
#include "interaction.h"

#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace bv {

backup::backup(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("backup"));
    setWindowTitle(QStringLiteral("تهيه پشتيبان"));

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QString());
    folders = new QTreeView(this);
    folders->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        folders->hideColumn(column);
    folders->setHeaderHidden(true);
    folder = new QLineEdit(this);
    folder->setLayoutDirection(Qt::LeftToRight);
    ins_btn = new QPushButton(QStringLiteral("ايجاد فايل"), this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(folders, 1);
    layout->addWidget(folder);
    layout->addWidget(ins_btn);

    connect(folders, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { folder->setText(model_->filePath(index)); });
    connect(ins_btn, &QPushButton::clicked, this, &backup::createFile);
}

void backup::createFile()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const BackupResult result = makeBackup(dm().main(), folder->text().trimmed(), jalaliToday());
    QGuiApplication::restoreOverrideCursor();
    if (result.ok) {
        ui().message(QStringLiteral("فايل پشتيبان تهيه شد"));
        return;
    }
    QString text = QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد");
    if (!result.error.isEmpty())
        text += QLatin1Char('\n') + result.error;
    ui().message(text, MessageKind::Error);
}

}  // namespace bv

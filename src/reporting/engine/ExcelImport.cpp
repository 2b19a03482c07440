#include "ExcelImport.h"

#include "interaction.h"
#include "windows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace bv::report {

QString excelReadErrorMessage()
{
    return QStringLiteral("خطا در خواندن فايل اکسل! لطفا فايل را ببنديد و يا از نام شيت آن مطمئن شويد Sheet1 ");
}

ExcelImport::ExcelImport(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExcelImport"));
    setWindowTitle(QStringLiteral("ExcelImport"));
    setLayoutDirection(Qt::RightToLeft);
    grid = new QTableWidget(this);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cnt = new QLabel(QStringLiteral("0"), this);
    progress = new QProgressBar(this);
    search_btn = new QPushButton(QStringLiteral("جستجو"), this);
    transfer_btn = new QPushButton(QStringLiteral("انتقال"), this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("تعداد يافته"), this));
    bar->addWidget(cnt);
    bar->addStretch();
    bar->addWidget(search_btn);
    bar->addWidget(transfer_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(grid, 1);
    layout->addWidget(progress);

    connect(search_btn, &QPushButton::clicked, this, [this] { load(path_); });
    connect(transfer_btn, &QPushButton::clicked, this, &ExcelImport::transfer);
}

void ExcelImport::fill(const SheetTable &table)
{
    grid->clear();
    grid->setColumnCount(int(table.columns.size()));
    grid->setRowCount(int(table.rows.size()));
    grid->setHorizontalHeaderLabels(table.columns);
    for (int r = 0; r < int(table.rows.size()); ++r)
        for (int c = 0; c < int(table.columns.size()); ++c)
            grid->setItem(r, c, new QTableWidgetItem(table.rows[size_t(r)][c]));
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, 100);
    cnt->setText(QString::number(table.rows.size()));
}

bool ExcelImport::load(const QString &path)
{
    path_ = path;
    const std::optional<SheetTable> table = readSheet(path, QStringLiteral("Sheet1"));
    if (!table) {
        fill(SheetTable{});
        ui().message(excelReadErrorMessage(), MessageKind::Error);
        return false;
    }
    fill(*table);
    return true;
}

void ExcelImport::transfer()
{
    if (!ui().question(QStringLiteral("آيا از فايل خوانده شده و انتقال اطلاعات آن مطمئن هستيد؟")))
        return;
    // Walks the rows from the first to the last; nothing is stored.
    progress->setRange(0, grid->rowCount());
    progress->setValue(0);
    for (int r = 0; r < grid->rowCount(); ++r)
        progress->setValue(r + 1);
}

void importFromExcel(int browserWidth)
{
    ExcelImport &window = windows::get<ExcelImport>();
    const QString path = ui().openFileName(QStringLiteral("Import From Excel"),
                                           QStringLiteral("Excel 2003 (*.xls);;Excel 2007 (*.xlsx);;All Files(*.*)"));
    if (path.isEmpty())
        return;
    window.load(path);
    window.progress->reset();
    window.progress->setValue(0);
    window.resize(std::max(200, browserWidth - 30), window.height());
    ui().execDialog(window);
}

}  // namespace bv::report

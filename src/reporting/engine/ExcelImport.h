#pragma once
// The spreadsheet preview: the worksheet "Sheet1" of a chosen file, row by row,
// before a transfer. The transfer walks the rows and stores nothing.
#include "spreadsheetreader.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace bv::report {

class ExcelImport : public QDialog {
    Q_OBJECT
public:
    explicit ExcelImport(QWidget *parent = nullptr);

    QTableWidget *grid = nullptr;
    QLabel *cnt = nullptr;
    QProgressBar *progress = nullptr;
    QPushButton *search_btn = nullptr;    // "جستجو": reads the sheet again
    QPushButton *transfer_btn = nullptr;  // "انتقال"

    // Reads the sheet of `path` into the grid; on failure the message and an
    // empty grid. True when read.
    bool load(const QString &path);
    void transfer();
    const QString &path() const { return path_; }

private:
    void fill(const SheetTable &table);
    QString path_;
};

QString excelReadErrorMessage();

// The studies browser's "Import From Excel": asks for a file, reads it and shows
// the window modally, 30 pixels narrower than the browser.
void importFromExcel(int browserWidth);

}  // namespace bv::report

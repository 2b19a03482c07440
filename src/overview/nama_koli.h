#pragma once
// The overview window: the office's programme in charts, for the chosen credit
// years and counties within the user's scope. A bar opens the rows it counted;
// the charts print, save as PDF and export their numbers to a spreadsheet.
#include "overview_data.h"

#include <QDialog>
#include <vector>

class QChartView;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace bv {

class BrowserGrid;

class nama_koli : public QDialog {
    Q_OBJECT
public:
    explicit nama_koli(QWidget *parent = nullptr);

    // Opening from the main menu: the choices filled afresh, all ticked, and shown.
    void prepare();
    // Reads the numbers for the ticked years and counties and redraws the charts.
    void refresh();
    overview::Choice choice() const;
    const std::vector<overview::Chart> &charts() const { return charts_; }
    QChartView *view(int chart) const { return views_[size_t(chart)]; }

    // A click on bar `category` of series `series` of chart `chart`.
    void openBar(int chart, int series, int category);
    void print();
    void savePdf();
    void exportNumbers();

    QListWidget *years, *counties;
    QPushButton *BitBtn1, *print_btn, *pdf_btn, *excel_btn, *close_btn;
    QTabWidget *pages;

private:
    void fillChoices();
    std::vector<overview::Chart> charts_;
    std::vector<QChartView *> views_;
    overview::Choice shown_;  // the choice the charts were read for
};

}  // namespace bv

#pragma once
// The surveying instruments browser: county and model filters, the
// instruments, and the events of the current one with their long text.
#include "cameras.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class dorbin_src : public QDialog {
    Q_OBJECT
public:
    explicit dorbin_src(QWidget *parent = nullptr);

    // Opening from the survey browser of size `browser`: rights of "dorbin"
    // (without a row, or without the view right, the refusal and no window),
    // filter texts emptied, searched, shown modally. False when refused.
    bool open(const QSize &browser);
    void applyRights(const PageRights &rights);
    survey::CameraFilters filters() const;
    // The count and the first screen of rows at once; the rest of the list
    // follows when the window is idle, or before a title click sorts it.
    void search();
    static constexpr int firstScreenRows = 200;
    void newCamera();
    void editCamera();
    void deleteCamera();
    void history();
    // The events of the current instrument.
    void listEvents();
    // A click on an event opens its document.
    void openEvent();
    void deleteEvent();

    FilterCheck *CheckBox1, *CheckBox2;
    QComboBox *city;
    QLineEdit *typ;
    QPushButton *BitBtn1;
    QLabel *cnt;
    BrowserGrid *DBGrid1, *DBGrid2;
    QPlainTextEdit *sharh;
    QAction *N1, *N2, *N3, *N4, *N5, *N6, *N7;

private:
    void showEventText();
    survey::CameraFilters searched_;
};

}  // namespace bv

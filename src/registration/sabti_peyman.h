#pragma once
// The registration contractors window: the list with its filters, the entry,
// delete and attachment commands, and the contractor choice of a job.
#include <QDialog>
#include <optional>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

struct ChosenContractor {
    qint64 id = 0;
    std::optional<QString> name;  // none for a contractor of neither kind
};

class sabti_peyman : public QDialog {
    Q_OBJECT
public:
    explicit sabti_peyman(QWidget *parent = nullptr);

    // Both opening ways empty the two names and search first. `jobCode` is the
    // `cod` of the current job, which the attachments' delete log names.
    void browse(const QString &jobCode);
    // As browse(); a double click then picks: the contractor, or nullopt when
    // the window was closed without one.
    std::optional<ChosenContractor> pick(const QString &jobCode);

    void search();
    void newContractor();
    void editContractor();
    void deleteContractor();
    void attachments();
    // The double click while picking.
    void pickCurrent();

    QComboBox *typ;
    FilterCheck *CheckBox1, *CheckBox2;
    QLineEdit *lname, *company;
    QPushButton *src_btn;
    BrowserGrid *DBGrid1;
    QAction *N1, *N2, *N3, *N4, *N5;

private:
    void open(const QString &jobCode);
    QString jobCode_;
    bool picking_ = false;
    std::optional<ChosenContractor> picked_;
};

}  // namespace bv

#pragma once
// The survey projects browser: filters, count and totals, the coloured list
// and every action on the current project.
#include "naghshe_agreements.h"
#include "naghshe_letters.h"
#include "naghshe_search.h"
#include "session.h"

#include <QDialog>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class FilterList;
class SelectionCheck;
class JalaliDateEdit;

class naghshe_src : public QDialog {
    Q_OBJECT
public:
    explicit naghshe_src(QWidget *parent = nullptr);

    void applyRights(const PageRights &rights);
    // Opening from the main menu: filter texts emptied, searched once.
    void prepare();
    // Counts, totals and the first screen of rows at once; the rest of the
    // list follows when the window is idle, or when an action needs it.
    void search();
    static constexpr int firstScreenRows = 200;
    // The filters as set now.
    survey::NaghsheFilters filters() const;
    // Lists exactly `selection` (a bar of the overview): every other filter is
    // unticked and the selection is shown as a filter of its own, dropped when
    // unticked or when the main menu opens the browser.
    void showSelection(const survey::NaghsheSelection &selection);
    // The last search, read by the browser's letters.
    const survey::NaghsheSearchState &lastSearch() const { return last_; }

    void registerProject();
    void editProject();
    void deleteProject();
    void attachments();
    void attachToAll();
    void assignContractorToAll();
    void addListedPlaces();
    void transferToStudies();
    void contractors();
    void exportComprehensive();
    void exportSystem();
    // Writes the HTML list to `path` and opens it; false when not written.
    bool exportHtml(const QString &path);
    void exportChecklist();
    void programDocuments();
    // The credits report of the last search; set by the program, which holds the report.
    static inline std::function<void(const survey::NaghsheSearchState &)> creditsReport;
    void fontBigger(int step);
    void recomputeTarget();
    // A statement or letter of the current project, filled from a fresh
    // template and previewed; nothing without a current project, or when the
    // fill gives no document. With `toClipboard` the letter's text goes to
    // the clipboard before the preview.
    using LetterFill = std::function<std::optional<report::Document>(const Db &, const survey::LetterSource &)>;
    void printLetter(const LetterFill &fill, bool toClipboard = false);

    // Filters.
    FilterCheck *CheckBox11, *CheckBox5, *CheckBox6, *CheckBox8, *CheckBox9, *CheckBox10;
    QComboBox *ostan, *city, *rosta, *peymankar, *tamin_loc, *status, *prot_typ, *prot_dat;
    QLineEdit *tamin_sal, *prot_no, *roz;
    FilterList *cityList, *rostaList, *peymankarList, *protNoList, *locList;
    JalaliDateEdit *prot_dat2, *prot_dat1_1, *prot_dat1_2;
    QPushButton *BitBtn1;
    SelectionCheck *selectionCheck;
    // Counts and totals.
    QLabel *cnt, *cnt_green1, *prot_mablagh, *pardakhti;
    BrowserGrid *DBGrid1;
    // Menu.
    QAction *N1, *N2, *N3, *N7, *N15, *N16, *N17, *N53, *N26, *N46, *N41, *N45, *N38, *N47, *N39, *N40, *N6, *N54;
    QAction *N33, *N37, *N34, *N62;
    // Statements and contract letters.
    QAction *N23, *N13, *N42, *N43, *N14, *N24, *N25, *N44, *N10, *N12, *N21, *N58, *N60, *N59, *N57;
    // Evaluation and checklists.
    QAction *N8, *N11, *N4, *N55, *N56;
    // Agreement pages, the inquiry, the committee minutes, the notification and the disc label.
    QMenu *N30;
    QAction *N310, *N9, *N31, *N18;
    QAction *N110, *N111, *N61, *N71, *N81, *N811, *N91, *N211, *N210, *N121, *N48, *N52001, *N51, *N231, *N191,
        *N241, *N251, *N261, *N32, *N36;
    // The pages "چاپ همه صفحات" prints, in order.
    QList<QAction *> agreementPages() const;

private:
    // The mass actions change data: the right is read afresh each time.
    bool allowed(const QString &pageKey, bool PageRights::*flag) const;
    QList<QAction *> letterItems() const;
    void buildAgreementMenu(QMenu *contract);
    void agreementDocument(const QString &description);
    void fillChoices();
    void searchKeeping(const QVariant &id);
    std::optional<survey::NaghsheSelection> selection_;
    survey::NaghsheSearchState last_;
};

}  // namespace bv

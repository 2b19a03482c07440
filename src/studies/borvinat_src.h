#pragma once
// The studies browser: filters, count and total, the coloured list and every
// action on the current study.
#include "borvinat_letters.h"
#include "borvinat_search.h"
#include "document.h"
#include "session.h"

#include <functional>

#include <QDialog>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class FilterList;
class SelectionCheck;

class borvinat_src : public QDialog {
    Q_OBJECT
public:
    explicit borvinat_src(QWidget *parent = nullptr);

    void applyRights(const PageRights &rights);
    // Opening from the main menu: filter texts emptied, searched once.
    void prepare();
    // Count, total and the first screen of rows at once; the rest of the list
    // follows when the window is idle, or when an action needs it.
    void search();
    static constexpr int firstScreenRows = 200;
    studies::BorvinatFilters filters() const;
    // The last search, read by the browser's letters, agreement pages and credits.
    const studies::BorvinatSearchState &lastSearch() const { return last_; }
    // The credits report of the last search; set by the program, which holds the report.
    static inline std::function<void(const studies::BorvinatSearchState &)> creditsReport;
    // Lists exactly `selection` (a bar of the overview): every other filter is
    // unticked and the selection is shown as a filter of its own, dropped when
    // unticked or when the browser is opened from the menu.
    void showSelection(const studies::StudySelection &selection);
    // Searches again with the study `id` current when it is listed.
    void searchKeeping(const QVariant &id);

    void registerStudy();
    void editStudy();
    void deleteStudy();
    void assignContractorToAll();
    void copyToNewYear();
    void attachments();
    void attachToAll();
    void programmes();
    void indicators();
    void meetings();
    using StudyChecklist = std::function<report::Document(const Db &, const Row &)>;
    void printChecklist(const StudyChecklist &fill);
    // Writes the HTML list to `path` and opens it; false when not written.
    bool exportHtml(const QString &path);
    void exportChecklist();

    // Filters.
    FilterCheck *CheckBox11, *CheckBox5, *CheckBox3, *CheckBox4, *CheckBox6, *CheckBox7;
    FilterList *CheckBox1, *CheckBox2;
    QComboBox *ostan, *city, *rosta, *tarh_typ;
    QLineEdit *etebar_sal, *moshaver_prot_no, *tarh_moshaver_name, *amel4;
    QPushButton *BitBtn1;
    QLabel *cnt, *prot_mablagh;
    SelectionCheck *selectionCheck;
    BrowserGrid *DBGrid1;
    // Menu.
    QAction *N1, *N2, *N3, *N23, *N39, *N48, *N45, *N5, *N35, *N15, *N16, *N17, *N46, *N64, *N53,
        *ImportFromExcel1, *N52, *N40, *N54, *N6;
    // Evaluations of the current study and its meetings.
    QAction *GIS2, *N24, *N50, *N25, *N26, *N55, *N56;
    // Checklists of the evaluations.
    QAction *GIS1, *N7, *N210, *N49, *N8, *N13;
    // Letters, minutes, statements and hand-over forms.
    QAction *N44, *N57, *N10, *N61, *N9, *N29, *N27, *N21, *N30, *N31, *N4, *N12, *N11, *N62, *N14, *N63, *N18;
    QList<QAction *> agreementItems;  // "موافقتنامه", in menu order
    QList<QAction *> laterItems;  // evaluations, forms, letters and meetings of later versions
    // Grid context menu.
    QAction *N42, *N47, *N51;

    // Fills a letter from the current study and the last search, and previews it.
    using LetterFill = std::function<report::Document(const Db &, const studies::StudyLetterSource &)>;
    void printLetter(const LetterFill &fill, bool toClipboard = false);
    void printAgreement();

private:
    void fillChoices();
    template <class Window>
    void evaluate();
    QList<qint64> listedIds();
    studies::BorvinatSearchState last_;
    std::optional<studies::StudySelection> selection_;
};

}  // namespace bv

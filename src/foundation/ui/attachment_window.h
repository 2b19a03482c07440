#pragma once
// The attachment windows: one window class driven by the description of its
// table, and one named subclass per table so that each has its own instance.
// Browsers open them with openAttachments(), handing over the owner ids.
#include "attachments.h"
#include "pages.h"

#include <QDialog>
#include <QLabel>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

// What the opener hands over when it opens an attachment window.
struct AttachmentContext {
    qint64 ownerId = 0;          // the owner's current record (owned tables)
    QList<qint64> listedOwners;  // every record its browser lists, for AddMode::All
    AddMode mode = AddMode::One;
    QString pageKey;             // empty: the table's own page key
    QString jobCode;             // `cod` of the current registration job, for the delete log
};

// The round marker that turns red when an add starts and green when it ends.
class StatusMarker : public QLabel {
public:
    enum class State { Idle, Red, Green };
    explicit StatusMarker(QWidget *parent = nullptr);
    void setState(State state);
    State state() const { return state_; }

private:
    State state_ = State::Idle;
};

class AttachmentWindow : public QDialog {
    Q_OBJECT
public:
    const AttachmentTable &table() const { return table_; }

    // The page's insert flag switches the add button, its delete flag "حذف".
    void applyRights(const PageRights &rights);
    // Takes the opener's context, empties the inputs, reloads the descriptions
    // and lists the owner's files (documents keep their last search).
    void prepare(const AttachmentContext &context);
    // Reruns the list.
    void refresh();
    // The add button: asks for a file and stores it.
    void add();
    // A click on a row: saves and opens that file.
    void saveCurrent();
    // The context item "حذف".
    void deleteCurrent();
    // The documents' search button.
    void search();

    // Controls; those a kind of table lacks are null.
    QComboBox *cmt = nullptr;         // description (owned and document tables)
    QComboBox *Combo_type = nullptr;  // description (program attachments)
    QLineEdit *ramz = nullptr;        // access password (program attachments)
    QPushButton *ins_btn;
    BrowserGrid *DBGrid1;
    QCheckBox *CheckBox1 = nullptr;   // "پس از ذخيره باز شود"
    QAction *N1;                      // "حذف"
    QLineEdit *src = nullptr;         // search text (document tables)
    QPushButton *BitBtn1 = nullptr;   // search (document tables)
    StatusMarker *Shape1;
    QLabel *one_or_all;               // hidden: "1" or "2"

protected:
    explicit AttachmentWindow(const AttachmentTable &table, QWidget *parent = nullptr);

private:
    QString description() const;
    const AttachmentTable &table_;
    AttachmentContext context_;
    QString search_;
};

class naghshe_pic : public AttachmentWindow {
public:
    naghshe_pic();
};
class peymankar_pic : public AttachmentWindow {
public:
    peymankar_pic();
};
class peymankaran_pic : public AttachmentWindow {
public:
    peymankaran_pic();
};
class borvinat_pic : public AttachmentWindow {
public:
    borvinat_pic();
};
class moshaveran_pic : public AttachmentWindow {
public:
    moshaveran_pic();
};
class sabti_pic : public AttachmentWindow {
public:
    sabti_pic();
};
class sabti_peyman_pic : public AttachmentWindow {
public:
    sabti_peyman_pic();
};
class sabti_mokatebat_pic : public AttachmentWindow {
public:
    sabti_mokatebat_pic();
};
class mostanadat : public AttachmentWindow {
public:
    mostanadat();
};
class naghshe_mostanadat : public AttachmentWindow {
public:
    naghshe_mostanadat();
};
class borvinat_mostanadat : public AttachmentWindow {
public:
    borvinat_mostanadat();
};
class sabti_mostanadat : public AttachmentWindow {
public:
    sabti_mostanadat();
};
class zamaem : public AttachmentWindow {
public:
    zamaem();
};

// The one window of an attachment table.
AttachmentWindow &attachmentWindow(const AttachmentTable &table);

// The page entry that opens a table's window with a context (main menu items
// register it as it is).
PageEntry attachmentPage(const AttachmentTable &table, const AttachmentContext &context = {});

// Opens a table's window for an owner after the page check of the context's
// page key (the table's own by default). True when the window was shown.
bool openAttachments(const AttachmentTable &table, const AttachmentContext &context);

}  // namespace bv

#pragma once
// The window of one catalogue: its inputs, "ثبت", the grid with "حذف" and, for
// scored catalogues, the total of the maximum scores. One class serves every
// catalogue; catalogue_of<Id> gives each its own instance for the run.
#include "catalogues.h"
#include "session.h"

#include <QDialog>
#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

class catalogue : public QDialog {
    Q_OBJECT
public:
    explicit catalogue(const CatalogueTable &table, QWidget *parent = nullptr);

    const CatalogueTable &table() const { return table_; }

    // Insert switches "ثبت", delete the context item "حذف".
    void applyRights(const PageRights &rights);
    // What the main menu does before showing: inputs emptied (numbers "0"),
    // the total shown and the grid listed.
    void prepare();
    // "ثبت".
    void registerItem();
    // "حذف": the current row's values go back into the inputs, then the row goes.
    void deleteItem();
    void showTotal();
    void list();

    // The input of a column, by its kind.
    QLineEdit *edit(const QString &column) const;
    QComboBox *choice(const QString &column) const;
    QCheckBox *tick(const QString &column) const;

    QPushButton *ins_btn;
    QLabel *emtiyaz_sum;  // null for catalogues without scores
    BrowserGrid *DBGrid1;
    QAction *deleteAction;

private:
    CatalogueInputs typed() const;
    void showValue(const CatalogueField &field, const QVariant &stored);
    QWidget *input(const QString &column) const;

    const CatalogueTable &table_;
    std::map<QString, QWidget *> inputs_;
};

template <CatalogueId Id>
class catalogue_of : public catalogue {
public:
    catalogue_of() : catalogue(catalogueTable(Id)) {}
};

}  // namespace bv

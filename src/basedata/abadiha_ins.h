#pragma once
// The entry window of one village: register mode (only "ثبت") or edit mode
// (only "ويرايش", for the village whose id it captured when it opened).
#include "rowguard.h"
#include "villages.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class ClickLabel;

class abadiha_ins : public QDialog {
    Q_OBJECT
public:
    explicit abadiha_ins(QWidget *parent = nullptr);

    // Register mode: every input empty, the province list filled.
    void startNew();
    // Edit mode for `village`, whose id the window keeps until it is opened again.
    void startEdit(const Village &village);
    qint64 editedId() const { return editedId_; }

    // A level chosen or typed: the next level's list is refilled from the
    // registry and the lower levels are emptied. A rural district with a single
    // village code gets that code selected (the details are not filled).
    void ostanChanged();
    void cityChanged();
    void bakhshChanged();
    void dehestanChanged();
    void rostaChanged();
    // A code chosen or typed: the details of the village at the whole place
    // with that code fill the seven edits; with none they stay as they are.
    void codChanged();

    // "ثبت" and "ويرايش".
    void insertVillage();
    void updateVillage();
    // Clicks on "استان" and "شهرستان": refresh `abadiha_xy` from the registry,
    // and export it.
    void refreshCoordinates();
    void exportCoordinates();

    // The inputs as a village (texts as typed).
    Village typed() const;

    QComboBox *ostan, *city, *bakhsh, *dehestan, *rosta, *cod;
    QLineEdit *khanevar, *zarib, *x, *y, *jamiyat, *zaribmantaghe, *zaribdori;
    QPushButton *ins_btn, *edit_btn;
    ClickLabel *Label1, *Label2;

signals:
    // A village was registered or edited.
    void saved();

private:
    // Runs a register or edit; a refusal text or a database error is shown and
    // the window stays, otherwise `done` is shown and the window closes. A
    // write that gives nothing has told the clerk itself and wrote nothing.
    void save(const std::function<std::optional<QString>()> &write, const QString &done);
    void levelChanged(int level);
    void clearInputs();
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("abadiha"), villageColumns()};
};

}  // namespace bv

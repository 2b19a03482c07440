#pragma once
// The entry window of a surveying instrument: a new one, or the edit of the
// browser's current one.
#include "cameras.h"
#include "rowguard.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class dorbin_ins : public QDialog {
    Q_OBJECT
public:
    explicit dorbin_ins(QWidget *parent = nullptr);

    void startNew();
    // Captures the instrument's id: the edit writes to it whatever is listed later.
    void startEdit(qint64 id, const Row &camera);
    // "ثبت" / "ويرايش"; true when written.
    bool insert();
    bool edit();

    QComboBox *city;
    QLineEdit *typ, *cod, *prs, *cmt;
    QPushButton *ins_btn, *edit_btn;

signals:
    void saved();

private:
    void fillCounties();
    survey::CameraEntry typed() const;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("dorbin"), {"city", "typ", "cod", "prs", "cmt"}};
};

}  // namespace bv

#pragma once
// The estimate request window: a new request, the surveying approval or the
// studies approval, as the browser chose; only that stage's inputs are open.
#include "darkhast_requests.h"
#include "rowguard.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class ClickLabel;
class JalaliDateEdit;
class MonEdit;

class darkhast_ins : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Request, Survey, Studies };

    explicit darkhast_ins(QWidget *parent = nullptr);

    // "ثبت درخواست برآورد": empty village, today's request date, zero figures.
    void startRequest();
    // The approvals of the stored request `row`, dated today.
    void startSurvey(const Row &row);
    void startStudies(const Row &row);
    Kind kind() const { return kind_; }
    // "ثبت": true when written.
    bool save();

    JalaliDateEdit *dat_darkhast, *dat_naghshe, *dat_borvinat;
    QComboBox *city, *bakhsh, *dehestan, *rosta, *cod;
    QLineEdit *masahat_por, *masahat_khali, *cmt, *cmt2;
    MonEdit *mablagh;
    QGroupBox *typ;
    QRadioButton *typRequest, *typSurvey, *typStudies;
    ClickLabel *Label7, *Label12;  // clear the surveying and the studies approval date
    QPushButton *ins_btn;

signals:
    void saved(qint64 id);

private:
    void setKind(Kind kind);
    void load(const Row &row);
    // False, with the refusals shown, when the request is gone or its stage closed.
    bool stageOpen(const Db &db, const std::function<QStringList(const QString &, const QString &)> &refusals);
    void fillLists();
    void fillChoices(QComboBox *box, int level);
    void villageChosen();
    void codeChanged();
    Kind kind_ = Kind::Request;
    qint64 id_ = 0;
    // The approvals another clerk may give meanwhile.
    RowGuard guard_{QStringLiteral("baravord"),
                    {QStringLiteral("dat_naghshe"), QStringLiteral("masahat_por"), QStringLiteral("masahat_khali"),
                     QStringLiteral("mablagh"), QStringLiteral("cmt"), QStringLiteral("dat_borvinat"),
                     QStringLiteral("cmt2")}};
    bool loading_ = false;
};

}  // namespace bv

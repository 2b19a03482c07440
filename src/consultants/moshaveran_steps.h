#pragma once
// The pieces both consultant entry windows are made of: a "بلي"/"خير" choice
// that may stay unselected, and the row of one workflow step (choice, an
// eight-digit date, the fourth agent's approval).
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;

namespace bv {

class JalaliDateEdit;

class YesNoChoice : public QWidget {
    Q_OBJECT
public:
    explicit YesNoChoice(QWidget *parent = nullptr);
    // "بلي", "خير", or "*" when nothing is selected.
    QString stored() const;
    // "بلي" and "خير" select their button; anything else selects none.
    void setStored(const QString &value);

    QRadioButton *yesButton, *noButton;

private:
    QButtonGroup *group_;
};

class StepRow : public QWidget {
    Q_OBJECT
public:
    StepRow(const QString &caption, bool hasDate, QWidget *parent = nullptr);

    QString stored() const { return choice->stored(); }
    // The date as stored: eight digits, or eight spaces.
    QString date() const;
    // "تاييد" when ticked, else "عدم تاييد".
    QString approval() const;
    // A stored step: the choice, the date and the tick ("تاييد" ticks it).
    void load(const QString &state, const QString &date, const QString &approval);
    void clear();
    // Users who may not approve see the tick disabled.
    void setApprovalAllowed(bool allowed);

    QLabel *caption;
    YesNoChoice *choice;
    JalaliDateEdit *dat = nullptr;  // none for a step without a date
    QCheckBox *tick;
};

}  // namespace bv

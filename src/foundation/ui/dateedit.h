#pragma once
// The Jalali date box: mask "0000/00/00"; an empty box stores the empty mask.
// In its compact form (the consultant windows) it takes eight digits without
// separators and an empty box stores eight spaces.
// What it holds is either nothing or a complete, existing date: windows refuse
// anything else before they write (acceptDates).
#include "dates.h"

#include <QLineEdit>

namespace bv {

// The 10-character stored form of what a date box shows: ASCII digits, blanks
// where nothing was typed.
QString storedDateText(const QString &display);

class JalaliDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit JalaliDateEdit(QWidget *parent = nullptr);
    // Switches to the eight-digit form ("14030705"; empty is eight spaces).
    void setCompact(bool compact);
    bool isCompact() const { return compact_; }
    // The stored form: "1403/07/05", or the empty mask when nothing was typed.
    QString date() const;
    // True when no digit was typed.
    bool isBlank() const;
    // Nothing, a complete existing date, or anything else.
    DateEntry entry() const;
    // A stored date; "1397/7/1" is shown as 1397/07/01. A compact box also
    // takes "14030705".
    void setDate(const QString &jalali);
    // The field's name in the refusal of an invalid entry.
    void setCaption(const QString &caption);
    QString caption() const;

protected:
    // Persian and Arabic-Indic digits are typed as ASCII digits, which the mask takes.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString caption_;
    bool compact_ = false;
};

// Refuses, with a message naming the field, the first box that holds neither
// nothing nor a complete existing date, and puts the focus in it. True when
// every box may be written.
bool acceptDates(const QList<JalaliDateEdit *> &boxes);

}  // namespace bv

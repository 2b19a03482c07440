#pragma once
// The Jalali date box: mask "0000/00/00"; an empty box stores the empty mask.
#include <QLineEdit>

namespace bv {

// The empty mask a date box stores when nothing was typed.
inline const QString emptyDateMask = QStringLiteral("    /  /  ");

// The 10-character stored form of what a date box shows: ASCII digits, blanks
// where nothing was typed.
QString storedDateText(const QString &display);

class JalaliDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit JalaliDateEdit(QWidget *parent = nullptr);
    // The stored form: "1403/07/05", or the empty mask when nothing was typed.
    QString date() const;
    // True when no digit was typed.
    bool isBlank() const;
    void setDate(const QString &jalali);

protected:
    // Persian and Arabic-Indic digits are typed as ASCII digits, which the mask takes.
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace bv

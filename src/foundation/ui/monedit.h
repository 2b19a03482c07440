#pragma once
// The money box: an amount grouped by "," in threes as the user types, with up
// to four decimals after a point. A stored amount is shown as it is and read
// back unchanged; Persian digits typed are read as digits.
#include "money.h"

#include <QLineEdit>

namespace bv {

// What the box shows for a typed text: digits grouped, one decimal point kept,
// a leading "-" when negatives are allowed, anything else dropped. `refusal` is
// the Persian message when the text cannot be an amount of this box; the box
// then keeps its previous text.
struct MonEditText {
    QString text;
    QString refusal;
};
MonEditText monEditText(const QString &typed, bool negativeAllowed);

inline const QString amountTooLargeMessage = QStringLiteral("مبلغ وارد شده بيش از حد مجاز است");
inline const QString negativeAmountMessage = QStringLiteral("مبلغ منفي در اين خانه پذيرفته نيست");
inline const QString amountDecimalsMessage = QStringLiteral("مبلغ حداکثر چهار رقم اعشار مي پذيرد");

class MonEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MonEdit(QWidget *parent = nullptr);
    // The amount in the box, exactly; 0 when it is empty.
    Money money() const;
    // Shows an amount: "1,250,000" when whole, "1,250,000.5" otherwise. A
    // stored negative amount is shown even where none may be typed.
    void setMoney(Money amount);
    // Whether a negative amount may be typed (not by default).
    void setNegativeAllowed(bool allowed) { negativeAllowed_ = allowed; }
    bool negativeAllowed() const { return negativeAllowed_; }

private:
    void rebuild(const QString &typed);
    QString lastText_;
    bool negativeAllowed_ = false;
    bool showingStored_ = false;
};

}  // namespace bv

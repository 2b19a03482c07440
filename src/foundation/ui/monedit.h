#pragma once
// The money box: digits only, grouped by "," in threes as the user types.
#include "money.h"

#include <QLineEdit>
#include <optional>

namespace bv {

// The grouped form of a typed text: digits kept (Persian digits read as digits),
// everything else dropped. nullopt when the digits exceed what an amount holds.
std::optional<QString> monEditText(const QString &typed);

class MonEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MonEdit(QWidget *parent = nullptr);
    // The amount in the box; 0 when it holds no digit.
    qint64 value() const;
    Money money() const { return Money::fromWhole(value()); }
    void setValue(qint64 amount);

private:
    void rebuild(const QString &typed);
    QString lastText_;
};

}  // namespace bv

#pragma once
// The filter check box of the browsers: ticking it enables its inputs, colours
// them yellow and puts the focus in the first; unticking disables them and
// gives them back the window's colours. A search adds the filter's condition
// only while it is active.
#include <QCheckBox>
#include <QList>

namespace bv {

class FilterCheck : public QCheckBox {
    Q_OBJECT
public:
    FilterCheck(const QString &text, QList<QWidget *> inputs, QWidget *parent = nullptr);

    // True while the inputs are enabled.
    bool active() const;

private:
    void apply(bool on);
    QList<QWidget *> inputs_;
};

}  // namespace bv

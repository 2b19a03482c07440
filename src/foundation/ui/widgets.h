#pragma once
// Small shared widgets.
#include <QLabel>

namespace bv {

// A label that reports clicks (defaults and links).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

}  // namespace bv

#pragma once
// The history window of a surveying instrument: dated events, each with an
// optional scanned document.
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bv {

class JalaliDateEdit;

class dorbin_savabegh : public QDialog {
    Q_OBJECT
public:
    explicit dorbin_savabegh(QWidget *parent = nullptr);

    // Reads the rights of "dorbin" again; without a row or the view right the
    // refusal is shown. Otherwise the inputs are emptied and the window shown
    // for the instrument. False when refused.
    bool open(qint64 camera);
    // Captures the instrument and empties the inputs.
    void prepare(qint64 camera);
    qint64 camera() const { return camera_; }
    // "Browse...": the chosen file's full name.
    void browse();
    // "ثبت": stores the event and stays open for the next one.
    bool registerEvent();

    JalaliDateEdit *dat;
    QLineEdit *cmt, *Edit_filename;
    QPlainTextEdit *sharh;
    QPushButton *BitBtn1, *ins_btn;

signals:
    void saved();

private:
    qint64 camera_ = 0;
};

}  // namespace bv

#pragma once
// The clipboard window: a text buffer through which a letter's whole text goes
// to the system clipboard, so that it can be pasted into a word processor. The
// letters use it without showing it.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace bv::report {

class Document;

class clipboard_frm : public QDialog {
    Q_OBJECT
public:
    explicit clipboard_frm(QWidget *parent = nullptr);

    QLabel *heading = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *copy_btn = nullptr;

    // "Copy and Exit": the whole text to the system clipboard, and the window closes.
    void copyAndExit();
};

// Puts a document's text, in reading order, on the system clipboard through
// the clipboard window.
void copyLetterText(const Document &doc);

}  // namespace bv::report

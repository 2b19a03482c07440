#pragma once
// Everything that waits on a person goes through this interface: message and
// question boxes, input boxes, file and folder choice, opening a file with the
// desktop's program, the clipboard, modal windows and today's date. The program
// installs the Qt implementation; tests install a scripted one.
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;

namespace bv {

enum class MessageKind {
    Plain,        // plain information box
    Warning,      // warning box with a single confirm button
    Error,        // error box
    Confirm,      // confirmation-type box with a single "بلي" button
};

// A laid-out document offered to the user; the report engine implements it.
class ShownDocument {
public:
    virtual ~ShownDocument() = default;
    virtual QString documentName() const = 0;  // the template's name
    virtual QString documentText() const = 0;  // its text in reading order
    // Runs the modal preview window; true when the document was printed from it.
    virtual bool runPreview() = 0;
    // Prints on the current printer without a preview; true when printed.
    virtual bool printDirect() = 0;
};

enum class DocumentAction { Preview, Print };

class Interaction {
public:
    virtual ~Interaction() = default;

    virtual void message(const QString &text, MessageKind kind = MessageKind::Plain) = 0;
    // A yes/no question with the buttons "بلي" and "خير"; true for yes.
    virtual bool question(const QString &text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &initial = {}, bool password = false) = 0;
    // File choice; empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter = {}) = 0;
    virtual QString saveFileName(const QString &caption, const QString &suggested,
                                 const QString &filter = {}) = 0;
    virtual QString folderName(const QString &caption) = 0;
    // Opens a file with the desktop's program; false when nothing opened it.
    virtual bool openWithDesktop(const QString &path) = 0;
    virtual void setClipboardText(const QString &text) = 0;
    // Shows a window modally; returns the dialog's result code.
    virtual int execDialog(QDialog &dialog) = 0;
    virtual QDate today() = 0;
    // Previews a document modally or prints it directly; true when it was printed.
    virtual bool showDocument(ShownDocument &document, DocumentAction action) = 0;
};

// The installed interface. Nothing is installed until the program or a test does.
Interaction &ui();
// Installs an interface and returns the previous one (the caller keeps ownership).
Interaction *setUi(Interaction *interaction);

}  // namespace bv

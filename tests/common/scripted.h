#pragma once
// A scripted user: answers questions, inputs, file choices and modal windows
// from queues, and records every message it was shown.
#include "interaction.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

namespace bv::test {

class ScriptedInteraction : public Interaction {
public:
    struct Shown {
        QString text;
        MessageKind kind;
    };

    std::vector<Shown> messages;
    QStringList questions;
    std::deque<bool> answers;                       // for question(); no answer left = "خير"
    std::deque<std::optional<QString>> inputs;      // for input(); none left = cancelled
    QStringList prompts;
    std::deque<QString> files;                      // for open/save/folder choices; none left = cancelled
    QStringList opened;                   // files opened with the desktop
    bool desktopOpens = true;
    QString clipboard;
    // Modal windows: each handler runs instead of exec(); none left = rejected.
    std::deque<std::function<int(QDialog &)>> dialogs;
    QStringList shownDialogs;              // object names, in order
    QDate todayValue = QDate::currentDate();
    // Documents shown: previews and direct prints, in order.
    struct ShownDoc {
        QString name;
        QString text;
        DocumentAction action;
    };
    std::vector<ShownDoc> documents;
    // Previews: each handler decides what the user does and returns true for a
    // print; none left = looked at and closed. Direct prints succeed.
    std::deque<std::function<bool(ShownDocument &)>> previews;

    void message(const QString &text, MessageKind kind) override;
    bool question(const QString &text) override;
    std::optional<QString> input(const QString &caption, const QString &prompt, const QString &initial,
                                 bool password) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &suggested, const QString &filter) override;
    QString folderName(const QString &caption) override;
    bool openWithDesktop(const QString &path) override;
    void setClipboardText(const QString &text) override;
    int execDialog(QDialog &dialog) override;
    QDate today() override;
    bool showDocument(ShownDocument &document, DocumentAction action) override;

    QStringList messageTexts() const;
    QString lastMessage() const;
    void clear();
};

// The scripted user installed for the whole test run, reset before each test.
ScriptedInteraction &user();

}  // namespace bv::test

#pragma once
// The interaction seam answered by the desktop's real dialogs.
#include "interaction.h"

namespace bv {

// The real dialogs of the desktop.
class QtInteraction : public Interaction {
public:
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
};

}  // namespace bv

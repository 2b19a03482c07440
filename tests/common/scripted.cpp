#include "scripted.h"

namespace bv::test {

namespace {
QString next(std::deque<QString> &queue)
{
    if (queue.empty())
        return {};
    QString v = queue.front();
    queue.pop_front();
    return v;
}
}  // namespace

void ScriptedInteraction::message(const QString &text, MessageKind kind)
{
    messages.push_back({text, kind});
}

bool ScriptedInteraction::question(const QString &text)
{
    questions.push_back(text);
    if (answers.empty())
        return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedInteraction::input(const QString &, const QString &prompt, const QString &, bool)
{
    prompts.push_back(prompt);
    if (inputs.empty())
        return std::nullopt;
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

QString ScriptedInteraction::openFileName(const QString &, const QString &) { return next(files); }
QString ScriptedInteraction::saveFileName(const QString &, const QString &, const QString &) { return next(files); }
QString ScriptedInteraction::folderName(const QString &) { return next(files); }

bool ScriptedInteraction::openWithDesktop(const QString &path)
{
    opened.push_back(path);
    return desktopOpens;
}

void ScriptedInteraction::setClipboardText(const QString &text)
{
    clipboard = text;
}

int ScriptedInteraction::execDialog(QDialog &dialog)
{
    shownDialogs.push_back(dialog.objectName());
    if (dialogs.empty())
        return QDialog::Rejected;
    auto handler = dialogs.front();
    dialogs.pop_front();
    return handler(dialog);
}

QDate ScriptedInteraction::today()
{
    return todayValue;
}

bool ScriptedInteraction::showDocument(ShownDocument &document, DocumentAction action)
{
    documents.push_back({document.documentName(), document.documentText(), action});
    if (action == DocumentAction::Print)
        return true;
    if (previews.empty())
        return false;
    auto handler = previews.front();
    previews.pop_front();
    return handler(document);
}

QStringList ScriptedInteraction::messageTexts() const
{
    QStringList out;
    for (const Shown &m : messages)
        out << m.text;
    return out;
}

QString ScriptedInteraction::lastMessage() const
{
    return messages.empty() ? QString() : messages.back().text;
}

void ScriptedInteraction::clear()
{
    *this = ScriptedInteraction();
}

ScriptedInteraction &user()
{
    static ScriptedInteraction scripted;
    return scripted;
}

}  // namespace bv::test

#include "errornet.h"

#include "db.h"
#include "dm.h"
#include "interaction.h"

#include <exception>

namespace bv {

namespace {
QString textOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const DbError &e) {
        return e.text();
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        if (!text.isEmpty())
            return text;
    } catch (...) {
    }
    return QStringLiteral("خطا");
}
}  // namespace

void reportEscapedError()
{
    const QString text = textOf(std::current_exception());
    // Rolled back first: the message box waits on the user, and an open
    // transaction would hold its locks on the shared server meanwhile.
    try {
        dm().rollbackAbandoned();
    } catch (...) {
    }
    try {
        ui().message(text, MessageKind::Error);
    } catch (...) {
        qWarning("%s", qPrintable(text));
    }
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportEscapedError();
        return false;
    }
}

}  // namespace bv

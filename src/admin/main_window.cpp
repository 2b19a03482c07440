#include "main_window.h"

#include "accounts.h"
#include "dm.h"
#include "interaction.h"
#include "login.h"
#include "pages.h"
#include "session.h"
#include "windows.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTimer>

namespace bv {

const std::vector<MainMenuItem> &mainMenuItems()
{
    static const std::vector<MainMenuItem> items = {
        {"N27", QStringLiteral("درخواست برآورد"), "darkhast"},
        {"N1", QStringLiteral("نقشه برداري"), "naghshe"},
        {"N24", QStringLiteral("ثبتي"), "sabt"},
        {"N14", QStringLiteral("مطالعات"), "borvinat"},
        {"N23", QStringLiteral("مشاوران"), "moshaveran"},
        {"N20", QStringLiteral("گزارشات"), "rep"},
        {"N28", QStringLiteral("نماي کلي"), ""},
        {"N11", QStringLiteral("پيام"), ""},
        {"N19", QStringLiteral("دفترچه تلفن"), "phone"},
        {"N4", QStringLiteral("تنظيمات"), "seting"},
        {"N6", QStringLiteral("نقشه برداري"), "arzyabi"},
        {"GIS1", QStringLiteral("GIS"), "arzyabi"},
        {"N16", QStringLiteral("طرح هادي"), "arzyabi"},
        {"N21", QStringLiteral("طرح هاي تفصيلي"), "arzyabi"},
        {"N17", QStringLiteral("نقشه پايه"), "arzyabi"},
        {"N18", QStringLiteral("مشاور و عامل چهارم"), "arzyabi"},
        {"N25", QStringLiteral("چک ليست تامين اعتبار نقشه برداري"), "arzyabi"},
        {"N26", QStringLiteral("انواع مقياس"), ""},
        {"N5", QStringLiteral("آبادي ها"), "abadiha"},
        {"N13", QStringLiteral("اعتبارات"), "etebarat"},
        {"N8", QStringLiteral("کاربران"), "karbaran"},
        {"N9", QStringLiteral("لاگ"), ""},
        {"N10", QStringLiteral("تهيه پشتيبان"), ""},
        {"N12", QStringLiteral("ضمائم"), "zamaem"},
        {"N22", QStringLiteral("مستندات"), "zamaem_n"},
        {"N7", QStringLiteral("درباره"), ""},
        {"N3", QStringLiteral("خروج"), ""},
    };
    return items;
}

QSize pageSize(const QString &itemName, const QSize &mainSize, const QSize &current)
{
    static const QStringList browsers = {"N27", "N1", "N24", "N14", "N23", "N20"};
    static const QStringList heightOnly = {"N6", "GIS1", "N16", "N21", "N17", "N18", "N25", "N5"};
    if (browsers.contains(itemName))
        return {mainSize.width() - 30, mainSize.height() - 50};
    if (heightOnly.contains(itemName))
        return {current.width(), mainSize.height() - 50};
    if (itemName == QLatin1String("N8"))
        return {current.width(), mainSize.height() - 80};
    return current;
}

QString aboutText(const Db &db)
{
    QString where;
    if (db.isOpen()) {
        const QSqlDatabase h = db.handle();
        switch (db.dialect().engine()) {
        case Engine::SQLite: where = QStringLiteral("SQLite: ") + h.databaseName(); break;
        case Engine::PostgreSQL:
            where = QStringLiteral("PostgreSQL: %1:%2 / %3").arg(h.hostName()).arg(h.port()).arg(h.databaseName());
            break;
        case Engine::SqlServer: {
            // Only the server and the catalog of the ODBC string: it also holds the password.
            auto attribute = [&](const char *name) {
                const QRegularExpression re(QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(\\{[^}]*\\}|[^;]*)").arg(QLatin1String(name)),
                                            QRegularExpression::CaseInsensitiveOption);
                QString v = re.match(h.databaseName()).captured(1).trimmed();
                if (v.startsWith(QLatin1Char('{')) && v.endsWith(QLatin1Char('}')))
                    v = v.mid(1, v.size() - 2);
                return v;
            };
            where = QStringLiteral("SQL Server: %1 / %2").arg(attribute("SERVER"), attribute("DATABASE"));
            break;
        }
        }
    } else {
        where = QStringLiteral("متصل نيست");
    }
    return QStringLiteral("Borvinat\nنسخه %1\nبانک اطلاعاتي: %2").arg(programVersion).arg(where);
}

main::main(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("صفحه اصلي"));
    auto *background = new QLabel(this);
    background->setAlignment(Qt::AlignCenter);
    background->setText(QStringLiteral("Borvinat"));
    background->setStyleSheet(QStringLiteral("font-size: 48pt; color: #c9d6e3;"));
    setCentralWidget(background);

    QMenuBar *bar = menuBar();
    QMenu *baseData = nullptr;
    QMenu *evaluation = nullptr;
    for (const MainMenuItem &entry : mainMenuItems()) {
        const QString name = QString::fromLatin1(entry.name);
        auto *action = new QAction(entry.caption, this);
        action->setObjectName(name);
        actions_[name] = action;
        connect(action, &QAction::triggered, this, [this, name] { trigger(name); });
        if (name == QLatin1String("N19")) {
            baseData = bar->addMenu(QStringLiteral("اطلاعات پايه"));
        }
        if (name == QLatin1String("N6"))
            evaluation = baseData->addMenu(QStringLiteral("آيتم هاي ارزيابي"));
        if (name == QLatin1String("N26"))
            evaluation = nullptr;
        if (name == QLatin1String("N7"))
            baseData = nullptr;
        if (evaluation)
            evaluation->addAction(action);
        else if (baseData)
            baseData->addAction(action);
        else
            bar->addAction(action);
    }
    N11 = actions_.at(QStringLiteral("N11"));
    messagePoll = new QTimer(this);
    messagePoll->setInterval(messagePollMs);
    connect(messagePoll, &QTimer::timeout, this, &main::refreshUnreadMessages);
}

void main::showEvent(QShowEvent *event)
{
    messagePoll->start();
    QMainWindow::showEvent(event);
}

void main::hideEvent(QHideEvent *event)
{
    messagePoll->stop();
    QMainWindow::hideEvent(event);
}

void main::refreshUnreadMessages()
{
    if (!session().loggedIn() || !dm().main().isOpen())
        return;
    try {
        setUnreadMessages(unreadMessages(dm().main(), session().prsId));
    } catch (const DbError &) {
        // A poll does not interrupt the user: the caption waits for the next one.
    }
}

QAction *main::item(const QString &itemName) const
{
    const auto it = actions_.find(itemName);
    return it == actions_.end() ? nullptr : it->second;
}

void main::setUnreadMessages(int count)
{
    N11->setText(count != 0 ? QStringLiteral("پيام*") : QStringLiteral("پيام"));
}

void main::trigger(const QString &itemName)
{
    if (itemName == QLatin1String("N3")) {
        close();
        return;
    }
    if (itemName == QLatin1String("N7")) {
        ui().message(aboutText(dm().main()));
        return;
    }
    const auto fit = [this, itemName](QDialog &window) {
        const QSize size = pageSize(itemName, this->size(), window.size());
        if (size != window.size())
            window.resize(size);
    };
    for (const MainMenuItem &entry : mainMenuItems())
        if (itemName == QLatin1String(entry.name))
            pages::open(itemName, QString::fromLatin1(entry.pageKey), dm().main(), session(), fit);
}

void main::closeEvent(QCloseEvent *event)
{
    if (!ui().question(QStringLiteral("آيا مي خواهيد از برنامه خارج شويد"))) {
        event->ignore();
        return;
    }
    event->accept();
    windows::get<login>().close();
}

}  // namespace bv

#include "main_window.h"

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
        ui().message(QStringLiteral("Borvinat %1").arg(QCoreApplication::applicationVersion()));
        return;
    }
    for (const MainMenuItem &entry : mainMenuItems())
        if (itemName == QLatin1String(entry.name))
            pages::open(itemName, QString::fromLatin1(entry.pageKey), dm().main(), session());
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

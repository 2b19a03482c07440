#include "login.h"

#include "accounts.h"
#include "activitylog.h"
#include "attachments.h"
#include "change_pass.h"
#include "dates.h"
#include "dm.h"
#include "interaction.h"
#include "main_window.h"
#include "schema_builder.h"
#include "server.h"
#include "session.h"
#include "widgets.h"
#include "windows.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace bv {

void showServerSettings()
{
    server &settings = windows::get<server>();
    // The builder runs from the settings window itself; it is not opened twice.
    if (!settings.isVisible())
        ui().execDialog(settings);
}

login::login(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("login"));
    setWindowTitle(QStringLiteral("صفحه ورود"));
    setMinimumWidth(360);
    us = new QLineEdit(this);
    ps = new QLineEdit(this);
    ps->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("ورود"), this);
    BitBtn2 = new QPushButton(QStringLiteral("انصراف"), this);
    RadioGroup1 = new QGroupBox(this);
    rbInternet = new QRadioButton(QStringLiteral("Internet"), RadioGroup1);
    rbLocal = new QRadioButton(QStringLiteral("Local"), RadioGroup1);
    rbLocal->setChecked(true);
    auto *modes = new QHBoxLayout(RadioGroup1);
    modes->addWidget(rbInternet);
    modes->addWidget(rbLocal);
    Label3 = new ClickLabel(QStringLiteral("تغيير كلمه عبور"), this);
    Label4 = new ClickLabel(QStringLiteral("تغيير بانك اطلاعاتي"), this);
    Label9 = new ClickLabel(QStringLiteral("click here"), this);
    for (ClickLabel *link : {Label3, Label4, Label9})
        link->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("نام كاربري (کد ملي)"), us);
    form->addRow(QStringLiteral("كلمه عبور"), ps);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *links = new QHBoxLayout;
    links->addWidget(Label3);
    links->addWidget(Label4);
    // The font-help sentence is English and reads left to right.
    auto *fontLine = new QWidget(this);
    fontLine->setLayoutDirection(Qt::LeftToRight);
    auto *font = new QHBoxLayout(fontLine);
    font->setContentsMargins(0, 0, 0, 0);
    for (const char *text : {"If your", "Font", "is not correct"})
        font->addWidget(new QLabel(QString::fromLatin1(text), fontLine));
    Label9->setParent(fontLine);
    font->addWidget(Label9);
    font->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
    layout->addLayout(links);
    layout->addWidget(fontLine);

    connect(us, &QLineEdit::returnPressed, ps, qOverload<>(&QWidget::setFocus));
    connect(ps, &QLineEdit::returnPressed, BitBtn1, &QPushButton::click);
    connect(BitBtn1, &QPushButton::clicked, this, &login::logIn);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(Label3, &ClickLabel::clicked, this, &login::changePassword);
    connect(Label4, &ClickLabel::clicked, this, &login::changeDatabase);
    connect(Label9, &ClickLabel::clicked, this, &login::fontHelp);
    connect(&windows::get<server>(), &server::builderRequested, this, &login::buildSchema);
}

void login::showEvent(QShowEvent *event)
{
    loadRememberedUser();
    QWidget::showEvent(event);
}

void login::loadRememberedUser()
{
    const QString remembered = rememberedUser();
    if (remembered.isEmpty())
        return;
    us->setText(remembered);
    ps->setFocus();
}

LoginMode login::mode() const
{
    return rbInternet->isChecked() ? LoginMode::Internet : LoginMode::Local;
}

bool login::connectDatabase()
{
    ConnectionConfig config;
    ConnectionProcedure procedure{config, dm().main(), dm().contracts(), &showServerSettings};
    return procedure.run(mode());
}

bool login::logIn()
{
    if (!connectDatabase())
        return false;
    const Db &db = dm().main();
    const QString name = typedText(us);
    try {
        Account account;
        switch (checkLogin(db, name, typedText(ps), &account)) {
        case LoginCheck::WrongCredentials:
            ui().message(QStringLiteral("کلمه يا رمز عبور اشتباه است"));
            return false;
        case LoginCheck::Inactive:
            ui().message(QStringLiteral("کاربر شما غير فعال شده است"));
            return false;
        case LoginCheck::Ok:
            break;
        }
        rememberUser(name);
        session() = Session{name, account.lev, account.id, account.nam};

        const std::optional<double> required = versionGate(db, name);
        if (required && *required > programVersion) {
            refuseOldVersion(db.scalar(QStringLiteral("SELECT ver FROM users WHERE us = ? ORDER BY id"),
                                       {QStringLiteral("admin")})
                                 .toString());
            return false;
        }
        writeLog(db, name, QStringLiteral("  ورود موفق به نرم افزار  ") + name + QLatin1Char(' ') + account.nam);
        main &mainWindow = windows::get<main>();
        mainWindow.setUnreadMessages(unreadMessages(db, account.id));
        mainWindow.resize(1100, 700);
        mainWindow.showMaximized();
        hide();
        return true;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
}

void login::refuseOldVersion(const QString &required)
{
    const Db &db = dm().main();
    ui().message(QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  ") + required
                 + QStringLiteral(" در ادامه نسخه جديد را دانلود و استفاده نماييد "));
    const QString name = typedText(us);
    writeLog(db, name,
             QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   ") + required
                 + QLatin1Char(' ') + name);
    const QString today = jalaliToday();
    // Saved only: the newest program is never run from here.
    if (const auto program = findProgramDocument(db, QStringLiteral("آخرين نسخه نرم افزار")))
        saveAttachmentAs(*program, QStringLiteral("Borvinat") + today.left(4) + QLatin1Char('_') + today.mid(5, 2)
                                       + QLatin1Char('_') + today.mid(8, 2));
    close();
}

void login::changePassword()
{
    if (!connectDatabase())
        return;
    try {
        Account account;
        if (checkLogin(dm().main(), typedText(us), typedText(ps), &account) == LoginCheck::WrongCredentials) {
            ui().message(QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"));
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    change_pass &window = windows::get<change_pass>();
    window.setAccount(typedText(us), typedText(ps));
    ui().execDialog(window);
}

void login::fontHelp()
{
    if (!connectDatabase())
        return;
    try {
        openProgramDocument(dm().main(), QStringLiteral("راهنمايي حل مشکل نمايش فونت ها"));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void login::changeDatabase()
{
    server &settings = windows::get<server>();
    settings.prefillMainFromConfig();
    ui().execDialog(settings);
}

void login::buildSchema()
{
    ConnectionConfig config;
    ConnectionProcedure procedure{config, dm().main(), dm().contracts(), &showServerSettings};
    procedure.createMissingSqliteFile = true;
    if (procedure.run(mode()))
        runSchemaBuilder(dm().main());
}

}  // namespace bv

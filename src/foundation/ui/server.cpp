#include "server.h"

#include "interaction.h"
#include "widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bv {

const QString server::defaultServer = QStringLiteral("192.168.1.10");

namespace {
QLineEdit *box(QWidget *parent, bool password = false)
{
    auto *e = new QLineEdit(parent);
    e->setLayoutDirection(Qt::LeftToRight);
    if (password)
        e->setEchoMode(QLineEdit::Password);
    return e;
}
}  // namespace

server::server(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("server"));
    setWindowTitle(QStringLiteral("تنظيمات اتصال به بانک"));
    setModal(true);

    SqlServerName = box(this);
    DataBase = box(this);
    UserName = box(this);
    Password = box(this, true);
    SqlServerName2 = box(this);
    DataBase2 = box(this);
    UserName2 = box(this);
    Password2 = box(this, true);
    rbWindows = new QRadioButton(QStringLiteral("Windows Authentication"), this);
    rbSQL = new QRadioButton(QStringLiteral("SQL Server Authentication"), this);
    rbSQLite = new QRadioButton(QStringLiteral("SQLite"), this);
    rbPostgreSQL = new QRadioButton(QStringLiteral("PostgreSQL"), this);
    rbWindows2 = new QRadioButton(QStringLiteral("Windows Authentication"), this);
    rbSQL2 = new QRadioButton(QStringLiteral("SQL Server Authentication"), this);
    rbSQLite2 = new QRadioButton(QStringLiteral("SQLite"), this);
    rbPostgreSQL2 = new QRadioButton(QStringLiteral("PostgreSQL"), this);
    group1_ = new QButtonGroup(this);
    group2_ = new QButtonGroup(this);
    for (QRadioButton *b : {rbWindows, rbSQL, rbSQLite, rbPostgreSQL})
        group1_->addButton(b);
    for (QRadioButton *b : {rbWindows2, rbSQL2, rbSQLite2, rbPostgreSQL2})
        group2_->addButton(b);
    rbSQL2->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("تاييد"), this);
    Button2 = new QPushButton(QStringLiteral("خاتمه"), this);
    Label9 = new ClickLabel(QStringLiteral(". . ."), this);

    auto column = [this](const QString &title, QLineEdit *srv, QLineEdit *db, QLineEdit *user, QLineEdit *pass,
                         std::initializer_list<QRadioButton *> choices, const QString &defaultDb) {
        auto *group = new QGroupBox(title, this);
        auto *grid = new QGridLayout(group);
        const std::pair<QString, QLineEdit *> rows[] = {
            {QStringLiteral("نام سرور :"), srv},
            {QStringLiteral("نام ديتابيس :"), db},
            {QStringLiteral("کلمه کاربري SQL Server :"), user},
            {QStringLiteral("رمز عبور SQL Server :"), pass},
        };
        int r = 0;
        for (const auto &[text, edit] : rows) {
            auto *label = new ClickLabel(text, group);
            grid->addWidget(label, r, 0);
            grid->addWidget(edit, r, 1);
            QLineEdit *target = edit;
            if (edit == srv)
                connect(label, &ClickLabel::clicked, this, [target] { target->setText(defaultServer); });
            else if (edit == db)
                connect(label, &ClickLabel::clicked, this, [target, defaultDb] { target->setText(defaultDb); });
            else if (edit == user)
                connect(label, &ClickLabel::clicked, this, [target] { target->setText(QStringLiteral("sa")); });
            ++r;
        }
        for (QRadioButton *choice : choices)
            grid->addWidget(choice, r++, 0, 1, 2);
        return group;
    };

    auto *columns = new QHBoxLayout;
    columns->addWidget(column(QStringLiteral("بانک اطلاعاتي"), SqlServerName, DataBase, UserName, Password,
                              {rbWindows, rbSQL, rbSQLite, rbPostgreSQL}, QStringLiteral("Borvinat")));
    columns->addWidget(column(QStringLiteral("قراردادها"), SqlServerName2, DataBase2, UserName2, Password2,
                              {rbWindows2, rbSQL2, rbSQLite2, rbPostgreSQL2}, QStringLiteral("protocol")));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Label9);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    SqlServerName->setText(defaultServer);
    DataBase->setText(QStringLiteral("Borvinat"));
    UserName->setText(QStringLiteral("sa"));
    SqlServerName2->setText(defaultServer);
    DataBase2->setText(QStringLiteral("protocol"));
    UserName2->setText(QStringLiteral("sa"));

    connect(Button1, &QPushButton::clicked, this, &server::confirm);
    connect(Button2, &QPushButton::clicked, this, [this] {
        reject();
        QCoreApplication::exit(0);
    });
    connect(Label9, &ClickLabel::clicked, this, &server::builderRequested);
}

void server::showEvent(QShowEvent *event)
{
    loadFromConfig();
    QDialog::showEvent(event);
}

void server::selectAuth(bool mainSide, const QString &stored)
{
    const AuthKind kind = authKindOf(stored);
    QRadioButton *choice = nullptr;
    if (kind == AuthKind::SqlServer)
        choice = mainSide ? rbSQL : rbSQL2;
    else if (kind == AuthKind::SQLite)
        choice = mainSide ? rbSQLite : rbSQLite2;
    else if (kind == AuthKind::PostgreSQL)
        choice = mainSide ? rbPostgreSQL : rbPostgreSQL2;
    else
        choice = mainSide ? rbWindows : rbWindows2;
    choice->setChecked(true);
}

QString server::chosenAuth(bool mainSide) const
{
    if ((mainSide ? rbWindows : rbWindows2)->isChecked())
        return authText(AuthKind::Windows);
    if ((mainSide ? rbSQLite : rbSQLite2)->isChecked())
        return authText(AuthKind::SQLite);
    if ((mainSide ? rbPostgreSQL : rbPostgreSQL2)->isChecked())
        return authText(AuthKind::PostgreSQL);
    return authText(AuthKind::SqlServer);
}

void server::loadFromConfig()
{
    ConnectionConfig config;
    if (!config.exists())
        return;
    SqlServerName->setText(config.value(QStringLiteral("BorvinatSqlServerName")));
    DataBase->setText(config.value(QStringLiteral("BorvinatDataBase")));
    UserName->setText(config.value(QStringLiteral("BorvinatUserName")));
    SqlServerName2->setText(config.value(QStringLiteral("ProtocolSqlServerName")));
    DataBase2->setText(config.value(QStringLiteral("ProtocolDataBase")));
    UserName2->setText(config.value(QStringLiteral("ProtocolUserName")));
    const QString auth1 = config.value(QStringLiteral("BorvinatAuthentication"));
    const QString auth2 = config.value(QStringLiteral("ProtocolAuthentication"));
    // A password is shown only for the kinds that log in with one.
    auto withPassword = [](const QString &auth) {
        const AuthKind k = authKindOf(auth);
        return k == AuthKind::SqlServer || k == AuthKind::PostgreSQL;
    };
    if (withPassword(auth1))
        Password->setText(unscramble(config.value(QStringLiteral("BorvinatPassword"))));
    if (withPassword(auth2))
        Password2->setText(unscramble(config.value(QStringLiteral("ProtocolPassword"))));
    selectAuth(true, auth1);
    selectAuth(false, auth2);
}

void server::prefillMainFromConfig()
{
    ConnectionConfig config;
    if (!config.exists())
        return;
    SqlServerName->setText(config.value(QStringLiteral("BorvinatSqlServerName")));
    DataBase->setText(config.value(QStringLiteral("BorvinatDataBase")));
    UserName->setText(config.value(QStringLiteral("BorvinatUserName")));
    Password->setText(unscramble(config.value(QStringLiteral("BorvinatPassword"))));
    ui().message(QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد"));
}

void server::confirm()
{
    // An embedded database needs only its file; the servers need all four values.
    const bool fileOnly = rbSQLite->isChecked();
    const std::pair<QLineEdit *, QString> required[] = {
        {SqlServerName, QStringLiteral("نام سرور را وارد نمائيد")},
        {DataBase, QStringLiteral("نام ديتابيس را وارد نمائيد")},
        {UserName, QStringLiteral("کلمه کاربري را وارد نمائيد")},
        {Password, QStringLiteral("رمز عبور را وارد نمائيد")},
    };
    for (const auto &[edit, text] : required) {
        if (fileOnly && edit != SqlServerName)
            break;
        if (edit->text().isEmpty()) {
            ui().message(text, MessageKind::Confirm);
            edit->setFocus();
            return;
        }
    }
    ConnectionConfig config;
    const bool saved = config.write({
        {QStringLiteral("BorvinatSqlServerName"), SqlServerName->text()},
        {QStringLiteral("BorvinatDataBase"), DataBase->text()},
        {QStringLiteral("BorvinatAuthentication"), chosenAuth(true)},
        {QStringLiteral("BorvinatUserName"), UserName->text()},
        {QStringLiteral("BorvinatPassword"), scramble(Password->text())},
        {QStringLiteral("protocolSqlServerName"), SqlServerName2->text()},
        {QStringLiteral("protocolDataBase"), DataBase2->text()},
        {QStringLiteral("protocolAuthentication"), chosenAuth(false)},
        {QStringLiteral("protocolUserName"), UserName2->text()},
        {QStringLiteral("protocolPassword"), scramble(Password2->text())},
    });
    if (!saved)
        ui().message(QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"), MessageKind::Warning);
    accept();
}

}  // namespace bv

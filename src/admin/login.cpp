#include "login.h"

#include "dm.h"
#include "interaction.h"
#include "schema_builder.h"
#include "server.h"
#include "widgets.h"
#include "windows.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
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
    setWindowTitle(QStringLiteral("ورود به سيستم"));
    RadioGroup1 = new QGroupBox(this);
    rbInternet = new QRadioButton(QStringLiteral("Internet"), RadioGroup1);
    rbLocal = new QRadioButton(QStringLiteral("Local"), RadioGroup1);
    rbLocal->setChecked(true);
    auto *modes = new QVBoxLayout(RadioGroup1);
    modes->addWidget(rbInternet);
    modes->addWidget(rbLocal);

    login_btn = new QPushButton(QStringLiteral("ورود"), this);
    change_db = new ClickLabel(QStringLiteral("تغيير بانك اطلاعاتي"), this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(login_btn);
    layout->addWidget(change_db);

    connect(login_btn, &QPushButton::clicked, this, [this] {
        if (connectDatabase())
            emit connected();
    });
    connect(change_db, &ClickLabel::clicked, this, &login::changeDatabase);
    connect(&windows::get<server>(), &server::builderRequested, this, &login::buildSchema);
}

void login::buildSchema()
{
    ConnectionConfig config;
    ConnectionProcedure procedure{config, dm().main(), dm().contracts(), &showServerSettings};
    procedure.createMissingSqliteFile = true;
    if (procedure.run(mode()))
        runSchemaBuilder(dm().main());
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

void login::changeDatabase()
{
    server &settings = windows::get<server>();
    settings.prefillMainFromConfig();
    ui().execDialog(settings);
}

}  // namespace bv

#include "admin_pages.h"
#include "appsetup.h"
#include "basedata_pages.h"
#include "consultants_pages.h"
#include "errornet.h"
#include "exchange_pages.h"
#include "qtinteraction.h"
#include "registration_pages.h"
#include "reporting_pages.h"
#include "login.h"
#include "studies_pages.h"
#include "overview_pages.h"
#include "surveying_pages.h"
#include "windows.h"

int main(int argc, char **argv)
{
    bv::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Borvinat"));
    QApplication::setApplicationVersion(QStringLiteral("1"));
    bv::setUpApplication();
    bv::QtInteraction interaction;
    bv::setUi(&interaction);
    bv::registerAdminPages();
    bv::registerExchangePages();
    bv::registerBasedataPages();
    bv::registerSurveyingPages();
    bv::registerRegistrationPages();
    bv::registerStudiesPages();
    bv::registerConsultantsPages();
    bv::registerOverviewPages();
    bv::registerReportingPages();

    bv::windows::get<bv::login>().show();
    const int code = QApplication::exec();
    bv::shutDownApplication();
    return code;
}

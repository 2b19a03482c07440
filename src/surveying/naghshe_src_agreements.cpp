// The agreement items of the survey browser's "قرارداد" menu.
#include "naghshe_src.h"

#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"

#include <QAction>
#include <QMenu>

namespace bv {

void naghshe_src::buildAgreementMenu(QMenu *contract)
{
    using namespace survey;
    N310 = contract->addAction(QStringLiteral("فرم استعلام 3بخشي"));
    N9 = contract->addAction(QStringLiteral("هيئت انتخاب مشاور"));
    N9->setShortcut(QKeySequence(Qt::Key_F1));
    N30 = contract->addMenu(QStringLiteral("موافقت نامه"));
    N31 = contract->addAction(QStringLiteral("ابلاغ موافقت نامه (حقيقي/حقوقي) (A5)"));
    connect(N310, &QAction::triggered, this, [this] { printLetter(boundaryInquiry); });
    connect(N9, &QAction::triggered, this, [this] { printLetter(selectionCommittee); });
    connect(N31, &QAction::triggered, this, [this] { printLetter(agreementNotification); });

    auto page = [this](const QString &caption, const LetterFill &fill) {
        QAction *item = N30->addAction(caption);
        connect(item, &QAction::triggered, this, [this, fill] { printLetter(fill); });
        return item;
    };
    auto document = [this](const QString &caption, const QString &description) {
        QAction *item = N30->addAction(caption);
        connect(item, &QAction::triggered, this, [this, description] { agreementDocument(description); });
        return item;
    };
    N110 = page(QStringLiteral("صفحه 1 - جلد"), agreementCover);
    N111 = document(QStringLiteral("صفحه 2-8 -بند 1"), generalClausesDocument);
    N61 = page(QStringLiteral("صفحه 9 - مشخصات"), agreementParticulars);
    N71 = page(QStringLiteral("صفحه 10 - زمان و برآورد"), agreementDuration);
    N81 = page(QStringLiteral("صفحه 11 - آدرس بدون اسامي"),
               [](const Db &db, const LetterSource &s) { return agreementAddresses(db, s, false); });
    N811 = page(QStringLiteral("صفحه 11_1 - آدرس با اسامي"),
                [](const Db &db, const LetterSource &s) { return agreementAddresses(db, s, true); });
    N91 = page(QStringLiteral("صفحه 12 - شرح موضوع-پيوست شماره 1"), agreementSubject);
    N211 = document(QStringLiteral("صفحه 13-15-شرح خدمات - پيوست2 - مقياس200"), services200Document);
    N210 = document(QStringLiteral("صفحه 13-15-شرح خدمات - پيوست 2 - مقياس500"), services500Document);
    N121 = page(QStringLiteral("صفحه 16 - محاسبه حق الزحمه-پيوست شماره 3"), agreementFees);
    N48 = page(QStringLiteral("صفحه 17 - برنامه زماني کلي- پيوست4"), agreementSchedule);
    N52001 = document(QStringLiteral("صفحه 18-26 -شرايط خصوصي - پيوست5 - مقياس200"), conditions200Document);
    N51 = document(QStringLiteral("صفحه 18-26 -شرايط خصوصي - پيوست5 - مقياس500"), conditions500Document);
    N231 = page(QStringLiteral("صفحه 27 - شماره حساب"), agreementBankAccount);
    N191 = page(QStringLiteral("صفحه 28 - اسامي عوامل - پيوست شماره6"), agreementPersonnel);
    N241 = page(QStringLiteral("صفحه 29 - تعهدنامه"), agreementUndertaking);
    N251 = page(QStringLiteral("صفحه 30 - منع مداخله کارکنان"), agreementNonInterference);
    N261 = page(QStringLiteral("صفحه 31 - پولشويي"), agreementMoneyLaundering);
    N32 = document(QStringLiteral("چاپ همه پيوست ها (صفحات 2-8 و 13-15 و 18-26)"), wholeAgreementDocument);
    N36 = N30->addAction(QStringLiteral("چاپ همه صفحات"));
    // Each page as if chosen by hand: its questions, then its preview, then the next.
    connect(N36, &QAction::triggered, this, [this] {
        for (QAction *item : agreementPages())
            item->trigger();
    });
}

QList<QAction *> naghshe_src::agreementPages() const
{
    return {N110, N111, N61, N71, N81, N811, N91, N211, N210, N121, N48, N52001, N51, N231, N191, N241, N251, N261};
}

void naghshe_src::agreementDocument(const QString &description)
{
    if (!DBGrid1->currentId().isValid())
        return;
    try {
        survey::openAgreementDocument(dm().main(), description);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv

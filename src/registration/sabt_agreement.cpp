#include "sabt_agreement.h"

namespace bv::sabt {

const std::vector<AgreementPage> &agreementPages()
{
    static const std::vector<AgreementPage> pages = {
        {QStringLiteral("صفحه1-موضوع و اسناد و مدارک"), QStringLiteral("sabt_gh1")},
        {QStringLiteral("صفح2-مبلغ موافقتنامه و شرايط پرداخت"), QStringLiteral("sabt_gh2")},
        {QStringLiteral("صفحه3-ضرائب و مدت پيمان"), QStringLiteral("sabt_gh3")},
        {QStringLiteral("صفحه4-شرايط خصوصي پيمان"), QStringLiteral("sabt_gh4")},
        {QStringLiteral("صفحه5-ادامه شرايط خصوصي پيمان"), QStringLiteral("sabt_gh5")},
        {QStringLiteral("صفحه6-دوره تضمين،نظارت و پيوست ها"), QStringLiteral("sabt_gh6")},
        {QStringLiteral("صفحه7-ادامه پيوست ها"), QStringLiteral("sabt_gh7")},
        {QStringLiteral("صفحه8-ادامه پيوست ها"), QStringLiteral("sabt_gh8")},
        {QStringLiteral("صفحه9-نشاني طرفين"), QStringLiteral("sabt_gh9")},
        {QStringLiteral("صفحه10-تعهدنامه"), QStringLiteral("sabt_gh10")},
        {QStringLiteral("صفحه11-شيوه نامه"), QStringLiteral("sabt_gh11")},
    };
    return pages;
}

}  // namespace bv::sabt

#pragma once
// The eleven pages of the cadastral surveying agreement: fixed texts, one
// template each, previewed from the registration browser and filled in by
// hand on paper. No widgets.
#include <QString>
#include <vector>

namespace bv::sabt {

struct AgreementPage {
    QString caption;   // the menu item
    QString templateName;
};

// The pages in menu order.
const std::vector<AgreementPage> &agreementPages();

// The agreement's title and subtitle, as every page's header prints them.
inline const QString agreementTitle = QStringLiteral("موافقتنامه  کارشناسي  نقشه برداري ثبتي و قطعه اي");
inline const QString agreementSubtitle = QStringLiteral("( صدور اسناد روستايي )");

}  // namespace bv::sabt

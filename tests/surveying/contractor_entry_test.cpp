// The surveying contractors' entry window, browser and picker: the kind that
// decides names and taxes, the log of an edit, deletion, export and picking.
#include "accounts.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "contractors.h"
#include "naghshe_ins.h"
#include "peymankar_ins.h"
#include "peymankar_list.h"
#include "peymankar_src.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
survey::ContractorTexts texts(const QString &kind, const QString &fname, const QString &lname)
{
    survey::ContractorTexts t;
    for (const QString &c : survey::contractorColumns())
        t[c] = QString();
    t["typ"] = kind;
    t["fname"] = fname;
    t["lname"] = lname;
    t["birthday"] = t["comp_dat"] = "    /  /  ";
    return t;
}
}  // namespace

class ContractorEntryTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        session() = Session{"admin", "admin", 1, {}};
        saveRights(db(), 1, {{"peymankar", {true, true, true, true}}});
    }
    peymankar_src &browser()
    {
        peymankar_src &b = windows::get<peymankar_src>();
        user().dialogs.push_back([](QDialog &) { return 0; });
        EXPECT_TRUE(b.openChecked());
        return b;
    }
    QString row(qint64 id)
    {
        QStringList values;
        for (const Row &r : db().rows("SELECT * FROM peymankar WHERE id = ?", {id}))
            for (const QVariant &v : r)
                values << v.toString();
        return values.join('|');
    }
};

TEST_P(ContractorEntryTest, AContractorWithoutAKindIsRefusedNamingTheField)
{
    const qint64 id = survey::insertContractor(db(), texts("", "Ali", "Ahmadi"), "admin");
    const QString stored = row(id);
    peymankar_ins &entry = windows::get<peymankar_ins>();
    entry.startEdit(id, db().rows("SELECT * FROM peymankar WHERE id = ?", {id}).front());
    EXPECT_FALSE(entry.typ_haghighi->isChecked());
    EXPECT_FALSE(entry.typ_hoghoghi->isChecked());
    EXPECT_FALSE(entry.edit());
    EXPECT_EQ(user().messageTexts(), QStringList{kindMissingMessage});
    EXPECT_TRUE(kindMissingMessage.contains(QStringLiteral("«نوع»")));
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(row(id), stored);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش پيمانکار")), 0);

    // Choosing the kind makes it savable.
    user().clear();
    entry.typ_hoghoghi->setChecked(true);
    EXPECT_TRUE(entry.edit());
    EXPECT_EQ(db().scalar("SELECT typ FROM peymankar WHERE id = ?", {id}).toString(), survey::legalPerson);

    // A new contractor whose kind was unticked writes nothing either.
    user().clear();
    entry.startNew();
    entry.typ_haghighi->group()->setExclusive(false);
    entry.typ_haghighi->setChecked(false);
    entry.typ_haghighi->group()->setExclusive(true);
    entry.fname->setText("Reza");
    entry.lname->setText("Bahrami");
    EXPECT_FALSE(entry.insert());
    EXPECT_EQ(user().messageTexts(), QStringList{kindMissingMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar").toInt(), 1);
}

TEST_P(ContractorEntryTest, EditLogsAndWrongDeletePasswordDeletesNothing)
{
    const qint64 id = survey::insertContractor(db(), texts(survey::naturalPerson, "Ali", "Ahmadi"), "admin");
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1234')", {QStringLiteral("رمز حذف")});
    peymankar_src &b = browser();
    user().dialogs.push_back([](QDialog &d) {
        auto &e = static_cast<peymankar_ins &>(d);
        e.lname->setText("Ahmadzadeh");
        e.edit();
        return 1;
    });
    b.editContractor();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش پيمانکار  Ahmadzadeh admin")), 1);
    EXPECT_EQ(b.DBGrid1->currentValue("lname").toString(), "Ahmadzadeh");

    user().clear();
    user().inputs = {QString("4321"), std::nullopt};
    b.deleteContractor();
    b.deleteContractor();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar WHERE id = ?", {id}).toInt(), 1);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(logRows(QStringLiteral("حذف پيمانکار نقشه برداري")), 0);
}

TEST_P(ContractorEntryTest, ExportCarriesTheOfficesHeadings)
{
    survey::insertContractor(db(), texts(survey::naturalPerson, "Ali", "Ahmadi"), "admin");
    peymankar_src &b = browser();
    b.exportList();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    for (const QString &heading : {QStringLiteral("شناسه"), QStringLiteral("نوع"), QStringLiteral("فاميل"), QStringLiteral("نام"), QStringLiteral("نام شرکت"), QStringLiteral("نام پدر"), QStringLiteral("ش شناسنامه"), QStringLiteral("کد ملي"), QStringLiteral("ت تولد"), QStringLiteral("کد پستي"), QStringLiteral("محل صدور"), QStringLiteral("مدرک"), QStringLiteral("آدرس"), QStringLiteral("بانک"), QStringLiteral("شعبه"), QStringLiteral("ش حساب"), QStringLiteral("تلفن همراه"), QStringLiteral("تلفن ثابت")})
        EXPECT_TRUE(sheet->columns.contains(heading)) << heading.toStdString();
    ASSERT_EQ(sheet->rows.size(), 1u);
    EXPECT_TRUE(sheet->rows[0].contains("Ahmadi"));
}

TEST_P(ContractorEntryTest, AContractorOfNeitherKindPickedSetsTheIdAndKeepsTheName)
{
    const qint64 odd = survey::insertContractor(db(), texts(QStringLiteral("نامعلوم"), "Ali", "Ahmadi"), "admin");
    naghshe_ins &entry = windows::get<naghshe_ins>();
    entry.startNew();
    entry.peymankar_name->setText(QStringLiteral("نام قبلي"));
    user().dialogs.push_back([](QDialog &d) {
        static_cast<peymankar_list &>(d).pickCurrent();
        return d.result();
    });
    entry.chooseContractor();
    EXPECT_EQ(entry.peymankar_id->text(), QString::number(odd));
    EXPECT_EQ(entry.peymankar_name->text(), QStringLiteral("نام قبلي"));
}

INSTANTIATE_TEST_SUITE_P(Engines, ContractorEntryTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

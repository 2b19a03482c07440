#include "abadiha.h"
#include "abadiha_ins.h"
#include "accounts.h"
#include "admin_fixture.h"
#include "basedata_pages.h"
#include "browsergrid.h"
#include "filters.h"
#include "grid_rows.h"
#include "pages.h"
#include "sample.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <xlsxwriter.h>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

namespace {
const QString registered = QStringLiteral("ثبت شد");
const QString edited = QStringLiteral("ويرايش انجام شد");

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// A workbook of `rows` (the first is the heading) on a sheet named `sheet`.
QString writeBook(const QTemporaryDir &dir, const QString &file, const std::vector<QStringList> &rows,
                  const char *sheet = "Sheet1")
{
    const QString path = dir.filePath(file);
    lxw_workbook *wb = workbook_new(path.toUtf8().constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheet);
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), rows[r][c].toUtf8().constData(), nullptr);
    workbook_close(wb);
    return path;
}

QStringList villageRow(const QString &city, const QString &rosta, const QString &cod)
{
    return {QStringLiteral("مرکزي"), city, "b", "d", rosta, "10", "1", "49", "34", cod, "40", "1", "1"};
}
}  // namespace

class AbadihaTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        session() = Session{"admin", "admin", 1, {}};
        add(QStringLiteral("اراک"), "b1", "d1", QStringLiteral("سنجان"), "101");
        add(QStringLiteral("اراک"), "b1", "d1", QStringLiteral("پرندک"), "102");
        add(QStringLiteral("اراک"), "b2", "d2", QStringLiteral("سنجان"), "103");
        add(QStringLiteral("ساوه"), "b3", "d3", QStringLiteral("نوبران"), "201");
    }
    qint64 add(const QString &city, const QString &bakhsh, const QString &dehestan, const QString &rosta, const QString &cod)
    {
        return db().insert("INSERT INTO abadiha (ostan, city, bakhsh, dehestan, rosta, cod, khanevar, zarib, jamiyat) "
                           "VALUES (?, ?, ?, ?, ?, ?, 10, 1.5, 40)",
                           {QStringLiteral("مرکزي"), city, bakhsh, dehestan, rosta, cod});
    }
    abadiha &opened()
    {
        abadiha &w = windows::get<abadiha>();
        for (FilterCheck *check : {w.CheckBox1, w.CheckBox2, w.CheckBox3, w.CheckBox4})
            check->setChecked(false);
        w.applyRights({true, true, true, true});
        w.prepare();
        return w;
    }
    QString column(const char *name, qint64 id)
    {
        return db().scalar(QStringLiteral("SELECT %1 FROM abadiha WHERE id = ?").arg(QLatin1String(name)), {id}).toString();
    }
    int villages() { return db().scalar("SELECT COUNT(*) FROM abadiha").toInt(); }
};

TEST_P(AbadihaTest, TheMenuAppliesTheVillagePageRights)
{
    registerBasedataPages();
    const qint64 clerk = addUser("clerk", "x");
    session() = Session{"clerk", "ostan", clerk, {}};
    abadiha &w = windows::get<abadiha>();
    w.city->setText("left over");
    EXPECT_FALSE(pages::open("N5", "abadiha", db(), session()));
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});

    saveRights(db(), clerk, {{"abadiha", {false, true, false, true}}});
    EXPECT_TRUE(pages::open("N5", "abadiha", db(), session()));
    EXPECT_EQ(user().shownDialogs, QStringList{"abadiha"});
    EXPECT_FALSE(w.N2->isEnabled());
    EXPECT_TRUE(w.ins_btn->isHidden());
    EXPECT_TRUE(w.N3->isEnabled());
    EXPECT_TRUE(w.N13->isEnabled());
    EXPECT_FALSE(w.N1->isEnabled());
    EXPECT_TRUE(w.city->text().isEmpty());
    EXPECT_EQ(w.cnt->text(), "4");
    EXPECT_EQ(w.cnt2->text(), "0");
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cod"), (QStringList{"102", "101", "103", "201"}));

    saveRights(db(), clerk, {{"abadiha", {true, false, true, true}}});
    EXPECT_TRUE(pages::open("N5", "abadiha", db(), session()));
    EXPECT_TRUE(w.N2->isEnabled());
    EXPECT_FALSE(w.ins_btn->isHidden());
    EXPECT_FALSE(w.N13->isEnabled());
    EXPECT_TRUE(w.N1->isEnabled());
}

TEST_P(AbadihaTest, FiltersAndEnterRunTheSearch)
{
    abadiha &w = opened();
    w.CheckBox2->setChecked(true);
    w.rosta->setText(QStringLiteral("سنج"));
    QTest::keyClick(w.rosta, Qt::Key_Return);
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cod"), (QStringList{"101", "103"}));
    w.CheckBox4->setChecked(true);
    w.ostan->setEditText(QStringLiteral("تهران"));
    w.BitBtn1->click();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
}

TEST_P(AbadihaTest, AVillageTypedWithThePersianYehFindsTheStoredName)
{
    add(QStringLiteral("ساوه"), "b3", "d3", QStringLiteral("علي آباد"), "202");
    abadiha &w = opened();
    w.CheckBox2->setChecked(true);
    w.rosta->setText(QStringLiteral(" علی "));
    w.BitBtn1->click();
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cod"), QStringList{"202"});
    w.CheckBox2->setChecked(false);
    w.CheckBox3->setChecked(true);
    w.cod->setText(QStringLiteral("۲۰۲"));
    w.BitBtn1->click();
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cod"), QStringList{"202"});
}

TEST_P(AbadihaTest, RegisteringThroughTheCascadeAndRefusingADuplicateCode)
{
    abadiha &w = opened();
    abadiha_ins &entry = windows::get<abadiha_ins>();
    user().dialogs.push_back([&](QDialog &) {
        EXPECT_FALSE(entry.ins_btn->isHidden());
        EXPECT_TRUE(entry.edit_btn->isHidden());
        EXPECT_TRUE(entry.khanevar->text().isEmpty());
        EXPECT_EQ(items(entry.ostan), QStringList{QStringLiteral("مرکزي")});
        // Typing moves the cascade as choosing does.
        QKeyEvent typing(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("مرکزي"));
        QApplication::sendEvent(entry.ostan->lineEdit(), &typing);
        EXPECT_EQ(items(entry.city), (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
        entry.city->setCurrentIndex(0);
        entry.cityChanged();
        EXPECT_EQ(items(entry.bakhsh), (QStringList{"b1", "b2"}));
        entry.bakhsh->setCurrentIndex(1);
        entry.bakhshChanged();
        entry.dehestan->setCurrentIndex(0);
        entry.dehestanChanged();
        entry.rosta->setCurrentIndex(0);
        entry.rostaChanged();
        // A single code is selected; the details wait for the code step.
        EXPECT_EQ(entry.cod->currentText(), "103");
        EXPECT_TRUE(entry.khanevar->text().isEmpty());
        entry.codChanged();
        EXPECT_EQ(entry.khanevar->text(), "10");
        EXPECT_EQ(entry.zarib->text(), "1.5");
        // The same code again is refused and the window stays.
        entry.rosta->setEditText(QStringLiteral("سنجان نو"));
        entry.ins_btn->click();
        EXPECT_EQ(user().lastMessage(), QStringLiteral("خطا! کد آبادي تکراريست"));
        entry.cod->setEditText("104");
        entry.ins_btn->click();
        return QDialog::Accepted;
    });
    w.N2->trigger();
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("خطا! کد آبادي تکراريست"), registered}));
    EXPECT_EQ(w.cnt->text(), "5");
    const std::optional<Village> added = villageByCode(db(), "104");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->city, QStringLiteral("اراک"));
    EXPECT_EQ(added->bakhsh, "b2");
    EXPECT_EQ(added->rosta, QStringLiteral("سنجان نو"));
    EXPECT_EQ(added->khanevar, "10");
    // A changed upper level empties the lower ones.
    entry.startNew();
    entry.ostan->setEditText(QStringLiteral("مرکزي"));
    entry.ostanChanged();
    entry.city->setCurrentIndex(0);
    entry.cityChanged();
    entry.bakhsh->setCurrentIndex(0);
    entry.ostanChanged();
    EXPECT_TRUE(entry.bakhsh->currentText().isEmpty());
    EXPECT_EQ(entry.bakhsh->count(), 0);
}

TEST_P(AbadihaTest, EditSavesTheRowItOpenedWithEvenWhenTheCodeIsUnchanged)
{
    const qint64 id101 = db().scalar("SELECT id FROM abadiha WHERE cod = '101'").toLongLong();
    abadiha &w = opened();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "101"));
    abadiha_ins &entry = windows::get<abadiha_ins>();
    user().dialogs.push_back([&](QDialog &) {
        EXPECT_TRUE(entry.ins_btn->isHidden());
        EXPECT_FALSE(entry.edit_btn->isHidden());
        EXPECT_EQ(entry.cod->currentText(), "101");
        EXPECT_EQ(entry.city->currentText(), QStringLiteral("اراک"));
        EXPECT_EQ(entry.zarib->text(), "1.5");
        // The browser moves on meanwhile; the edit still goes to the row it opened with.
        w.CheckBox3->setChecked(true);
        w.cod->setText("201");
        w.search();
        entry.khanevar->setText("55");
        entry.edit_btn->click();
        return QDialog::Accepted;
    });
    w.N3->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{edited});
    EXPECT_EQ(column("khanevar", id101), "55");
    EXPECT_EQ(db().scalar("SELECT khanevar FROM abadiha WHERE cod = '201'").toInt(), 10);

    // Another village's code is refused.
    user().clear();
    opened();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "101"));
    user().dialogs.push_back([&](QDialog &) {
        entry.cod->setEditText("102");
        entry.edit_btn->click();
        return QDialog::Rejected;
    });
    w.N3->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("خطا! کد آبادي تکراري است")});
    EXPECT_EQ(column("cod", id101), "101");
}

TEST_P(AbadihaTest, DeleteNeedsTheDeletePassword)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("رمز حذف"), "Pw1"});
    abadiha &w = opened();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "201"));
    user().inputs.push_back(QString("pw1"));
    w.N1->trigger();
    EXPECT_TRUE(user().messageTexts().isEmpty());
    EXPECT_EQ(villages(), 4);
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "201"));
    w.N1->trigger();  // cancelled
    EXPECT_EQ(villages(), 4);
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "201"));
    user().inputs.push_back(QString("Pw1"));
    w.N1->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("حذف شد")});
    EXPECT_EQ(villages(), 3);
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_FALSE(villageByCode(db(), "201"));
    EXPECT_EQ(logRows(QStringLiteral(" حذف آبادي  201 admin")), 1);
}

TEST_P(AbadihaTest, TheCountyRenameChangesExactlyTheListedVillages)
{
    const qint64 elsewhere = add(QStringLiteral("اراک"), "b9", "d9", QStringLiteral("ده"), "109");
    abadiha &w = opened();
    w.CheckBox2->setChecked(true);
    w.rosta->setText(QStringLiteral("سنجان"));
    w.search();
    ASSERT_EQ(w.cnt->text(), "2");

    // No, a cancelled box, an empty name and the untouched "?" rename nothing.
    w.N13->trigger();
    EXPECT_TRUE(user().prompts.isEmpty());
    for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(""),
                                                 std::optional<QString>("?"), std::optional<QString>("  ")}) {
        user().answers.push_back(true);
        user().inputs.push_back(answer);
        w.N13->trigger();
    }
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM abadiha WHERE city = ?", {QStringLiteral("اراک")}).toInt(), 4);
    EXPECT_TRUE(user().messageTexts().isEmpty());
    EXPECT_EQ(user().questions.first(),
              QStringLiteral("2اين تعداد شهرستان شامل اين تغيير مي شوند، آيا از اين عمل مطمئن هستيد؟"));

    user().clear();
    user().answers.push_back(true);
    user().inputs.push_back(QStringLiteral("اراک غرب\u06CC")  /* typed with the Persian yeh */);
    w.N13->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral(" اين تعداد تغيير يافتند 2")});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM abadiha WHERE city = ?", {QStringLiteral("اراک غربي")}).toInt(), 2);
    EXPECT_EQ(column("city", elsewhere), QStringLiteral("اراک"));
    EXPECT_EQ(db().scalar("SELECT city FROM abadiha WHERE cod = '102'").toString(), QStringLiteral("اراک"));
}

TEST_P(AbadihaTest, ImportingASheetAndTheMessagesOfBadSheets)
{
    QTemporaryDir dir;
    abadiha &w = opened();
    std::vector<QStringList> rows{villageColumns(), villageRow(QStringLiteral("خمين"), QStringLiteral("ورچه"), "301"),
                                  villageRow(QStringLiteral("خمين"), QStringLiteral("فرفهان"), "302")};
    user().files.push_back(writeBook(dir, "v.xlsx", rows));
    w.BitBtn2->click();
    EXPECT_EQ(w.cnt2->text(), "2");
    EXPECT_EQ(w.DBGrid2->rowCount(), 2);

    // No, then yes.
    w.ins_btn->click();
    EXPECT_EQ(villages(), 4);
    user().answers.push_back(true);
    w.ins_btn->click();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("انتقال انجام شد")});
    EXPECT_EQ(user().questions.last(),
              QStringLiteral("اين عمل ممکن است دقايقي بطول انجامد و اطلاعات قبلي حذف و اطلاعات اکسل جايگزين مي گردد. آيا براي ادامه عمليات اطمينان داريد؟"));
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cod"), (QStringList{"302", "301"}));

    // A sheet of 12 columns, whatever the answer.
    user().clear();
    for (QStringList &row : rows)
        row.removeLast();
    user().files.push_back(writeBook(dir, "narrow.xlsx", rows));
    w.BitBtn2->click();
    w.ins_btn->click();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("خطا! تعداد ستون ها برابر نيست")});
    EXPECT_EQ(villages(), 2);

    // The data on a sheet with another name.
    user().clear();
    user().files.push_back(writeBook(dir, "named.xlsx", {villageColumns(), villageRow("a", "b", "1")}, "Data"));
    w.BitBtn2->click();
    EXPECT_EQ(user().messageTexts(),
              QStringList{QStringLiteral("خطا در خواندن فايل اکسل! لطفا فايل را ببنديد و يا از نام شيت آن مطمئن شويد Sheet1 ")});
    EXPECT_EQ(w.cnt2->text(), "0");
    user().answers.push_back(true);
    w.ins_btn->click();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("خطا! تعداد ستون ها برابر نيست"));
    EXPECT_EQ(villages(), 2);
}

TEST_P(AbadihaTest, ExportThenImportGivesBackEveryVillage)
{
    db().exec("DELETE FROM abadiha");
    sample::Size size;
    size.counties = 3;
    size.villagesPerCounty = 25;
    size.contractors = size.projects = size.studies = size.registrations = size.contracts = 0;
    sample::fill(db(), nullptr, size);
    abadiha &w = opened();
    auto shown = [&] {
        QList<QStringList> out;
        const ResultSet rows = w.DBGrid1->shownRows();
        for (int r = 0; r < rows.size(); ++r)
            out << Village::fromRow(rows, r).values();
        return out;
    };
    const QList<QStringList> before = shown();
    ASSERT_EQ(before.size(), 75);
    w.Excel_btn->click();
    ASSERT_EQ(user().opened.size(), 1);
    user().files.push_back(user().opened.first());
    w.BitBtn2->click();
    EXPECT_EQ(w.cnt2->text(), "75");
    user().answers.push_back(true);
    w.ins_btn->click();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("انتقال انجام شد"));
    EXPECT_EQ(shown(), before);
    QFile::remove(user().opened.first());
}

TEST_P(AbadihaTest, ThePickerReturnsTheVillageDoubleClicked)
{
    abadiha &w = windows::get<abadiha>();
    user().dialogs.push_back([&](QDialog &) {
        EXPECT_TRUE(selectRow(*w.DBGrid1, "cod", "201"));
        emit w.DBGrid1->doubleClicked(w.DBGrid1->currentIndex());
        return w.result();
    });
    const std::optional<Village> picked = pickVillage();
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->cod, "201");
    EXPECT_EQ(picked->rosta, QStringLiteral("نوبران"));
    EXPECT_EQ(picked->khanevar, "10");
    // The administrator has no village rights row: a picker, not an editor.
    EXPECT_FALSE(w.N2->isEnabled());
    EXPECT_FALSE(w.N1->isEnabled());

    EXPECT_FALSE(pickVillage());
    // Outside a picker a double click does nothing.
    w.show();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cod", "101"));
    emit w.DBGrid1->doubleClicked(w.DBGrid1->currentIndex());
    EXPECT_TRUE(w.isVisible());
    w.hide();
}

TEST_P(AbadihaTest, TheCoordinateLabelsRefreshAndExportTheSideTable)
{
    db().exec("INSERT INTO abadiha_xy (cod, x, khanevar) VALUES ('201', '0', 0)");
    abadiha_ins &entry = windows::get<abadiha_ins>();
    entry.startNew();
    emit entry.Label1->clicked();
    EXPECT_EQ(db().scalar("SELECT khanevar FROM abadiha_xy WHERE cod = '201'").toInt(), 10);
    EXPECT_TRUE(user().messageTexts().isEmpty());
    emit entry.Label2->clicked();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.first());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.mid(0, 3), (QStringList{QStringLiteral("شناسه"), QStringLiteral("کد آبادي"), "X"}));
    ASSERT_EQ(sheet->rows.size(), 1u);
    EXPECT_EQ(sheet->rows[0][1], "201");
    QFile::remove(user().opened.first());
}

INSTANTIATE_TEST_SUITE_P(Engines, AbadihaTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

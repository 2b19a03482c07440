#include "admin_fixture.h"
#include "sample.h"
#include "villages.h"

#include <QCollator>
#include <QTemporaryDir>
#include <xlsxwriter.h>

using namespace bv;
using bv::test::AdminTest;

namespace {
// Cells of a test sheet: a number where `numbers` says so, text otherwise.
struct SheetRow {
    QStringList cells;
    QList<int> numbers = {};
};

QString writeSheet(const QTemporaryDir &dir, const QString &file, const QStringList &heading,
                   const std::vector<SheetRow> &rows, const char *sheetName = "Sheet1")
{
    const QString path = dir.filePath(file);
    lxw_workbook *wb = workbook_new(path.toUtf8().constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheetName);
    for (int c = 0; c < heading.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), heading[c].toUtf8().constData(), nullptr);
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].cells.size(); ++c) {
            if (rows[r].numbers.contains(c))
                worksheet_write_number(ws, lxw_row_t(r + 1), lxw_col_t(c), rows[r].cells[c].toDouble(), nullptr);
            else
                worksheet_write_string(ws, lxw_row_t(r + 1), lxw_col_t(c), rows[r].cells[c].toUtf8().constData(), nullptr);
        }
    EXPECT_EQ(workbook_close(wb), LXW_NO_ERROR);
    return path;
}

SheetRow village(const QString &city, const QString &rosta, const QString &cod, const QString &khanevar = "120")
{
    return {{QStringLiteral("مرکزي"), city, QStringLiteral("مرکزي"), QStringLiteral("دهستان"), rosta, khanevar, "1.05",
             "49.5", "34.1", cod, "480", "1.1", "1"}};
}

// Every village as shown: the thirteen texts, by code then village.
QList<QStringList> registry(const Db &db)
{
    QList<QStringList> out;
    const ResultSet rows = searchVillages(db, {});
    for (int r = 0; r < rows.size(); ++r)
        out << Village::fromRow(rows, r).values();
    std::sort(out.begin(), out.end(), [](const QStringList &a, const QStringList &b) {
        return a[9] != b[9] ? a[9] < b[9] : a[4] < b[4];
    });
    return out;
}
}  // namespace

class VillagesTest : public AdminTest {
protected:
    void fillSample()
    {
        sample::Size size;
        size.counties = 4;
        size.villagesPerCounty = 30;
        size.contractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
    }
    qint64 addVillage(const QString &ostan, const QString &city, const QString &bakhsh, const QString &dehestan,
                      const QString &rosta, const QString &cod)
    {
        return db().insert("INSERT INTO abadiha (ostan, city, bakhsh, dehestan, rosta, cod, khanevar, zarib, jamiyat) "
                           "VALUES (?, ?, ?, ?, ?, ?, 10, 1.2, 40)",
                           {ostan, city, bakhsh, dehestan, rosta, cod});
    }
    int villages() { return db().scalar("SELECT COUNT(*) FROM abadiha").toInt(); }
};

TEST_P(VillagesTest, WithoutFiltersEveryVillageIsListedInPlaceOrderWithItsCount)
{
    fillSample();
    // Persian order puts پ between ب and ت, where code-point order would not.
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("پلدشت"), QStringLiteral("مرکزي"), QStringLiteral("ده"),
               QStringLiteral("گلستان"), "9001");
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("تفرش"), QStringLiteral("مرکزي"), QStringLiteral("ده"),
               QStringLiteral("چمن"), "9002");
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("بابل"), QStringLiteral("مرکزي"), QStringLiteral("ده"),
               QStringLiteral("ژيان"), "9003");

    const ResultSet listed = searchVillages(db(), {});
    EXPECT_EQ(listed.size(), villages());
    EXPECT_EQ(countVillages(db(), {}), villages());
    EXPECT_EQ(listed.size(), 4 * 30 + 3);

    QCollator persian{QLocale(QLocale::Persian, QLocale::Iran)};
    persian.setNumericMode(true);
    auto key = [&](int r) {
        QStringList k;
        for (const char *c : {"city", "bakhsh", "dehestan", "rosta"})
            k << listed.value(r, c).toString();
        return k;
    };
    for (int r = 1; r < listed.size(); ++r) {
        const QStringList a = key(r - 1), b = key(r);
        int order = 0;
        for (int i = 0; i < 4 && order == 0; ++i)
            order = persian.compare(a[i], b[i]);
        EXPECT_LE(order, 0) << "row " << r << ": " << a.join('/').toStdString() << " before " << b.join('/').toStdString();
    }
    QStringList cities;
    for (int r = 0; r < listed.size(); ++r)
        if (cities.isEmpty() || cities.last() != listed.value(r, "city").toString())
            cities << listed.value(r, "city").toString();
    EXPECT_LT(cities.indexOf(QStringLiteral("بابل")), cities.indexOf(QStringLiteral("پلدشت")));
    EXPECT_LT(cities.indexOf(QStringLiteral("پلدشت")), cities.indexOf(QStringLiteral("تفرش")));
    // The grid's columns: the hidden id, then the written columns in their order.
    QStringList columns{"id"};
    for (const QString &c : villageColumns())
        columns << c.toLower();
    EXPECT_EQ(listed.columns, columns);
}

TEST_P(VillagesTest, FiltersFindExactlyTheVillagesContainingTheirText)
{
    fillSample();
    const ResultSet all = searchVillages(db(), {});
    auto expected = [&](const char *column, const QString &part, const char *column2 = nullptr, const QString &part2 = {}) {
        QSet<qint64> ids;
        for (int r = 0; r < all.size(); ++r)
            if (all.value(r, column).toString().contains(part)
                && (!column2 || all.value(r, column2).toString().contains(part2)))
                ids << all.value(r, "id").toLongLong();
        return ids;
    };
    auto found = [&](const VillageFilters &filters) {
        QSet<qint64> ids;
        const ResultSet rows = searchVillages(db(), filters);
        for (int r = 0; r < rows.size(); ++r)
            ids << rows.value(r, "id").toLongLong();
        EXPECT_EQ(countVillages(db(), filters), rows.size());
        return ids;
    };
    const QSet<qint64> abad = expected("rosta", QStringLiteral("آباد"));
    ASSERT_GT(abad.size(), 0);
    ASSERT_LT(abad.size(), all.size());
    EXPECT_EQ(found({.rosta = QStringLiteral("آباد")}), abad);
    // Typed with the Persian yeh, the stored Arabic one is found.
    EXPECT_EQ(found({.rosta = QStringLiteral("عل\u06CC")}), expected("rosta", QStringLiteral("علي")));
    EXPECT_EQ(found({.cod = QStringLiteral("۱۰۰۲")}), expected("cod", "1002"));
    EXPECT_EQ(found({.cod = "0001", .city = QStringLiteral("ساوه")}), expected("cod", "0001", "city", QStringLiteral("ساوه")));
    EXPECT_EQ(found({.ostan = QStringLiteral("تهران")}), QSet<qint64>{});
}

TEST_P(VillagesTest, ChoicesNarrowLevelByLevelAndLookUpsFindTheFirstVillage)
{
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("مرکزي"), QStringLiteral("امانيه"),
               QStringLiteral("سنجان"), "101");
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("مرکزي"), QStringLiteral("امانيه"),
               QStringLiteral("پرندک"), "102");
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("خنجين"), QStringLiteral("خنجين"),
               QStringLiteral("سنجان"), "103");
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("ساوه"), QStringLiteral("نوبران"), QStringLiteral("آق کهريز"),
               QStringLiteral("سنجان"), "104");
    addVillage(QStringLiteral("قم"), QStringLiteral("قم"), "", "", "", "");
    const qint64 later = addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("مرکزي"),
                                    QStringLiteral("امانيه"), QStringLiteral("سنجان"), "101");

    EXPECT_EQ(villageChoices(db(), VillageLevel::Province), (QStringList{QStringLiteral("قم"), QStringLiteral("مرکزي")}));
    EXPECT_EQ(villageChoices(db(), VillageLevel::County, {.ostan = QStringLiteral("مرکزي")}),
              (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
    EXPECT_EQ(villageChoices(db(), VillageLevel::District, {.ostan = QStringLiteral("مرکزي"), .city = QStringLiteral("اراک")}),
              (QStringList{QStringLiteral("خنجين"), QStringLiteral("مرکزي")}));
    EXPECT_EQ(villageChoices(db(), VillageLevel::Village,
                             {.city = QStringLiteral("اراک"), .bakhsh = QStringLiteral("مرکزي"), .dehestan = QStringLiteral("امانيه")}),
              (QStringList{QStringLiteral("پرندک"), QStringLiteral("سنجان")}));
    // A county's districts without a province, as the registration window asks.
    EXPECT_EQ(villageChoices(db(), VillageLevel::District, {.city = QStringLiteral("ساوه")}), QStringList{QStringLiteral("نوبران")});
    // Codes along the whole place: the namesake villages elsewhere are not offered.
    EXPECT_EQ(villageChoices(db(), VillageLevel::Code,
                             {.ostan = QStringLiteral("مرکزي"), .city = QStringLiteral("اراک"), .bakhsh = QStringLiteral("مرکزي"),
                              .dehestan = QStringLiteral("امانيه"), .rosta = QStringLiteral("سنجان")}),
              QStringList{"101"});
    // Empty names are no choice.
    EXPECT_EQ(villageChoices(db(), VillageLevel::District, {.ostan = QStringLiteral("قم")}), QStringList{});

    const std::optional<Village> byCode = villageByCode(db(), "101");
    ASSERT_TRUE(byCode);
    EXPECT_NE(byCode->id, later);
    EXPECT_EQ(byCode->rosta, QStringLiteral("سنجان"));
    EXPECT_EQ(byCode->khanevar, "10");
    EXPECT_EQ(byCode->zarib, "1.2");
    EXPECT_EQ(byCode->jamiyat, "40");
    EXPECT_FALSE(villageByCode(db(), "999"));
    const std::optional<Village> atPlace = firstVillage(db(), {.city = QStringLiteral("اراک"), .bakhsh = QStringLiteral("خنجين"),
                                                              .rosta = QStringLiteral("سنجان")});
    ASSERT_TRUE(atPlace);
    EXPECT_EQ(atPlace->cod, "103");
}

TEST_P(VillagesTest, RegisterRefusesDuplicatesAndBadNumbersAndLogsWhatItWrites)
{
    Village v = Village::fromValues({QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("مرکزي"),
                                     QStringLiteral("امانيه"), QStringLiteral("سنجان"), QStringLiteral("۱۲۰"), "1.05", "49.7",
                                     "34.09", "100200300400", "480", "", " "});
    EXPECT_EQ(registerVillage(db(), v, "admin"), "");
    const std::optional<Village> stored = villageByCode(db(), "100200300400");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->khanevar, "120");
    EXPECT_EQ(stored->zaribMantaghe, "0");
    EXPECT_EQ(logRows(QStringLiteral(" ثبت کدآبادي جديد  100200300400 admin")), 1);

    EXPECT_EQ(registerVillage(db(), v, "admin"), duplicateVillageMessage);
    v.rosta = QStringLiteral("ديگر");
    EXPECT_EQ(registerVillage(db(), v, "admin"), duplicateCodeOnRegister);
    v.cod = "5";
    v.jamiyat = QStringLiteral("چهارصد");
    EXPECT_EQ(registerVillage(db(), v, "admin"), QStringLiteral("مقدار «چهارصد» براي «جمعيت» عدد نيست"));
    v.jamiyat = "1";
    v.city = QString(31, QLatin1Char('a'));
    EXPECT_TRUE(registerVillage(db(), v, "admin").startsWith(QStringLiteral("«شهرستان» حداکثر 30 حرف")));
    EXPECT_EQ(villages(), 1);
    EXPECT_EQ(logRows(QStringLiteral("کدآبادي")), 1);
}

TEST_P(VillagesTest, EditKeepsItsOwnCodeRefusesAnotherAndChangesOnlyItsRow)
{
    const qint64 a = addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), "b", "d", QStringLiteral("سنجان"), "101");
    const qint64 b = addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), "b", "d", QStringLiteral("پرندک"), "102");
    Village v = *villageByCode(db(), "101");
    v.khanevar = "77";
    EXPECT_EQ(editVillage(db(), a, v, "admin"), "");
    EXPECT_EQ(db().scalar("SELECT khanevar FROM abadiha WHERE id = ?", {a}).toInt(), 77);
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش آبادي  101 admin")), 1);

    v.cod = "102";
    EXPECT_EQ(editVillage(db(), a, v, "admin"), duplicateCodeOnEdit);
    v.cod = "103";
    v.rosta = QStringLiteral("سنجان نو");
    EXPECT_EQ(editVillage(db(), a, v, "admin"), "");
    EXPECT_EQ(db().scalar("SELECT cod FROM abadiha WHERE id = ?", {a}).toString(), "103");
    EXPECT_EQ(db().scalar("SELECT rosta FROM abadiha WHERE id = ?", {b}).toString(), QStringLiteral("پرندک"));

    removeVillage(db(), b, "admin");
    EXPECT_EQ(logRows(QStringLiteral(" حذف آبادي  102 admin")), 1);
    EXPECT_EQ(editVillage(db(), b, v, "admin"), villageGoneMessage);
    EXPECT_EQ(villages(), 1);
}

TEST_P(VillagesTest, CountyRenameChangesTheGivenVillagesEvenWhenCodesRepeat)
{
    const qint64 a = addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), "b", "d", "r1", "7");
    const qint64 b = addVillage(QStringLiteral("مرکزي"), QStringLiteral("ساوه"), "b", "d", "r2", "7");
    const qint64 c = addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), "b", "d", "r3", "8");
    EXPECT_EQ(renameCounty(db(), {a, c}, QStringLiteral("اراک نو")), 2);
    EXPECT_EQ(db().scalar("SELECT city FROM abadiha WHERE id = ?", {a}).toString(), QStringLiteral("اراک نو"));
    EXPECT_EQ(db().scalar("SELECT city FROM abadiha WHERE id = ?", {b}).toString(), QStringLiteral("ساوه"));
    EXPECT_EQ(db().scalar("SELECT city FROM abadiha WHERE id = ?", {c}).toString(), QStringLiteral("اراک نو"));
}

TEST_P(VillagesTest, ImportReplacesTheRegistryWithExactlyTheSheetsRowsAndKeepsLongCodes)
{
    fillSample();
    QTemporaryDir dir;
    SheetRow numeric = village(QStringLiteral("اراک"), QStringLiteral("سنجان"), "778899001122");
    numeric.numbers = {5, 6, 9, 10};
    const QString path = writeSheet(dir, "v.xlsx", villageColumns(),
                                    {numeric, village(QStringLiteral("ساوه"), QStringLiteral("نوبران"), "0123"),
                                     {QStringList(13, "")},
                                     village(QStringLiteral("خمين"), QStringLiteral("ورچه"), "778899001122")});
    QString error;
    const std::optional<SheetTable> sheet = readSheet(path, "Sheet1", &error);
    ASSERT_TRUE(sheet) << error.toStdString();
    int progressed = 0;
    EXPECT_EQ(replaceVillages(db(), *sheet, [&](int done) { progressed = done; }), "");
    EXPECT_EQ(progressed, 3);
    const QList<QStringList> now = registry(db());
    ASSERT_EQ(now.size(), 3);
    EXPECT_EQ(now[0][9], "0123");
    EXPECT_EQ(now[1][9], "778899001122");
    EXPECT_EQ(now[2][9], "778899001122");
    EXPECT_EQ(now[1], village(QStringLiteral("اراک"), QStringLiteral("سنجان"), "778899001122").cells);
}

TEST_P(VillagesTest, AnImportWithABadRowOrTheWrongWidthChangesNothing)
{
    fillSample();
    const QList<QStringList> before = registry(db());
    QTemporaryDir dir;
    const QString bad = writeSheet(dir, "bad.xlsx", villageColumns(),
                                   {village("a", "b", "1"), {}, village("a", "c", "2"), village("a", "d", "3", "x12")});
    // The blank row 3 counts: the bad row is the sheet's row 5.
    EXPECT_EQ(replaceVillages(db(), *readSheet(bad), {}),
              QStringLiteral("خطا در رديف 5 فايل اکسل: مقدار «x12» براي «خانوار» عدد نيست"));
    QStringList twelve = villageColumns().mid(0, 12);
    SheetRow narrow = village("a", "b", "1");
    narrow.cells.removeLast();
    const QString narrowPath = writeSheet(dir, "narrow.xlsx", twelve, {narrow});
    EXPECT_EQ(replaceVillages(db(), *readSheet(narrowPath), {}), columnCountError);
    // A value beyond the last heading is a column too many.
    SheetRow wide = village("a", "b", "1");
    wide.cells << "stray";
    const QString widePath = writeSheet(dir, "wide.xlsx", villageColumns(), {wide});
    EXPECT_EQ(replaceVillages(db(), *readSheet(widePath), {}), columnCountError);
    EXPECT_EQ(registry(db()), before);
}

TEST_P(VillagesTest, CoordinatesAreRefreshedForCodesTheRegistryHas)
{
    addVillage(QStringLiteral("مرکزي"), QStringLiteral("اراک"), "b", "d", "r", "101");
    db().exec("UPDATE abadiha SET x = '49.1', y = '34.2', zaribMantaghe = 1.3, zaribDori = 1.4");
    db().exec("INSERT INTO abadiha_xy (cod, x, y, khanevar) VALUES ('101', '0', '0', 0)");
    db().exec("INSERT INTO abadiha_xy (cod, x, y, khanevar) VALUES ('999', '5', '6', 3)");
    EXPECT_EQ(refreshVillageCoordinates(db()), 1);
    const ResultSet rows = villageCoordinateRows(db());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.value(0, "x").toString(), "49.1");
    EXPECT_EQ(rows.value(0, "y").toString(), "34.2");
    EXPECT_EQ(rows.value(0, "khanevar").toInt(), 10);
    EXPECT_DOUBLE_EQ(rows.value(0, "zaribdori").toDouble(), 1.4);
    EXPECT_EQ(rows.value(1, "x").toString(), "5");
    EXPECT_EQ(rows.value(1, "khanevar").toInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, VillagesTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

#include "fillsteps.h"
#include "helpers.h"
#include "templatecheck.h"
#include "schema_tables.h"
#include "scripted.h"
#include "test_db.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

TEST(FillSteps, CancelGivesTheDefaultAndOkGivesTheAnswer)
{
    user().inputs = {std::nullopt, QStringLiteral("1402/01/01"), QString()};
    EXPECT_EQ(ask(QStringLiteral("Date"), QStringLiteral("تاريخ بررسي"), QStringLiteral("1402/06/13")),
              QStringLiteral("1402/06/13"));
    EXPECT_EQ(ask(QStringLiteral("Date"), QStringLiteral("تاريخ بررسي"), QStringLiteral("1402/06/13")),
              QStringLiteral("1402/01/01"));
    EXPECT_EQ(ask(QStringLiteral("Date"), QStringLiteral("تاريخ بررسي"), QStringLiteral("x")), QString());
    EXPECT_EQ(user().prompts, QStringList(3, QStringLiteral("تاريخ بررسي")));
}

TEST(FillSteps, TodayIsTheJalaliDateOfTheUsersClock)
{
    user().todayValue = QDate(2023, 9, 4);
    EXPECT_EQ(today(), QStringLiteral("1402/06/13"));
}

TEST(FillSteps, ShortVillageCode)
{
    EXPECT_EQ(shortVillageCode(QStringLiteral("  7788990011  ")), QStringLiteral("990011"));
    EXPECT_EQ(shortVillageCode(QStringLiteral("778899001122")), QStringLiteral("001122"));
    EXPECT_EQ(shortVillageCode(QStringLiteral(" 1234 ")), QStringLiteral("1234"));
    EXPECT_EQ(shortVillageCode(QStringLiteral("123456")), QStringLiteral("123456"));
    EXPECT_EQ(shortVillageCode(QString()), QString());
}

TEST(FillSteps, ContractorNameByItsRule)
{
    Row natural{{"typ", QStringLiteral("حقيقي")}, {"fname", QStringLiteral("علي")}, {"lname", QStringLiteral("رضايي")},
                {"comp_name", QStringLiteral("نبايد")}, {"company", QStringLiteral("شرکت")}};
    Row legal = natural;
    legal["typ"] = QStringLiteral("حقوقي");
    EXPECT_EQ(contractorName(natural), QStringLiteral("علي رضايي"));
    EXPECT_EQ(contractorName(legal), QStringLiteral("نبايد"));
    EXPECT_EQ(contractorName(Row{}), QString());  // a missing contractor row
    ContractorNameRule rule;
    rule.naturalColumns = {QStringLiteral("lname"), QStringLiteral("fname")};
    rule.companyColumn = QStringLiteral("company");
    EXPECT_EQ(contractorName(natural, rule), QStringLiteral("رضايي علي"));
    EXPECT_EQ(contractorName(legal, rule), QStringLiteral("شرکت"));
}

TEST(FillSteps, GuardedComputationGivesZeroWhenAnOperandIsUnreadable)
{
    auto product = [](const std::vector<Decimal> &v) { return v[0] * v[1]; };
    EXPECT_EQ(guarded({QStringLiteral("1250"), QStringLiteral("1000")}, product), QStringLiteral("1250000"));
    EXPECT_EQ(guarded({QStringLiteral("2.5"), QStringLiteral("5")}, product), QStringLiteral("12.5"));
    EXPECT_EQ(guarded({QStringLiteral(""), QStringLiteral("5")}, product), QStringLiteral("0"));
    EXPECT_EQ(guarded({QStringLiteral("abc"), QStringLiteral("5")}, product), QStringLiteral("0"));
    EXPECT_EQ(guarded({QStringLiteral("1,250"), QStringLiteral("۴")}, product), QStringLiteral("5000"));
    EXPECT_EQ(guarded({QStringLiteral("1,2"), QStringLiteral("5")}, product), QStringLiteral("0"));  // never 12
    EXPECT_EQ(guarded({QStringLiteral("5"), QStringLiteral("0")},
                      [](const std::vector<Decimal> &v) { return ratio(v[0], v[1], 4); }),
              QStringLiteral("0"));
    // Exact: no binary floating point residue.
    auto increase = [](const std::vector<Decimal> &v) { return (percentage(v[0], v[1], 4) - 100).rounded(2); };
    EXPECT_EQ(guarded({QStringLiteral("110000000"), QStringLiteral("100000000")}, increase), QStringLiteral("10"));
    EXPECT_EQ(guarded({QStringLiteral("0.1"), QStringLiteral("0.2")},
                      [](const std::vector<Decimal> &v) { return v[0] + v[1]; }),
              QStringLiteral("0.3"));
    EXPECT_EQ(guarded({QStringLiteral("100000001"), QStringLiteral("30")},
                      [](const std::vector<Decimal> &v) { return v[0] * v[1] * Decimal::fromScaled(1, 2); }),
              QStringLiteral("30000000.3"));
}

TEST(FillSteps, AComputationOutOfRangeStopsTheFillWithItsMessage)
{
    bool previewed = false;
    const bool done = runFill([&] {
        guarded({QStringLiteral("922337203685477"), QStringLiteral("100")},
                [](const std::vector<Decimal> &v) { return Decimal(Money::fromWhole(v[0].wholeValue().value()).times(v[1])); });
        previewed = true;
    });
    EXPECT_FALSE(done);
    EXPECT_FALSE(previewed);
    EXPECT_EQ(user().lastMessage(), NumberError(NumberError::Kind::Overflow).text());
}

TEST(FillSteps, WholeNumberQuestionStopsTheFillOnText)
{
    user().inputs = {QStringLiteral("14")};
    EXPECT_EQ(askWholeNumber(QStringLiteral("Font Size"), QStringLiteral("اندازه فونت روستا و شهر"), QStringLiteral("12")),
              14);
    user().inputs = {QStringLiteral("دوازده")};
    Document doc(letterTemplate());
    bool previewed = false;
    const bool done = runFill([&] {
        askFontSize(doc, {QStringLiteral("header")}, QStringLiteral("Font Size"),
                    QStringLiteral("اندازه فونت روستا و شهر"));
        previewed = true;
    });
    EXPECT_FALSE(done);
    EXPECT_FALSE(previewed);
    // The message names the question, so the user knows which answer to mend.
    EXPECT_EQ(user().lastMessage(),
              QStringLiteral("اندازه فونت روستا و شهر: ") + notWholeNumberMessage(QStringLiteral("دوازده")));
    // The lenient form ignores it.
    user().inputs = {QStringLiteral("دوازده")};
    EXPECT_NO_THROW(askFontSize(doc, {QStringLiteral("header")}, QStringLiteral("Font Size"),
                                QStringLiteral("اندازه فونت روستا و شهر"), QStringLiteral("12"), false));
}

TEST(FillSteps, TickBoxes)
{
    Document doc(letterTemplate());
    const QStringList boxes = {QStringLiteral("done1"), QStringLiteral("notdone1")};
    user().inputs = {QStringLiteral("1")};
    askTick(doc, QStringLiteral("کنترل ضمائم"), boxes);
    EXPECT_EQ(doc.fill(QStringLiteral("done1")), QColor(Qt::blue));
    EXPECT_EQ(doc.fill(QStringLiteral("notdone1")), QColor(Qt::white));
    EXPECT_EQ(user().prompts.last(), QStringLiteral("انجام شده=1 و انجام نشده=2"));
    user().inputs = {QStringLiteral("7")};
    askTick(doc, QStringLiteral("کنترل ضمائم"), boxes);
    EXPECT_EQ(doc.fill(QStringLiteral("done1")), QColor(Qt::white));
    EXPECT_EQ(doc.fill(QStringLiteral("notdone1")), QColor(Qt::blue));
    // Cancel gives the default "1".
    askTick(doc, QStringLiteral("کنترل ضمائم"), boxes);
    EXPECT_EQ(doc.fill(QStringLiteral("done1")), QColor(Qt::blue));
    // Grades with no box for other answers, and colours of the caller.
    TickRule grades{{QStringLiteral("1"), QStringLiteral("2")}, -1, Qt::black, Qt::white};
    tick(doc, boxes, QStringLiteral("2"), grades);
    EXPECT_EQ(doc.fill(QStringLiteral("notdone1")), QColor(Qt::black));
    tick(doc, boxes, QStringLiteral("5"), grades);
    EXPECT_EQ(doc.fill(QStringLiteral("done1")), QColor(Qt::white));
    EXPECT_EQ(doc.fill(QStringLiteral("notdone1")), QColor(Qt::white));
}

TEST(FillSteps, AgreementWord)
{
    Document doc(letterTemplate());
    setAgreementWords(doc, QStringLiteral("تفاهمنامه"));
    EXPECT_EQ(doc.label(QStringLiteral("movafeg")), QStringLiteral("تفاهمنامه"));
    EXPECT_EQ(doc.label(QStringLiteral("movafeg2")), QStringLiteral("تفاهمنامه"));
    setAgreementWords(doc, QStringLiteral("قرارداد"));
    EXPECT_EQ(doc.label(QStringLiteral("movafeg")), QStringLiteral("موافقتنامه"));
    EXPECT_EQ(doc.label(QStringLiteral("movafeg2")), QStringLiteral("قرارداد"));
}

// ---- steps that read the database, on every engine ----

class FillDbTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(db);
        for (const char *table : {"setting", "zamaem"})
            db.exec(db.dialect().createTable(*schema::findTable(table)));
    }
    void TearDown() override { db.close(); }

    void addSignature(const QString &title, const QString &password, const QByteArray &pic)
    {
        db.exec(QStringLiteral("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, ?, ?, ?)"),
                {title, password, QStringLiteral(".jpg"), pic.isNull() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(pic)});
    }

    static QByteArray jpeg()
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        return bytes;
    }

    std::unique_ptr<TestDatabase> database;
    Db db{QStringLiteral("filltest")};
    const QString title1 = QStringLiteral("تصوير امضا نقشه بردار");
    const QString title2 = QStringLiteral("تصوير امضا مديرکل");
};

TEST_P(FillDbTest, RoleNameIsTheFirstRegisteredItem)
{
    const QString role = QStringLiteral("کارشناس نقشه برداري");
    EXPECT_EQ(roleName(db, role), QString());
    // Registered out of alphabetical order: the first registered wins.
    db.exec(QStringLiteral("INSERT INTO setting (component, cmt) VALUES (?, ?)"), {role, QStringLiteral("مهدي يزدي")});
    db.exec(QStringLiteral("INSERT INTO setting (component, cmt) VALUES (?, ?)"), {role, QStringLiteral("احمد اکبري")});
    db.exec(QStringLiteral("INSERT INTO setting (component, cmt) VALUES (?, ?)"),
            {QStringLiteral("کارشناس نقشه برداري ارشد"), QStringLiteral("ديگري")});
    EXPECT_EQ(roleName(db, role), QStringLiteral("مهدي يزدي"));
    EXPECT_EQ(roleName(db, QStringLiteral("O'Brien")), QString());
}

TEST_P(FillDbTest, PerSlotWrongPasswordShowsTheMessageOnceAndPrintsTheName)
{
    addSignature(title1, QStringLiteral("r1"), jpeg());
    addSignature(title2, QStringLiteral("r2"), jpeg());
    Document doc(letterTemplate());
    doc.setLabel(QStringLiteral("name1"), QStringLiteral("علي رضايي"));
    doc.setLabel(QStringLiteral("name2"), QStringLiteral("حسن کريمي"));
    user().inputs = {QStringLiteral("wrong"), QStringLiteral("r2")};
    EXPECT_FALSE(placeSignature(doc, db, {QStringLiteral("slot1"), title1}));
    EXPECT_EQ(user().messageTexts(), QStringList{signatureMissingMessage()});
    EXPECT_TRUE(placeSignature(doc, db, {QStringLiteral("slot2"), title2}));
    EXPECT_EQ(user().messages.size(), 1u);  // the second slot is decided on its own
    EXPECT_EQ(user().prompts, QStringList(2, QStringLiteral("رمز امضا")));
    EXPECT_TRUE(doc.image(QStringLiteral("slot1")).isNull());
    EXPECT_FALSE(doc.image(QStringLiteral("slot2")).isNull());
    // The signed slot lies over its name; the typed name of the other prints.
    EXPECT_GT(doc.zOrder(QStringLiteral("slot2")), doc.zOrder(QStringLiteral("name2")));
    const Page page = doc.layout().at(0);
    int images = 0;
    for (const Primitive &p : page.items)
        images += p.kind == Primitive::Kind::Image;
    EXPECT_EQ(images, 1);
    EXPECT_TRUE(doc.text().contains(QStringLiteral("علي رضايي")));
    // Drawn last: nothing covers the signature.
    EXPECT_EQ(page.items.back().kind, Primitive::Kind::Image);
}

TEST_P(FillDbTest, SinglePasswordIsSilentAndARightThenWrongPasswordLeavesNoSignature)
{
    addSignature(title1, QStringLiteral("1"), jpeg());
    addSignature(title2, QStringLiteral("1"), jpeg());
    const std::vector<SignatureSlot> signatureSlots = {{QStringLiteral("slot1"), title1}, {QStringLiteral("slot2"), title2}};
    Document first(letterTemplate());
    user().inputs = {std::nullopt};  // Cancel: the default "1"
    placeSignatures(first, db, signatureSlots);
    EXPECT_FALSE(first.image(QStringLiteral("slot1")).isNull());
    EXPECT_FALSE(first.image(QStringLiteral("slot2")).isNull());
    EXPECT_EQ(user().prompts, QStringList{QStringLiteral("رمز امضاء")});

    Document second(letterTemplate());
    user().inputs = {QStringLiteral("2")};
    placeSignatures(second, db, signatureSlots);
    EXPECT_TRUE(second.image(QStringLiteral("slot1")).isNull());
    EXPECT_TRUE(second.image(QStringLiteral("slot2")).isNull());
    EXPECT_TRUE(user().messages.empty());

    // Even on the same document, a wrong password empties a signed slot.
    user().inputs = {QStringLiteral("2")};
    placeSignatures(first, db, signatureSlots);
    EXPECT_TRUE(first.image(QStringLiteral("slot1")).isNull());
}

TEST_P(FillDbTest, EmptyPictureLeavesTheSlotEmptyAndABadPictureStopsTheFill)
{
    addSignature(title1, QStringLiteral("r1"), QByteArray());
    addSignature(title2, QStringLiteral("r2"), QByteArray("not a picture"));
    Document doc(letterTemplate());
    EXPECT_FALSE(signSlot(doc, db, {QStringLiteral("slot1"), title1}, QStringLiteral("r1")));
    EXPECT_TRUE(doc.image(QStringLiteral("slot1")).isNull());
    bool reached = false;
    EXPECT_FALSE(runFill([&] {
        signSlot(doc, db, {QStringLiteral("slot2"), title2}, QStringLiteral("r2"));
        reached = true;
    }));
    EXPECT_FALSE(reached);
    EXPECT_EQ(user().lastMessage(), QStringLiteral("تصوير امضاء «%1» يک تصوير معتبر نيست").arg(title2));
}

TEST_P(FillDbTest, SignaturePasswordsComparedAsTypedText)
{
    addSignature(title1, QStringLiteral("other"), QByteArray("not a picture"));
    addSignature(title1, QStringLiteral("علي۷"), jpeg());  // stored before typed text was normalised
    Document doc(letterTemplate());
    EXPECT_TRUE(signSlot(doc, db, {QStringLiteral("slot1"), title1}, QStringLiteral(" علی7")));
    EXPECT_FALSE(doc.image(QStringLiteral("slot1")).isNull());
    EXPECT_FALSE(signSlot(doc, db, {QStringLiteral("slot1"), title1}, QStringLiteral("علی8")));
    EXPECT_TRUE(doc.image(QStringLiteral("slot1")).isNull());
}

TEST_P(FillDbTest, BoundRowsFromAStatement)
{
    Document doc(listTemplate());
    db.exec(QStringLiteral("CREATE TABLE items (name VARCHAR(20), amount INTEGER)"));
    for (int i = 1; i <= 3; ++i)
        db.exec(QStringLiteral("INSERT INTO items (name, amount) VALUES (?, ?)"), {QStringLiteral("n%1").arg(i), i});
    bindRows(doc, db, QStringLiteral("SELECT name, amount FROM items WHERE amount > ? ORDER BY amount"), {1});
    const QString text = doc.text();
    EXPECT_FALSE(text.contains(QStringLiteral("n1")));
    EXPECT_TRUE(text.contains(QStringLiteral("1 n2 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("2 n3 3")));
    EXPECT_FALSE(runFill([&] { bindRows(doc, db, QStringLiteral("SELECT * FROM missing_table")); }));
    EXPECT_EQ(user().messages.size(), 1u);
}

TEST_P(FillDbTest, CancelOnEveryQuestionStillGivesADocumentWithTheDefaults)
{
    addSignature(title1, QStringLiteral("secret"), jpeg());
    user().todayValue = QDate(2023, 9, 4);
    Document doc(letterTemplate());
    const bool filled = runFill([&] {
        doc.setLabel(QStringLiteral("dat"), ask(QStringLiteral("Date"), QStringLiteral("تاريخ نامه"), today()));
        doc.fillFromRow({{"rosta", QStringLiteral("کلاته")}, {"city", QStringLiteral("نيشابور")}});
        doc.setLabel(QStringLiteral("name1"), roleName(db, QStringLiteral("کارشناس نقشه برداري")));
        doc.setLabel(QStringLiteral("name2"), roleName(db, QStringLiteral("مدير کل زلمرکان استان")));
        askFontSize(doc, {QStringLiteral("header")}, QStringLiteral("Font Size Rosta"),
                    QStringLiteral("اندازه فونت نام روستا"));
        placeSignature(doc, db, {QStringLiteral("slot1"), title1});
        askTick(doc, QStringLiteral("کنترل ضمائم"), {QStringLiteral("done1"), QStringLiteral("notdone1")});
        doc.preview();
    });
    EXPECT_TRUE(filled);
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("تاريخ: 1402/06/13")));
    EXPECT_EQ(user().prompts.size(), 4);
    EXPECT_EQ(user().messageTexts(), QStringList{signatureMissingMessage()});  // the "?" default
    EXPECT_TRUE(doc.image(QStringLiteral("slot1")).isNull());
    EXPECT_EQ(doc.fill(QStringLiteral("done1")), QColor(Qt::blue));
    EXPECT_EQ(doc.layoutTemplate().bands[1].elements[0].runs[1].size, 12);  // rosta, at the default size
    EXPECT_TRUE(fullyFilled(doc, {"movafeg", "movafeg2", "post1"}));
}

TEST_P(FillDbTest, BoundPictureComesFromTheRow)
{
    Document doc(Template::fromJson(R"({"bound": false, "bands": [{"kind": "detail", "height": 60, "elements": [
        {"type": "boundImage", "name": "map", "x": 0, "y": 0, "w": 80, "h": 50},
        {"type": "line", "x": 0, "y": 55, "w": 190, "h": 0},
        {"type": "richText", "html": "<p>نقشه <b>روستا</b></p>", "x": 100, "y": 0, "w": 90, "h": 10}]}]})",
                                    QStringLiteral("picture")));
    db.exec(QStringLiteral("CREATE TABLE pics (cmt VARCHAR(20), pic %1)")
                .arg(db.dialect().columnType({"pic", schema::ColType::Image})));
    db.exec(QStringLiteral("INSERT INTO pics (cmt, pic) VALUES (?, ?)"), {QStringLiteral("a"), jpeg()});
    bindRows(doc, db, QStringLiteral("SELECT * FROM pics WHERE cmt = ?"), {QStringLiteral("a")});
    const std::vector<Page> pages = doc.layout();
    int images = 0, lines = 0;
    for (const Primitive &p : pages[0].items) {
        images += p.kind == Primitive::Kind::Image && p.image.width() == 40;
        lines += p.kind == Primitive::Kind::Line && std::abs(p.line.length() - 190) < 0.01;
    }
    EXPECT_EQ(images, 1);
    EXPECT_EQ(lines, 1);
    EXPECT_TRUE(doc.text().contains(QStringLiteral("نقشه روستا")));
    // No row, no picture.
    doc.setRows(ResultSet{});
    const std::vector<Page> empty = doc.layout();
    EXPECT_TRUE(std::none_of(empty[0].items.begin(), empty[0].items.end(),
                             [](const Primitive &p) { return p.kind == Primitive::Kind::Image; }));
}

INSTANTIATE_TEST_SUITE_P(Engines, FillDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return engineName(info.param); });

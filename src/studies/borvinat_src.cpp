#include "borvinat_src.h"

#include "attachment_window.h"
#include "attachments.h"
#include "borvinat_arzyabi.h"
#include "borvinat_agreement_pages.h"
#include "borvinat_barnameha.h"
#include "borvinat_checklists.h"
#include "borvinat_ins.h"
#include "borvinat_pic__src.h"
#include "browsergrid.h"
#include "clipboard_frm.h"
#include "fillsteps.h"
#include "dm.h"
#include "ExcelImport.h"
#include "filesafety.h"
#include "fillsteps.h"
#include "filters.h"
#include "interaction.h"
#include "jalasat.h"
#include "jalasat_src.h"
#include "rowguard.h"
#include "lookuplists.h"
#include "m_shakhes.h"
#include "pages.h"
#include "peymankaran_list.h"
#include "peymankaran_src.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"
#include "xlsxexport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
QComboBox *editableCombo(QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    return c;
}

void notAvailable()
{
    ui().message(pages::notAvailableMessage);
}
}  // namespace

borvinat_src::borvinat_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("borvinat_src"));
    setWindowTitle(QStringLiteral("مطالعات"));
    setLayoutDirection(Qt::RightToLeft);

    ostan = editableCombo(this);
    city = editableCombo(this);
    rosta = editableCombo(this);
    tarh_typ = editableCombo(this);
    etebar_sal = new QLineEdit(this);
    moshaver_prot_no = new QLineEdit(this);
    tarh_moshaver_name = new QLineEdit(this);
    amel4 = new QLineEdit(this);
    CheckBox11 = new FilterCheck(QStringLiteral("استان"), {ostan}, this);
    CheckBox1 = new FilterList(QStringLiteral("شهرستان"), city, QStringLiteral("حذف شهرستان"), this);
    CheckBox2 = new FilterList(QStringLiteral("روستا"), rosta, QStringLiteral("حذف روستا"), this);
    CheckBox5 = new FilterCheck(QStringLiteral("سال اعتبار"), {etebar_sal}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("شماره قرارداد"), {moshaver_prot_no}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("نام مشاور تهيه طرح"), {tarh_moshaver_name}, this);
    CheckBox6 = new FilterCheck(QStringLiteral("نوع طرح"), {tarh_typ}, this);
    CheckBox7 = new FilterCheck(QStringLiteral("عامل چهارم"), {amel4}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    prot_mablagh = new QLabel(QStringLiteral("0"), this);
    selectionCheck = new SelectionCheck(this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(studies::gridHeadings());
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("arzyabi_emtiyaz")});
    DBGrid1->setTitleColours({{QStringLiteral("status"), QColor(Qt::yellow)}, {QStringLiteral("pic_count"), QColor(Qt::yellow)}});
    DBGrid1->setMoneyColumns({QStringLiteral("prot_mablagh"), QStringLiteral("prot_mablagh_binofoz")});
    DBGrid1->setRowColour([](const ResultSet &rows, const QVariantList &row) {
        switch (studies::rowShade(row[rows.columnIndex(QStringLiteral("pic_count"))].toInt())) {
        case studies::RowShade::Yellow: return QColor(Qt::yellow);
        case studies::RowShade::Aqua: return QColor(Qt::cyan);
        case studies::RowShade::Normal: break;
        }
        return QColor();
    });
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N42 = new QAction(QStringLiteral("انتساب يک پيمانکار به تمام موارد اين ليست"), DBGrid1);
    N47 = new QAction(QStringLiteral("انتساب يک ضميمه به تمام موارد اين ليست"), DBGrid1);
    N51 = new QAction(QStringLiteral("ثبت مجدد در يک سال جديد"), DBGrid1);
    DBGrid1->addActions({N42, N47, N51});

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    QMenu *evaluation = bar->addMenu(QStringLiteral("ارزيابي"));
    N23 = evaluation->menuAction();
    GIS2 = evaluation->addAction(QStringLiteral("GIS"));
    N24 = evaluation->addAction(QStringLiteral("طرح هادي"));
    N50 = evaluation->addAction(QStringLiteral("طرح تفصيلي"));
    N25 = evaluation->addAction(QStringLiteral("نقشه پايه"));
    N26 = evaluation->addAction(QStringLiteral("مشاور و عامل چهارم"));
    N39 = evaluation->addAction(QStringLiteral("برنامه/پروژه هاي دستگاه هاي مجري"));
    N48 = evaluation->addAction(QStringLiteral("شاخص ها"));
    N45 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *forms = bar->addMenu(QStringLiteral("فرم ها"));
    N5 = forms->menuAction();
    QMenu *checklists = forms->addMenu(QStringLiteral("چک ليست"));
    N8 = checklists->addAction(QStringLiteral("چک ليست نقشه پايه"));
    GIS1 = checklists->addAction(QStringLiteral("چک ليست ارزيابي بانک GIS"));
    N7 = checklists->addAction(QStringLiteral("چک ليست ارزيابي گزارش طرح هادي"));
    N210 = checklists->addAction(QStringLiteral("چک ليست ارزيابي گزارش طرح هادي2"));
    N49 = checklists->addAction(QStringLiteral("چک ليست طرح هاي تفصيلي"));
    N44 = checklists->addAction(QStringLiteral("فرم تحويل سي دي به تهران-قديم"));
    N57 = checklists->addAction(QStringLiteral("فرم تحويل سي دي به تهران-جديد"));
    QMenu *minutes = forms->addMenu(QStringLiteral("صورتجلسات"));
    N10 = minutes->addAction(QStringLiteral("صورتجلسه کميته فني"));
    N61 = minutes->addAction(QStringLiteral("صورتجلسه فني شهرستان"));
    N9 = minutes->addAction(QStringLiteral("صورتجلسه کميته تصويب"));
    N13 = minutes->addAction(QStringLiteral("ارزيابي مشاور"));
    QMenu *contract = forms->addMenu(QStringLiteral("قرارداد"));
    N29 = contract->addAction(QStringLiteral("ابلاغ قرارداد مشاورين حقيقي/حقوقي (A5)"));
    N27 = contract->addAction(QStringLiteral("معرفي نامه مشاور به ادارات"));
    N21 = contract->addAction(QStringLiteral("نامه تمديد قرارداد"));
    N30 = contract->addAction(QStringLiteral("ارسال نقشه به مشاور"));
    N31 = contract->addAction(QStringLiteral("فرم استعلام 3 بخشي"));
    N35 = contract->addAction(QStringLiteral("افزايش قرارداد"));
    QMenu *agreement = contract->addMenu(QStringLiteral("موافقتنامه"));
    // The agreement pages in menu order, with their shortcuts.
    const std::pair<const char *, const char *> agreementPages[] = {
        {"صفحه 1 - جلد", "F1"},
        {"صفحه 2 - طرفين و موضوع", "F2"},
        {"صفحه 3 - حق الزحمه،نشاني و امضا", "F3"},
        {"صفحه 3_1 - حق الزحمه با اسامي", ""},
        {"صفحه 4 - پيوست شماره يک", "F4"},
        {"صفحه12 - حق الزحمه", "F5"},
        {"صفحه14 - ضرائب", ""},
        {"صفحه16-صورتجلسه کميته انتخاب مشاور دفتر مرکزي", "F6"},
        {"صفحه32 - اسامي عوامل کليدي", "F7"},
        {"صفحه33 - مداخله منع کارکنان", "F8"},
        {"صفحه34 - اظهارنامه ظرفيت آماده بکار1", "F9"},
        {"صفحه35 - اظهارنامه ظرفيت آماده بکار2", "F10"},
        {"صفحه36 - پولشويي", "F11"},
        {"صفحه37 - خلاصه اطلاعات", "F12"},
        {"صفحه 38 - شماره حساب", ""},
        {"صفحه39 - تعهدنامه", ""},
        {"مابقي صفحات-هادي", ""},
        {"مابقي صفحات-بازنگري", ""},
        {"مابقي صفحات-تعيين محدوده", ""},
        {"مابقي صفحات تفاهمنامه", ""},
        {"چاپ همه صفحات", "Ctrl+P"},
    };
    for (const auto &[caption, keys] : agreementPages) {
        QAction *item = agreement->addAction(QString::fromUtf8(caption));
        item->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        agreementItems << item;
    }
    QMenu *letters = forms->addMenu(QStringLiteral("مکاتبات"));
    N4 = letters->addAction(QStringLiteral("معرفي به کتابخانه (A5)"));
    N12 = letters->addAction(QStringLiteral("ابلاغ فرمانداري"));
    N11 = letters->addAction(QStringLiteral("ابلاغ استانداري"));
    N62 = letters->addAction(QStringLiteral("ابلاغ فرمانداري جديد"));
    QMenu *money = forms->addMenu(QStringLiteral("گردش مالي"));
    N14 = money->addAction(QStringLiteral("صورت وضعيت"));
    N63 = money->addAction(QStringLiteral("صورت وضعيت قطعي حقيقي"));
    N18 = money->addAction(QStringLiteral("استرداد سپرده حسن انجام کار"));
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N15 = reports->menuAction();
    N16 = reports->addAction(QStringLiteral("وب"));
    N17 = reports->addAction(QStringLiteral("اکسل"));
    N46 = reports->addAction(QStringLiteral("اعتبارات"));
    N64 = reports->addAction(QStringLiteral("جستجو و ذخيره ضمائم"));
    N53 = reports->addAction(QStringLiteral("چک ليست ضمائم-اکسل"));
    ImportFromExcel1 = reports->addAction(QStringLiteral("Import From Excel"));
    N52 = bar->addAction(QStringLiteral("مستندات"));
    N40 = bar->addAction(QStringLiteral("مشاوران"));
    QMenu *meetings = bar->addMenu(QStringLiteral("جلسات"));
    N54 = meetings->menuAction();
    N55 = meetings->addAction(QStringLiteral("ثبت جلسه"));
    N56 = meetings->addAction(QStringLiteral("جستجوي جلسات"));
    N6 = bar->addAction(QStringLiteral("خروج"));

    auto *filtersBox = new QGridLayout;
    int col = 0;
    auto place = [&](QWidget *check, QWidget *input) {
        filtersBox->addWidget(check, 0, col);
        filtersBox->addWidget(input, 1, col++);
    };
    place(CheckBox11, ostan);
    for (FilterList *l : {CheckBox1, CheckBox2}) {
        auto *addRow = new QHBoxLayout;
        addRow->addWidget(l->add);
        addRow->addWidget(l->show);
        filtersBox->addWidget(l->check, 0, col);
        filtersBox->addWidget(l->input, 1, col);
        filtersBox->addLayout(addRow, 2, col);
        filtersBox->addWidget(l->list, 3, col++);
    }
    place(CheckBox5, etebar_sal);
    place(CheckBox3, moshaver_prot_no);
    place(CheckBox4, tarh_moshaver_name);
    place(CheckBox6, tarh_typ);
    place(CheckBox7, amel4);
    filtersBox->addWidget(BitBtn1, 1, col);

    auto *totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    totals->addWidget(cnt);
    totals->addWidget(new QLabel(QStringLiteral("مبلغ قرارداد(ميليون ريال)"), this));
    totals->addWidget(prot_mablagh);
    totals->addWidget(selectionCheck);
    totals->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filtersBox);
    layout->addLayout(totals);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &borvinat_src::search);
    for (QLineEdit *e : {etebar_sal, moshaver_prot_no, tarh_moshaver_name, tarh_typ->lineEdit()})
        connect(e, &QLineEdit::returnPressed, this, &borvinat_src::search);
    connect(ostan, &QComboBox::currentTextChanged, this, [this] {
        try {
            refillChoices(city, villageChoices(dm().main(), VillageLevel::County, {.ostan = typedText(ostan)}));
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
    });
    connect(city, &QComboBox::currentTextChanged, this, [this] {
        try {
            refillChoices(rosta, villageChoices(dm().main(), VillageLevel::Village,
                                                {.ostan = typedText(ostan), .city = typedText(city)}));
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
    });
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this,
            [this] { CheckBox2->append(DBGrid1->currentValue(QStringLiteral("rosta")).toString()); });

    connect(N1, &QAction::triggered, this, &borvinat_src::registerStudy);
    connect(N2, &QAction::triggered, this, &borvinat_src::editStudy);
    connect(N3, &QAction::triggered, this, &borvinat_src::deleteStudy);
    connect(N45, &QAction::triggered, this, &borvinat_src::attachments);
    connect(N16, &QAction::triggered, this,
            [this] { exportHtml(QDir::temp().filePath(QStringLiteral("Tarvesholan.htm"))); });
    connect(N17, &QAction::triggered, this, [this] {
        DBGrid1->completeRows();
        DBGrid1->exportList(studies::exportHeadings());
    });
    connect(N53, &QAction::triggered, this, &borvinat_src::exportChecklist);
    connect(ImportFromExcel1, &QAction::triggered, this, [this] { report::importFromExcel(width()); });
    connect(N52, &QAction::triggered, this, [] { openAttachments(attachment::borvinat_mostanadat(), {}); });
    connect(N40, &QAction::triggered, this, [] { windows::get<peymankaran_src>().openChecked(); });
    connect(N6, &QAction::triggered, this, &QDialog::reject);
    connect(N42, &QAction::triggered, this, &borvinat_src::assignContractorToAll);
    connect(N47, &QAction::triggered, this, &borvinat_src::attachToAll);
    connect(N51, &QAction::triggered, this, &borvinat_src::copyToNewYear);
    connect(N39, &QAction::triggered, this, &borvinat_src::programmes);
    connect(N48, &QAction::triggered, this, &borvinat_src::indicators);
    connect(N64, &QAction::triggered, this, [] { windows::get<borvinat_pic__src>().open(); });
    for (const auto &[item, fill] : std::vector<std::pair<QAction *, StudyChecklist>>{
             {GIS1, studies::gisChecklist},
             {N7, studies::guidePlanChecklist},
             {N210, [](const Db &, const Row &) { return studies::guidePlanChecklist2(); }},
             {N49, studies::detailedPlanChecklist},
             {N8, studies::baseMapChecklist},
             {N13, studies::consultantEvaluation}})
        connect(item, &QAction::triggered, this, [this, fill] { printChecklist(fill); });
    connect(N55, &QAction::triggered, this, &borvinat_src::meetings);
    connect(N56, &QAction::triggered, this, [] {
        jalasat_src &w = windows::get<jalasat_src>();
        w.prepare();
        ui().execDialog(w);
    });
    connect(GIS2, &QAction::triggered, this, [this] { evaluate<borvinat_arzyabi_gis>(); });
    connect(N24, &QAction::triggered, this, [this] { evaluate<borvinat_arzyabi_tarh>(); });
    connect(N50, &QAction::triggered, this, [this] { evaluate<borvinat_arzyabi_tafsili>(); });
    connect(N25, &QAction::triggered, this, [this] { evaluate<borvinat_arzyabi_naghshe>(); });
    connect(N26, &QAction::triggered, this, [this] { evaluate<borvinat_arzyabi_moshaver>(); });
    using namespace studies;
    const std::vector<std::pair<QAction *, LetterFill>> letterFills = {
        {N14, [](const Db &db, const StudyLetterSource &s) { return paymentStatement(db, s, false); }},
        {N63, [](const Db &db, const StudyLetterSource &s) { return paymentStatement(db, s, true); }},
        {N18, depositRelease},
        {N21, extensionLetter},
        {N29, contractNotification},
        {N27, agencyIntroduction},
        {N30, baseMapLetter},
        {N31, threePartInquiry},
        {N10, [](const Db &db, const StudyLetterSource &s) { return technicalMinutes(db, s, false); }},
        {N61, [](const Db &db, const StudyLetterSource &s) { return technicalMinutes(db, s, true); }},
        {N9, approvalMinutes},
        {N11, [](const Db &db, const StudyLetterSource &s) { return approvedPlanNotice(db, s, QStringLiteral("m_frm_ostandari2")); }},
        {N12, [](const Db &db, const StudyLetterSource &s) { return approvedPlanNotice(db, s, QStringLiteral("m_frm_ostandari3")); }},
        {N62, [](const Db &db, const StudyLetterSource &s) { return approvedPlanNotice(db, s, QStringLiteral("m_frm_farmandari")); }},
        {N44, [](const Db &db, const StudyLetterSource &s) { return cdHandover(db, s, false); }},
        {N57, [](const Db &db, const StudyLetterSource &s) { return cdHandover(db, s, true); }},
    };
    for (const auto &[item, fill] : letterFills)
        connect(item, &QAction::triggered, this, [this, fill] { printLetter(fill); });
    connect(N4, &QAction::triggered, this, [this] { printLetter(libraryIntroduction, true); });
    connect(N46, &QAction::triggered, this, [this] {
        if (creditsReport)
            creditsReport(last_);
        else
            notAvailable();
    });
    // By position in the agreement menu.
    const std::vector<std::pair<int, LetterFill>> agreementFills = {
        {0, [](const Db &db, const StudyLetterSource &s) { return agreementCover(db, s, askAgreementKind()); }},
        {1, [](const Db &db, const StudyLetterSource &s) { return agreementParties(db, s, askAgreementKind()); }},
        {2, [](const Db &db, const StudyLetterSource &s) { return agreementFeePage(db, s, askAgreementKind(), false); }},
        {3, [](const Db &db, const StudyLetterSource &s) { return agreementFeePage(db, s, askAgreementKind(), true); }},
        {4, [](const Db &db, const StudyLetterSource &s) { return agreementAnnex(db, s, askAgreementKind()); }},
        {5, [](const Db &db, const StudyLetterSource &s) { return agreementFeeSchedule(db, s, askAgreementKind()); }},
        {6, [](const Db &db, const StudyLetterSource &s) { return agreementCoefficients(db, s, askAgreementKind()); }},
        {7, agreementSelectionMinutes},
        {8, [](const Db &db, const StudyLetterSource &s) { return agreementKeyPeople(db, s, askAgreementKind()); }},
        {9, agreementConflictOfInterest},
        {10, [](const Db &db, const StudyLetterSource &s) { return agreementCapacity(db, s, askAgreementKind(), true); }},
        {11, [](const Db &db, const StudyLetterSource &s) { return agreementCapacity(db, s, askAgreementKind(), false); }},
        {12, agreementMoneyLaundering},
        {13, agreementSummary},
        {14, agreementBankAccount},
        {15, agreementUndertaking},
    };
    for (const auto &[index, fill] : agreementFills)
        connect(agreementItems[index], &QAction::triggered, this, [this, fill] { printLetter(fill); });
    for (int i = 0; i < agreementDocuments.size(); ++i) {
        QAction *item = agreementItems[16 + i];
        connect(item, &QAction::triggered, this, [description = agreementDocuments[i]] {
            try {
                if (openProgramDocument(dm().main(), description) == ProgramDocumentOutcome::Missing)
                    ui().message(noAgreementDocumentMessage);
            } catch (const DbError &e) {
                ui().message(e.text(), MessageKind::Error);
            }
        });
    }
    connect(agreementItems[20], &QAction::triggered, this, &borvinat_src::printAgreement);
    for (QAction *later : laterItems)
        connect(later, &QAction::triggered, this, &notAvailable);
    connect(&windows::get<borvinat_ins>(), &borvinat_ins::saved, this,
            [this](qint64 id) { searchKeeping(QVariant(id)); });
}

void borvinat_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    for (QAction *a : {N23, N45, N5})
        a->setEnabled(rights.view);
}

void borvinat_src::prepare()
{
    // As large as the main window the menu was used from.
    if (QWidget *main = QApplication::activeWindow(); main && main != this)
        resize(main->width() - 30, main->height() - 50);
    cnt->setText(QStringLiteral("0"));
    selectionCheck->drop();
    for (QComboBox *c : {ostan, city, rosta})
        c->setCurrentText(QString());
    for (QLineEdit *e : {moshaver_prot_no, tarh_moshaver_name, etebar_sal, amel4})
        e->clear();
    fillChoices();
    search();
}

void borvinat_src::fillChoices()
{
    try {
        const Db &db = dm().main();
        refillChoices(ostan, villageChoices(db, VillageLevel::Province));
        refillChoices(tarh_typ, lookupItemsSorted(db, QStringLiteral("انواع طرح")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

studies::BorvinatFilters borvinat_src::filters() const
{
    studies::BorvinatFilters f;
    f.ostan = CheckBox11->entry();
    f.city = CheckBox1->entries();
    f.rosta = CheckBox2->entries();
    f.etebar_sal = CheckBox5->entry();
    f.moshaver_prot_no = CheckBox3->entry();
    f.tarh_moshaver_name = CheckBox4->entry();
    f.tarh_typ = CheckBox6->entry();
    f.amel4 = CheckBox7->entry();
    if (selectionCheck->isChecked())
        f.selection = selection_;
    return f;
}

void borvinat_src::showSelection(const studies::StudySelection &selection)
{
    selection_ = selection;
    selectionCheck->showSelection(selection.caption);
    fillChoices();
    search();
}

void borvinat_src::search()
{
    try {
        const Db &db = dm().main();
        studies::BorvinatSearchState state;
        state.filters = filters();
        const Conditions c = studies::borvinatConditions(db.dialect(), state.filters, session());
        state.totals = studies::borvinatTotals(db, c);
        ResultSet rows = studies::borvinatListPage(db, c, firstScreenRows);
        DBGrid1->setFirstScreen(std::move(rows), state.totals.count, [c] { return studies::borvinatList(dm().main(), c); });
        last_ = state;
        cnt->setText(QString::number(state.totals.count));
        prot_mablagh->setText(state.totals.contractSum.grouped());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_src::searchKeeping(const QVariant &id)
{
    search();
    DBGrid1->completeRows();
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    for (int r = 0; r < shown.size(); ++r)
        if (shown.rows[r][idColumn].toLongLong() == id.toLongLong()) {
            DBGrid1->setCurrentIndex(DBGrid1->model()->index(r, 1));
            return;
        }
}

QList<qint64> borvinat_src::listedIds()
{
    DBGrid1->completeRows();
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    QList<qint64> ids;
    for (const QVariantList &r : shown.rows)
        ids << r[idColumn].toLongLong();
    return ids;
}

void borvinat_src::registerStudy()
{
    borvinat_ins &entry = windows::get<borvinat_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void borvinat_src::editStudy()
{
    if (!DBGrid1->currentId().isValid())
        return;
    borvinat_ins &entry = windows::get<borvinat_ins>();
    entry.startEdit(DBGrid1->currentRow());
    ui().execDialog(entry);
}

void borvinat_src::copyToNewYear()
{
    if (!DBGrid1->currentId().isValid())
        return;
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("borvinat"));
        if (!rights || !rights->insert) {
            ui().message(QStringLiteral("شما دسترسي ثبت نداريد"));
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    borvinat_ins &entry = windows::get<borvinat_ins>();
    entry.startCopy(DBGrid1->currentRow());
    ui().execDialog(entry);
}

void borvinat_src::deleteStudy()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)
            && ui().question(studies::sideRowsWarning(studies::sideRows(db, id.toLongLong())))) {
            reportDelete(studies::deleteStudy(db, id.toLongLong(), session().karbar));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void borvinat_src::assignContractorToAll()
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("borvinat"));
        if (!rights || !rights->edit) {
            ui().message(noAccessMessage);
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    const std::optional<PickedStudyContractor> picked = windows::get<peymankaran_list>().pick();
    if (!picked)
        return;
    if (!ui().question(QStringLiteral("از انتخاب اين پيمانکار اطمينان داريد؟")
                       + picked->row.value(QStringLiteral("lname")).toString() + QStringLiteral(" * ")
                       + picked->row.value(QStringLiteral("comp_name")).toString()))
        return;
    int changed = 0;
    try {
        changed = studies::assignContractor(dm().main(), listedIds(), picked->id);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    // Studies another clerk deleted meanwhile are not counted.
    ui().message(doneChangedMessage(changed));
    searchKeeping(DBGrid1->currentId());
}

void borvinat_src::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    openAttachments(attachment::borvinat_pic(), context);
    searchKeeping(id);
}

void borvinat_src::attachToAll()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    context.mode = AddMode::All;
    context.pageKey = QStringLiteral("borvinat");
    context.listedOwners = listedIds();
    openAttachments(attachment::borvinat_pic(), context);
    searchKeeping(id);
}

template <class Window>
void borvinat_src::evaluate()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    Window &w = windows::get<Window>();
    if (!w.open(id.toLongLong(), height() - 50))
        return;
    // The GIS window wrote its percentage into the study on closing.
    if (w.kind() == studies::EvaluationKind::Gis)
        searchKeeping(id);
}

void borvinat_src::printChecklist(const StudyChecklist &fill)
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    report::runFill([&] {
        const Db &db = dm().main();
        report::Document doc = fill(db, studies::studyRow(db, id.toLongLong()));
        doc.preview();
    });
}

void borvinat_src::meetings()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    jalasat &w = windows::get<jalasat>();
    w.prepare(id.toLongLong());
    ui().execDialog(w);
}

void borvinat_src::programmes()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    borvinat_barnameha &w = windows::get<borvinat_barnameha>();
    w.prepare(id.toLongLong());
    ui().execDialog(w);
}

void borvinat_src::indicators()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    m_shakhes &w = windows::get<m_shakhes>();
    w.prepare(id.toLongLong());
    ui().execDialog(w);
}

bool borvinat_src::exportHtml(const QString &path)
{
    DBGrid1->completeRows();
    QString error;
    if (!writeFileAtomically(path, htmlList(DBGrid1->shownRows(), studies::htmlTitle, studies::exportHeadings()).toUtf8(),
                             &error)) {
        ui().message(error, MessageKind::Error);
        return false;
    }
    ui().openWithDesktop(path);
    return true;
}

void borvinat_src::printLetter(const LetterFill &fill, bool toClipboard)
{
    if (!DBGrid1->currentId().isValid())
        return;
    // The study as it was when the item was chosen.
    const studies::StudyLetterSource source{DBGrid1->currentRow(), last_};
    report::runFill([&] {
        report::Document doc = fill(dm().main(), source);
        if (toClipboard)
            report::copyLetterText(doc);
        doc.preview();
    });
}

void borvinat_src::printAgreement()
{
    if (!DBGrid1->currentId().isValid())
        return;
    const studies::StudyLetterSource source{DBGrid1->currentRow(), last_};
    report::Bundle bundle;
    // Every page is filled before one of them is printed.
    if (report::runFill([&] { bundle = studies::agreementBundle(dm().main(), source, studies::askAgreementKind()); }))
        bundle.print();
}

void borvinat_src::exportChecklist()
{
    DBGrid1->completeRows();
    try {
        const ResultSet sheet = attachmentChecklist(dm().main(), DBGrid1->shownRows(), studies::checklistSource());
        exportList(sheet, studies::exportHeadings());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv

#include "naghshe_src.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "clipboard_frm.h"
#include "dateedit.h"
#include "dates.h"
#include "dm.h"
#include "filesafety.h"
#include "filters.h"
#include "fillsteps.h"
#include "interaction.h"
#include "rowguard.h"
#include "lookuplists.h"
#include "dorbin_src.h"
#include "naghshe_arzyabi.h"
#include "naghshe_evaluation.h"
#include "naghshe_ins.h"
#include "naghshe_pic__src.h"
#include "pages.h"
#include "peymankar_list.h"
#include "peymankar_src.h"
#include "text.h"
#include "widgets.h"
#include "windows.h"
#include "xlsxexport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"cod", QStringLiteral("کد آبادي")}, {"x", QStringLiteral("X")}, {"y", QStringLiteral("Y")},
    {"city", QStringLiteral("شهرستان")}, {"bakhsh", QStringLiteral("بخش")}, {"dehestan", QStringLiteral("دهستان")},
    {"rosta", QStringLiteral("روستا")}, {"khanevar", QStringLiteral("خانوار")}, {"jamiyat", QStringLiteral("جمعيت")},
    {"scale", QStringLiteral("مقياس")}, {"tamin_sal", QStringLiteral("سال تامين")},
    {"tamin_loc", QStringLiteral("محل تامين اعتبار")}, {"tarh_typ", QStringLiteral("نوع طرح")},
    {"jalase_dat", QStringLiteral("تاريخ انتخاب مشاور")}, {"prot_no", QStringLiteral("شماره قرارداد")},
    {"prot_dat1", QStringLiteral("تاريخ قرارداد")}, {"prot_tim", QStringLiteral("مدت قرارداد")},
    {"prot_dat2", QStringLiteral("تاريخ خاتمه قرارداد")}, {"prot_mablagh", QStringLiteral("مبلغ قرارداد")},
    {"pardakhti", QStringLiteral("مبلغ وضعيت")}, {"peymankar", QStringLiteral("پيمانکار/مشاور")},
    {"masahat_por", QStringLiteral("مساحت پر")}, {"masahat_khali", QStringLiteral("مساحت خالي")},
    {"por_price", QStringLiteral("مبلغ پر")}, {"khali_price", QStringLiteral("مبلغ خالي")},
    {"zarib_mantaghe", QStringLiteral("ضريب منطقه")}, {"zarib_sobat", QStringLiteral("ضريب صعوبت")},
    {"zarib_kochaki", QStringLiteral("ضريب کوچکي")}, {"tajhiz_mablagh", QStringLiteral("مبلغ تجهيز")},
    {"jarime", QStringLiteral("جريمه تاخير")}, {"paper_no", QStringLiteral("شماره نامه ابلاغ")},
    {"paper_dat", QStringLiteral("تاريخ نامه ابلاغ")}, {"tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه")},
    {"checklist_dat", QStringLiteral("تاريخ  چک ليست")}, {"tahvil_dat2", QStringLiteral("تاريخ تحويل قطعي")},
    {"status_typ", QStringLiteral("نوع وضعيت")}, {"status_dat", QStringLiteral("تاريخ وضعيت")},
    {"hosn_dat", QStringLiteral("تاريخ حسن انجام کار")}, {"pic_count", QStringLiteral("تعداد ضمائم")},
    {"peymankar_id", QStringLiteral("شناسه پيمانکار")}, {"masahat_por1", QStringLiteral("مساحت پر اوليه")},
    {"masahat_khali1", QStringLiteral("مساحت خالي اوليه")}, {"zarib_sobat1", QStringLiteral("ضريب صعوبت اوليه")},
    {"zarib_kochaki1", QStringLiteral("ضريب کوچکي اوليه")}, {"cmt", QStringLiteral("ساير توضيحات")},
    {"tamdid_dat", QStringLiteral("تاريخ نامه تمديد")}, {"darsad_inc", QStringLiteral("درصد افزايش")},
    {"hosn_paper_dat", QStringLiteral("تاريخ نامه حسن")}, {"gps_mablagh", QStringLiteral("مبلغ GPS")},
    {"status", QStringLiteral("وضعيت پرداخت")}, {"prot_typ", QStringLiteral("نوع قرارداد")},
    {"ostan", QStringLiteral("استان")},
};

const QString programDocumentTitle = QStringLiteral("مدارک اوراق نقشه برداري");

QComboBox *editableCombo(QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    return c;
}

QStringList column(const ResultSet &rows)
{
    QStringList out;
    for (const QVariantList &r : rows.rows)
        out << r[0].toString();
    return out;
}

void notAvailable()
{
    ui().message(pages::notAvailableMessage);
}
}  // namespace

naghshe_src::naghshe_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("naghshe_src"));
    setWindowTitle(QStringLiteral("وضعيت نقشه برداري ها روستاها"));
    setLayoutDirection(Qt::RightToLeft);

    ostan = editableCombo(this);
    city = editableCombo(this);
    rosta = editableCombo(this);
    peymankar = editableCombo(this);
    tamin_loc = editableCombo(this);
    status = editableCombo(this);
    prot_typ = editableCombo(this);
    prot_typ->addItems({QStringLiteral("قرارداد"), QStringLiteral("تفاهمنامه")});
    prot_dat = new QComboBox(this);
    prot_dat->addItems({QStringLiteral(">"), QStringLiteral("="), QStringLiteral("<")});
    prot_dat->setCurrentIndex(-1);
    tamin_sal = new QLineEdit(this);
    prot_no = new QLineEdit(this);
    roz = new QLineEdit(QStringLiteral("15"), this);
    prot_dat2 = new JalaliDateEdit(this);
    prot_dat1_1 = new JalaliDateEdit(this);
    prot_dat1_2 = new JalaliDateEdit(this);

    CheckBox11 = new FilterCheck(QStringLiteral("استان"), {ostan}, this);
    cityList = new FilterList(QStringLiteral("شهرستان"), city, QStringLiteral("حذف شهرستان"), this);
    rostaList = new FilterList(QStringLiteral("روستا"), rosta, QStringLiteral("حذف روستا"), this);
    CheckBox5 = new FilterCheck(QStringLiteral("سال تامين اعتبار"), {tamin_sal}, this);
    peymankarList = new FilterList(QStringLiteral("پيمانکار"), peymankar, QStringLiteral("حذف"), this);
    protNoList = new FilterList(QStringLiteral("شماره قرارداد"), prot_no, QStringLiteral("حذف"), this);
    locList = new FilterList(QStringLiteral("محل تامين اعتبار"), tamin_loc, QStringLiteral("حذف"), this);
    CheckBox6 = new FilterCheck(QStringLiteral("تاريخ خاتمه قرارداد"), {roz, prot_dat2, prot_dat}, this);
    CheckBox8 = new FilterCheck(QStringLiteral("تاريخ قرارداد"), {prot_dat1_1, prot_dat1_2}, this);
    CheckBox9 = new FilterCheck(QStringLiteral("وضعيت پرداخت"), {status}, this);
    CheckBox10 = new FilterCheck(QStringLiteral("نوع قرارداد"), {prot_typ}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    selectionCheck = new SelectionCheck(this);
    prot_dat2->setCaption(CheckBox6->text());
    prot_dat1_1->setCaption(CheckBox8->text());
    prot_dat1_2->setCaption(CheckBox8->text());

    cnt = new QLabel(QStringLiteral("0"), this);
    cnt_green1 = new QLabel(QStringLiteral("0"), this);
    prot_mablagh = new QLabel(QStringLiteral("0"), this);
    pardakhti = new QLabel(QStringLiteral("0"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setMoneyColumns({QStringLiteral("prot_mablagh"), QStringLiteral("pardakhti"), QStringLiteral("por_price"),
                              QStringLiteral("khali_price"), QStringLiteral("tajhiz_mablagh"),
                              QStringLiteral("jarime"), QStringLiteral("gps_mablagh")});
    DBGrid1->setRowColour([](const ResultSet &rows, const QVariantList &row) {
        switch (survey::rowShade(row[rows.columnIndex(QStringLiteral("tamin_sal"))].toString(),
                                 row[rows.columnIndex(QStringLiteral("pic_count"))].toInt())) {
        case survey::RowShade::Green: return QColor(Qt::green);
        case survey::RowShade::Yellow: return QColor(Qt::yellow);
        case survey::RowShade::Normal: break;
        }
        return QColor();
    });
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N33 = new QAction(QStringLiteral("انتساب يک پيمانکار به تمام موارد اين ليست"), DBGrid1);
    N37 = new QAction(QStringLiteral("انتساب يک ضميمه به تمام موارد اين ليست"), DBGrid1);
    N34 = new QAction(QStringLiteral("انتقال به بخش مطالعات"), DBGrid1);
    N62 = new QAction(QStringLiteral("افزودن شهرستان و روستا کل ليست به جستجو"), DBGrid1);
    DBGrid1->addActions({N33, N37, N34, N62});

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N7 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *forms = bar->addMenu(QStringLiteral("فرم ها"));
    QMenu *contract = forms->addMenu(QStringLiteral("قرارداد"));
    QMenu *office = forms->addMenu(QStringLiteral("پيگيري هاي اداري"));
    QMenu *money = forms->addMenu(QStringLiteral("گردش مالي"));
    buildAgreementMenu(contract);
    N21 = contract->addAction(QStringLiteral("تمديد قرارداد"));
    N57 = contract->addAction(QStringLiteral("خاتمه قرارداد"));
    QMenu *increase = contract->addMenu(QStringLiteral("افزايش قرارداد"));
    N58 = increase->addAction(QStringLiteral("امور پيمان ها"));
    N60 = increase->addAction(QStringLiteral("ابلاغ اضافه کاري"));
    N59 = increase->addAction(QStringLiteral("شرح عمليات"));
    N10 = office->addAction(QStringLiteral("تحويل اوليه"));
    N12 = office->addAction(QStringLiteral("تحويل قطعي"));
    N18 = office->addAction(QStringLiteral("برچسب لوح فشرده"));
    connect(N18, &QAction::triggered, this, [this] { printLetter(survey::discLabel); });
    QMenu *checklists = office->addMenu(QStringLiteral("چک ليست"));
    N8 = checklists->addAction(QStringLiteral("تخصيص امتياز ارزيابي"));
    N11 = checklists->addAction(QStringLiteral("ارزيابي اوليه"));
    N11->setShortcut(Qt::Key_F3);
    N4 = checklists->addAction(QStringLiteral("چک ليست نهايي (با تصوير امضا)"));
    N55 = contract->addAction(QStringLiteral("چک ليست تامين اعتبار حقيقي"));
    N56 = contract->addAction(QStringLiteral("چک ليست تامين اعتبار حقوقي"));
    N23 = money->addAction(QStringLiteral("صورت وضعيت موقت"));
    N13 = money->addAction(QStringLiteral("صورت وضعيت قطعي"));
    N42 = money->addAction(QStringLiteral("صورت وضعيت جذبي"));
    N43 = money->addAction(QStringLiteral("صورت وضعيت آزاد"));
    N14 = money->addAction(QStringLiteral("حسن انجام کار"));
    N24 = money->addAction(QStringLiteral("تسويه حساب"));
    N44 = money->addAction(QStringLiteral("تسويه حساب با دهياري"));
    N25 = money->addAction(QStringLiteral("روکش صورت وضعيت"));
    N54 = money->addAction(QStringLiteral("مدارک اوراق"));
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N15 = reports->menuAction();
    N16 = reports->addAction(QStringLiteral("وب"));
    N17 = reports->addAction(QStringLiteral("اکسل جامع"));
    N53 = reports->addAction(QStringLiteral("اکسل سامانه"));
    N26 = reports->addAction(QStringLiteral("جستجو و ذخيره ضمائم"));
    N46 = reports->addAction(QStringLiteral("چک ليست ضمائم"));
    N41 = reports->addAction(QStringLiteral("اعتبارات"));
    N45 = bar->addAction(QStringLiteral("مستندات"));
    N38 = bar->addAction(QStringLiteral("پيمانکاران"));
    N47 = bar->addAction(QStringLiteral("دوربين"));
    N39 = bar->addAction(QStringLiteral("+"));
    N40 = bar->addAction(QStringLiteral("_"));
    N6 = bar->addAction(QStringLiteral("خروج"));

    auto *filtersBox = new QGridLayout;
    int col = 0;
    auto place = [&](QWidget *check, QList<QWidget *> inputs) {
        filtersBox->addWidget(check, 0, col);
        int row = 1;
        for (QWidget *w : inputs)
            filtersBox->addWidget(w, row++, col);
        ++col;
    };
    place(CheckBox11, {ostan});
    for (FilterList *l : {cityList, rostaList, peymankarList, protNoList, locList}) {
        auto *addRow = new QHBoxLayout;
        addRow->addWidget(l->add);
        addRow->addWidget(l->show);
        filtersBox->addWidget(l->check, 0, col);
        filtersBox->addWidget(l->input, 1, col);
        filtersBox->addLayout(addRow, 2, col);
        filtersBox->addWidget(l->list, 3, col);
        ++col;
    }
    place(CheckBox5, {tamin_sal});
    place(CheckBox6, {prot_dat2, roz, prot_dat});
    place(CheckBox8, {prot_dat1_1, prot_dat1_2});
    place(CheckBox9, {status});
    place(CheckBox10, {prot_typ});
    filtersBox->addWidget(BitBtn1, 1, col);

    auto *totals = new QHBoxLayout;
    for (auto [caption, label] : {std::pair{"تعداد کل طرح ها:", cnt}, {"تعداد طرح هاي نهايي شده:", cnt_green1},
                                  {"مبلغ قرارداد", prot_mablagh}, {"مبلغ وضعيت", pardakhti}}) {
        totals->addWidget(new QLabel(QString::fromUtf8(caption), this));
        totals->addWidget(label);
    }
    totals->addStretch();
    totals->addWidget(selectionCheck);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filtersBox);
    layout->addLayout(totals);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &naghshe_src::search);
    for (QLineEdit *e : {tamin_sal, prot_no})
        connect(e, &QLineEdit::returnPressed, this, &naghshe_src::search);
    for (QComboBox *c : {city, rosta, peymankar})
        connect(c->lineEdit(), &QLineEdit::returnPressed, this, &naghshe_src::search);
    connect(ostan, &QComboBox::currentTextChanged, this, [this](const QString &province) {
        try {
            refillChoices(city, column(dm().main().select(QStringLiteral("SELECT DISTINCT city FROM abadiha WHERE ostan = ?"),
                                                      {normalizeInput(province)})));
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
    });
    connect(city, &QComboBox::currentTextChanged, this, [this](const QString &county) {
        try {
            refillChoices(rosta, column(dm().main().select(
                                 QStringLiteral("SELECT DISTINCT rosta FROM abadiha WHERE ostan = ? AND city = ?"),
                                 {typedText(ostan), normalizeInput(county)})));
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
    });
    connect(CheckBox6, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        recomputeTarget();
        roz->setFocus();
    });
    connect(roz, &QLineEdit::textChanged, this, &naghshe_src::recomputeTarget);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this,
            [this] { rostaList->append(DBGrid1->currentValue(QStringLiteral("rosta")).toString()); });
    connect(DBGrid1, &QAbstractItemView::clicked, this, [this] {
        QToolTip::showText(DBGrid1->mapToGlobal(DBGrid1->rect().center()),
                           QStringLiteral("توضيحات") + QLatin1Char('\n')
                               + DBGrid1->currentValue(QStringLiteral("cmt")).toString(),
                           DBGrid1);
    });

    connect(N1, &QAction::triggered, this, &naghshe_src::registerProject);
    connect(N2, &QAction::triggered, this, &naghshe_src::editProject);
    connect(N3, &QAction::triggered, this, &naghshe_src::deleteProject);
    connect(N7, &QAction::triggered, this, &naghshe_src::attachments);
    connect(N16, &QAction::triggered, this,
            [this] { exportHtml(QDir::temp().filePath(QStringLiteral("Tarvesholan.htm"))); });
    connect(N17, &QAction::triggered, this, &naghshe_src::exportComprehensive);
    connect(N53, &QAction::triggered, this, &naghshe_src::exportSystem);
    connect(N46, &QAction::triggered, this, &naghshe_src::exportChecklist);
    connect(N54, &QAction::triggered, this, &naghshe_src::programDocuments);
    connect(N38, &QAction::triggered, this, &naghshe_src::contractors);
    connect(N39, &QAction::triggered, this, [this] { fontBigger(1); });
    connect(N40, &QAction::triggered, this, [this] { fontBigger(-1); });
    connect(N6, &QAction::triggered, this, &QDialog::reject);
    connect(N33, &QAction::triggered, this, &naghshe_src::assignContractorToAll);
    connect(N37, &QAction::triggered, this, &naghshe_src::attachToAll);
    connect(N62, &QAction::triggered, this, &naghshe_src::addListedPlaces);
    connect(N34, &QAction::triggered, this, &naghshe_src::transferToStudies);
    connect(N45, &QAction::triggered, this, [] { openAttachments(attachment::naghshe_mostanadat(), {}); });
    connect(N41, &QAction::triggered, this, [this] {
        if (creditsReport)
            creditsReport(last_);
        else
            notAvailable();
    });
    const std::vector<std::pair<QAction *, LetterFill>> letters = {
        {N23, survey::temporaryStatement},
        {N13, survey::finalStatement},
        {N42, survey::absorptionStatement},
        {N43, survey::freeStatement},
        {N14, survey::goodPerformanceLetter},
        {N25, survey::coverSheet},
        {N44, survey::councilSettlement},
        {N10, [](const Db &db, const survey::LetterSource &s) { return survey::handoverLetter(db, s, true); }},
        {N12, [](const Db &db, const survey::LetterSource &s) { return survey::handoverLetter(db, s, false); }},
        {N60, survey::overtimeNotice},
        {N59, survey::operationsDescription},
        {N57, survey::terminationLetter},
        {N11, survey::initialChecklist},
        {N4, survey::finalChecklist},
        {N55, [](const Db &db, const survey::LetterSource &s) { return survey::creditChecklist(db, s, survey::naturalPerson); }},
        {N56, [](const Db &db, const survey::LetterSource &s) { return survey::creditChecklist(db, s, survey::legalPerson); }},
    };
    for (const auto &[item, fill] : letters)
        connect(item, &QAction::triggered, this, [this, fill] { printLetter(fill); });
    // These letters are also pasted into the word processor.
    for (const auto &[item, fill] : std::vector<std::pair<QAction *, LetterFill>>{
             {N24, survey::settlementLetter}, {N21, survey::extensionLetter}, {N58, survey::contractAffairsLetter}})
        connect(item, &QAction::triggered, this, [this, fill] { printLetter(fill, true); });
    connect(&windows::get<naghshe_ins>(), &naghshe_ins::saved, this, &naghshe_src::searchKeeping);
    connect(N8, &QAction::triggered, this, [this] {
        if (const QVariant id = DBGrid1->currentId(); id.isValid())
            windows::get<naghshe_arzyabi>().open(id.toLongLong());
    });
    connect(N26, &QAction::triggered, this, [] { windows::get<naghshe_pic__src>().open(); });
    connect(N47, &QAction::triggered, this, [this] { windows::get<dorbin_src>().open(size()); });
}

void naghshe_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    for (QAction *a : {N7, N15, N45})
        a->setEnabled(rights.view);
    for (QAction *a : letterItems())
        a->setEnabled(rights.view);
    for (QAction *a : {N310, N9, N30->menuAction(), N31, N18})
        a->setEnabled(rights.view);
    N54->setEnabled(rights.view);
}

void naghshe_src::prepare()
{
    cnt->setText(QStringLiteral("0"));
    selectionCheck->drop();
    for (QComboBox *c : {ostan, city, rosta, peymankar, tamin_loc, status, prot_typ})
        c->setCurrentText(QString());
    for (QLineEdit *e : {prot_no, tamin_sal})
        e->clear();
    fillChoices();
    search();
}

void naghshe_src::fillChoices()
{
    try {
        const Db &db = dm().main();
        refillChoices(ostan, column(db.select(QStringLiteral("SELECT DISTINCT ostan FROM abadiha"))));
        refillChoices(status, lookupItemsSorted(db, QStringLiteral("وضعيت پرداخت")));
        refillChoices(tamin_loc, lookupItemsSorted(db, QStringLiteral("محل تامين اعتبار")));
        refillChoices(peymankar, column(db.select(QStringLiteral("SELECT DISTINCT peymankar FROM naghshe"))));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_src::recomputeTarget()
{
    prot_dat2->setDate(survey::contractEndTarget(jalaliToday(), typedText(roz)));
}

survey::NaghsheFilters naghshe_src::filters() const
{
    survey::NaghsheFilters f;
    f.ostan = CheckBox11->entry();
    f.city = cityList->entries();
    f.rosta = rostaList->entries();
    f.peymankar = peymankarList->entries();
    f.prot_no = protNoList->entries();
    f.tamin_loc = locList->entries();
    f.tamin_sal = CheckBox5->entry();
    if (CheckBox6->active()) {
        static const survey::EndCompare byIndex[] = {survey::EndCompare::Before, survey::EndCompare::On,
                                                     survey::EndCompare::After};
        const int i = prot_dat->currentIndex();
        f.contractEnd = survey::ContractEnd{prot_dat2->date(), i < 0 ? survey::EndCompare::Any : byIndex[i],
                                            jalaliToday()};
    }
    if (CheckBox8->active())
        f.contractDates = std::pair{prot_dat1_1->date(), prot_dat1_2->date()};
    f.status = CheckBox9->entry();
    f.prot_typ = CheckBox10->entry();
    if (selectionCheck->isChecked())
        f.selection = selection_;
    return f;
}

void naghshe_src::showSelection(const survey::NaghsheSelection &selection)
{
    selection_ = selection;
    selectionCheck->showSelection(selection.caption);
    fillChoices();
    search();
}

void naghshe_src::search()
{
    // A half-typed date would compare as text and list the wrong projects.
    if ((CheckBox6->active() && !acceptDates({prot_dat2}))
        || (CheckBox8->active() && !acceptDates({prot_dat1_1, prot_dat1_2})))
        return;
    try {
        const Db &db = dm().main();
        survey::NaghsheSearchState state;
        state.filters = filters();
        const Conditions c = survey::naghsheConditions(db.dialect(), state.filters, session());
        state.totals = survey::naghsheTotals(db, c);
        state.finalised = survey::finalisedCount(db, c);
        ResultSet rows = survey::naghsheListPage(db, c, firstScreenRows);
        DBGrid1->setFirstScreen(std::move(rows), state.totals.count, [c] { return survey::naghsheList(dm().main(), c); });
        last_ = state;
        cnt->setText(QString::number(state.totals.count));
        cnt_green1->setText(QString::number(state.finalised));
        prot_mablagh->setText(state.totals.contractSum.grouped());
        pardakhti->setText(state.totals.feeSum.grouped());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_src::searchKeeping(const QVariant &id)
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

void naghshe_src::registerProject()
{
    naghshe_ins &entry = windows::get<naghshe_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void naghshe_src::editProject()
{
    if (!DBGrid1->currentId().isValid())
        return;
    naghshe_ins &entry = windows::get<naghshe_ins>();
    entry.startEdit(DBGrid1->currentRow());
    ui().execDialog(entry);
}

void naghshe_src::deleteProject()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)) {
            reportDelete(survey::deleteProject(db, id.toLongLong(), session().karbar));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void naghshe_src::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    openAttachments(attachment::naghshe_pic(), context);
    searchKeeping(id);
}

void naghshe_src::attachToAll()
{
    DBGrid1->completeRows();
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid() || !allowed(QStringLiteral("naghshe"), &PageRights::edit))
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    context.mode = AddMode::All;
    context.pageKey = QStringLiteral("naghshe");
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    for (const QVariantList &r : shown.rows)
        context.listedOwners << r[idColumn].toLongLong();
    openAttachments(attachment::naghshe_pic(), context);
    searchKeeping(id);
}

void naghshe_src::assignContractorToAll()
{
    if (!allowed(QStringLiteral("naghshe"), &PageRights::edit))
        return;
    const std::optional<PickedContractor> picked = windows::get<peymankar_list>().pick();
    if (!picked || !picked->name)
        return;
    DBGrid1->completeRows();
    try {
        const std::vector<Row> chosen = dm().main().rows(
            QStringLiteral("SELECT lname, comp_name FROM peymankar WHERE id = ?"), {picked->id});
        const Row names = chosen.empty() ? Row() : chosen.front();
        if (!ui().question(QStringLiteral("از انتخاب اين پيمانکار اطمينان داريد؟")
                           + names.value(QStringLiteral("lname")).toString() + QStringLiteral(" * ")
                           + names.value(QStringLiteral("comp_name")).toString()))
            return;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    QList<qint64> ids;
    for (const QVariantList &r : shown.rows)
        ids << r[idColumn].toLongLong();
    int changed = 0;
    try {
        changed = survey::assignContractor(dm().main(), ids, picked->id, *picked->name);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    // Projects another clerk deleted meanwhile are not counted.
    ui().message(doneChangedMessage(changed));
    search();
}

void naghshe_src::addListedPlaces()
{
    DBGrid1->completeRows();
    const auto [counties, villages] = survey::listedPlaces(DBGrid1->shownRows());
    cityList->clear();
    rostaList->clear();
    for (const QString &c : counties)
        cityList->append(c);
    for (const QString &v : villages)
        rostaList->append(v);
}

void naghshe_src::transferToStudies()
{
    if (!DBGrid1->currentId().isValid() || !allowed(QStringLiteral("borvinat"), &PageRights::insert))
        return;
    const Row project = DBGrid1->currentRow();
    const survey::Typed typed = survey::projectTexts(project);
    try {
        const Db &db = dm().main();
        if (const std::optional<survey::MatchingStudy> study = survey::matchingStudy(db, typed)) {
            if (!ui().question(QStringLiteral("هشدار! شهرستان و روستا و نام مشاور طرح و نقشه تکراري است. آيا مي خواهيد "
                                              "اطلاعات جديد بروز شود؟ کد آبادي ")
                               + study->cod))
                return;
            survey::refreshStudy(db, study->id, project);
            ui().message(QStringLiteral("بروز رساني انجام شد"));
            return;
        }
        db.transaction([&] { survey::insertStudy(db, typed, session().karbar); });
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("نقشه در بخش مطالعات نيز ثبت شد"));
}

bool naghshe_src::allowed(const QString &pageKey, bool PageRights::*flag) const
{
    try {
        return checkRight(dm().main(), session(), pageKey, flag);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
}

void naghshe_src::contractors()
{
    peymankar_src &browser = windows::get<peymankar_src>();
    browser.resize(width() - 30, height() - 50);
    browser.openChecked();
}

void naghshe_src::exportComprehensive()
{
    DBGrid1->completeRows();
    DBGrid1->exportList(survey::comprehensiveHeadings());
}

void naghshe_src::exportSystem()
{
    try {
        exportList(survey::systemExport(dm().main(), last_.filters, session()), survey::systemHeadings());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool naghshe_src::exportHtml(const QString &path)
{
    DBGrid1->completeRows();
    QString error;
    if (!writeFileAtomically(path, htmlList(DBGrid1->shownRows(), survey::htmlTitle, survey::htmlHeadings()).toUtf8(), &error)) {
        ui().message(error, MessageKind::Error);
        return false;
    }
    ui().openWithDesktop(path);
    return true;
}

void naghshe_src::exportChecklist()
{
    DBGrid1->completeRows();
    try {
        const ResultSet sheet = attachmentChecklist(dm().main(), DBGrid1->shownRows(), survey::checklistSource());
        exportList(sheet, {});
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_src::programDocuments()
{
    try {
        if (openProgramDocument(dm().main(), programDocumentTitle) == ProgramDocumentOutcome::Missing)
            ui().message(QStringLiteral("فايلي در بخش ضمائم با اين عنوان نيست"));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

QList<QAction *> naghshe_src::letterItems() const
{
    return {N23, N13, N42, N43, N14, N24, N25, N44, N10, N12, N21, N58, N60, N59, N57, N8, N11, N4, N55, N56};
}

void naghshe_src::printLetter(const LetterFill &fill, bool toClipboard)
{
    if (!DBGrid1->currentId().isValid())
        return;
    // Letters over the listed projects need all of them, not the first screen.
    DBGrid1->completeRows();
    const survey::LetterSource source{DBGrid1->currentRow(), DBGrid1->shownRows(), last_};
    report::runFill([&] {
        std::optional<report::Document> doc = fill(dm().main(), source);
        if (!doc)
            return;
        if (toClipboard)
            report::copyLetterText(*doc);
        doc->preview();
    });
}

void naghshe_src::fontBigger(int step)
{
    QFont font = DBGrid1->font();
    font.setPointSize(font.pointSize() + step);
    DBGrid1->setFont(font);
    for (int c = 0; c < 41 && c < DBGrid1->horizontalHeader()->count(); ++c)
        DBGrid1->setColumnWidth(c, DBGrid1->columnWidth(c) + 5 * step);
}

}  // namespace bv

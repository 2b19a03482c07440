#include "borvinat_arzyabi.h"

#include "browsergrid.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "listtext.h"
#include "rowguard.h"
#include "widgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bv {

using studies::EvaluationKind;

namespace {
const Headings gridHeadings = {
    {"radif", QStringLiteral("رديف")},
    {"cmt", QStringLiteral("نام آيتم")},
    {"kol", QStringLiteral("نام آيتم کلي")},
    {"joz", QStringLiteral("نام آيتم جزئي")},
    {"emtiyaz_top", QStringLiteral("حداکثر امتياز")},
    {"anjam", QStringLiteral("انجام شده/نشده")},
    {"anjam_shod", QStringLiteral("انجام شده")},
    {"anjam_nashod", QStringLiteral("انجام نشده")},
    {"keifiyat", QStringLiteral("کيفيت")},
    {"emtiyaz", QStringLiteral("امتياز")},
    {"sayer", QStringLiteral("توضيحات")},
    {"dat", QStringLiteral("تاريخ")},
    {"karshenas", QStringLiteral("کارشناس بررسي کننده")},
    {"zaeif", QStringLiteral("ضعيف")},
    {"motevaset", QStringLiteral("متوسط")},
    {"khob", QStringLiteral("خوب")},
    {"ali", QStringLiteral("عالي")},
};

QComboBox *editableCombo(QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    // Enter registers; it never adds the typed score to the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

// Offers the next entry of a list; none after the last.
void offerNext(QComboBox *box)
{
    const int next = box->currentIndex() + 1;
    box->setCurrentIndex(next < box->count() ? next : -1);
}
}  // namespace

EvaluationWindow::EvaluationWindow(EvaluationKind kind, const QString &name, const QString &caption)
    : kind_(kind), table_(studies::evaluationTable(kind))
{
    setObjectName(name);
    setWindowTitle(caption);
    setLayoutDirection(Qt::RightToLeft);
    auto *form = new QFormLayout;
    const bool gis = kind == EvaluationKind::Gis, tarh = kind == EvaluationKind::Tarh,
               tafsili = kind == EvaluationKind::Tafsili;

    if (table_.twoLevel) {
        kol = new QComboBox(this);
        joz = new QComboBox(this);
        form->addRow(QStringLiteral("نام آيتم کلي"), kol);
        form->addRow(QStringLiteral("نام آيتم جزئي"), joz);
    } else {
        cmt = new QComboBox(this);
        form->addRow(kind == EvaluationKind::Moshaver ? QStringLiteral("سوال") : QStringLiteral("نام آيتم"), cmt);
    }
    if (table_.scored) {
        emtiyaz_top = new QLineEdit(this);
        emtiyaz_top->setLayoutDirection(Qt::LeftToRight);
        form->addRow(QStringLiteral("حداکثر امتياز"), emtiyaz_top);
    }
    if (tarh || kind == EvaluationKind::Naghshe) {
        anjam = new QComboBox(this);
        anjam->addItems({studies::done, studies::notDone});
        form->addRow(QStringLiteral("انجام شده/نشده"), anjam);
    }
    if (tafsili) {
        auto *box = new QGroupBox(QStringLiteral("وضعيت انجام"), this);
        anjam_shod = new QRadioButton(studies::done, box);
        anjam_nashod = new QRadioButton(studies::notDone, box);
        auto *row = new QHBoxLayout(box);
        row->addWidget(anjam_shod);
        row->addWidget(anjam_nashod);
        form->addRow(box);
    }
    if (tarh) {
        keifiyat = new QComboBox(this);
        keifiyat->addItems(studies::qualityGrades());
        form->addRow(QStringLiteral("کيفيت"), keifiyat);
    }
    if (kind == EvaluationKind::Moshaver) {
        keifiyat = new QComboBox(this);
        keifiyat->addItems(studies::consultantAnswers());
        form->addRow(QStringLiteral("جواب"), keifiyat);
    }
    if (table_.scored) {
        emtiyaz = editableCombo(this);
        emtiyaz->setLayoutDirection(Qt::LeftToRight);
        form->addRow(QStringLiteral("امتياز"), emtiyaz);
    }
    if (tarh || kind == EvaluationKind::Naghshe) {
        sayer = new QLineEdit(this);
        form->addRow(QStringLiteral("توضيحات"), sayer);
    }
    if (tarh || tafsili || kind == EvaluationKind::Naghshe) {
        dat = new JalaliDateEdit(this);
        const QString caption = kind == EvaluationKind::Naghshe ? QStringLiteral("تاريخ ارزيابي") : QStringLiteral("تاريخ");
        dat->setCaption(caption);
        form->addRow(caption, dat);
    }
    if (tarh || tafsili) {
        karshenas = new QLineEdit(this);
        form->addRow(QStringLiteral("کارشناس بررسي کننده"), karshenas);
        auto *box = new QGroupBox(QStringLiteral("کيفيت"), this);
        auto *row = new QHBoxLayout(box);
        keifiyat2 = new QButtonGroup(this);
        for (int g = 0; g < 4; ++g) {
            auto *b = new QRadioButton(studies::qualityGrades()[g], box);
            keifiyat2->addButton(b, g);
            row->addWidget(b);
        }
        form->addRow(box);
    }

    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    ins_btn2 = new QPushButton(tarh ? QStringLiteral("ثبت همه به يکباره1") : QStringLiteral("ثبت همه به يکباره"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(ins_btn2);
    if (tarh) {
        BitBtn1 = new QPushButton(QStringLiteral("ثبت همه به يکباره2"), this);
        buttons->addWidget(BitBtn1);
    }
    buttons->addStretch();

    auto *sums = new QHBoxLayout;
    if (table_.scored) {
        emtiyaz_sum = new QLabel(this);
        emtiyaz_top_sum = new QLabel(this);
        sums->addWidget(new QLabel(gis ? QStringLiteral("جمع امتيازات مکتسبه") : QStringLiteral("جمع امتيازات"), this));
        sums->addWidget(emtiyaz_sum);
        sums->addWidget(new QLabel(QStringLiteral("جمع حداکثر امتيازات"), this));
        sums->addWidget(emtiyaz_top_sum);
        sums->addStretch();
    }

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("borvinat_id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    if (gis) {
        Refresh = new QAction(QStringLiteral("Refresh"), DBGrid1);
        Refresh->setShortcut(Qt::Key_F5);
        Refresh->setShortcutContext(Qt::WindowShortcut);
        addAction(Refresh);
        DBGrid1->addAction(Refresh);
    }
    N1 = new QAction(tarh ? QStringLiteral("حذف تکي") : QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(N1);
    if (tarh) {
        N2 = new QAction(QStringLiteral("حذف همه"), DBGrid1);
        DBGrid1->addAction(N2);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addLayout(sums);
    layout->addWidget(DBGrid1);

    if (cmt)
        connect(cmt, &QComboBox::currentIndexChanged, this, &EvaluationWindow::itemChosen);
    if (kol) {
        connect(kol, &QComboBox::currentIndexChanged, this, &EvaluationWindow::generalItemChosen);
        connect(joz, &QComboBox::currentIndexChanged, this, &EvaluationWindow::itemChosen);
    }
    if (tarh) {
        connect(emtiyaz_top, &QLineEdit::textChanged, this, &EvaluationWindow::maximumChanged);
        connect(emtiyaz, &QComboBox::currentTextChanged, this, &EvaluationWindow::scoreChosen);
        connect(keifiyat, &QComboBox::currentIndexChanged, this, [this](int grade) { setGrade(grade); });
    }
    if (gis)
        connect(emtiyaz->lineEdit(), &QLineEdit::returnPressed, this, &EvaluationWindow::registerRow);
    connect(ins_btn, &QPushButton::clicked, this, &EvaluationWindow::registerRow);
    connect(ins_btn2, &QPushButton::clicked, this, [this] { registerAll(false); });
    if (BitBtn1)
        connect(BitBtn1, &QPushButton::clicked, this, [this] { registerAll(true); });
    connect(N1, &QAction::triggered, this, &EvaluationWindow::deleteRow);
    if (N2)
        connect(N2, &QAction::triggered, this, &EvaluationWindow::deleteAll);
    if (Refresh)
        connect(Refresh, &QAction::triggered, this, &EvaluationWindow::refreshSum);
}

bool EvaluationWindow::open(qint64 study, int height)
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("arzyabi"));
        if (!rights)
            return false;
        applyRights(*rights);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    resize(width(), height);
    prepare(study);
    ui().execDialog(*this);
    return true;
}

void EvaluationWindow::applyRights(const PageRights &rights)
{
    // Register-all writes rows as register one does.
    for (QPushButton *b : {ins_btn, ins_btn2, BitBtn1})
        if (b)
            b->setEnabled(rights.insert);
    for (QAction *a : {N1, N2})
        if (a)
            a->setEnabled(rights.remove);
}

void EvaluationWindow::prepare(qint64 study)
{
    study_ = study;
    for (QLineEdit *e : {emtiyaz_top, sayer, karshenas})
        if (e)
            e->clear();
    if (emtiyaz)
        emtiyaz->setCurrentText(QString());
    if (dat)
        dat->setDate(QString());
    if (anjam)
        showStoredValue(anjam, studies::done);
    if (keifiyat)
        showStoredValue(keifiyat, QString());
    setGrade(-1);
    refreshSum();
    fillItems();
    refresh();
    if (kol)
        kol->setFocus();
    else
        cmt->setFocus();
}

void EvaluationWindow::fillItems()
{
    QComboBox *items = kol ? kol : cmt;
    try {
        const QStringList list = studies::catalogueItems(dm().main(), kind_);
        items->blockSignals(true);
        items->clear();
        items->addItems(list);
        items->setCurrentIndex(-1);
        items->blockSignals(false);
        items->setCurrentIndex(items->count() > 0 ? 0 : -1);
        if (items->count() == 0 && kol)
            generalItemChosen();
    } catch (const DbError &e) {
        items->blockSignals(false);
        ui().message(e.text(), MessageKind::Error);
    }
}

void EvaluationWindow::generalItemChosen()
{
    joz->blockSignals(true);
    joz->clear();
    try {
        if (kol->currentIndex() >= 0)
            joz->addItems(studies::catalogueSubItems(dm().main(), kind_, kol->currentText()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    joz->setCurrentIndex(-1);
    joz->blockSignals(false);
    emtiyaz_top->clear();
}

void EvaluationWindow::itemChosen()
{
    if (!emtiyaz_top)
        return;
    QComboBox *item = joz ? joz : cmt;
    if (item->currentIndex() < 0) {
        emtiyaz_top->clear();
        return;
    }
    try {
        emtiyaz_top->setText(kol ? studies::catalogueMaximum(dm().main(), kind_, kol->currentText(), joz->currentText())
                                 : studies::catalogueMaximum(dm().main(), kind_, cmt->currentText()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void EvaluationWindow::maximumChanged()
{
    const std::optional<QStringList> steps = studies::scoreSteps(typedText(emtiyaz_top));
    if (!steps)
        return;
    emtiyaz->blockSignals(true);
    emtiyaz->clear();
    emtiyaz->addItems(*steps);
    emtiyaz->setCurrentIndex(-1);
    emtiyaz->setCurrentText(QString());
    emtiyaz->blockSignals(false);
    if (steps->isEmpty())
        showStoredValue(keifiyat, QString());
}

void EvaluationWindow::scoreChosen()
{
    if (const std::optional<QString> g = studies::gradeOfScore(typedText(emtiyaz), typedText(emtiyaz_top)))
        showStoredValue(keifiyat, *g);
}

void EvaluationWindow::setGrade(int grade)
{
    if (!keifiyat2)
        return;
    if (grade >= 0 && grade < 4) {
        keifiyat2->button(grade)->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    keifiyat2->setExclusive(false);
    for (QAbstractButton *b : keifiyat2->buttons())
        b->setChecked(false);
    keifiyat2->setExclusive(true);
}

studies::EvaluationEntry EvaluationWindow::entry() const
{
    studies::EvaluationEntry e;
    auto read = [](const QWidget *w) { return w ? typedText(w) : QString(); };
    e.cmt = read(cmt);
    e.kol = read(kol);
    e.joz = read(joz);
    e.emtiyaz_top = read(emtiyaz_top);
    e.emtiyaz = read(emtiyaz);
    e.anjam = anjam ? read(anjam)
              : anjam_shod && anjam_shod->isChecked()     ? studies::done
              : anjam_nashod && anjam_nashod->isChecked() ? studies::notDone
                                                          : QString();
    e.keifiyat = read(keifiyat);
    e.sayer = read(sayer);
    e.dat = read(dat);
    e.karshenas = read(karshenas);
    e.grade = keifiyat2 ? keifiyat2->checkedId() : -1;
    return e;
}

void EvaluationWindow::refreshSum()
{
    if (!emtiyaz_sum)
        return;
    try {
        const studies::EvaluationSums sums = studies::evaluationSums(dm().main(), kind_, study_);
        emtiyaz_sum->setText(sums.emtiyaz);
        emtiyaz_top_sum->setText(sums.emtiyaz_top);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void EvaluationWindow::refresh()
{
    try {
        DBGrid1->setRows(studies::evaluationRows(dm().main(), kind_, study_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool EvaluationWindow::registerRow()
{
    if (!ins_btn->isEnabled() || (dat && !acceptDates({dat})))
        return false;
    studies::EvaluationResult result;
    try {
        result = studies::registerEvaluation(dm().main(), kind_, study_, entry());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    if (result.outcome != studies::EvaluationOutcome::Added) {
        ui().message(result.message);
        refresh();
        return false;
    }
    refreshSum();
    offerNext(joz ? joz : cmt);
    if (emtiyaz) {
        emtiyaz->setCurrentText(QString());
        emtiyaz->setFocus();
    } else if (anjam) {
        anjam->setFocus();
    } else {
        keifiyat->setFocus();
    }
    refresh();
    return true;
}

bool EvaluationWindow::registerAll(bool kolOnce)
{
    if (!ins_btn2->isEnabled() || (dat && !acceptDates({dat})))
        return false;
    studies::EvaluationResult result;
    try {
        result = studies::registerAllEvaluations(dm().main(), kind_, study_, entry(), kolOnce);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        refresh();
        return false;
    }
    if (result.outcome != studies::EvaluationOutcome::Added) {
        ui().message(result.message);
        return false;
    }
    if (kind_ == EvaluationKind::Gis) {
        refreshSum();
        emtiyaz->setFocus();
    } else if (anjam) {
        anjam->setFocus();
    } else if (anjam_shod) {
        anjam_shod->setFocus();
    } else {
        keifiyat->setFocus();
    }
    refresh();
    return true;
}

void EvaluationWindow::showEntry(const studies::EvaluationEntry &e)
{
    if (cmt)
        showStoredValue(cmt, e.cmt);
    if (kol) {
        showStoredValue(kol, e.kol);
        showStoredValue(joz, e.joz);
    }
    // After the item, whose choice loads the catalogue's maximum.
    if (emtiyaz_top)
        emtiyaz_top->setText(e.emtiyaz_top);
    if (emtiyaz)
        emtiyaz->setCurrentText(e.emtiyaz);
    if (anjam)
        showStoredValue(anjam, e.anjam);
    if (anjam_shod) {
        // Neither chosen is a state of its own.
        anjam_shod->setAutoExclusive(false);
        anjam_nashod->setAutoExclusive(false);
        anjam_shod->setChecked(e.anjam == studies::done);
        anjam_nashod->setChecked(e.anjam == studies::notDone);
        anjam_shod->setAutoExclusive(true);
        anjam_nashod->setAutoExclusive(true);
    }
    if (keifiyat)
        showStoredValue(keifiyat, e.keifiyat);
    if (sayer)
        sayer->setText(e.sayer);
    if (dat)
        dat->setDate(e.dat);
    if (karshenas)
        karshenas->setText(e.karshenas);
    setGrade(e.grade);
}

void EvaluationWindow::deleteRow()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid() || !N1->isEnabled())
        return;
    showEntry(studies::entryOfRow(kind_, DBGrid1->currentRow()));
    bool found = false;
    try {
        found = studies::deleteEvaluation(dm().main(), kind_, id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    refreshSum();
    refresh();
}

void EvaluationWindow::deleteAll()
{
    if (!N2 || !N2->isEnabled() || DBGrid1->rowCount() == 0)
        return;
    if (!ui().question(QStringLiteral("همه ارزيابي هاي اين طرح حذف شوند؟")))
        return;
    int deleted = 0;
    try {
        deleted = studies::deleteAllEvaluations(dm().main(), kind_, study_);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    // Silent when done; the grid listed rows another clerk had already deleted.
    if (deleted == 0)
        reportDelete(false);
    refreshSum();
    refresh();
}

void EvaluationWindow::done(int result)
{
    // The GIS result goes back to the study whenever the window closes; a
    // total that cannot be divided by writes nothing.
    if (kind_ == EvaluationKind::Gis && study_ > 0) {
        try {
            studies::writeGisPercentage(dm().main(), study_, {emtiyaz_sum->text(), emtiyaz_top_sum->text()});
        } catch (const DbError &) {
            // Closing is never stopped by the write-back.
        }
    }
    QDialog::done(result);
}

borvinat_arzyabi_gis::borvinat_arzyabi_gis()
    : EvaluationWindow(EvaluationKind::Gis, QStringLiteral("borvinat_arzyabi_gis"),
                       QStringLiteral("ارزيابي بانک جي آي اس"))
{
}
borvinat_arzyabi_tarh::borvinat_arzyabi_tarh()
    : EvaluationWindow(EvaluationKind::Tarh, QStringLiteral("borvinat_arzyabi_tarh"), QStringLiteral("ارزيابي طرح هادي"))
{
}
borvinat_arzyabi_tafsili::borvinat_arzyabi_tafsili()
    : EvaluationWindow(EvaluationKind::Tafsili, QStringLiteral("borvinat_arzyabi_tafsili"),
                       QStringLiteral("ارزيابي طرح تفصيلي"))
{
}
borvinat_arzyabi_naghshe::borvinat_arzyabi_naghshe()
    : EvaluationWindow(EvaluationKind::Naghshe, QStringLiteral("borvinat_arzyabi_naghshe"),
                       QStringLiteral("ارزيابي نقشه پايه"))
{
}
borvinat_arzyabi_moshaver::borvinat_arzyabi_moshaver()
    : EvaluationWindow(EvaluationKind::Moshaver, QStringLiteral("borvinat_arzyabi_moshaver"),
                       QStringLiteral("ارزيابي مشاور و عامل چهارم"))
{
}

}  // namespace bv

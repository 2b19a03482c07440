#include "naghshe_arzyabi.h"

#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"
#include "naghshe_evaluation.h"
#include "rowguard.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"radif", QStringLiteral("رديف")},   {"cmt", QStringLiteral("نام آيتم")},
    {"emtiyaz_top", QStringLiteral("حداکثر امتياز")}, {"anjam", QStringLiteral("انجام")},
    {"keifiyat", QStringLiteral("کيفيت")}, {"emtiyaz", QStringLiteral("امتياز")},
    {"sayer", QStringLiteral("توضيحات")},
};
}  // namespace

naghshe_arzyabi::naghshe_arzyabi(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("naghshe_arzyabi"));
    setWindowTitle(QStringLiteral("ارزيابي نقشه ها"));
    cmt = new QComboBox(this);
    emtiyaz_top = new QLineEdit(this);
    anjam = new QComboBox(this);
    anjam->addItems({survey::done, survey::notDone});
    keifiyat = new QComboBox(this);
    keifiyat->addItems(survey::qualityGrades());
    emtiyaz = new QLineEdit(this);
    sayer = new QLineEdit(this);
    emtiyaz_sum = new QLabel(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("naghshe_id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(N1);
    for (QLineEdit *number : {emtiyaz_top, emtiyaz})
        number->setLayoutDirection(Qt::LeftToRight);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("نام آيتم"), cmt);
    form->addRow(QStringLiteral("حداکثر امتياز"), emtiyaz_top);
    form->addRow(QStringLiteral("انجام شده/نشده"), anjam);
    form->addRow(QStringLiteral("کيفيت نقشه برداري"), keifiyat);
    form->addRow(QStringLiteral("امتياز"), emtiyaz);
    form->addRow(QStringLiteral("توضيحات"), sayer);
    form->addRow(QString(), ins_btn);
    auto *total = new QHBoxLayout;
    total->addWidget(new QLabel(QStringLiteral("جمع امتيازات"), this));
    total->addWidget(emtiyaz_sum);
    total->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(total);
    layout->addWidget(DBGrid1);

    connect(cmt, &QComboBox::currentIndexChanged, this, &naghshe_arzyabi::itemChosen);
    connect(emtiyaz, &QLineEdit::textChanged, this, &naghshe_arzyabi::grade);
    connect(emtiyaz_top, &QLineEdit::returnPressed, anjam, qOverload<>(&QWidget::setFocus));
    for (QLineEdit *last : {emtiyaz, sayer})
        connect(last, &QLineEdit::returnPressed, this, &naghshe_arzyabi::registerRow);
    for (QComboBox *box : {cmt, anjam, keifiyat})
        box->installEventFilter(this);
    connect(ins_btn, &QPushButton::clicked, this, &naghshe_arzyabi::registerRow);
    connect(N1, &QAction::triggered, this, &naghshe_arzyabi::deleteRow);
}

bool naghshe_arzyabi::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == keifiyat)
                registerRow();
            else
                emtiyaz->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool naghshe_arzyabi::open(qint64 project)
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("naghshe"));
        if (!rights)
            return false;
        applyRights(*rights);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    prepare(project);
    ui().execDialog(*this);
    return true;
}

void naghshe_arzyabi::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    N1->setEnabled(rights.remove);
}

void naghshe_arzyabi::prepare(qint64 project)
{
    project_ = project;
    emtiyaz_top->clear();
    showStoredValue(anjam, survey::done);
    showStoredValue(keifiyat, QString());
    emtiyaz->clear();
    sayer->clear();
    try {
        cmt->blockSignals(true);
        cmt->clear();
        cmt->addItems(survey::evaluationItems(dm().main()));
        cmt->setCurrentIndex(-1);
        cmt->blockSignals(false);
        cmt->setCurrentIndex(cmt->count() > 0 ? 0 : -1);
    } catch (const DbError &e) {
        cmt->blockSignals(false);
        ui().message(e.text(), MessageKind::Error);
    }
    refresh();
    cmt->setFocus();
}

void naghshe_arzyabi::itemChosen()
{
    if (cmt->currentIndex() < 0) {
        emtiyaz_top->clear();
        return;
    }
    try {
        emtiyaz_top->setText(survey::itemMaximum(dm().main(), cmt->currentText()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_arzyabi::grade()
{
    if (const std::optional<QString> g = survey::qualityGrade(typedText(emtiyaz), typedText(emtiyaz_top)))
        showStoredValue(keifiyat, *g);
}

void naghshe_arzyabi::refresh()
{
    try {
        const Db &db = dm().main();
        emtiyaz_sum->setText(survey::evaluationSums(db, project_).emtiyaz);
        DBGrid1->setRows(survey::evaluationRows(db, project_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool naghshe_arzyabi::registerRow()
{
    if (!ins_btn->isEnabled())
        return false;
    const survey::EvaluationEntry entry{typedText(cmt),      typedText(emtiyaz_top), typedText(anjam),
                                        typedText(keifiyat), typedText(emtiyaz),     typedText(sayer)};
    survey::EvaluationResult result;
    try {
        result = survey::registerEvaluation(dm().main(), project_, entry);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    if (result.outcome != survey::EvaluationOutcome::Added) {
        ui().message(result.message);
        refresh();
        return false;
    }
    refresh();
    // The next catalogue item; none after the last.
    const int next = cmt->currentIndex() + 1;
    cmt->setCurrentIndex(next < cmt->count() ? next : -1);
    emtiyaz->clear();
    emtiyaz->setFocus();
    return true;
}

void naghshe_arzyabi::deleteRow()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid() || !N1->isEnabled())
        return;
    const Row row = DBGrid1->currentRow();
    showStoredValue(cmt, row.value(QStringLiteral("cmt")).toString());
    emtiyaz_top->setText(survey::scoreText(row.value(QStringLiteral("emtiyaz_top"))));
    showStoredValue(anjam, row.value(QStringLiteral("anjam")).toString());
    emtiyaz->setText(survey::scoreText(row.value(QStringLiteral("emtiyaz"))));
    showStoredValue(keifiyat, row.value(QStringLiteral("keifiyat")).toString());
    sayer->setText(row.value(QStringLiteral("sayer")).toString());
    bool found = false;
    try {
        found = survey::deleteEvaluation(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    refresh();
}

}  // namespace bv

#include "sabti_mokatebat.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "lookuplists.h"
#include "sabt_job.h"
#include "sabti_correspondence.h"
#include "session.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString parties = QStringLiteral("طرف هاي مکاتبه ثبتي");
const QStringList kinds = {QStringLiteral("وارده"), QStringLiteral("صادره")};
const QString dateCaption = QStringLiteral("تاريخ نامه");
}  // namespace

sabti_mokatebat::sabti_mokatebat(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sabti_mokatebat"));
    setWindowTitle(QStringLiteral("مکاتبات ثبتي"));
    setLayoutDirection(Qt::RightToLeft);

    auto combo = [this](bool editable, const QStringList &items = {}) {
        auto *c = new QComboBox(this);
        c->setEditable(editable);
        c->addItems(items);
        return c;
    };
    paper_no = new QLineEdit(this);
    paper_dat = new JalaliDateEdit(this);
    paper_dat->setCaption(dateCaption);
    taraf = combo(true);
    typ = combo(false, kinds);
    post = new QLineEdit(this);
    mozo = new QLineEdit(this);
    BitBtn1 = new QPushButton(QStringLiteral("ثبت"), this);

    paper_no2 = new QLineEdit(this);
    paper_dat1 = new JalaliDateEdit(this);
    paper_dat2 = new JalaliDateEdit(this);
    taraf2 = combo(true);
    typ2 = combo(false, kinds);
    post2 = new QLineEdit(this);
    mozo2 = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شماره نامه"), {paper_no2}, this);
    CheckBox2 = new FilterCheck(dateCaption, {paper_dat1, paper_dat2}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("طرف مکاتبه"), {taraf2}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("نوع نامه"), {typ2}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("نام/پست"), {post2}, this);
    CheckBox6 = new FilterCheck(QStringLiteral("موضوع/چکيده"), {mozo2}, this);
    paper_dat1->setCaption(dateCaption);
    paper_dat2->setCaption(dateCaption);
    BitBtn3 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(sabt::letterHeadings());
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("sabti_id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("ضمائم"), DBGrid1);
    N2 = new QAction(QStringLiteral("حذف"), DBGrid1);
    N3 = new QAction(QStringLiteral("ذخيره ضمائم ليست"), DBGrid1);
    DBGrid1->addActions({N1, N2, N3});

    auto *entry = new QGridLayout;
    int col = 0;
    for (auto [caption, input] : {std::pair<const char *, QWidget *>{"شماره نامه", paper_no},
                                  {"تاريخ نامه", paper_dat}, {"طرف مکاتبه", taraf}, {"نوع نامه", typ},
                                  {"نام/پست", post}, {"موضوع/چکيده", mozo}}) {
        entry->addWidget(new QLabel(QString::fromUtf8(caption), this), 0, col);
        entry->addWidget(input, 1, col++);
    }
    entry->addWidget(BitBtn1, 1, col);
    auto *searchBox = new QGridLayout;
    col = 0;
    for (auto [check, inputs] : {std::pair<FilterCheck *, QList<QWidget *>>{CheckBox1, {paper_no2}},
                                 {CheckBox2, {paper_dat1, paper_dat2}}, {CheckBox3, {taraf2}}, {CheckBox4, {typ2}},
                                 {CheckBox5, {post2}}, {CheckBox6, {mozo2}}}) {
        searchBox->addWidget(check, 0, col);
        int row = 1;
        for (QWidget *w : inputs)
            searchBox->addWidget(w, row++, col);
        ++col;
    }
    searchBox->addWidget(BitBtn3, 1, col);
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    count->addWidget(cnt);
    count->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(searchBox);
    layout->addLayout(count);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &sabti_mokatebat::addLetter);
    connect(BitBtn3, &QPushButton::clicked, this, &sabti_mokatebat::search);
    connect(N1, &QAction::triggered, this, &sabti_mokatebat::attachments);
    connect(N2, &QAction::triggered, this, &sabti_mokatebat::deleteLetter);
    connect(N3, &QAction::triggered, this, &sabti_mokatebat::saveListAttachments);
}

void sabti_mokatebat::load(qint64 job)
{
    job_ = job;
    for (QLineEdit *e : {paper_no, post, mozo, paper_no2, post2, mozo2})
        e->clear();
    paper_dat->setDate(emptyDateMask);
    QStringList choices;
    try {
        choices = lookupItemsSorted(dm().main(), parties);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    for (QComboBox *c : {taraf, taraf2}) {
        c->clear();
        c->addItems(choices);
        c->setEditText(QString());
    }
    typ->setCurrentIndex(-1);
    typ2->setCurrentIndex(-1);
    paper_dat1->setDate(jalaliToday());
    paper_dat2->setDate(jalaliToday());
    cnt->setText(QStringLiteral("0"));
    showJobLetters();
}

void sabti_mokatebat::openFor(qint64 job)
{
    load(job);
    ui().execDialog(*this);
}

void sabti_mokatebat::showJobLetters()
{
    searched_ = false;
    try {
        DBGrid1->setRows(sabt::jobLetters(dm().main(), job_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabti_mokatebat::refresh()
{
    if (searched_)
        search();
    else
        showJobLetters();
}

void sabti_mokatebat::addLetter()
{
    const sabt::LetterTexts letter{typedText(paper_no), paper_dat->date(), typedText(taraf),
                                   typedText(typ),      typedText(post),   typedText(mozo)};
    if (acceptDates({paper_dat})) {
        try {
            const Db &db = dm().main();
            switch (sabt::checkLetter(db, job_, letter)) {
            case sabt::LetterCheck::SameLetter: ui().message(sabt::sameLetterMessage); break;
            case sabt::LetterCheck::NumberUsed:
                if (ui().question(sabt::numberUsedQuestion))
                    sabt::addLetter(db, job_, letter);
                break;
            case sabt::LetterCheck::Free: sabt::addLetter(db, job_, letter); break;
            }
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
    }
    showJobLetters();
}

void sabti_mokatebat::search()
{
    if (CheckBox2->active() && !acceptDates({paper_dat1, paper_dat2}))
        return;
    sabt::LetterFilters f;
    f.paper_no = CheckBox1->entry();
    if (CheckBox2->active())
        f.dates = std::pair{paper_dat1->date(), paper_dat2->date()};
    f.taraf = CheckBox3->entry();
    f.typ = CheckBox4->entry();
    f.post = CheckBox5->entry();
    f.mozo = CheckBox6->entry();
    try {
        const Db &db = dm().main();
        const Conditions c = sabt::letterConditions(db.dialect(), f);
        const int count = sabt::letterCount(db, c);
        DBGrid1->setRows(sabt::letterList(db, c));
        cnt->setText(QString::number(count));
        searched_ = true;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabti_mokatebat::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    try {
        // The letter may be another job's, found by a search.
        context.jobCode = sabt::jobRow(dm().main(), DBGrid1->currentValue(QStringLiteral("sabti_id")).toLongLong())
                              .value(QStringLiteral("cod"))
                              .toString();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    openAttachments(attachment::sabti_mokatebat_pic(), context);
}

void sabti_mokatebat::deleteLetter()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (!confirmDeletePassword(db))
            return;
        const int kept = sabt::attachmentsOfLetter(db, id.toLongLong());
        if (kept > 0 && !ui().question(sabt::attachmentsStayQuestion(kept)))
            return;
        sabt::deleteLetter(db, id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    refresh();
}

void sabti_mokatebat::saveListAttachments()
{
    const QString chosen = ui().saveFileName(QStringLiteral("ذخيره ضمائم ليست"), QStringLiteral("Z"));
    if (chosen.isEmpty())
        return;
    const QFileInfo target(chosen);
    try {
        const sabt::SavedAttachments saved =
            sabt::saveListAttachments(dm().main(), DBGrid1->shownRows(), target.absolutePath(), target.fileName());
        ui().message(sabt::savedMessage(saved));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv

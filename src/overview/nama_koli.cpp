#include "nama_koli.h"

#include "borvinat_src.h"
#include "browsergrid.h"
#include "dates.h"
#include "dm.h"
#include "interaction.h"
#include "naghshe_src.h"
#include "overview_charts.h"
#include "sabt_src.h"
#include "windows.h"
#include "xlsxexport.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <map>

namespace bv {

namespace {
const QString caption = QStringLiteral("نماي کلي");

// The charts offered to the user's print preview or printer.
class OverviewDocument : public ShownDocument {
public:
    explicit OverviewDocument(const std::vector<overview::Chart> &charts) : charts_(charts) {}
    QString documentName() const override { return caption; }
    QString documentText() const override
    {
        QStringList lines;
        for (const overview::Chart &c : charts_) {
            lines << c.title;
            for (int s = 0; s < c.seriesNames.size(); ++s)
                for (int k = 0; k < c.categories.size(); ++k)
                    lines << overview::shownCategory(c.categories[k]) + QLatin1Char('\t') + c.seriesNames[s]
                            + QLatin1Char('\t') + c.value(s, k).grouped();
        }
        return lines.join(QLatin1Char('\n'));
    }
    bool runPreview() override
    {
        QPrintPreviewDialog preview;
        preview.setWindowTitle(caption);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [this](QPrinter *printer) { overview::printSets(*printer, caption, charts_); });
        return ui().execDialog(preview) == QDialog::Accepted;
    }
    bool printDirect() override
    {
        QPrinter printer(QPrinter::HighResolution);
        return overview::printSets(printer, caption, charts_);
    }

private:
    const std::vector<overview::Chart> &charts_;
};

QStringList ticked(const QListWidget *list, bool *all)
{
    QStringList out;
    *all = true;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem *item = list->item(i);
        if (item->checkState() == Qt::Checked)
            out << item->data(Qt::UserRole).toString();
        else
            *all = false;
    }
    return out;
}

void fillTicked(QListWidget *list, const QStringList &stored)
{
    list->clear();
    for (const QString &value : stored) {
        auto *item = new QListWidgetItem(overview::persianDigits(overview::shownCategory(value)), list);
        item->setData(Qt::UserRole, value);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}
}  // namespace

nama_koli::nama_koli(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("nama_koli"));
    setWindowTitle(caption);
    setLayoutDirection(Qt::RightToLeft);

    years = new QListWidget(this);
    counties = new QListWidget(this);
    for (QListWidget *l : {years, counties})
        l->setMaximumWidth(200);
    BitBtn1 = new QPushButton(QStringLiteral("نمايش"), this);
    print_btn = new QPushButton(QStringLiteral("چاپ"), this);
    pdf_btn = new QPushButton(QStringLiteral("ذخيره PDF"), this);
    excel_btn = new QPushButton(QStringLiteral("اکسل"), this);
    close_btn = new QPushButton(QStringLiteral("خروج"), this);
    pages = new QTabWidget(this);

    size_t chartCount = 0;
    for (const overview::ChartSet &set : overview::chartSets())
        chartCount += set.charts.size();
    views_.resize(chartCount);
    for (const overview::ChartSet &set : overview::chartSets()) {
        auto *page = new QWidget(pages);
        auto *row = new QHBoxLayout(page);
        for (int index : set.charts) {
            auto *view = new QChartView(page);
            view->setRenderHint(QPainter::Antialiasing);
            view->setMinimumSize(420, 320);
            views_[size_t(index)] = view;
            row->addWidget(view);
        }
        pages->addTab(page, set.title);
    }

    auto *choices = new QVBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("سال تامين اعتبار"), this));
    choices->addWidget(years);
    choices->addWidget(new QLabel(QStringLiteral("شهرستان"), this));
    choices->addWidget(counties);
    choices->addWidget(BitBtn1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {print_btn, pdf_btn, excel_btn, close_btn})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(pages);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(right, 1);
    resize(1100, 700);

    connect(BitBtn1, &QPushButton::clicked, this, &nama_koli::refresh);
    connect(print_btn, &QPushButton::clicked, this, &nama_koli::print);
    connect(pdf_btn, &QPushButton::clicked, this, &nama_koli::savePdf);
    connect(excel_btn, &QPushButton::clicked, this, &nama_koli::exportNumbers);
    connect(close_btn, &QPushButton::clicked, this, &QDialog::reject);
}

void nama_koli::fillChoices()
{
    const Db &db = dm().main();
    fillTicked(years, overview::choosableYears(db, session()));
    fillTicked(counties, overview::choosableCounties(db, session()));
}

void nama_koli::prepare()
{
    try {
        fillChoices();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    refresh();
}

overview::Choice nama_koli::choice() const
{
    overview::Choice c;
    bool all = false;
    const QStringList y = ticked(years, &all);
    if (!all)
        c.years = y;
    const QStringList k = ticked(counties, &all);
    if (!all)
        c.counties = k;
    c.today = jalaliToday();
    return c;
}

void nama_koli::refresh()
{
    const overview::Choice c = choice();
    try {
        charts_ = overview::allCharts(dm().main(), c, session());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    shown_ = c;
    for (size_t i = 0; i < charts_.size(); ++i) {
        QChart *chart = overview::buildChart(charts_[i]);
        const int index = int(i);
        for (QAbstractSeries *series : chart->series()) {
            const QList<QBarSet *> sets = static_cast<QBarSeries *>(series)->barSets();
            for (int s = 0; s < sets.size(); ++s)
                connect(sets[s], &QBarSet::clicked, this, [this, index, s](int bar) {
                    openBar(index, s, overview::categoryAt(charts_[size_t(index)], bar));
                });
        }
        QChart *old = views_[i]->chart();
        views_[i]->setChart(chart);
        delete old;
    }
}

void nama_koli::openBar(int chart, int series, int category)
{
    if (chart < 0 || size_t(chart) >= charts_.size())
        return;
    const overview::Chart &data = charts_[size_t(chart)];
    if (category < 0 || category >= data.categories.size() || series < 0 || series >= data.seriesNames.size())
        return;
    try {
        const Db &db = dm().main();
        const overview::Source source = overview::barSource(data, series);
        // The browser's own page rights, as from the main menu.
        static const std::map<overview::Source, QString> pages = {{overview::Source::Survey, QStringLiteral("naghshe")},
                                                                  {overview::Source::Studies, QStringLiteral("borvinat")},
                                                                  {overview::Source::Registration, QStringLiteral("sabt")}};
        const std::optional<PageRights> rights = pageRights(db, session().prsId, pages.at(source));
        if (!rights || !rights->view) {
            ui().message(noAccessMessage);
            return;
        }
        if (source == overview::Source::Studies) {
            borvinat_src &browser = windows::get<borvinat_src>();
            browser.applyRights(*rights);
            browser.showSelection(overview::studiesSelection(data, series, category, shown_));
            ui().execDialog(browser);
            return;
        }
        const bool survey = source == overview::Source::Survey;
        if (survey) {
            naghshe_src &browser = windows::get<naghshe_src>();
            browser.applyRights(*rights);
            browser.showSelection(overview::surveySelection(data, series, category, shown_));
            ui().execDialog(browser);
        } else {
            sabt_src &browser = windows::get<sabt_src>();
            browser.applyRights(*rights);
            browser.showSelection(overview::registrationSelection(data, series, category, shown_));
            ui().execDialog(browser);
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void nama_koli::print()
{
    OverviewDocument document(charts_);
    ui().showDocument(document, DocumentAction::Preview);
}

void nama_koli::savePdf()
{
    const QString path = ui().saveFileName(QStringLiteral("ذخيره PDF"),
                                           QDir::home().filePath(QStringLiteral("overview.pdf")),
                                           QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString error = overview::writePdf(path, caption, charts_);
    if (!error.isEmpty())
        ui().message(error, MessageKind::Error);
}

void nama_koli::exportNumbers()
{
    exportList(overview::numbersSheet(charts_), overview::numbersHeadings(), {QStringLiteral("value")});
}

}  // namespace bv

#include "attachment_window.h"

#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace bv {

namespace {
const Headings listHeadings = {
    {QStringLiteral("radif"), QStringLiteral("رديف")},
    {QStringLiteral("ramz"), QStringLiteral("رمز")},
    {QStringLiteral("cmt"), QStringLiteral("شرح مدرک")},
    {QStringLiteral("pictyp"), QStringLiteral("فرمت تصوير")},
    {QStringLiteral("pictype"), QStringLiteral("فرمت تصوير")},
};

QComboBox *descriptionBox(int width, bool editable, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(editable);
    if (editable && width > 0)
        box->lineEdit()->setMaxLength(width);
    box->setMinimumContentsLength(30);
    return box;
}
}  // namespace

StatusMarker::StatusMarker(QWidget *parent) : QLabel(parent)
{
    setFixedSize(18, 18);
    setState(State::Idle);
}

void StatusMarker::setState(State state)
{
    state_ = state;
    const char *colour = state == State::Red ? "#d32f2f" : state == State::Green ? "#2e7d32" : "#bdbdbd";
    setStyleSheet(QStringLiteral("background: %1; border-radius: 9px;").arg(QLatin1String(colour)));
}

AttachmentWindow::AttachmentWindow(const AttachmentTable &table, QWidget *parent) : QDialog(parent), table_(table)
{
    setObjectName(table.table());
    setWindowTitle(table.caption);
    setModal(true);
    const bool program = table.kind == AttachmentKind::Program;

    auto *form = new QFormLayout;
    if (program) {
        Combo_type = descriptionBox(0, false, this);
        Combo_type->addItems(table.fixedDescriptions);
        ramz = new QLineEdit(this);
        ramz->setMaxLength(20);
        ramz->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("شرح ضميمه"), Combo_type);
        form->addRow(QStringLiteral("رمز ضميمه جهت دسترسي"), ramz);
        ins_btn = new QPushButton(QStringLiteral("انتخاب و ثبت ضميمه (Browse)"), this);
    } else {
        cmt = descriptionBox(table.descriptionWidth(), true, this);
        form->addRow(table.descriptionLabel, cmt);
        ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    }
    Shape1 = new StatusMarker(this);
    Shape1->setVisible(!program);
    one_or_all = new QLabel(QStringLiteral("1"), this);
    one_or_all->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(Shape1);
    if (table.save == SaveMode::AskOpenIfTicked) {
        CheckBox1 = new QCheckBox(QStringLiteral("پس از ذخيره باز شود"), this);
        CheckBox1->setChecked(true);
        buttons->addWidget(CheckBox1);
    }
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!table.note.isEmpty()) {
        auto *note = new QLabel(table.note, this);
        note->setWordWrap(true);
        QFont bold = note->font();
        bold.setBold(true);
        note->setFont(bold);
        layout->addWidget(note);
    }
    layout->addLayout(buttons);
    if (table.kind == AttachmentKind::Document) {
        src = new QLineEdit(this);
        BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
        auto *searchRow = new QHBoxLayout;
        searchRow->addWidget(new QLabel(QStringLiteral("جستجوي شرح مستند:"), this));
        searchRow->addWidget(src, 1);
        searchRow->addWidget(BitBtn1);
        layout->addLayout(searchRow);
        connect(BitBtn1, &QPushButton::clicked, this, &AttachmentWindow::search);
    }

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(listHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("pk"), table.owner()});
    N1 = new QAction(QStringLiteral("حذف"), this);
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    DBGrid1->addAction(N1);
    layout->addWidget(DBGrid1, 1);
    resize(640, 480);

    connect(ins_btn, &QPushButton::clicked, this, &AttachmentWindow::add);
    connect(N1, &QAction::triggered, this, &AttachmentWindow::deleteCurrent);
    connect(DBGrid1, &QTableView::clicked, this, &AttachmentWindow::saveCurrent);
    if (program)
        connect(Combo_type, &QComboBox::activated, this, &AttachmentWindow::refresh);
}

void AttachmentWindow::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    N1->setEnabled(rights.remove);
}

void AttachmentWindow::prepare(const AttachmentContext &context)
{
    context_ = context;
    one_or_all->setText(context.mode == AddMode::All ? QStringLiteral("2") : QStringLiteral("1"));
    Shape1->setState(StatusMarker::State::Red);
    if (Combo_type) {
        Combo_type->setCurrentIndex(-1);
        ramz->clear();
    }
    if (cmt) {
        cmt->clear();
        try {
            cmt->addItems(descriptionChoices(dm().main(), table_));
        } catch (const DbError &e) {
            ui().message(e.text(), MessageKind::Error);
        }
        cmt->setCurrentIndex(-1);
        cmt->setEditText(QString());
    }
    if (src) {
        // Documents keep their last list until the next search.
        src->clear();
        src->setFocus();
        return;
    }
    refresh();
}

void AttachmentWindow::refresh()
{
    QString filter = search_;
    if (Combo_type)
        filter = Combo_type->currentText();
    try {
        DBGrid1->setRows(listAttachments(dm().main(), table_, context_.ownerId, filter));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void AttachmentWindow::search()
{
    search_ = typedText(src);
    refresh();
}

QString AttachmentWindow::description() const
{
    return Combo_type ? Combo_type->currentText() : typedText(cmt);
}

void AttachmentWindow::add()
{
    const QString text = description();
    if (text.isEmpty()) {
        ui().message(Combo_type ? QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد")
                                : QStringLiteral("خطا! ابتدا شرح ضميمه را مشخص نماييد"));
        return;
    }
    if (!Combo_type)
        Shape1->setState(StatusMarker::State::Red);
    // Only the bitmap description narrows the choice to bitmaps.
    const QString filter = !table_.bitmapDescription.isEmpty() && text == table_.bitmapDescription
        ? QStringLiteral("Bitmap Files (*.bmp)")
        : QString();
    const QString path = ui().openFileName(table_.caption, filter);
    if (path.isEmpty())
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui().message(addFailedMessage + QLatin1Char('\n') + file.errorString(), MessageKind::Error);
        return;
    }
    NewAttachment attachment{text, extensionOf(path, table_.extensionWidth()), file.readAll(),
                             ramz ? typedText(ramz) : QString()};
    QList<qint64> owners;
    if (table_.kind == AttachmentKind::Owned)
        owners = context_.mode == AddMode::All ? context_.listedOwners : QList<qint64>{context_.ownerId};
    AddResult added;
    try {
        added = addAttachment(dm().main(), table_, owners, attachment);
        if (added.outcome == AddOutcome::DuplicateDescription) {
            ui().message(duplicateDescriptionMessage);
            return;
        }
    } catch (const DbError &e) {
        ui().message(addFailedMessage + QLatin1Char('\n') + e.text(), MessageKind::Error);
        return;
    }
    // Nothing was stored when every owner had been deleted meanwhile.
    const bool stored = owners.isEmpty() || added.skippedOwners < owners.size();
    if (stored && !Combo_type)
        Shape1->setState(StatusMarker::State::Green);
    if (stored && !table_.addedMessage.isEmpty())
        ui().message(table_.addedMessage);
    if (added.skippedOwners > 0)
        ui().message(skippedOwnersMessage + QString::number(added.skippedOwners), MessageKind::Warning);
    refresh();
}

void AttachmentWindow::saveCurrent()
{
    const QVariant key = DBGrid1->currentValue(table_.keyColumn());
    if (!key.isValid())
        return;
    std::optional<StoredAttachment> file;
    try {
        file = fetchAttachment(dm().main(), table_, key.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    if (!file)
        return;
    const QString path = table_.save == SaveMode::ViewAtOnce ? writeViewingCopy(*file) : saveAttachmentAs(*file);
    if (path.isEmpty())
        return;
    if (table_.save != SaveMode::AskOpenIfTicked || CheckBox1->isChecked())
        openAttachmentFile(path);
}

void AttachmentWindow::deleteCurrent()
{
    const QVariant key = DBGrid1->currentValue(table_.keyColumn());
    if (!key.isValid())
        return;
    try {
        if (table_.askDeletePassword && !confirmDeletePassword(dm().main())) {
            if (!table_.wrongPasswordMessage.isEmpty())
                ui().message(table_.wrongPasswordMessage);
            return;
        }
        const QString log = table_.deleteLog.isEmpty()
            ? QString()
            : table_.deleteLog + context_.jobCode + QLatin1Char(' ') + session().karbar;
        deleteAttachment(dm().main(), table_, key.toLongLong(), session().karbar, log);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    refresh();
}

naghshe_pic::naghshe_pic() : AttachmentWindow(attachment::naghshe_pic()) {}
peymankar_pic::peymankar_pic() : AttachmentWindow(attachment::peymankar_pic()) {}
peymankaran_pic::peymankaran_pic() : AttachmentWindow(attachment::peymankaran_pic()) {}
borvinat_pic::borvinat_pic() : AttachmentWindow(attachment::borvinat_pic()) {}
moshaveran_pic::moshaveran_pic() : AttachmentWindow(attachment::moshaveran_pic()) {}
sabti_pic::sabti_pic() : AttachmentWindow(attachment::sabti_pic()) {}
sabti_peyman_pic::sabti_peyman_pic() : AttachmentWindow(attachment::sabti_peyman_pic()) {}
sabti_mokatebat_pic::sabti_mokatebat_pic() : AttachmentWindow(attachment::sabti_mokatebat_pic()) {}
mostanadat::mostanadat() : AttachmentWindow(attachment::mostanadat()) {}
naghshe_mostanadat::naghshe_mostanadat() : AttachmentWindow(attachment::naghshe_mostanadat()) {}
borvinat_mostanadat::borvinat_mostanadat() : AttachmentWindow(attachment::borvinat_mostanadat()) {}
sabti_mostanadat::sabti_mostanadat() : AttachmentWindow(attachment::sabti_mostanadat()) {}
zamaem::zamaem() : AttachmentWindow(attachment::zamaem()) {}

AttachmentWindow &attachmentWindow(const AttachmentTable &table)
{
    if (&table == &attachment::naghshe_pic())
        return windows::get<bv::naghshe_pic>();
    if (&table == &attachment::peymankar_pic())
        return windows::get<bv::peymankar_pic>();
    if (&table == &attachment::peymankaran_pic())
        return windows::get<bv::peymankaran_pic>();
    if (&table == &attachment::borvinat_pic())
        return windows::get<bv::borvinat_pic>();
    if (&table == &attachment::moshaveran_pic())
        return windows::get<bv::moshaveran_pic>();
    if (&table == &attachment::sabti_pic())
        return windows::get<bv::sabti_pic>();
    if (&table == &attachment::sabti_peyman_pic())
        return windows::get<bv::sabti_peyman_pic>();
    if (&table == &attachment::sabti_mokatebat_pic())
        return windows::get<bv::sabti_mokatebat_pic>();
    if (&table == &attachment::mostanadat())
        return windows::get<bv::mostanadat>();
    if (&table == &attachment::naghshe_mostanadat())
        return windows::get<bv::naghshe_mostanadat>();
    if (&table == &attachment::borvinat_mostanadat())
        return windows::get<bv::borvinat_mostanadat>();
    if (&table == &attachment::sabti_mostanadat())
        return windows::get<bv::sabti_mostanadat>();
    if (&table == &attachment::zamaem())
        return windows::get<bv::zamaem>();
    throw std::invalid_argument("no window for attachment table " + table.table().toStdString());
}

PageEntry attachmentPage(const AttachmentTable &table, const AttachmentContext &context)
{
    return {[&table]() -> QDialog & { return attachmentWindow(table); },
            [&table](const PageRights &rights) { attachmentWindow(table).applyRights(rights); },
            [&table, context] { attachmentWindow(table).prepare(context); }};
}

bool openAttachments(const AttachmentTable &table, const AttachmentContext &context)
{
    pages::registerPage(table.table(), attachmentPage(table, context));
    return pages::open(table.table(), context.pageKey.isEmpty() ? QString::fromLatin1(table.pageKey) : context.pageKey,
                       dm().main(), session());
}

}  // namespace bv

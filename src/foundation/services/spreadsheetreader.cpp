#include "spreadsheetreader.h"

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <freexl.h>
#include <unzip.h>

namespace bv {

QString sheetNumberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e18)
        return QString::number(qint64(value));
    const QString shortest = QString::number(value, 'g', 15);
    return shortest.toDouble() == value ? shortest : QString::number(value, 'g', 17);
}

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The spreadsheet limits, and the most this reader holds: a workbook beyond
// them is refused before anything is allocated for it.
constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;
constexpr quint64 maxPartBytes = 128 * 1024 * 1024;  // one inflated part of the zip
constexpr qint64 maxCells = 5000000;                 // of the table made rectangular

QString tooLarge()
{
    return QStringLiteral("the sheet is larger than this reader takes");
}

// Rows of cells by zero-based row and column, then made rectangular.
using Grid = QMap<int, QMap<int, QString>>;

std::optional<SheetTable> tableOf(const Grid &grid, QString *error)
{
    SheetTable table;
    if (grid.isEmpty())
        return table;
    // A value beyond the last heading widens the table, as it widens the sheet.
    int width = 0;
    for (const QMap<int, QString> &cells : grid)
        if (!cells.isEmpty())
            width = std::max(width, cells.lastKey() + 1);
    const qint64 height = qint64(grid.lastKey()) - grid.firstKey();
    if (height * width > maxCells) {
        fail(error, tooLarge());
        return std::nullopt;
    }
    const auto header = grid.first();
    for (int c = 0; c < width; ++c)
        table.columns << header.value(c);
    table.headingRow = grid.firstKey() + 1;
    // Blank rows between filled ones stay, so a row keeps its place in the sheet.
    for (int r = grid.firstKey() + 1; r <= grid.lastKey(); ++r) {
        const QMap<int, QString> cells = grid.value(r);
        QStringList row;
        for (int c = 0; c < width; ++c)
            row << cells.value(c);
        table.rows.push_back(row);
    }
    return table;
}

// ---- .xlsx ----

// The workbook's zip through minizip, the zip library the spreadsheet writer
// links too (a second copy of its symbols in one program breaks the writer).
class Zip {
public:
    explicit Zip(const QString &path) : zip_(unzOpen64(QFile::encodeName(path).constData())) {}
    ~Zip()
    {
        if (zip_)
            unzClose(zip_);
    }
    Zip(const Zip &) = delete;
    Zip &operator=(const Zip &) = delete;
    bool isOpen() const { return zip_ != nullptr; }

    enum class Part { Read, Missing, Unreadable };

    // A part larger than the limit is refused by the size the zip records,
    // before it is inflated; minizip inflates no more than that size.
    Part read(const QString &name, QByteArray &out)
    {
        out.clear();
        if (unzLocateFile(zip_, name.toUtf8().constData(), 2) != UNZ_OK)
            return Part::Missing;
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.uncompressed_size > maxPartBytes || unzOpenCurrentFile(zip_) != UNZ_OK)
            return Part::Unreadable;
        char buffer[65536];
        int n = 0;
        while ((n = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
        if (unzCloseCurrentFile(zip_) != UNZ_OK || n != 0) {
            out.clear();
            return Part::Unreadable;
        }
        return Part::Read;
    }

private:
    unzFile zip_;
};

// "AB12" -> row 11, column 27 (zero-based); false for a reference that is not
// a cell within the spreadsheet limits.
bool cellOf(QStringView ref, int &row, int &column)
{
    qsizetype i = 0;
    int c = 0;
    for (; i < ref.size() && i < 3; ++i) {
        const char16_t ch = QChar::toUpper(ref[i].unicode());
        if (ch < u'A' || ch > u'Z')
            break;
        c = c * 26 + (ch - u'A' + 1);
    }
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (i == 0 || i == ref.size() || !ref[i].isDigit() || !ok || c > maxColumns || r < 1 || r > maxRows)
        return false;
    row = r - 1;
    column = c - 1;
    return true;
}

// All text of the current element and its children (rich text runs), stopping
// at its end tag; phonetic runs are skipped.
QString innerText(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    bool phonetic = false;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == QLatin1String("rPh"))
                phonetic = true;
        } else if (xml.isEndElement()) {
            --depth;
            if (xml.name() == QLatin1String("rPh"))
                phonetic = false;
        } else if (xml.isCharacters() && !phonetic) {
            text += xml.text();
        }
    }
    return text;
}

// A number cell as its full digits: "7.78899001122E+11" -> "778899001122".
QString numberText(const QString &raw)
{
    if (!raw.contains(QLatin1Char('E'), Qt::CaseInsensitive))
        return raw;
    bool ok = false;
    const double v = raw.toDouble(&ok);
    return ok ? sheetNumberText(v) : raw;
}

std::optional<SheetTable> readXlsx(const QString &path, const QString &sheet, QString *error)
{
    Zip zip(path);
    if (!zip.isOpen()) {
        fail(error, QStringLiteral("not a readable workbook: ") + path);
        return std::nullopt;
    }
    QByteArray workbook, rels;
    if (zip.read(QStringLiteral("xl/workbook.xml"), workbook) != Zip::Part::Read ||
        zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), rels) != Zip::Part::Read) {
        fail(error, QStringLiteral("not a workbook: ") + path);
        return std::nullopt;
    }
    QString relId;
    for (QXmlStreamReader xml(workbook); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet") &&
            xml.attributes().value(QLatin1String("name")).compare(sheet, Qt::CaseInsensitive) == 0) {
            for (const QXmlStreamAttribute &a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    relId = a.value().toString();
            break;
        }
    }
    if (relId.isEmpty()) {
        fail(error, QStringLiteral("no sheet \"%1\"").arg(sheet));
        return std::nullopt;
    }
    QString target;
    for (QXmlStreamReader xml(rels); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Relationship") &&
            xml.attributes().value(QLatin1String("Id")) == relId)
            target = xml.attributes().value(QLatin1String("Target")).toString();
    }
    if (target.startsWith(QLatin1Char('/')))
        target = target.mid(1);
    else
        target = QStringLiteral("xl/") + target;

    QStringList shared;
    QByteArray sst;
    switch (zip.read(QStringLiteral("xl/sharedStrings.xml"), sst)) {
    case Zip::Part::Read:
        for (QXmlStreamReader xml(sst); !xml.atEnd();)
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si")) {
                if (shared.size() >= maxCells) {
                    fail(error, tooLarge());
                    return std::nullopt;
                }
                shared << innerText(xml);
            }
        break;
    case Zip::Part::Missing:
        break;
    case Zip::Part::Unreadable:
        fail(error, QStringLiteral("the shared strings cannot be read"));
        return std::nullopt;
    }

    QByteArray data;
    if (zip.read(target, data) != Zip::Part::Read) {
        fail(error, QStringLiteral("sheet \"%1\" cannot be read from the file").arg(sheet));
        return std::nullopt;
    }
    Grid grid;
    qint64 cells = 0;
    QXmlStreamReader xml(data);
    int row = -1;
    int nextColumn = 0;
    const auto beyond = [&] {
        fail(error, QStringLiteral("a cell beyond the spreadsheet limits"));
        return std::nullopt;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("row")) {
            const auto r = xml.attributes().value(QLatin1String("r"));
            bool ok = true;
            row = r.isEmpty() ? row + 1 : r.toInt(&ok) - 1;
            if (!ok || row < 0 || row >= maxRows)
                return beyond();
            nextColumn = 0;
        } else if (xml.name() == QLatin1String("c")) {
            const QXmlStreamAttributes attrs = xml.attributes();
            const auto ref = attrs.value(QLatin1String("r"));
            const QString type = attrs.value(QLatin1String("t")).toString();
            int column = nextColumn;
            if (!ref.isEmpty() && !cellOf(ref, row, column))
                return beyond();
            if (row < 0 || column >= maxColumns)
                return beyond();
            nextColumn = column + 1;
            QString value;
            bool inlineText = false;
            bool hasValue = false;
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    if (xml.name() == QLatin1String("v")) {
                        value = xml.readElementText();
                        hasValue = true;
                    } else if (xml.name() == QLatin1String("is")) {
                        value = innerText(xml);
                        inlineText = true;
                        hasValue = true;
                    } else {
                        ++depth;
                    }
                } else if (xml.isEndElement()) {
                    --depth;
                }
            }
            QString text;
            if (type == QLatin1String("s")) {
                const int index = value.toInt();
                text = index >= 0 && index < shared.size() ? shared[index] : QString();
            } else if (inlineText || type == QLatin1String("str") || type == QLatin1String("inlineStr")) {
                text = value;
            } else if (type == QLatin1String("b")) {
                text = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            } else if (type == QLatin1String("e")) {
                text = value;
            } else {
                text = numberText(value);
            }
            // A cell that only carries a format (a bold heading row, borders)
            // holds nothing: it widens neither the table nor the sheet.
            if (hasValue) {
                if (++cells > maxCells) {
                    fail(error, tooLarge());
                    return std::nullopt;
                }
                grid[row][column] = text;
            }
        }
    }
    if (xml.hasError()) {
        fail(error, xml.errorString());
        return std::nullopt;
    }
    return tableOf(grid, error);
}

// ---- .xls ----

std::optional<SheetTable> readXls(const QString &path, const QString &sheet, QString *error)
{
    const void *handle = nullptr;
    struct Closer {
        const void *&h;
        ~Closer()
        {
            if (h)
                freexl_close(h);
        }
    } closer{handle};
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        fail(error, QStringLiteral("not a readable workbook: ") + path);
        return std::nullopt;
    }
    unsigned int count = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
    int index = -1;
    for (unsigned int i = 0; i < count && index < 0; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, (unsigned short)i, &name) == FREEXL_OK && name &&
            QString::fromUtf8(name).compare(sheet, Qt::CaseInsensitive) == 0)
            index = int(i);
    }
    if (index < 0) {
        fail(error, QStringLiteral("no sheet \"%1\"").arg(sheet));
        return std::nullopt;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, (unsigned short)index) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        fail(error, QStringLiteral("sheet \"%1\" cannot be read").arg(sheet));
        return std::nullopt;
    }
    Grid grid;
    qint64 cells = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK)
                continue;
            QString text;
            switch (cell.type) {
            case FREEXL_CELL_INT:
                text = QString::number(cell.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = sheetNumberText(cell.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(cell.value.text_value);
                break;
            default:
                continue;
            }
            if (++cells > maxCells) {
                fail(error, tooLarge());
                return std::nullopt;
            }
            grid[int(r)][int(c)] = text;
        }
    }
    return tableOf(grid, error);
}

}  // namespace

std::optional<SheetTable> readSheet(const QString &path, const QString &sheet, QString *error)
{
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open ") + path);
        return std::nullopt;
    }
    // Chosen by content, not by name: an .xlsx is a zip, an .xls a compound file.
    const QByteArray magic = probe.read(4);
    probe.close();
    if (magic.startsWith("PK"))
        return readXlsx(path, sheet, error);
    return readXls(path, sheet, error);
}

}  // namespace bv

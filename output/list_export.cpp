#include "output/list_export.h"

#include "model/platform.h"
#include "model/shopping_data.h"
#include "model/win1252.h"
#include "output/table_walk.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

// Column widths of the text export's entry lines.
constexpr int kMarkerWidth = 3;
constexpr int kAisleWidth = 15;
constexpr int kQuantityWidth = 2;
constexpr int kProductWidth = 25;
constexpr int kPriceWidth = 8;
constexpr int kLineTotalWidth = 9;

// A text column: cut to its width, padded with blanks on the right.
QString leftColumn(const QString& value, int width) {
    return value.left(width).leftJustified(width, u' ');
}

// A number column, right-aligned. Blanks in front of the value may be dropped to make it fit,
// its digits never are: a value still too long is written whole.
QString rightColumn(const QString& value, int width) {
    qsizetype start = 0;
    while (value.size() - start > width && value.at(start) == u' ')
        ++start;
    return value.mid(start).rightJustified(width, u' ');
}

QString entryMarker(const Record& row) {
    QString m;
    m += RecordTable::textOf(row, Lst::Prevu) == Flag::Yes ? u'>' : u'-';
    m += RecordTable::textOf(row, Lst::Rappel) == Flag::Yes ? u'*' : u' ';
    return m;
}

// The catalogue price of the list row's product, when the catalogue shows a product of that
// exact name whose price is above zero.
std::optional<Money> partnerPrice(RecordTable& catalogue, const QString& product) {
    if (!catalogue.locate(Cat::Produit, product))
        return std::nullopt;
    const auto price = RecordTable::realOf(*catalogue.current(), Cat::Prix);
    if (!price || !(*price > 0.0))
        return std::nullopt;
    return Money::fromDouble(*price);
}

// quantity × price, or nothing when it does not fit the money type.
std::optional<Money> lineTotal(Money price, qint32 quantity) {
    qint64 raw = 0;
    if (__builtin_mul_overflow(price.raw(), static_cast<qint64>(quantity), &raw))
        return std::nullopt;
    return Money::fromRaw(raw);
}

QString quoted(const char* html) {
    return QString::fromLatin1(html);
}

QStringList htmlHead(const QString& title, const QString& date) {
    const QString t = htmlEscaped(title);
    const QString d = htmlEscaped(date);
    return {
        quoted("<html>"),
        quoted("<head>"),
        quoted("<title>") + t + quoted(" en date du ") + d + quoted("</title>"),
        quoted("</head>"),
        quoted("<body>"),
        quoted("<table border=\"0\" cellpadding=\"10\" cellspacing=\"0\" width =\"95%\" >"),
        quoted("<tr>"),
        quoted("  <td align=\"center\">"),
        quoted("<font size=2>") + t + quoted(" du ") + d + quoted("</font>"),
        quoted("  </td>"),
        quoted("</tr>"),
        quoted("</table>"),
        quoted("<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\" width =\"95%\" >"),
    };
}

QStringList htmlSectorHead(const QString& sector) {
    return {
        quoted("<tr>"),
        quoted("  <td align=\"left\" colspan=\"6\"><font size=2><b> ") + htmlEscaped(sector) +
            quoted("</b></font></td>"),
        quoted("</tr>"),
    };
}

QStringList htmlEntry(const ExportEntry& e) {
    auto cell = [](const char* align, const QString& value) {
        return quoted(" <td align=\"") + quoted(align) + quoted("\"><font size=1>") +
               htmlEscaped(value) + quoted("</font> </td>");
    };
    return {
        quoted("<tr>"),
        cell("left", e.marker),
        cell("left", e.aisle),
        cell("center", e.quantity),
        cell("left", e.product),
        cell("right", e.unitPrice),
        cell("right", e.lineTotal),
        quoted("</tr>"),
    };
}

} // namespace

QString listExportFileName(ExportFormat format) {
    return format == ExportFormat::Html ? QStringLiteral("kabiro.htm")
                                        : QStringLiteral("kabiro.txt");
}

QString exportMoneyText(Money amount, const RegionalSettings& regional) {
    return u' ' + regional.formatMoney(amount, 2).rightJustified(6, u' ');
}

QString textExportLine(const ExportEntry& e) {
    QString line;
    line.reserve(68);
    line += leftColumn(e.marker, kMarkerWidth) + u' ';
    line += leftColumn(e.aisle, kAisleWidth) + u' ';
    line += rightColumn(e.quantity, kQuantityWidth) + u' ';
    line += leftColumn(e.product, kProductWidth) + u' ';
    line += rightColumn(e.unitPrice, kPriceWidth) + u' ';
    line += rightColumn(e.lineTotal, kLineTotalWidth) + u' ';
    return line;
}

QString htmlEscaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'&')
            out += QStringLiteral("&amp;");
        else if (c == u'<')
            out += QStringLiteral("&lt;");
        else if (c == u'>')
            out += QStringLiteral("&gt;");
        else
            out += c;
    }
    return out;
}

ListExportContent buildListExport(ShoppingData& data, ExportFormat format, const QString& title,
                                  QDate date, const RegionalSettings& regional) {
    const bool html = format == ExportFormat::Html;
    const QString day = regional.shortDate(date);
    ListExportContent out;
    if (html)
        out.lines = htmlHead(title, day);
    else
        out.lines << title + QStringLiteral(" en date du ") + day;

    {
        TableWalk walk(data);
        RecordTable& list = data.list;
        list.sort(QString::fromLatin1(kListExportOrder));
        const QString dash = QStringLiteral("-");
        // No sector has been written yet (a marker name such as "*" would hide the head of a
        // sector really called so).
        std::optional<QString> previousSector;
        QString previousAisle;
        for (list.first(); !list.eof(); list.next()) {
            const Record& row = *list.current();
            const QString sector = RecordTable::textOf(row, Lst::Secteur);
            if (!previousSector || sector != *previousSector) {
                previousSector = sector;
                if (html)
                    out.lines << htmlSectorHead(sector);
                else
                    out.lines << QString() << sector;
            }

            ExportEntry e;
            e.marker = entryMarker(row);
            const QString aisle = RecordTable::textOf(row, Lst::Rayon);
            e.aisle = aisle != previousAisle ? aisle : dash;
            previousAisle = aisle;
            const auto quantity = RecordTable::integerOf(row, Lst::unite_vente);
            e.quantity = quantity ? QString::number(*quantity) : QString();
            e.product = RecordTable::textOf(row, Lst::Produit);
            const auto price = partnerPrice(data.catalogue, e.product);
            e.unitPrice = price ? exportMoneyText(*price, regional) : dash;
            const auto total =
                price && quantity && *quantity > 1 ? lineTotal(*price, *quantity) : std::nullopt;
            e.lineTotal = total ? exportMoneyText(*total, regional) : dash;

            if (html)
                out.lines << htmlEntry(e);
            else
                out.lines << textExportLine(e);
            ++out.entries;
        }
    }

    if (html)
        out.lines << quoted("</table>") << quoted("</body>") << quoted("</html>");
    else
        out.lines << QString();
    return out;
}

ExportResult writeListExport(ShoppingData& data, ExportFormat format, const QString& title,
                             QDate date, const RegionalSettings& regional,
                             const QString& directory) {
    ExportResult result;
    result.path =
        QFileInfo(QDir(directory).filePath(listExportFileName(format))).absoluteFilePath();
    ExportFile file(result.path);
    result.error = file.open();
    if (!result.error.isEmpty())
        return result;
    const ListExportContent content = buildListExport(data, format, title, date, regional);
    result.entries = content.entries;
    QByteArray bytes;
    for (const QString& line : content.lines) {
        bytes += win1252::encode(line);
        bytes += "\r\n";
    }
    result.error = file.commit(bytes);
    result.written = result.error.isEmpty();
    return result;
}

ExportResult exportList(ShoppingData& data, Platform& platform, ExportFormat format,
                        const QString& title, const QString& directory) {
    ExportResult result =
        writeListExport(data, format, title, platform.today(), platform.regional(), directory);
    if (!result.written)
        platform.error(result.error);
    else if (result.entries > 0)
        platform.shellOpen(result.path);
    else
        platform.beep();
    return result;
}

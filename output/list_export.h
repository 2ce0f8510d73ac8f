#pragma once

#include "model/money.h"
#include "model/regional_settings.h"
#include "output/export_file.h"

#include <QDate>
#include <QString>
#include <QStringList>

class Platform;
class ShoppingData;

// The two forms of the list export.
enum class ExportFormat { Text, Html };

// "kabiro.txt" or "kabiro.htm".
QString listExportFileName(ExportFormat format);

// The values of one exported entry, before the text export fits them into its columns.
struct ExportEntry {
    QString marker;    // ">" planned or "-", then "*" due or " "
    QString aisle;     // Rayon, or "-" when it is the aisle of the entry written before
    QString quantity;  // unité_vente, empty when the field is empty
    QString product;   // Produit
    QString unitPrice; // money text of the catalogue price, or "-"
    QString lineTotal; // money text of quantity × price for more than one unit, or "-"
};

// One blank, then the amount in the locale's money format with two decimals, padded on the left
// with blanks to at least six characters.
QString exportMoneyText(Money amount, const RegionalSettings& regional);

// The text export's line for one entry: six columns (3, 15, 2, 25, 8 and 9 characters), each
// followed by a blank, 68 characters in all. Aisle and product are cut to their columns; a
// quantity or amount that does not fit its column is never cut into (only blanks in front of it
// may go), it widens the line instead.
QString textExportLine(const ExportEntry& entry);

// The text with "&", "<" and ">" written as HTML entities.
QString htmlEscaped(const QString& text);

// The export's lines, without line ends, and the number of entries written.
struct ListExportContent {
    QStringList lines;
    int entries = 0;
};

// Builds the export of the shopping list as the shop filter shows it. The list is sorted on
// "Secteur;Rayon;Produit" (it stays so); prices come from the catalogue product of the same
// name, found with an exact locate under the filter. Both tables get their current records
// back and the grids' refresh is suspended meanwhile. `date` is today's date.
ListExportContent buildListExport(ShoppingData& data, ExportFormat format, const QString& title,
                                  QDate date, const RegionalSettings& regional);

// Writes kabiro.txt or kabiro.htm into `directory` (Windows-1252, CR LF), replacing any file
// of that name. When the file cannot be created the list is left as it was.
ExportResult writeListExport(ShoppingData& data, ExportFormat format, const QString& title,
                             QDate date, const RegionalSettings& regional,
                             const QString& directory);

// The whole export command: writes the file with the platform's date and regional settings,
// then hands the file to the desktop when at least one entry was written, or beeps when none
// was. A file that cannot be written is reported in an error box and nothing is opened.
ExportResult exportList(ShoppingData& data, Platform& platform, ExportFormat format,
                        const QString& title, const QString& directory);

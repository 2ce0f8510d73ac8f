#pragma once

#include "model/money.h"
#include "model/regional_settings.h"

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

class ShoppingData;

// The printed shopping list as positioned boxes in millimetres, before anything is drawn: pages
// of bands (page header, sector and aisle headings, product and note lines, sector closing
// lines) and the elements inside each band. The painter turns it into device units.
namespace report {

// ---------------------------------------------------------------- page set-up (millimetres)

inline constexpr double kPaperShort = 210.0; // A4
inline constexpr double kPaperLong = 297.0;
inline constexpr double kMarginTop = 10.0;
inline constexpr double kMarginBottom = 8.0;
inline constexpr double kMarginLeft = 8.0;
inline constexpr double kMarginRight = 8.0;
inline constexpr double kColumnGap = 10.0;

inline constexpr double kHeaderHeight = 9.3;
inline constexpr double kSectorHeight = 8.2;
inline constexpr double kAisleHeight = 4.9;
inline constexpr double kProductHeight = 4.6;
inline constexpr double kNoteHeight = 2.6;
inline constexpr double kClosingHeight = 3.7;

// The sector heading's grey background (238, 238, 238).
QColor sectorBackground();

// Caption of the preview window and name of the print job.
QString reportTitle(); // "Ma Paniva"

struct PageSetup {
    bool landscape = false;
    int columns = 2;

    double paperWidth() const { return landscape ? kPaperLong : kPaperShort; }
    double paperHeight() const { return landscape ? kPaperShort : kPaperLong; }
    // The width between the margins, less the gaps, shared by the columns: 92.0 for two
    // portrait columns, 87.0 for three landscape ones.
    double columnWidth() const;
    double columnLeft(int column) const;
    double contentTop() const { return kMarginTop + kHeaderHeight; }
    double contentBottom() const { return paperHeight() - kMarginBottom; }
};

// The print orientation setting: 0 portrait in 2 columns, 1 landscape in 3 columns; any other
// value keeps the page's present orientation (`currentLandscape`) with 2 columns.
PageSetup pageSetupFor(int orientation, bool currentLandscape);

// ---------------------------------------------------------------- bands and elements

enum class BandKind {
    PageHeader,
    SectorHeading,
    AisleHeading,
    ProductLine,
    NoteLine,
    SectorClosing
};

enum class Role {
    Total,
    Title,
    Date,
    Picture,
    Sector,
    Aisle,
    TickCircle,
    PlannedDot,
    ReminderDot,
    Product,
    Quantity,
    Times,
    Price,
    Note,
};

enum class ElementKind { Text, Circle, Picture };
enum class Align { Left, Right, Center };

struct FontChoice {
    QString family;
    double pointSize = 10.0;
    bool bold = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

FontChoice reportFont(); // Arial 10 pt

struct Element {
    Role role = Role::Total;
    ElementKind kind = ElementKind::Text;
    // Millimetres from the band's top-left corner (a negative top reaches above the band). A
    // growing text takes the width of its text: then `width` is 0 and `x` is the left edge,
    // the right edge or the centre, as its alignment says; otherwise `x` is the left edge.
    double x = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool grows = false;
    Align align = Align::Left;
    FontChoice font;
    QString text;
    // A long text breaks at a word boundary and only its first line shows.
    bool firstLineOnly = false;
    QColor fill; // circles: the inside colour
};

// Frame sides of a band.
enum Side : unsigned { NoSide = 0, LeftSide = 1, RightSide = 2, TopSide = 4, BottomSide = 8 };

struct Band {
    BandKind kind = BandKind::ProductLine;
    // Millimetres from the paper's top-left corner.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    unsigned frame = NoSide;
    bool thickFrame = false; // twice the width of the other frame lines
    QColor background;       // invalid: white
    int column = -1;         // -1 for the page header
    std::vector<Element> elements;

    const Element* find(Role role) const;
};

struct Page {
    std::vector<Band> bands;
};

struct Layout {
    PageSetup setup;
    std::vector<Page> pages;
};

// ---------------------------------------------------------------- input

// One shopping-list entry with what the catalogue says about its product.
struct Entry {
    QString sector;
    QString aisle;
    QString product;
    QString quantity;            // unité_vente, empty when the field is empty
    bool planned = false;        // Prevu "O"
    QString reminder;            // Rappel: "O" due, "P" due within the window, else none
    bool inCatalogue = false;    // a catalogue product of this name was found
    std::optional<double> price; // its Prix
    QString memo;                // its note
};

struct Header {
    QString total; // the list total exactly as the window shows it
    QString title; // the window's title
    QString date;  // today's short date
};

// The colours of the three legend panels.
struct PanelColours {
    QColor planned; // cpanel1 "Prévu"
    QColor due;     // cpanel2 "Rappel"
    QColor window;  // cpanel3 "Rappel(+)"
};

// The list entries the shop filter shows, in the list's present order, each with its catalogue
// partner found by exact locate on Produit under the filter. Both tables get their current
// records back and their grids' refresh is suspended meanwhile.
std::vector<Entry> collectEntries(ShoppingData& data);

// Lays the entries out. The header is repeated on every page; a sector running onto a new page
// gets its heading again there (an aisle heading does not repeat). A heading is never left at the
// foot of a column without its first product line, a note line stays under its product line and
// the closing line under the sector's last product line.
Layout layoutReport(const std::vector<Entry>& entries, const Header& header,
                    const PanelColours& colours, const RegionalSettings& regional, PageSetup setup);

// The text of the window's list total box: a blank, then the amount in the locale's money format
// with two decimals, right-aligned in at least eight characters.
QString listTotalText(Money total, const RegionalSettings& regional);

} // namespace report

#include "output/report_layout.h"

#include "model/shopping_data.h"
#include "output/table_walk.h"

namespace report {

namespace {

// Lengths below this are rounding noise of the millimetre sums.
constexpr double kEpsilon = 1e-9;

FontChoice arial(double size, bool bold = false) {
    return {QStringLiteral("Arial"), size, bold};
}

Element text(Role role, double x, double top, double width, double height, Align align,
             FontChoice font, QString content) {
    Element e;
    e.role = role;
    e.kind = ElementKind::Text;
    e.x = x;
    e.top = top;
    e.width = width;
    e.height = height;
    e.align = align;
    e.font = std::move(font);
    e.text = std::move(content);
    return e;
}

Element growing(Role role, double anchor, double top, double height, Align align, FontChoice font,
                QString content) {
    Element e = text(role, anchor, top, 0.0, height, align, std::move(font), std::move(content));
    e.grows = true;
    return e;
}

Element circle(Role role, double x, QColor fill) {
    Element e;
    e.role = role;
    e.kind = ElementKind::Circle;
    e.x = x;
    e.top = 0.7;
    e.width = 3.1;
    e.height = 3.1;
    e.fill = fill;
    return e;
}

QString priceText(double price, const RegionalSettings& regional) {
    if (const auto m = Money::fromDouble(price))
        return regional.formatMoney(*m, 2);
    return regional.formatMoney(price, 2);
}

// The bands of one entry before they are placed: their kinds, heights and contents.
struct PendingBand {
    BandKind kind;
    double height;
    unsigned frame;
    bool thick;
    QColor background;
    std::vector<Element> elements;
};

PendingBand sectorHeading(const QString& sector) {
    return {BandKind::SectorHeading,
            kSectorHeight,
            LeftSide | RightSide | TopSide | BottomSide,
            true,
            sectorBackground(),
            {growing(Role::Sector, 43.2, 2.2, 4.9, Align::Center, arial(11, true), sector)}};
}

PendingBand aisleHeading(const QString& aisle) {
    return {BandKind::AisleHeading,
            kAisleHeight,
            LeftSide | RightSide,
            false,
            QColor(),
            {growing(Role::Aisle, 1.3, 0.0, 4.4, Align::Left, arial(10, true), aisle)}};
}

PendingBand productLine(const Entry& e, const PanelColours& colours,
                        const RegionalSettings& regional) {
    PendingBand b{BandKind::ProductLine, kProductHeight, LeftSide | RightSide, false, QColor(), {}};
    auto& el = b.elements;
    el.push_back(circle(Role::TickCircle, 0.9, QColor(Qt::white)));
    if (e.planned)
        el.push_back(circle(Role::PlannedDot, 5.1, colours.planned));
    if (e.reminder == QLatin1String("O"))
        el.push_back(circle(Role::ReminderDot, 8.8, colours.due));
    else if (e.reminder == QLatin1String("P"))
        el.push_back(circle(Role::ReminderDot, 8.8, colours.window));
    Element product = text(Role::Product, 13.0, -0.4, 50.5, 4.9, Align::Left, arial(10), e.product);
    product.firstLineOnly = true;
    el.push_back(product);
    el.push_back(text(Role::Quantity, 62.8, -0.4, 6.6, 4.9, Align::Right, arial(10), e.quantity));
    el.push_back(
        growing(Role::Times, 70.1, -0.7, 4.4, Align::Left, reportFont(), QStringLiteral("x")));
    if (e.inCatalogue && e.price && *e.price > 0.0)
        el.push_back(text(Role::Price, 72.1, -0.2, 14.1, 4.6, Align::Right, arial(10),
                          priceText(*e.price, regional)));
    return b;
}

PendingBand noteLine(const QString& memo) {
    Element note = text(Role::Note, 13.0, -1.3, 72.1, 4.2, Align::Left, arial(8, true), memo);
    note.firstLineOnly = true;
    return {BandKind::NoteLine, kNoteHeight, LeftSide | RightSide, false, QColor(), {note}};
}

PendingBand closingLine() {
    return {BandKind::SectorClosing, kClosingHeight, TopSide, false, QColor(), {}};
}

Band pageHeader(const Header& h, const PageSetup& setup) {
    Band b;
    b.kind = BandKind::PageHeader;
    b.left = kMarginLeft;
    b.top = kMarginTop;
    b.width = setup.paperWidth() - kMarginLeft - kMarginRight;
    b.height = kHeaderHeight;
    b.elements.push_back(growing(Role::Total, 0.0, 4.4, 4.4, Align::Left, reportFont(), h.total));
    b.elements.push_back(growing(Role::Title, 75.0, -0.2, 5.7, Align::Right,
                                 {QStringLiteral("Comic Sans MS"), 11, true}, h.title));
    b.elements.push_back(growing(Role::Date, 75.2, 4.9, 4.9, Align::Right, arial(10), h.date));
    Element picture;
    picture.role = Role::Picture;
    picture.kind = ElementKind::Picture;
    picture.x = 77.6;
    picture.top = 0.0;
    picture.width = 8.6;
    picture.height = 9.0;
    picture.align = Align::Center;
    b.elements.push_back(picture);
    return b;
}

// Places bands down the columns of the pages.
class Flow {
public:
    Flow(Layout& layout, const Header& header) : out_(layout), header_(header) { newPage(); }

    double room() const { return out_.setup.contentBottom() - y_; }
    bool columnEmpty() const { return y_ <= out_.setup.contentTop() + kEpsilon; }

    // Moves to the next column, or to a new page after the last one. True on a new page.
    bool advance() {
        if (column_ + 1 < out_.setup.columns) {
            ++column_;
            y_ = out_.setup.contentTop();
            return false;
        }
        newPage();
        return true;
    }

    void place(PendingBand&& p) {
        Band b;
        b.kind = p.kind;
        b.left = out_.setup.columnLeft(column_);
        b.top = y_;
        b.width = out_.setup.columnWidth();
        b.height = p.height;
        b.frame = p.frame;
        b.thickFrame = p.thick;
        b.background = p.background;
        b.column = column_;
        b.elements = std::move(p.elements);
        out_.pages.back().bands.push_back(std::move(b));
        y_ += p.height;
    }

private:
    void newPage() {
        out_.pages.emplace_back();
        out_.pages.back().bands.push_back(pageHeader(header_, out_.setup));
        column_ = 0;
        y_ = out_.setup.contentTop();
    }

    Layout& out_;
    const Header& header_;
    int column_ = 0;
    double y_ = 0;
};

double heightOf(const std::vector<PendingBand>& group) {
    double h = 0;
    for (const auto& b : group)
        h += b.height;
    return h;
}

} // namespace

QColor sectorBackground() {
    return QColor(238, 238, 238);
}

QString reportTitle() {
    return QStringLiteral("Ma Paniva");
}

FontChoice reportFont() {
    return arial(10);
}

double PageSetup::columnWidth() const {
    const int n = columns > 0 ? columns : 1;
    return (paperWidth() - kMarginLeft - kMarginRight - kColumnGap * (n - 1)) / n;
}

double PageSetup::columnLeft(int column) const {
    return kMarginLeft + column * (columnWidth() + kColumnGap);
}

PageSetup pageSetupFor(int orientation, bool currentLandscape) {
    if (orientation == 0)
        return {false, 2};
    if (orientation == 1)
        return {true, 3};
    return {currentLandscape, 2};
}

const Element* Band::find(Role role) const {
    for (const Element& e : elements)
        if (e.role == role)
            return &e;
    return nullptr;
}

std::vector<Entry> collectEntries(ShoppingData& data) {
    std::vector<Entry> out;
    TableWalk walk(data);
    RecordTable& list = data.list;
    RecordTable& catalogue = data.catalogue;
    for (list.first(); !list.eof(); list.next()) {
        const Record& row = *list.current();
        Entry e;
        e.sector = RecordTable::textOf(row, Lst::Secteur);
        e.aisle = RecordTable::textOf(row, Lst::Rayon);
        e.product = RecordTable::textOf(row, Lst::Produit);
        const auto quantity = RecordTable::integerOf(row, Lst::unite_vente);
        e.quantity = quantity ? QString::number(*quantity) : QString();
        e.planned = RecordTable::textOf(row, Lst::Prevu) == Flag::Yes;
        e.reminder = RecordTable::textOf(row, Lst::Rappel);
        if (catalogue.locate(Cat::Produit, e.product)) {
            const Record& product = *catalogue.current();
            e.inCatalogue = true;
            e.price = RecordTable::realOf(product, Cat::Prix);
            e.memo = RecordTable::textOf(product, Cat::memo);
        }
        out.push_back(std::move(e));
    }
    return out;
}

Layout layoutReport(const std::vector<Entry>& entries, const Header& header,
                    const PanelColours& colours, const RegionalSettings& regional,
                    PageSetup setup) {
    Layout layout;
    layout.setup = setup;
    Flow flow(layout, header);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const Entry* before = i > 0 ? &entries[i - 1] : nullptr;
        const Entry* after = i + 1 < entries.size() ? &entries[i + 1] : nullptr;
        const bool newSector = !before || before->sector != e.sector;
        const bool newAisle = newSector || before->aisle != e.aisle;
        const bool lastOfSector = !after || after->sector != e.sector;

        // The bands that must stay together in one column.
        std::vector<PendingBand> group;
        if (newSector)
            group.push_back(sectorHeading(e.sector));
        if (newAisle)
            group.push_back(aisleHeading(e.aisle));
        group.push_back(productLine(e, colours, regional));
        if (e.inCatalogue && !e.memo.isEmpty())
            group.push_back(noteLine(e.memo));
        if (lastOfSector)
            group.push_back(closingLine());

        if (heightOf(group) > flow.room() + kEpsilon && !flow.columnEmpty()) {
            // A sector that goes on over a page break is announced again on the new page.
            if (flow.advance() && !newSector)
                group.insert(group.begin(), sectorHeading(e.sector));
        }
        for (auto& b : group)
            flow.place(std::move(b));
    }
    return layout;
}

QString listTotalText(Money total, const RegionalSettings& regional) {
    return u' ' + regional.formatMoney(total, 2).rightJustified(8, u' ');
}

} // namespace report

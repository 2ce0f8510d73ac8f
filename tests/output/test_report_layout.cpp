#include "list_fixture.h"
#include "support/scripted_platform.h"
#include "support/test_registry.h"

#include "output/print_preview.h"
#include "output/report_layout.h"
#include "output/report_painter.h"
#include "output/table_walk.h"

#include <QApplication>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace outfix;
using namespace report;

namespace {

const PanelColours kColours{QColor(0, 255, 255), QColor(255, 255, 0), QColor(0, 255, 0)};
const Header kHeader{QString::fromUtf8("   12,40\u00a0€"), "Paniva v2.0", "09/12/2026"};

bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

#define COMPARE_MM(actual, expected)                                                               \
    QVERIFY2(                                                                                      \
        near((actual), (expected)),                                                                \
        qPrintable(QStringLiteral("%1 = %2, expected %3").arg(#actual).arg(actual).arg(expected)))

QString kindName(BandKind k) {
    switch (k) {
    case BandKind::PageHeader:
        return "header";
    case BandKind::SectorHeading:
        return "sector";
    case BandKind::AisleHeading:
        return "aisle";
    case BandKind::ProductLine:
        return "product";
    case BandKind::NoteLine:
        return "note";
    case BandKind::SectorClosing:
        return "closing";
    }
    return "?";
}

// The bands of a page as "kind:text" (the band's main text, when it has one).
QStringList describe(const Page& page) {
    QStringList out;
    for (const Band& b : page.bands) {
        QString s = kindName(b.kind);
        for (Role r : {Role::Sector, Role::Aisle, Role::Product, Role::Note})
            if (const Element* e = b.find(r))
                s += ":" + e->text;
        out << s;
    }
    return out;
}

Entry entry(const QString& sector, const QString& aisle, const QString& product,
            std::optional<double> price = 1.0, const QString& memo = QString()) {
    Entry e;
    e.sector = sector;
    e.aisle = aisle;
    e.product = product;
    e.quantity = "1";
    e.inCatalogue = true;
    e.price = price;
    e.memo = memo;
    return e;
}

// Five entries in two sectors, given in an order the sort must change.
void fillFive(ShoppingData& d) {
    addProduct(d, "Boucherie", "Volaille", "Poulet", 7.9, "fermier");
    addProduct(d, "Boucherie", "Boeuf", "Steak", 3.2);
    addProduct(d, "Primeur", "Fruits", "Pommes", 2.5, "Golden de Savoie");
    addProduct(d, "Primeur", "Fruits", "bananes", 0.0);
    addProduct(d, "Primeur", QString::fromUtf8("Légumes"), "Carottes", 1.2);
    addRow(d, {"Primeur", "Fruits", "Pommes", 2, "O", "P"});
    addRow(d, {"Boucherie", "Volaille", "Poulet", 1, "N", "O"});
    addRow(d, {"Primeur", QString::fromUtf8("Légumes"), "Carottes", 3});
    addRow(d, {"boucherie", "Boeuf", "Steak", 4, "O", "N"});
    addRow(d, {"Primeur", "Fruits", "bananes", 6});
}

// Where a band stands on the paper: "left,top widthxheight".
QString place(const Band& b) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(b.left, 0, 'f', 1)
        .arg(b.top, 0, 'f', 1)
        .arg(b.width, 0, 'f', 1)
        .arg(b.height, 0, 'f', 1);
}

// A band's elements, one text each: position, size, alignment, font and content.
QStringList elements(const Band& b) {
    QStringList out;
    for (const Element& e : b.elements) {
        QString s = QStringLiteral("%1,%2 ").arg(e.x, 0, 'f', 1).arg(e.top, 0, 'f', 1);
        s += e.grows ? QStringLiteral("grows ") : QString::number(e.width, 'f', 1);
        s += QStringLiteral("x%1 ").arg(e.height, 0, 'f', 1);
        if (e.kind == ElementKind::Circle) {
            out << s + "circle " + e.fill.name();
            continue;
        }
        if (e.kind == ElementKind::Picture) {
            out << s + "picture";
            continue;
        }
        s += e.align == Align::Left ? "left " : e.align == Align::Right ? "right " : "center ";
        s += e.font.family + " " + QString::number(e.font.pointSize) + (e.font.bold ? " bold" : "");
        out << s + (e.firstLineOnly ? " first line" : "") + " [" + e.text + "]";
    }
    return out;
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT

private slots:
    // Five entries, two sectors: the bands in order, where they stand and what they hold.
    void fiveEntriesInTwoSectors() {
        ShoppingData d;
        fillFive(d);
        d.list.sort(QString::fromLatin1(kListExportOrder));
        const std::vector<Entry> entries = collectEntries(d);
        const Layout l = layoutReport(entries, kHeader, kColours, RegionalSettings::french(),
                                      pageSetupFor(0, false));
        QCOMPARE(l.pages.size(), size_t(1));
        // "boucherie" and "Boucherie" sort together but are two sectors to the report, which
        // compares names exactly.
        QCOMPARE(
            describe(l.pages[0]),
            (QStringList{"header", "sector:Boucherie", "aisle:Volaille", "product:Poulet",
                         "note:fermier", "closing", "sector:boucherie", "aisle:Boeuf",
                         "product:Steak", "closing", "sector:Primeur", "aisle:Fruits",
                         "product:bananes", "product:Pommes", "note:Golden de Savoie",
                         "aisle:" + QString::fromUtf8("Légumes"), "product:Carottes", "closing"}));

        const auto& bands = l.pages[0].bands;
        // Each band follows the one above it down the first column, under the header.
        QCOMPARE(place(bands[0]), QStringLiteral("8.0,10.0 194.0x9.3"));
        const double heights[] = {8.2, 4.9, 4.6, 2.6, 3.7};
        double y = 19.3;
        for (size_t i = 1; i < 6; ++i) {
            QCOMPARE(
                place(bands[i]),
                QStringLiteral("8.0,%1 92.0x%2").arg(y, 0, 'f', 1).arg(heights[i - 1], 0, 'f', 1));
            y += heights[i - 1];
        }
        COMPARE_MM(bands[6].top, y);

        // Frames: the grey heading boxed with a double line, the lines between two sides, the
        // closing line's top as the box's bottom.
        QCOMPARE(bands[1].frame, unsigned(LeftSide | RightSide | TopSide | BottomSide));
        QVERIFY(bands[1].thickFrame);
        QCOMPARE(bands[1].background, QColor(238, 238, 238));
        for (size_t i : {2, 3, 4}) {
            QCOMPARE(bands[i].frame, unsigned(LeftSide | RightSide));
            QVERIFY(!bands[i].thickFrame && !bands[i].background.isValid());
        }
        QCOMPARE(bands[5].frame, unsigned(TopSide));

        // Every element: left (or anchor), top, width × height, alignment, font, content.
        QCOMPARE(elements(bands[0]),
                 (QStringList{"0.0,4.4 grows x4.4 left Arial 10 [" + kHeader.total + "]",
                              "75.0,-0.2 grows x5.7 right Comic Sans MS 11 bold [Paniva v2.0]",
                              "75.2,4.9 grows x4.9 right Arial 10 [09/12/2026]",
                              "77.6,0.0 8.6x9.0 picture"}));
        QCOMPARE(elements(bands[1]),
                 QStringList{"43.2,2.2 grows x4.9 center Arial 11 bold [Boucherie]"});
        QCOMPARE(elements(bands[2]),
                 QStringList{"1.3,0.0 grows x4.4 left Arial 10 bold [Volaille]"});
        QCOMPARE(
            elements(bands[3]),
            (QStringList{"0.9,0.7 3.1x3.1 circle #ffffff", "8.8,0.7 3.1x3.1 circle #ffff00",
                         "13.0,-0.4 50.5x4.9 left Arial 10 first line [Poulet]",
                         "62.8,-0.4 6.6x4.9 right Arial 10 [1]",
                         "70.1,-0.7 grows x4.4 left Arial 10 [x]",
                         QString::fromUtf8("72.1,-0.2 14.1x4.6 right Arial 10 [7,90\u00a0€]")}));
        QCOMPARE(elements(bands[4]),
                 QStringList{"13.0,-1.3 72.1x4.2 left Arial 8 bold first line [fermier]"});
        QVERIFY(elements(bands[5]).isEmpty());
    }

    // A sector running onto a new page gets its heading again there; a new column on the same
    // page does not, and neither does the aisle heading.
    void sectorOverPageBreak() {
        std::vector<Entry> entries;
        for (int i = 0; i < 130; ++i)
            entries.push_back(entry("Super", i < 100 ? "Rayon A" : "Rayon B",
                                    QStringLiteral("Produit %1").arg(i, 3, 10, QChar('0'))));
        const Layout l = layoutReport(entries, kHeader, kColours, RegionalSettings::french(),
                                      pageSetupFor(0, false));
        QCOMPARE(l.pages.size(), size_t(2));
        const auto& p1 = l.pages[0].bands;
        const auto& p2 = l.pages[1].bands;
        QCOMPARE(p2[0].kind, BandKind::PageHeader);
        QCOMPARE(p2[1].kind, BandKind::SectorHeading);
        QCOMPARE(p2[1].find(Role::Sector)->text, QStringLiteral("Super"));
        COMPARE_MM(p2[1].top, 19.3);
        QCOMPARE(p2[2].kind, BandKind::ProductLine); // Rayon A goes on: no aisle heading
        int sectorHeadings = 0;
        for (const Band& b : p1)
            sectorHeadings += b.kind == BandKind::SectorHeading;
        QCOMPARE(sectorHeadings, 1);

        // The second column of page 1 starts with a product line at the top of the column.
        auto secondColumn =
            std::find_if(p1.begin(), p1.end(), [](const Band& b) { return b.column == 1; });
        QVERIFY(secondColumn != p1.end());
        QCOMPARE(secondColumn->kind, BandKind::ProductLine);
        COMPARE_MM(secondColumn->left, 110.0);
        COMPARE_MM(secondColumn->top, 19.3);

        // Every entry printed once, in order, and nothing below the bottom margin.
        QStringList products;
        for (const Page& p : l.pages)
            for (const Band& b : p.bands) {
                QVERIFY(b.top + b.height <= 289.0 + 1e-6);
                if (b.kind == BandKind::ProductLine)
                    products << b.find(Role::Product)->text;
            }
        QCOMPARE(products.size(), 130);
        QCOMPARE(products.first(), QStringLiteral("Produit 000"));
        QCOMPARE(products.last(), QStringLiteral("Produit 129"));
        QVERIFY(std::is_sorted(products.begin(), products.end()));
        QCOMPARE(p2.back().kind, BandKind::SectorClosing);
    }

    // A heading never ends a column alone, a note never leaves its product line and the closing
    // line stays under the sector's last product line.
    void bandsKeptTogether() {
        // Sector A: a heading, an aisle heading (13.1 mm), then n product lines of 4.6 mm, the
        // first with a 2.6 mm note, in a column of 269.7 mm.
        auto sectorA = [](int n) {
            std::vector<Entry> out;
            for (int i = 0; i < n; ++i)
                out.push_back(
                    entry("A", "a", QStringLiteral("P%1").arg(i), 1.0, i == 0 ? "note" : ""));
            return out;
        };
        auto layout = [](const std::vector<Entry>& entries) {
            return layoutReport(entries, kHeader, kColours, RegionalSettings::french(),
                                pageSetupFor(0, false));
        };
        auto bandOf = [](const Layout& l, const QString& product) {
            const auto& bands = l.pages[0].bands;
            return std::find_if(bands.begin(), bands.end(), [&](const Band& b) {
                const Element* e = b.find(Role::Product);
                return e && e->text == product;
            });
        };

        // 52 lines and the closing line leave 11.1 mm: room for B's heading (8.2) but not for
        // it with its aisle heading and first product (17.7), so all three start column 2.
        std::vector<Entry> entries = sectorA(52);
        entries.push_back(entry("B", "b", "Premier de B"));
        Layout l = layout(entries);
        auto first = bandOf(l, "Premier de B");
        QCOMPARE(first->column, 1);
        QCOMPARE((first - 1)->kind, BandKind::AisleHeading);
        QCOMPARE((first - 2)->kind, BandKind::SectorHeading);
        COMPARE_MM((first - 2)->top, 19.3);
        QCOMPARE((first - 3)->kind, BandKind::SectorClosing);
        QCOMPARE((first - 3)->column, 0);

        // 55 lines: the last one would fit (4.6 of 5.6 mm left) but not with the closing line
        // (8.3): both go to column 2.
        l = layout(sectorA(55));
        auto last = bandOf(l, "P54");
        QCOMPARE(last->column, 1);
        QCOMPARE((last + 1)->kind, BandKind::SectorClosing);
        QCOMPARE((last + 1)->column, 1);
        QCOMPARE((last - 1)->column, 0);

        // A line with a note (7.2 mm) where only 5.6 mm are left goes over with its note.
        entries = sectorA(54);
        entries.push_back(entry("A", "a", "P54", 1.0, "sa note"));
        entries.push_back(entry("A", "a", "P55"));
        l = layout(entries);
        auto noted = bandOf(l, "P54");
        QCOMPARE(noted->column, 1);
        QCOMPARE((noted + 1)->kind, BandKind::NoteLine);
        QCOMPARE((noted + 1)->column, 1);
        COMPARE_MM(noted->top, 19.3);
    }

    // 0 portrait in two columns, 1 landscape in three; anything else keeps the page's
    // orientation with two columns.
    void orientations() {
        PageSetup s = pageSetupFor(0, true);
        QVERIFY(!s.landscape);
        QCOMPARE(s.columns, 2);
        COMPARE_MM(s.columnWidth(), 92.0);
        COMPARE_MM(s.columnLeft(1), 110.0);
        s = pageSetupFor(1, false);
        QVERIFY(s.landscape);
        QCOMPARE(s.columns, 3);
        COMPARE_MM(s.columnWidth(), 87.0);
        COMPARE_MM(s.columnLeft(1), 105.0);
        COMPARE_MM(s.columnLeft(2), 202.0);
        COMPARE_MM(s.contentBottom(), 202.0);
        for (int other : {2, -1, 7}) {
            s = pageSetupFor(other, false);
            QVERIFY(!s.landscape);
            QCOMPARE(s.columns, 2);
            s = pageSetupFor(other, true);
            QVERIFY(s.landscape);
            QCOMPARE(s.columns, 2);
            COMPARE_MM(s.columnWidth(), 135.5);
        }

        // A landscape report fills three columns per page under a header across the page.
        std::vector<Entry> entries;
        for (int i = 0; i < 100; ++i)
            entries.push_back(entry("S", "R", QStringLiteral("P%1").arg(i)));
        const Layout l = layoutReport(entries, kHeader, kColours, RegionalSettings::french(),
                                      pageSetupFor(1, false));
        QCOMPARE(l.pages.size(), size_t(1));
        COMPARE_MM(l.pages[0].bands[0].width, 281.0);
        QList<double> lefts;
        for (const Band& b : l.pages[0].bands) {
            if (b.kind != BandKind::PageHeader && !lefts.contains(b.left))
                lefts << b.left;
            QVERIFY(b.top + b.height <= 202.0 + 1e-6);
            if (b.kind != BandKind::PageHeader)
                COMPARE_MM(b.width, 87.0);
        }
        QCOMPARE(lefts, (QList<double>{8.0, 105.0, 202.0}));
    }

    // Dots only for a planned entry and a due or nearly due reminder, in the panels' colours.
    void dots_data() {
        QTest::addColumn<bool>("planned");
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<bool>("plannedDot");
        QTest::addColumn<QColor>("reminderColour"); // invalid: no reminder dot
        QTest::newRow("planned, window") << true << "P" << true << kColours.window;
        QTest::newRow("planned, due") << true << "O" << true << kColours.due;
        QTest::newRow("nothing") << false << "N" << false << QColor();
        QTest::newRow("due only") << false << "O" << false << kColours.due;
        QTest::newRow("unknown code") << false << "X" << false << QColor();
        QTest::newRow("empty code") << true << "" << true << QColor();
    }
    void dots() {
        QFETCH(bool, planned);
        QFETCH(QString, reminder);
        QFETCH(bool, plannedDot);
        QFETCH(QColor, reminderColour);
        Entry e = entry("S", "R", "P");
        e.planned = planned;
        e.reminder = reminder;
        const Layout l = layoutReport({e}, kHeader, kColours, RegionalSettings::french(),
                                      pageSetupFor(0, false));
        const Band& line = l.pages[0].bands[3];
        QCOMPARE(line.kind, BandKind::ProductLine);
        const Element* tick = line.find(Role::TickCircle);
        QVERIFY(tick && tick->kind == ElementKind::Circle);
        QCOMPARE(tick->fill, QColor(Qt::white));
        COMPARE_MM(tick->x, 0.9);
        COMPARE_MM(tick->top, 0.7);
        COMPARE_MM(tick->width, 3.1);
        const Element* p = line.find(Role::PlannedDot);
        QCOMPARE(p != nullptr, plannedDot);
        if (p) {
            QCOMPARE(p->fill, kColours.planned);
            COMPARE_MM(p->x, 5.1);
        }
        const Element* r = line.find(Role::ReminderDot);
        QCOMPARE(r != nullptr, reminderColour.isValid());
        if (r) {
            QCOMPARE(r->fill, reminderColour);
            COMPARE_MM(r->x, 8.8);
            COMPARE_MM(r->height, 3.1);
        }
    }

    // Price only above zero; note line only for a note; a product gone from the catalogue, or
    // hidden by the shop filter, prints with neither.
    void priceAndNote() {
        ShoppingData d;
        addProduct(d, "S", "R", "Gratuit", 0.0, "offert");
        addProduct(d, "S", "R", "Avoir", -2.0);
        addProduct(d, "S", "R", "Sans prix", std::nullopt);
        addProduct(d, "S", "R", "Cher", 1234.5);
        addProduct(d, "S", "R", "Nouveau nom", 3.0, "note");
        addProduct(d, "T", "R", "Ailleurs", 5.0, "note");
        for (const char* name : {"Gratuit", "Avoir", "Sans prix", "Cher", "Ancien nom"})
            addRow(d, {"S", "R", name, 2});
        addRow(d, {"S", "R", "Ailleurs", 1}); // its product is filed under T
        d.list.sort(QString::fromLatin1(kListExportOrder));

        auto lines = [&] {
            const Layout l = layoutReport(collectEntries(d), kHeader, kColours,
                                          RegionalSettings::french(), pageSetupFor(0, false));
            QMap<QString, QStringList> out; // product → "quantity x", price text or "-", note
            const auto& bands = l.pages[0].bands;
            for (size_t i = 0; i < bands.size(); ++i) {
                const Band& b = bands[i];
                if (b.kind != BandKind::ProductLine)
                    continue;
                const Element* price = b.find(Role::Price);
                const Element* qty = b.find(Role::Quantity);
                const Element* times = b.find(Role::Times);
                QStringList v{(qty ? qty->text : "?") + " " + (times ? times->text : "?"),
                              price ? price->text : "-"};
                if (i + 1 < bands.size() && bands[i + 1].kind == BandKind::NoteLine)
                    v << bands[i + 1].find(Role::Note)->text;
                out[b.find(Role::Product)->text] = v;
            }
            return out;
        };
        QMap<QString, QStringList> got = lines();
        QCOMPARE(got["Gratuit"], QStringList({"2 x", "-", "offert"}));
        QCOMPARE(got["Avoir"], QStringList({"2 x", "-"}));
        QCOMPARE(got["Sans prix"], QStringList({"2 x", "-"}));
        QCOMPARE(got["Cher"], QStringList({"2 x", QString::fromUtf8("1\u00a0234,50\u00a0€")}));
        QCOMPARE(got["Ancien nom"], QStringList({"2 x", "-"}));
        QCOMPARE(got["Ailleurs"], (QStringList{"1 x", QString::fromUtf8("5,00\u00a0€"), "note"}));

        d.selection = {"S", QString(), 0};
        d.setShopFilter(true);
        got = lines();
        QCOMPARE(got.size(), 6);
        QCOMPARE(got["Ailleurs"], QStringList({"1 x", "-"})); // its product is not shown
        QCOMPARE(got["Cher"], QStringList({"2 x", QString::fromUtf8("1\u00a0234,50\u00a0€")}));
    }

    // The print command: nothing on an empty view; otherwise the list is sorted, the report
    // shown by the launcher, the places kept, and the orientation returned as it ended.
    void printCommand() {
        ScriptedPlatform platform;
        QTemporaryDir tmp;
        const QString previewPath = qEnvironmentVariableIsSet("KABIRO_PREVIEW_PDF")
                                        ? qEnvironmentVariable("KABIRO_PREVIEW_PDF")
                                        : tmp.filePath("preview.pdf");
        int launches = 0;
        QString docName;
        bool userLandscape = false;
        // Stands for the preview: paints, lets the "user" turn the page, paints again.
        const PreviewLauncher launcher = [&](QPrinter& printer, const auto& paint) {
            ++launches;
            docName = printer.docName();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(previewPath);
            paint(&printer);
            printer.setPageOrientation(userLandscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
            paint(&printer);
        };

        ShoppingData d;
        PrintRequest request{"Paniva v2.0", "   12,40", kColours, 1};
        QCOMPARE(printList(d, platform, request, launcher), 1);
        QCOMPARE(launches, 0);

        fillFive(d);
        d.selection = {"Poissonnerie", QString(), 0};
        d.setShopFilter(true);
        request.orientation = 0;
        QCOMPARE(printList(d, platform, request, launcher), 0);
        QCOMPARE(launches, 0);
        d.setShopFilter(false);

        QVERIFY(select(d.list, "Carottes"));
        QVERIFY(select(d.catalogue, "Poulet"));
        struct Case {
            int orientation;
            bool userLandscape;
            int result;
        };
        for (const Case& c : {Case{1, false, 1}, Case{0, true, 0}, Case{2, true, 1},
                              Case{2, false, 0}, Case{-3, true, 1}}) {
            request.orientation = c.orientation;
            userLandscape = c.userLandscape;
            QCOMPARE(printList(d, platform, request, launcher), c.result);
        }
        QCOMPARE(launches, 5);
        QCOMPARE(docName, QStringLiteral("Ma Paniva"));
        QCOMPARE(names(d.list), (QStringList{"Poulet", "Steak", "bananes", "Pommes", "Carottes"}));
        QCOMPARE(currentName(d.list), QStringLiteral("Carottes"));
        QCOMPARE(currentName(d.catalogue), QStringLiteral("Poulet"));
        QVERIFY(!d.list.controlsDisabled() && !d.catalogue.controlsDisabled());
        QVERIFY(QFileInfo(previewPath).size() > 0);
    }

    // The real preview: a maximised window titled "Ma Paniva" showing the prepared pages.
    void previewDialog() {
        ScriptedPlatform platform;
        ShoppingData d;
        fillFive(d);
        QString title;
        bool maximised = false;
        int pages = -1;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            title = w->windowTitle();
            maximised = w->windowState() & Qt::WindowMaximized;
            if (auto* preview = w->findChild<QPrintPreviewWidget*>())
                pages = preview->pageCount();
            w->close();
        });
        const PrintRequest request{"Paniva v2.0", "   12,40", kColours, 1};
        QCOMPARE(printList(d, platform, request, dialogPreviewLauncher()), 1);
        QCOMPARE(title, QStringLiteral("Ma Paniva"));
        QVERIFY(maximised);
        QCOMPARE(pages, 1);
    }

    // The first line of a long name breaks between words.
    void firstLineBreaksAtWords() {
        QPdfWriter pdf(QDir::temp().filePath("kabiro_firstline.pdf"));
        QFont font("Arial");
        font.setPointSizeF(10);
        const QString name = "Fromage blanc nature au lait entier de la ferme du Vercors";
        const double mm = pdf.logicalDpiX() / 25.4;
        const QString first = firstLineOf(name, font, &pdf, 50.5 * mm);
        QVERIFY(!first.isEmpty());
        QVERIFY(first.size() < name.size());
        QVERIFY(name.startsWith(first + " "));
        QCOMPARE(firstLineOf("Pain", font, &pdf, 50.5 * mm), QStringLiteral("Pain"));
        QFile::remove(QDir::temp().filePath("kabiro_firstline.pdf"));
    }

    // A realistic list drawn on a PDF: the text of the pages holds every product in column
    // order (checked when pdftotext is installed).
    void pdfOfARealisticList() {
        QTemporaryDir tmp;
        const QString path = qEnvironmentVariableIsSet("KABIRO_REPORT_PDF")
                                 ? qEnvironmentVariable("KABIRO_REPORT_PDF")
                                 : tmp.filePath("liste.pdf");
        ShoppingData d;
        fillRealisticList(d);
        d.list.sort(QString::fromLatin1(kListExportOrder));
        const Layout l = layoutReport(
            collectEntries(d), kHeader, kColours, RegionalSettings::french(),
            pageSetupFor(qEnvironmentVariableIntValue("KABIRO_REPORT_ORIENTATION"), false));
        {
            QPdfWriter pdf(path);
            pdf.setTitle("Ma Paniva");
            QVERIFY(paintReport(pdf, l));
        }
        QVERIFY(QFileInfo(path).size() > 1000);

        const QString tool = QStandardPaths::findExecutable("pdftotext");
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(tool, {"-layout", "-f", "1", "-l", "1", path, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QStringList text = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        QVERIFY(text.join('\n').contains(kHeader.title));
        QVERIFY(text.join('\n').contains(kHeader.date));
        // Wide numbers are drawn whole, not clipped to their boxes.
        const QString all = text.join('\n');
        QVERIFY(all.contains(QString::fromUtf8("1250 x")));
        QVERIFY(all.contains(QString::fromUtf8("1 249,90 €"))); // pdftotext writes plain blanks

        // Each product of page 1 is found on a line below the one before it in its column, and
        // the columns stand left to right.
        QList<int> lastLine(l.setup.columns, -1);
        QList<int> minPos(l.setup.columns, 1000);
        QList<int> maxPos(l.setup.columns, -1);
        for (const Band& b : l.pages[0].bands) {
            if (b.kind != BandKind::ProductLine)
                continue;
            const QString first = firstWords(b.find(Role::Product)->text);
            int found = -1;
            int pos = -1;
            for (int i = lastLine[b.column] + 1; i < text.size() && found < 0; ++i) {
                pos = text[i].indexOf(first);
                if (pos >= 0)
                    found = i;
            }
            QVERIFY2(found >= 0, qPrintable("not found in order: " + first));
            lastLine[b.column] = found;
            minPos[b.column] = std::min(minPos[b.column], int(pos));
            maxPos[b.column] = std::max(maxPos[b.column], int(pos));
        }
        for (int c = 1; c < l.setup.columns; ++c)
            QVERIFY(minPos[c] > maxPos[c - 1]);
    }

private:
    // The first two words of a product name: enough to find it, short enough for its box.
    static QString firstWords(const QString& name) { return name.section(' ', 0, 1); }

    static void fillRealisticList(ShoppingData& d) {
        struct P {
            const char* sector;
            const char* aisle;
            const char* name;
            double price;
            const char* memo;
            bool planned;
            const char* reminder;
        };
        static const P products[] = {
            {"Boulangerie", "Pain", "Baguette tradition", 1.2, "", true, "N"},
            {"Boulangerie", "Pain", "Pain de campagne", 2.9, "tranché", false, "N"},
            {"Boulangerie", "Viennoiserie", "Croissants au beurre", 1.1, "", false, "O"},
            {"Boulangerie", "Viennoiserie", "Pains au chocolat", 1.25, "", false, "P"},
            {"Boucherie", "Boeuf", "Steak haché 5 %", 4.8, "x 4", true, "N"},
            {"Boucherie", "Volaille", "Poulet fermier Label Rouge des Landes entier", 11.5,
             "demander à le vider", true, "O"},
            {"Boucherie", "Volaille", "Escalopes de dinde", 6.4, "", false, "N"},
            {"Crèmerie", "Fromages", "Comté 18 mois", 7.9, "à la coupe, 300 g", false, "P"},
            {"Crèmerie", "Fromages", "Camembert de Normandie", 2.65, "", false, "N"},
            {"Crèmerie", "Laitages", "Lait demi-écrémé", 0.95, "", true, "O"},
            {"Crèmerie", "Laitages", "Yaourts nature", 1.8, "", false, "N"},
            {"Crèmerie", "Laitages", "Beurre doux", 2.1, "", false, "N"},
            {"Droguerie", "Entretien", "Liquide vaisselle", 2.3, "", false, "P"},
            {"Droguerie", "Entretien", "Éponges", 1.5, "", false, "N"},
            {"Droguerie", "Entretien", "Lessive", 12.9, "la grande boîte", false, "O"},
            {"Droguerie", "Hygiène", "Dentifrice", 2.2, "", false, "N"},
            {"Droguerie", "Hygiène", "Savon de Marseille", 1.9, "", false, "N"},
            {"Droguerie", "Hygiène", "Papier toilette", 4.5, "", true, "N"},
            {"Épicerie", "Conserves", "Thon au naturel", 2.75, "", false, "N"},
            {"Épicerie", "Conserves", "Tomates pelées", 1.1, "", false, "N"},
            {"Épicerie", "Conserves", "Haricots verts extra-fins", 1.95, "", false, "P"},
            {"Épicerie", "Petit déjeuner", "Café moulu", 3.9, "pur arabica", true, "N"},
            {"Épicerie", "Petit déjeuner", "Confiture de fraises", 2.6, "", false, "N"},
            {"Épicerie", "Pâtes et riz", "Spaghetti", 0.99, "", false, "N"},
            {"Épicerie", "Pâtes et riz", "Riz basmati", 2.45, "", false, "O"},
            {"Épicerie", "Sucré", "Chocolat noir 70 %", 1.99, "", false, "N"},
            {"Épicerie", "Huiles", "Huile d'olive vierge extra", 8.9, "", false, "N"},
            {"Poissonnerie", "Frais", "Filets de cabillaud", 9.8, "sans arêtes", false, "N"},
            {"Poissonnerie", "Frais", "Moules de bouchot", 4.2, "", false, "N"},
            {"Primeur", "Fruits", "Pommes Golden", 2.5, "", false, "N"},
            {"Primeur", "Fruits", "Bananes", 1.9, "", true, "N"},
            {"Primeur", "Fruits", "Oranges à jus", 2.2, "filet de 2 kg", false, "N"},
            {"Primeur", "Fruits", "Citrons", 0.6, "", false, "N"},
            {"Primeur", "Légumes", "Carottes", 1.2, "", false, "N"},
            {"Primeur", "Légumes", "Pommes de terre", 3.5, "", false, "P"},
            {"Primeur", "Légumes", "Poireaux", 2.1, "", false, "N"},
            {"Primeur", "Légumes", "Tomates grappe", 3.2, "", false, "N"},
            {"Surgelés", "Légumes", "Épinards hachés", 1.7, "", false, "N"},
            {"Surgelés", "Desserts", "Glace vanille", 4.3, "", false, "N"},
            {"Surgelés", "Plats", "Pizza quatre fromages", 3.6, "", false, "O"},
            {"Boissons", "Eaux", "Eau gazeuse", 0.0, "", false, "N"},
            {"Électroménager", "Cuisine", "Robot pâtissier", 1249.9, "", false, "N"},
            {"Boissons", "Jus", "Jus d'orange", 2.4, "", false, "N"},
            {"Boissons", "Vins", "Côtes du Rhône", 6.5, "pour dimanche", false, "N"},
        };
        int n = 0;
        for (const P& p : products) {
            const QString sector = QString::fromUtf8(p.sector);
            const QString aisle = QString::fromUtf8(p.aisle);
            const QString name = QString::fromUtf8(p.name);
            addProduct(d, sector, aisle, name, p.price, QString::fromUtf8(p.memo));
            const int quantity = p.price > 1000 ? 1250 : 1 + (n * 7) % 4;
            ++n;
            addRow(d, {sector, aisle, name, quantity, p.planned ? "O" : "N", p.reminder});
        }
    }
};

KABIRO_TEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"

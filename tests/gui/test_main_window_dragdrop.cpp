// Drag and drop in the main window: what each drop of a source on a target does (driven through
// the window's drop handler, which the drop events call), the drop events themselves, which
// presses and moves start a drag, with which data and cursor, and the panels' look.

#include "example_window.h"
#include "support/test_registry.h"

#include "app/application_setup.h"

#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

using Button = Platform::Button;
using gui::ExampleRun;

namespace {

const QString kMime = QStringLiteral("application/x-paniva-control");
const QString kCatalogue = QStringLiteral("RxDBGrid1");
const QString kList = QStringLiteral("RxDBGrid2");
const QString kCart = QStringLiteral("image_chariot");
const QString kPrevu = QStringLiteral("cpanel1");
const QString kRappel = QStringLiteral("cpanel2");
const QString kRappelPlus = QStringLiteral("cpanel3");

// What a drag started by the window carried.
struct DragSeen {
    QString source;
    QImage cursor;
};

void watchDrags(gui::Run& run, QList<DragSeen>& seen) {
    run.hooks.dragExec = [&seen](QDrag& drag) {
        seen << DragSeen{QString::fromUtf8(drag.mimeData()->data(kMime)),
                         drag.dragCursor(Qt::MoveAction).toImage()};
        return Qt::IgnoreAction;
    };
}

// A press, then a move of `distance` pixels to the right with the button held.
void pressAndMove(QWidget* w, QPoint at, int distance) {
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseMove(w, at + QPoint(distance, 0));
    QTest::mouseMove(w, at + QPoint(distance, distance));
}

QStringList listNames(Tfrm_main& w) {
    QStringList out;
    for (int p = 0; p < w.table2().recordCount(); ++p)
        out << RecordTable::textOf(w.table2().recordAt(p), Lst::Produit);
    return out;
}

bool sendDrop(QWidget* target, QMimeData* mime) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::MoveAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// The data as the window holds and shows it: every field of both tables, the totals and the
// last validation.
QStringList snapshot(Tfrm_main& w) {
    QStringList out;
    for (const RecordTable* t : {&w.data().catalogue, &w.data().list})
        for (int p = 0; p < t->recordCount(); ++p) {
            const Record& r = t->recordAt(p);
            for (size_t f = 0; f < r.values.size(); ++f)
                out << RecordTable::textOf(r, static_cast<int>(f));
            out << QString();
        }
    for (const char* box : {"edt_total", "edt_tot_nbre", "edt_date_vali"})
        out << gui::part<QLineEdit>(w, box)->text();
    return out;
}

// What a drag from the control named `source` carries, dropped on the control named `target`
// as the user drops it (on a grid's rows); true when the data changed.
bool dropChanges(Tfrm_main& w, const QString& source, const QString& target) {
    QWidget* on = gui::part<QWidget>(w, qPrintable(target));
    if (auto* grid = qobject_cast<RecordGrid*>(on))
        on = grid->viewport();
    QMimeData mime;
    mime.setData(kMime, source.toUtf8());
    const QStringList before = snapshot(w);
    sendDrop(on, &mime);
    return snapshot(w) != before;
}

// Whether the control named `target` takes, as the pointer enters it, a drag from `source`.
bool dragTaken(Tfrm_main& w, const QString& source, const QString& target) {
    QWidget* on = gui::part<QWidget>(w, qPrintable(target));
    if (auto* grid = qobject_cast<RecordGrid*>(on))
        on = grid->viewport();
    QMimeData mime;
    mime.setData(kMime, source.toUtf8());
    QDragEnterEvent enter(on->rect().center(), Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(on, &enter);
    return enter.isAccepted();
}

} // namespace

class TestMainWindowDragDrop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { appsetup::installFontSubstitutes(); }

    // ------------------------------------------------------------ drop effects

    void catalogueRowOnTheListOrTheCartAddsAUnit() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        QVERIFY(dropChanges(w, kCatalogue, kList));
        QCOMPARE(run.quantity(riz), 1);
        QVERIFY(dropChanges(w, kCatalogue, kCart));
        QCOMPARE(run.quantity(riz), 2);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("  11"));
        // On its own grid: nothing.
        QVERIFY(!dropChanges(w, kCatalogue, kCatalogue));
        QCOMPARE(run.quantity(riz), 2);
    }

    void listRowOnTheCatalogueOrTheCartRemovesAUnit() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString lait = QStringLiteral("Lait demi-écrémé 1 L");
        run.chooseRow(lait);
        QVERIFY(dropChanges(w, kList, kCatalogue));
        QCOMPARE(run.quantity(lait), 1);
        QVERIFY(dropChanges(w, kList, kCart));
        QVERIFY(!run.listRow(lait));
        QCOMPARE(run.productField(lait, Cat::color), QStringLiteral(" "));
        QVERIFY(!dropChanges(w, kList, kList));
        QCOMPARE(w.table2().recordCount(), 5);
    }

    void cartOnTheListValidatesOnTheCatalogueEmpties() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        run.platform.answer(Button::No);
        QVERIFY(!dropChanges(w, kCart, kList));
        QCOMPARE(run.platform.messages.size(), 1);
        QCOMPARE(run.platform.lastMessage().title, QStringLiteral("Confirmation"));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" mardi 1 décembre 2026"));
        run.platform.answer(Button::Yes);
        QVERIFY(dropChanges(w, kCart, kList));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_date_vali")->text(),
                 QStringLiteral(" mercredi 9 décembre 2026"));
        QCOMPARE(w.table2().recordCount(), 6);

        QVERIFY(!dropChanges(w, kCart, kCart));
        QVERIFY(dropChanges(w, kCart, kCatalogue));
        QCOMPARE(w.table2().recordCount(), 0);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   0"));
        QCOMPARE(run.productField(QStringLiteral("Café moulu pur arabica 250 g"), Cat::color),
                 QStringLiteral(" "));
        // An empty list: nothing more to empty or to take off.
        QVERIFY(!dropChanges(w, kCart, kCatalogue));
        QVERIFY(!dropChanges(w, kList, kCatalogue));
    }

    void panelOnTheListAddsItsStateOnTheCatalogueRemovesIt() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QVERIFY(dropChanges(w, kPrevu, kList));
        QCOMPARE(w.table2().recordCount(), 13);
        QVERIFY(run.listRow(QStringLiteral("Huîtres n°3 la douzaine")));
        // Again: the planned products are listed already, quantities stay.
        QVERIFY(!dropChanges(w, kPrevu, kCart));
        QCOMPARE(run.quantity(QStringLiteral("Huîtres n°3 la douzaine")), 1);
        QVERIFY(dropChanges(w, kPrevu, kCatalogue));
        QCOMPARE(w.table2().recordCount(), 6);

        // "Rappel(+)" on the catalogue takes off the rows inside their window only ("P").
        QVERIFY(dropChanges(w, kRappelPlus, kCatalogue));
        QVERIFY(!run.listRow(QStringLiteral("Café moulu pur arabica 250 g")));
        QVERIFY(run.listRow(QStringLiteral("Papier toilette x12")));
        // "Rappel" takes off the due ones and those inside their window.
        QVERIFY(dropChanges(w, kRappel, kCatalogue));
        QCOMPARE(listNames(w), (QStringList{QStringLiteral("Pain de campagne"),
                                            QStringLiteral("Lait demi-écrémé 1 L"),
                                            QStringLiteral("Pommes Golden 1 kg")}));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(),
                 run.totalText(320 + 2 * 99 + 3 * 240));
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   6"));
        // "Rappel" on the cart: the due products come back.
        QVERIFY(dropChanges(w, kRappel, kCart));
        QVERIFY(run.listRow(QStringLiteral("Doliprane 1000 mg")));
        QVERIFY(!run.listRow(QStringLiteral("Café moulu pur arabica 250 g")));
        for (QLabel* panel : gui::colourPanels(w))
            QCOMPARE(panel->frameShadow(), QFrame::Raised);
    }

    void rowOnAPanelSetsItsState() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        // A catalogue row: the current product. Riz was last bought 69 days ago.
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        QVERIFY(dropChanges(w, kCatalogue, kRappel));
        QCOMPARE(run.productField(riz, Cat::Rappel), QStringLiteral("O"));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(69));
        QVERIFY(dropChanges(w, kCatalogue, kRappelPlus));
        QCOMPARE(RecordTable::integerOf(*run.product(riz), Cat::Duree_rappel),
                 std::optional<qint32>(69 + 15));
        QVERIFY(dropChanges(w, kCatalogue, kPrevu));
        QCOMPARE(run.productField(riz, Cat::prevu), QStringLiteral("O"));
        QVERIFY(gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());

        // A list row: the row's own codes and its product.
        const QString lait = QStringLiteral("Lait demi-écrémé 1 L");
        run.chooseRow(lait);
        QVERIFY(dropChanges(w, kList, kPrevu));
        QCOMPARE(RecordTable::textOf(*run.listRow(lait), Lst::Prevu), QStringLiteral("O"));
        QCOMPARE(run.productField(lait, Cat::prevu), QStringLiteral("O"));
        QVERIFY(dropChanges(w, kList, kRappelPlus));
        QCOMPARE(RecordTable::textOf(*run.listRow(lait), Lst::Rappel), QStringLiteral("P"));
        // Lait was bought 4 days ago: period 4 + 1.
        QCOMPARE(RecordTable::integerOf(*run.product(lait), Cat::Duree_rappel),
                 std::optional<qint32>(5));
        // The list row now shows the planned colour.
        const int row = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid2"), lait);
        run.chooseRow(QStringLiteral("Pain de campagne"));
        QCOMPARE(gui::part<RecordGrid>(w, "RxDBGrid2")
                     ->gridModel()
                     ->index(row, 0)
                     .data(Qt::BackgroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(0, 255, 255));
    }

    void refusedDropsDoNothing() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QVERIFY(!dragTaken(w, kCart, kPrevu));
        QVERIFY(!dragTaken(w, kPrevu, kRappel));
        QVERIFY(dragTaken(w, kPrevu, kPrevu));
        QVERIFY(dragTaken(w, kList, kRappelPlus));
        QVERIFY(!dragTaken(w, QStringLiteral("TreeView1"), kList));
        QVERIFY(!dragTaken(w, QString(), kCatalogue));
        QVERIFY(!dropChanges(w, kCart, kPrevu));
        QVERIFY(!dropChanges(w, kRappel, kPrevu));
        QVERIFY(!dropChanges(w, kPrevu, kPrevu));
        QCOMPARE(w.table2().recordCount(), 6);
        QVERIFY(!gui::part<QToolButton>(w, "spd_btn_sauve")->isEnabled());
        QVERIFY(run.platform.messages.isEmpty());
    }

    // ------------------------------------------------------------ drop events

    void dropEventsCarryTheSourceName() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        const QString riz = QStringLiteral("Riz basmati 1 kg");
        run.choose(riz);
        auto ours = [](const QString& source) {
            auto* m = new QMimeData;
            m->setData(kMime, source.toUtf8());
            return std::unique_ptr<QMimeData>(m);
        };
        QVERIFY(
            sendDrop(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), ours(kCatalogue).get()));
        QCOMPARE(run.quantity(riz), 1);
        QVERIFY(sendDrop(gui::part<QLabel>(w, "image_chariot"), ours(kCatalogue).get()));
        QCOMPARE(run.quantity(riz), 2);
        // A panel refuses the cart; nothing else comes in.
        QVERIFY(!sendDrop(gui::part<QLabel>(w, "cpanel1"), ours(kCart).get()));
        QMimeData text;
        text.setText(QStringLiteral("Riz basmati 1 kg"));
        QVERIFY(!sendDrop(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), &text));
        QVERIFY(!sendDrop(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), &text));
        QCOMPARE(run.quantity(riz), 2);
        // The panel takes a catalogue row.
        QVERIFY(sendDrop(gui::part<QLabel>(w, "cpanel1"), ours(kCatalogue).get()));
        QCOMPARE(run.productField(riz, Cat::prevu), QStringLiteral("O"));
    }

    // ------------------------------------------------------------ starting a drag

    void panelDragStartsOnceMovedFarEnough() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QList<DragSeen> seen;
        watchDrags(run, seen);
        QLabel* rappel = gui::part<QLabel>(w, "cpanel2");
        const int far = QApplication::startDragDistance() + 2;
        // A small move: still a click.
        QTest::mousePress(rappel, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseMove(rappel, QPoint(11, 8));
        QVERIFY(seen.isEmpty());
        QCOMPARE(rappel->frameShadow(), QFrame::Sunken);
        QTest::mouseRelease(rappel, Qt::LeftButton, {}, QPoint(11, 8));
        QCOMPARE(rappel->frameShadow(), QFrame::Raised);

        pressAndMove(rappel, QPoint(10, 8), far);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].source, kRappel);
        QVERIFY(!seen[0].cursor.isNull());
        QCOMPARE(rappel->frameShadow(), QFrame::Raised);
        QTest::mouseRelease(rappel, Qt::LeftButton);
    }

    void gridRowDragKeepsThePressedRow() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QList<DragSeen> seen;
        watchDrags(run, seen);
        const QString sucre = QStringLiteral("Sucre en poudre 1 kg");
        const int row = ExampleRun::rowOf(gui::part<RecordGrid>(w, "RxDBGrid1"), sucre);
        ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid1"), row);
        const QRect rect =
            gui::part<RecordGrid>(w, "RxDBGrid1")
                ->visualRect(gui::part<RecordGrid>(w, "RxDBGrid1")->gridModel()->index(row, 2));
        // Pressed at the row's foot, the pointer goes onto the next row before the drag
        // starts: the pressed row stays current.
        const QPoint at(rect.center().x(), rect.bottom() - 1);
        QTest::mousePress(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton, {},
                          at);
        QCOMPARE(run.current(), sucre);
        QTest::mouseMove(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), at + QPoint(0, 3));
        QVERIFY(gui::part<RecordGrid>(w, "RxDBGrid1")->indexAt(at + QPoint(0, 3)).row() == row + 1);
        QVERIFY(seen.isEmpty());
        QCOMPARE(run.current(), sucre);
        QTest::mouseMove(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(),
                         at + QPoint(0, 3 + QApplication::startDragDistance()));
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].source, kCatalogue);
        QCOMPARE(run.current(), sucre);

        // The list and the cart: cursors 3 and 4; a catalogue row and a panel share cursor 2.
        pressAndMove(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(),
                     ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid2"), 0), 20);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), Qt::LeftButton);
        pressAndMove(gui::part<QLabel>(w, "image_chariot"), QPoint(5, 5), 20);
        QTest::mouseRelease(gui::part<QLabel>(w, "image_chariot"), Qt::LeftButton);
        pressAndMove(gui::part<QLabel>(w, "cpanel1"), QPoint(5, 5), 20);
        QTest::mouseRelease(gui::part<QLabel>(w, "cpanel1"), Qt::LeftButton);
        QCOMPARE(seen.size(), 4);
        QCOMPARE(seen[1].source, kList);
        QCOMPARE(seen[2].source, kCart);
        QCOMPARE(seen[3].source, kPrevu);
        QVERIFY(seen[0].cursor != seen[1].cursor);
        QVERIFY(seen[1].cursor != seen[2].cursor);
        QVERIFY(seen[0].cursor != seen[2].cursor);
        QCOMPARE(seen[0].cursor, seen[3].cursor);
    }

    void emptyListAndCartDoNotDrag() {
        ExampleRun run;
        Tfrm_main& w = run.startExample();
        QTest::mouseClick(gui::part<QPushButton>(w, "SpeedButton3"), Qt::LeftButton); // Annule
        QCOMPARE(w.table2().recordCount(), 0);
        QList<DragSeen> seen;
        watchDrags(run, seen);
        pressAndMove(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), QPoint(30, 10), 20);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid2")->viewport(), Qt::LeftButton);
        pressAndMove(gui::part<QLabel>(w, "image_chariot"), QPoint(5, 5), 20);
        QTest::mouseRelease(gui::part<QLabel>(w, "image_chariot"), Qt::LeftButton);
        QVERIFY(seen.isEmpty());
        // The catalogue always drags, the panels too.
        pressAndMove(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(),
                     ExampleRun::rowCentre(gui::part<RecordGrid>(w, "RxDBGrid1"), 0), 20);
        QTest::mouseRelease(gui::part<RecordGrid>(w, "RxDBGrid1")->viewport(), Qt::LeftButton);
        QCOMPARE(seen.size(), 1);
    }
};

KABIRO_TEST_MAIN(TestMainWindowDragDrop)
#include "test_main_window_dragdrop.moc"

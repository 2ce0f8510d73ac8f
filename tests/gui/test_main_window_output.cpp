// Output commands of the main window: the list exports from the toolbar and the menu, the
// export format switch, the organisation export and the print preview of the list (through an
// injected preview that draws the pages into a PDF file).

#include "main_window_fixture.h"
#include "support/test_registry.h"

#include "model/text_compare.h"
#include "output/report_layout.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <optional>

namespace {

const QString kEmptyList = QStringLiteral("[RAYON]\nMarché\n\tPrimeur\n[LISTE]\n[PRODUIT]\n"
                                          "Marché;Primeur;Poires; ;1;2,5;N;N;;;;\n"
                                          "[SAISIE]\nDATE=\n");

// The example list of the program, copied into the run's directory.
QString copyExample(gui::Run& run) {
    const QString path = run.path(QStringLiteral("kabiro.pnv"));
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(KABIRO_EXAMPLES "/kabiro.pnv"), path))
        qFatal("cannot copy the example list");
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

QStringList crlfLines(const QByteArray& bytes) {
    QStringList lines = win1252::decode(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// A preview that records what it was shown, optionally lets the "user" turn the page in its
// print dialog, and draws the report into a PDF file as printing from the preview does.
struct FakePreview {
    QString pdfPath;
    std::optional<QPageLayout::Orientation> userChoice;
    int shown = 0;
    QString docName;
    QString totalShown; // edt_total while the preview is open
    Tfrm_main* window = nullptr;

    PreviewLauncher launcher() {
        return [this](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            ++shown;
            docName = printer.docName();
            if (window)
                totalShown = gui::part<QLineEdit>(*window, "edt_total")->text();
            if (userChoice)
                printer.setPageOrientation(*userChoice);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            paint(&printer);
        };
    }
};

FakePreview& installPreview(gui::Run& run, FakePreview& preview) {
    preview.pdfPath = run.path(QStringLiteral("apercu.pdf"));
    preview.window = run.window.get();
    run.hooks.previewLauncher = preview.launcher();
    return preview;
}

void filterOnFirstSector(Tfrm_main& w) {
    QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_filtre"), Qt::LeftButton);
    QVERIFY(w.data().shopFilterOn());
}

QStringList listColumn(Tfrm_main& w, Lst::Field field) {
    QStringList out;
    const RecordTable& t = w.table2();
    for (int pos = 0; pos < t.recordCount(); ++pos)
        out << RecordTable::textOf(t.recordAt(pos), field);
    return out;
}

} // namespace

class TestMainWindowOutput : public QObject {
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ exports

    void toolbarExportOfAnEmptyListDoesNothing() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList(QStringLiteral("kabiro.pnv"), kEmptyList)});
        gui::part<QToolButton>(w, "spd_btn_export")->click();
        QVERIFY(!QFile::exists(run.path(QStringLiteral("kabiro.txt"))));
        QCOMPARE(run.platform.beeps, 0);
        QVERIFY(run.platform.opened.isEmpty());
        QVERIFY(run.platform.messages.isEmpty());
    }

    void toolbarExportOfAFilteredViewWithoutEntriesDoesNothing() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        filterOnFirstSector(w); // Boulangerie: its product is not on the list
        QVERIFY(w.table2().isEmpty());
        gui::part<QToolButton>(w, "spd_btn_export")->click();
        QVERIFY(!QFile::exists(run.path(QStringLiteral("kabiro.txt"))));
        QCOMPARE(run.platform.beeps, 0);
        QVERIFY(run.platform.opened.isEmpty());
    }

    void menuHtmlExportOfAnEmptyListBeeps() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList(QStringLiteral("kabiro.pnv"), kEmptyList)});
        gui::part<QAction>(w, "HTML1")->trigger();
        QCOMPARE(run.platform.beeps, 1);
        QVERIFY(run.platform.opened.isEmpty());
        const QStringList lines = crlfLines(gui::readBytes(run.path(QStringLiteral("kabiro.htm"))));
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines.first(), QStringLiteral("<html>"));
        QCOMPARE(lines.at(12), QStringLiteral("<table border=\"1\" cellpadding=\"2\" "
                                              "cellspacing=\"0\" width =\"95%\" >"));
        QCOMPARE(lines.mid(13), (QStringList{QStringLiteral("</table>"), QStringLiteral("</body>"),
                                             QStringLiteral("</html>")}));
    }

    void textExportInTheWorkingDirectory() {
        gui::Run run;
        run.writeIni(QStringLiteral("[TITRE]\nAppli=Mes courses\n"));
        Tfrm_main& w = run.start({run.writeList()});
        // The export follows the process's working directory, not the start-up directory.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        gui::part<QAction>(w, "Texte1")->trigger();
        const QString file = QDir(elsewhere.path()).absoluteFilePath(QStringLiteral("kabiro.txt"));
        QCOMPARE(run.platform.opened, QStringList{file});
        QVERIFY(!QFile::exists(run.path(QStringLiteral("kabiro.txt"))));
        const QByteArray bytes = gui::readBytes(file);
        QVERIFY2(bytes.startsWith("Mes courses en date du 09/12/2026\r\n"), bytes.constData());
        const QStringList lines = crlfLines(bytes);
        QCOMPARE(lines.size(), 5); // head, empty line, sector, one entry, empty line
        QCOMPARE(lines.at(2), QString::fromUtf8("Supermarché"));
        QVERIFY(lines.at(3).contains(QStringLiteral("Lait")));
        QCOMPARE(run.platform.beeps, 0);
    }

    void menuExportsIgnoreTheChosenFormat() {
        gui::Run run;
        run.writeIni(QStringLiteral("[EDITION]\nHTML=1\n"));
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(w.settings().html);
        gui::part<QAction>(w, "Texte1")->trigger();
        QCOMPARE(QFileInfo(run.platform.opened.value(0)).fileName(), QStringLiteral("kabiro.txt"));
        gui::part<QAction>(w, "smn_par_htm")->trigger(); // now text
        gui::part<QAction>(w, "HTML1")->trigger();
        QCOMPARE(QFileInfo(run.platform.opened.value(1)).fileName(), QStringLiteral("kabiro.htm"));
    }

    void toolbarExportUsesTheChosenFormat() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<QToolButton>(w, "spd_btn_export")->click();
        QCOMPARE(run.platform.opened.size(), 1);
        QCOMPARE(QFileInfo(run.platform.opened.at(0)).fileName(), QStringLiteral("kabiro.txt"));
        QVERIFY(QFileInfo(run.platform.opened.at(0)).isAbsolute());

        gui::part<QAction>(w, "smn_par_htm")->trigger();
        gui::part<QToolButton>(w, "spd_btn_export")->click();
        QCOMPARE(run.platform.opened.size(), 2);
        QCOMPARE(QFileInfo(run.platform.opened.at(1)).fileName(), QStringLiteral("kabiro.htm"));
        QVERIFY(gui::readBytes(run.platform.opened.at(1))
                    .contains("<td align=\"left\">"
                              "<font size=1>Lait</font> </td>"));
    }

    void exportFormatSwitch() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        auto shows = [&w](bool html) {
            QCOMPARE(w.settings().html, html);
            QCOMPARE(gui::part<QAction>(w, "smn_par_htm")->isChecked(), html);
            QCOMPARE(gui::part<QAction>(w, "smn_par_txt")->isChecked(), !html);
            QCOMPARE(gui::part<QToolButton>(w, "spd_btn_export")->toolTip(),
                     html ? QStringLiteral("Exporter (HTML)") : QStringLiteral("Exporter (ASCII)"));
        };
        shows(false);
        // Choosing the ticked item switches all the same.
        gui::part<QAction>(w, "smn_par_txt")->trigger();
        shows(true);
        gui::part<QAction>(w, "smn_par_htm")->trigger();
        shows(false);
        gui::part<QAction>(w, "smn_par_htm")->trigger();
        shows(true);
        gui::part<QAction>(w, "smn_par_txt")->trigger();
        shows(false);
        // For this run only: the settings file is not written.
        QVERIFY(!QFile::exists(run.iniPath()));
    }

    void organisationExport() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        gui::part<QAction>(w, "Exporterlorganisation1")->trigger();
        const QString file = QDir(run.dir.path()).absoluteFilePath(QStringLiteral("orga_lst.txt"));
        QCOMPARE(run.platform.opened, QStringList{file});
        const QStringList lines = crlfLines(gui::readBytes(file));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), QStringLiteral("Boulangerie"));
        QCOMPARE(lines.at(1), QStringLiteral("\tPains"));
    }

    // ------------------------------------------------------------ print preview

    void emptyListOpensNoPreview() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList(QStringLiteral("kabiro.pnv"), kEmptyList)});
        FakePreview preview;
        installPreview(run, preview);
        gui::part<QPushButton>(w, "SpeedButton4")->click();
        gui::part<QToolButton>(w, "spd_btn_print")->click();
        gui::part<QAction>(w, "smenu_print")->trigger();
        QCOMPARE(preview.shown, 0);
        QCOMPARE(w.settings().orientation, 1);
    }

    void filteredViewWithoutEntriesOpensNoPreview() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        filterOnFirstSector(w);
        FakePreview preview;
        installPreview(run, preview);
        gui::part<QToolButton>(w, "spd_btn_print")->click();
        QCOMPARE(preview.shown, 0);
    }

    void everyControlOpensThePreview() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        FakePreview preview;
        installPreview(run, preview);
        gui::part<QPushButton>(w, "SpeedButton4")->click();
        gui::part<QToolButton>(w, "spd_btn_print")->click();
        gui::part<QAction>(w, "smenu_print")->trigger();
        QCOMPARE(preview.shown, 3);
        QCOMPARE(preview.docName, QStringLiteral("Ma Paniva"));
        QVERIFY(QFileInfo(preview.pdfPath).size() > 0);
    }

    void orientationTakenBack_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("userChoice"); // -1 none, else a QPageLayout::Orientation
        QTest::addColumn<int>("kept");
        QTest::newRow("portrait") << 0 << -1 << 0;
        QTest::newRow("portrait, landscape chosen") << 0 << int(QPageLayout::Landscape) << 0;
        QTest::newRow("landscape") << 1 << -1 << 1;
        QTest::newRow("landscape, portrait chosen") << 1 << int(QPageLayout::Portrait) << 1;
        QTest::newRow("out of range") << 2 << -1 << 0;
        QTest::newRow("out of range, landscape chosen") << 2 << int(QPageLayout::Landscape) << 1;
    }

    void orientationTakenBack() {
        QFETCH(int, setting);
        QFETCH(int, userChoice);
        QFETCH(int, kept);
        gui::Run run;
        run.writeIni(QStringLiteral("[IMPRESSION]\nOrientation=%1\n").arg(setting));
        const QByteArray ini = gui::readBytes(run.iniPath());
        Tfrm_main& w = run.start({run.writeList()});
        QCOMPARE(w.settings().orientation, setting);
        FakePreview preview;
        installPreview(run, preview);
        if (userChoice >= 0)
            preview.userChoice = QPageLayout::Orientation(userChoice);
        gui::part<QToolButton>(w, "spd_btn_print")->click();
        QCOMPARE(preview.shown, 1);
        QCOMPARE(w.settings().orientation, kept);
        // Only for this run.
        QCOMPARE(gui::readBytes(run.iniPath()), ini);
    }

    void previewShowsTheRecomputedTotal() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        // A price changed behind the total's back.
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        w.table1().edit();
        w.table1().setReal(Cat::Prix, 1.5);
        w.table1().post();
        const QString before = gui::part<QLineEdit>(w, "edt_total")->text();
        FakePreview preview;
        installPreview(run, preview);
        gui::part<QAction>(w, "smenu_print")->trigger();
        const QString expected =
            report::listTotalText(Money::fromRaw(30000), run.platform.regional());
        QVERIFY(before != expected);
        QCOMPARE(preview.totalShown, expected);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_total")->text(), expected);
        QCOMPARE(gui::part<QLineEdit>(w, "edt_tot_nbre")->text(), QStringLiteral("   2"));
    }

    void priceTypedOnTheSheetCounts() {
        gui::Run run;
        Tfrm_main& w = run.start({run.writeList()});
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Lait")));
        // Typed on the product sheet, not yet left.
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setText(QStringLiteral("1,50"));
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setModified(true);
        FakePreview preview;
        installPreview(run, preview);
        gui::part<QPushButton>(w, "SpeedButton4")->click();
        QCOMPARE(preview.totalShown,
                 report::listTotalText(Money::fromRaw(30000), run.platform.regional()));

        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setText(QStringLiteral("2,25"));
        gui::part<QLineEdit>(w, "RxDBCalcEdit1")->setModified(true);
        gui::part<QAction>(w, "Texte1")->trigger();
        const QStringList lines = crlfLines(gui::readBytes(run.platform.opened.value(0)));
        QCOMPARE(lines.size(), 5);
        QVERIFY2(lines.at(3).contains(QStringLiteral("2,25")), qPrintable(lines.at(3)));
        QVERIFY2(lines.at(3).contains(QStringLiteral("4,50")), qPrintable(lines.at(3)));
    }

    void listLeftSortedAndCurrentRecordsKept() {
        gui::Run run;
        Tfrm_main& w = run.start({copyExample(run)});
        QVERIFY(w.table2().recordCount() >= 5);
        const QStringList before = listColumn(w, Lst::Produit);
        QVERIFY(w.table2().locate(Lst::Produit, QStringLiteral("Pommes Golden 1 kg")));
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Pain de campagne")));
        const RecordTable::Bookmark listMark = w.table2().bookmark();
        const RecordTable::Bookmark catMark = w.table1().bookmark();

        FakePreview preview;
        installPreview(run, preview);
        gui::part<QPushButton>(w, "SpeedButton4")->click();
        QCOMPARE(preview.shown, 1);

        const QStringList sectors = listColumn(w, Lst::Secteur);
        const QStringList aisles = listColumn(w, Lst::Rayon);
        const QStringList products = listColumn(w, Lst::Produit);
        QVERIFY(products != before);
        QCOMPARE(products.size(), before.size());
        for (qsizetype i = 1; i < products.size(); ++i) {
            const int s = text::compareNoCase(sectors[i - 1], sectors[i]);
            const int a = text::compareNoCase(aisles[i - 1], aisles[i]);
            const int p = text::compareNoCase(products[i - 1], products[i]);
            QVERIFY2(s < 0 || (s == 0 && (a < 0 || (a == 0 && p <= 0))),
                     qPrintable(products[i - 1] + QStringLiteral(" / ") + products[i]));
        }
        // The list grid shows the sorted list.
        for (int row = 0; row < run.listRows(); ++row)
            QCOMPARE(
                gui::part<RecordGrid>(w, "RxDBGrid2")->model()->index(row, 2).data().toString(),
                products[row]);
        QCOMPARE(w.table2().bookmark(), listMark);
        QCOMPARE(w.table1().bookmark(), catMark);
        QCOMPARE(w.table2().text(Lst::Produit), QStringLiteral("Pommes Golden 1 kg"));
        QCOMPARE(w.table1().text(Cat::Produit), QStringLiteral("Pain de campagne"));
    }

    void toolbarExportKeepsTheCurrentRecordsAndSorts() {
        gui::Run run;
        Tfrm_main& w = run.start({copyExample(run)});
        QVERIFY(w.table2().locate(Lst::Produit, QStringLiteral("Doliprane 1000 mg")));
        QVERIFY(w.table1().locate(Cat::Produit, QStringLiteral("Pommes Golden 1 kg")));
        gui::part<QToolButton>(w, "spd_btn_export")->click();
        QCOMPARE(run.platform.opened.size(), 1);
        QCOMPARE(w.table2().text(Lst::Produit), QStringLiteral("Doliprane 1000 mg"));
        QCOMPARE(w.table1().text(Cat::Produit), QStringLiteral("Pommes Golden 1 kg"));
        QCOMPARE(listColumn(w, Lst::Secteur).first(), QStringLiteral("Boulangerie"));
    }
};

KABIRO_TEST_MAIN(TestMainWindowOutput)
#include "test_main_window_output.moc"

// Every text the main window and its dialogs paint, measured against the background it is
// painted on, under the style's own palette, a dark desktop palette and a high-contrast palette:
// each must reach 4.5:1 (normal text, level AA). The backgrounds are read from the window as it
// is drawn (the most frequent colour behind each text); the text colours are the palette roles
// the style draws each kind of text with, or the colours the grids give their cells.

#include "example_window.h"
#include "modal_driver.h"
#include "support/test_registry.h"

#include "dialogs/convert.h"
#include "dialogs/newliste.h"
#include "dialogs/paracha.h"
#include "dialogs/req_glob.h"
#include "dialogs/saiprod.h"
#include "dialogs/splash.h"
#include "model/contrast.h"
#include "resources/pictures.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

namespace {

struct Painted {
    QString what;
    QColor text;
    QColor back;
    double ratio() const { return contrast::ratio(text.rgb() & 0xFFFFFF, back.rgb() & 0xFFFFFF); }
};

// A Breeze-Dark-like desktop palette.
QPalette darkPalette() {
    QPalette p;
    const QColor window(0x31, 0x36, 0x3B), base(0x23, 0x26, 0x29), text(0xEF, 0xF0, 0xF1);
    for (auto g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::AlternateBase, window);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, window);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::BrightText, Qt::white);
        p.setColor(g, QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
        p.setColor(g, QPalette::HighlightedText, QColor(0xFC, 0xFC, 0xFC));
        p.setColor(g, QPalette::ToolTipBase, window);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::Link, QColor(0x1D, 0x99, 0xF3));
        p.setColor(g, QPalette::Light, QColor(0x40, 0x46, 0x4C));
        p.setColor(g, QPalette::Midlight, QColor(0x3A, 0x3F, 0x45));
        p.setColor(g, QPalette::Mid, QColor(0x25, 0x29, 0x2C));
        p.setColor(g, QPalette::Dark, QColor(0x14, 0x16, 0x18));
        p.setColor(g, QPalette::Shadow, QColor(0x0B, 0x0C, 0x0D));
        p.setColor(g, QPalette::PlaceholderText, QColor(0xA1, 0xA9, 0xB1));
    }
    return p;
}

// A high-contrast palette: white on black, cyan selection, yellow links.
QPalette highContrastPalette() {
    QPalette p;
    for (auto g : {QPalette::Active, QPalette::Inactive}) {
        for (auto r : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button,
                       QPalette::ToolTipBase, QPalette::Shadow})
            p.setColor(g, r, Qt::black);
        for (auto r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                       QPalette::ToolTipText, QPalette::BrightText, QPalette::Light})
            p.setColor(g, r, Qt::white);
        p.setColor(g, QPalette::Highlight, QColor(0x1A, 0xEB, 0xFF));
        p.setColor(g, QPalette::HighlightedText, Qt::black);
        p.setColor(g, QPalette::Link, Qt::yellow);
        p.setColor(g, QPalette::Midlight, QColor(0x80, 0x80, 0x80));
        p.setColor(g, QPalette::Mid, QColor(0x80, 0x80, 0x80));
        p.setColor(g, QPalette::Dark, QColor(0xC0, 0xC0, 0xC0));
        p.setColor(g, QPalette::PlaceholderText, QColor(0xC0, 0xC0, 0xC0));
    }
    return p;
}

// The most frequent colour of an area of the picture: the background the text stands on.
QColor dominant(const QImage& shot, const QRect& area) {
    QHash<QRgb, int> count;
    const QRect r = area.intersected(shot.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++count[shot.pixel(x, y) | 0xFF000000u];
    QRgb best = 0;
    int most = -1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return QColor::fromRgb(best);
}

// Styles shade their selection a little (Fusion draws a slight gradient).
bool near(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 &&
           qAbs(a.blue() - b.blue()) <= 8;
}

QString nameOf(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(w->metaObject()->className());
    return name;
}

// Every text a window shows, with its colour and the colour it stands on.
class TextWalk {
public:
    explicit TextWalk(QWidget* top) : top_(top) {
        const QPixmap picture = top->grab();
        scale_ = picture.devicePixelRatio();
        shot_ = picture.toImage().convertToFormat(QImage::Format_RGB32);
    }

    QList<Painted> texts() {
        QList<QWidget*> all = top_->findChildren<QWidget*>();
        all.prepend(top_);
        for (QWidget* w : all) {
            // Disabled controls are exempt from the contrast rule, and hidden ones show nothing.
            if (!w->isVisible() || !w->isEnabled() || w->window() != top_)
                continue;
            visit(w);
        }
        return found_;
    }

private:
    // A rectangle of a widget, in the picture's pixels.
    QRect inShot(const QWidget* w, const QRect& r) const {
        const QPoint at = w->mapTo(top_, r.topLeft());
        return QRectF(QPointF(at) * scale_, QSizeF(r.size()) * scale_).toRect();
    }
    void add(const QWidget* w, const QString& text, QPalette::ColorRole role, const QRect& area,
             const QString& detail = QString()) {
        if (text.trimmed().isEmpty() || area.width() < 3 || area.height() < 3)
            return;
        add(w, w->palette().color(role), area, text, detail);
    }
    void add(const QWidget* w, const QColor& colour, const QRect& area, const QString& text,
             const QString& detail) {
        Painted p;
        p.what = QStringLiteral("%1 %2\"%3\"")
                     .arg(nameOf(w), detail.isEmpty() ? QString() : detail + u' ', text);
        p.text = colour;
        p.back = dominant(shot_, inShot(w, area));
        found_ << p;
    }

    void visit(QWidget* w) {
        const QRect inner = w->rect().adjusted(2, 2, -2, -2);
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->pixmap().isNull())
                add(l, l->text(), l->foregroundRole(), l->contentsRect());
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            // Selected text is drawn in the selection's colours.
            const bool selected =
                e->hasSelectedText() &&
                dominant(shot_, inShot(e, inner)) == e->palette().color(QPalette::Highlight);
            add(e, e->text(), selected ? QPalette::HighlightedText : QPalette::Text, inner);
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* b = static_cast<QAbstractButton*>(w);
            add(b, b->text(), b->foregroundRole(), b->rect());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            add(b, b->text(), QPalette::ButtonText, inner);
        } else if (auto* t = qobject_cast<QToolButton*>(w)) {
            if (t->toolButtonStyle() != Qt::ToolButtonIconOnly || t->icon().isNull())
                add(t, t->text(), QPalette::ButtonText, inner);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(g);
            option.text = g->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            const QRect title = g->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, g);
            add(g, g->title(), QPalette::WindowText, title);
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (!c->isEditable())
                add(c, c->currentText(), QPalette::ButtonText, inner);
        } else if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : m->actions())
                if (a->isVisible())
                    add(m, QString(a->text()).remove(u'&'), QPalette::ButtonText,
                        m->actionGeometry(a));
        } else if (auto* h = qobject_cast<QHeaderView*>(w)) {
            for (int s = 0; s < h->count(); ++s) {
                if (h->isSectionHidden(s) || h->sectionSize(s) < 6)
                    continue;
                const QRect r(h->sectionViewportPosition(s) + 2, 2, h->sectionSize(s) - 4,
                              h->height() - 4);
                add(h->viewport(), h->model()->headerData(s, h->orientation()).toString(),
                    QPalette::ButtonText, r, QStringLiteral("titre"));
            }
        } else if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
            cells(v);
        }
    }

    // The cells on screen: a cell drawn in the selection colour shows its text in the
    // selection's text colour; any other one in its own text colour (or the view's).
    void cells(QAbstractItemView* v) {
        QAbstractItemModel* m = v->model();
        if (!m)
            return;
        QList<QModelIndex> shown;
        std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
            for (int r = 0; r < m->rowCount(parent) && shown.size() < 400; ++r)
                for (int c = 0; c < m->columnCount(parent); ++c) {
                    const QModelIndex at = m->index(r, c, parent);
                    const QRect rect = v->visualRect(at);
                    if (rect.isValid() && v->viewport()->rect().intersects(rect))
                        shown << at;
                    if (c == 0 && qobject_cast<QTreeView*>(v))
                        walk(at);
                }
        };
        walk(QModelIndex());
        const QPalette pal = v->palette();
        for (const QModelIndex& at : shown) {
            const QString text = at.data().toString();
            QRect r = v->visualRect(at).intersected(v->viewport()->rect()).adjusted(1, 1, -1, -1);
            if (text.trimmed().isEmpty() || r.width() < 3 || r.height() < 3)
                continue;
            const QColor back = dominant(shot_, inShot(v->viewport(), r));
            // The view may be drawn as active or not: the selection of either kind counts.
            QColor colour;
            for (auto group : {QPalette::Active, QPalette::Inactive})
                if (!colour.isValid() && near(back, pal.color(group, QPalette::Highlight)))
                    colour = pal.color(group, QPalette::HighlightedText);
            if (!colour.isValid()) {
                const QVariant own = at.data(Qt::ForegroundRole);
                colour = own.isValid() ? own.value<QBrush>().color() : pal.color(QPalette::Text);
            }
            add(v->viewport(), colour, r, text,
                QStringLiteral("(%1,%2)").arg(at.row()).arg(at.column()));
        }
    }

    QWidget* top_;
    QImage shot_;
    qreal scale_ = 1;
    QList<Painted> found_;
};

// The example settings with one change: the user's own colours, chosen dark for the titles and
// the catalogue's colour state, light for the others.
const char kUserColours[] = "[COULEUR]\nTitre1=8388608\nTitre2=128\nTitre3=16777215\n"
                            "prod-prevu=8388736\nprod-renov=65535\nprod-reno2=32768\n"
                            "[PRESENTATION]\nEuro=1\nConvert=1\n[ECRAN]\nvoir_secteur=1\n";

} // namespace

class TestReadableColours : public QObject {
    Q_OBJECT

    QList<Painted> all_;

    void check(QWidget* top) {
        QVERIFY(QTest::qWaitForWindowExposed(top));
        const QList<Painted> texts = TextWalk(top).texts();
        QVERIFY2(texts.size() >= 2, qPrintable(nameOf(top)));
        all_ << texts;
    }

    // Shows every window of the program on the example list under a palette and returns the
    // lowest ratio found; every text below the minimum is reported.
    double walkEverything(const QPalette& palette, const QString& ini, QStringList& faults) {
        QApplication::setPalette(palette);
        all_.clear();
        gui::ExampleRun run;
        Tfrm_main& w = run.startExample(ini);
        // Some rows of every colour state and a current product on the sheet.
        run.choose(QStringLiteral("Champagne brut"));
        w.resize(900, 640);
        QTest::qWait(20);
        check(&w);

        run.hooks.productDialogExec = [this](Tfrm_saiprod& d) {
            d.show();
            check(&d);
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_editprod"), Qt::LeftButton);

        gui::whenModal<Tfrm_param>([this](Tfrm_param& d) {
            check(&d);
            d.reject();
        });
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_param"), Qt::LeftButton);

        gui::whenModal<Tfrm_spash>([this](Tfrm_spash& d) {
            check(&d);
            d.reject();
        });
        QTest::mouseClick(gui::part<QToolButton>(w, "spd_btn_email"), Qt::LeftButton);

        gui::whenModal<Tfrm_nliste>([this](Tfrm_nliste& d) {
            check(&d);
            d.reject();
        });
        gui::part<QAction>(w, "Nouvellelistetype1")->trigger();

        gui::whenModal<Tfrm_requete>([this](Tfrm_requete& d) {
            check(&d);
            d.reject();
        });
        w.smenu_reqClick();

        gui::part<QToolButton>(w, "spd_btn_convert")->click();
        if (Tfrm_convert* c = w.converterWindow())
            check(c);
        else
            faults << QStringLiteral("le convertisseur ne s'ouvre pas");

        double lowest = 21;
        for (const Painted& p : all_) {
            lowest = qMin(lowest, p.ratio());
            if (p.ratio() < contrast::kMinimumRatio)
                faults << QStringLiteral("%1: %2 sur %3, %4:1")
                              .arg(p.what, p.text.name(), p.back.name())
                              .arg(p.ratio(), 0, 'f', 2);
        }
        qInfo("%lld texts, lowest ratio %.2f:1", static_cast<long long>(all_.size()), lowest);
        return lowest;
    }

private slots:
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void everyTextReadsUnderEachPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<QString>("ini");
        const QPalette standard = QApplication::style()->standardPalette();
        QTest::newRow("défaut") << standard << QString();
        QTest::newRow("sombre") << darkPalette() << QString();
        QTest::newRow("contraste élevé") << highContrastPalette() << QString();
        QTest::newRow("défaut, couleurs choisies") << standard << QString::fromLatin1(kUserColours);
        QTest::newRow("sombre, couleurs choisies")
            << darkPalette() << QString::fromLatin1(kUserColours);
    }

    void everyTextReadsUnderEachPalette() {
        QFETCH(QPalette, palette);
        QFETCH(QString, ini);
        QStringList faults;
        const double lowest = walkEverything(palette, ini, faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QVERIFY(lowest >= contrast::kMinimumRatio);
        // The walk found the texts painted on fixed colours, not only the ordinary ones.
        QStringList kinds;
        for (const Painted& p : std::as_const(all_))
            kinds << p.what.section(u' ', 0, 0);
        for (const char* name : {"Panel12", "Panel6", "cpanel1", "cpanel2", "DBEdit1", "lbl_eliste",
                                 "edt_date_vali", "lbl_fichier", "edt_pnl1", "Edit1"})
            QVERIFY2(kinds.contains(QString::fromLatin1(name)), name);
    }

    void cartPictureStandsOutOnADarkPanel() {
        QApplication::setPalette(darkPalette());
        gui::ExampleRun run;
        Tfrm_main& w = run.startExample();
        auto* cart = gui::child<QLabel>(&w, "image_chariot");
        const QImage shown = cart->pixmap().toImage();
        const QColor panel = gui::child<QWidget>(&w, "Panel9")->palette().color(QPalette::Window);
        // Some of the picture's pixels stand out from the panel as text would.
        int standing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb px = shown.pixel(x, y);
                if (qAlpha(px) > 200 &&
                    contrast::ratio(px & 0xFFFFFF, panel.rgb() & 0xFFFFFF) >= 4.5)
                    ++standing;
            }
        QVERIFY2(standing > 40, qPrintable(QString::number(standing)));
        // On the light panel of the default palette the picture is the drawing itself.
        QApplication::setPalette(QApplication::style()->standardPalette());
        gui::ExampleRun light;
        Tfrm_main& l = light.startExample();
        QCOMPARE(gui::child<QLabel>(&l, "image_chariot")->pixmap().toImage(),
                 pictures::trolley().toImage());
    }
};

KABIRO_TEST_MAIN(TestReadableColours)
#include "test_readable_colours.moc"

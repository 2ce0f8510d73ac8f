// Draws the program's pictures (window icon, toolbar glyphs, trolley, drag cursors) with
// QPainter and writes them as PNG files under resources/, and the desktop icons under
// packaging/icons/. Run it again after changing a drawing:
//
//   g++ -std=c++20 -fPIC tools/draw_pictures.cpp -o /tmp/draw_pictures $(pkg-config --cflags --libs
//   Qt6Gui) QT_QPA_PLATFORM=offscreen /tmp/draw_pictures resources packaging
//
// The PNG files are committed; the build only compiles them in.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 248);
const QColor kBlue(38, 96, 178);
const QColor kLightBlue(120, 170, 230);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 40, 36);
const QColor kYellow(244, 200, 60);
const QColor kOrange(230, 140, 30);
const QColor kGrey(130, 130, 140);

QString g_root;

void save(const QImage& img, const QString& relative) {
    const QString path = g_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QImage canvas(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void draw(int size, const QString& relative, const std::function<void(QPainter&)>& paint) {
    QImage img = canvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawings are made on a 16 x 16 grid (32 for the trolley and the cursors).
    paint(p);
    p.end();
    save(img, relative);
}

QPen pen(const QColor& c, double w = 1.0) {
    QPen p(c, w);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

// A page with a folded corner, on the 16 grid.
void page(QPainter& p, const QColor& fill = kPaper) {
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10.0, 1.5);
    path.lineTo(13.5, 5.0);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(pen(kInk));
    p.setBrush(fill);
    p.drawPath(path);
    QPainterPath fold;
    fold.moveTo(10.0, 1.5);
    fold.lineTo(10.0, 5.0);
    fold.lineTo(13.5, 5.0);
    p.setBrush(QColor(220, 220, 215));
    p.drawPath(fold);
}

// The trolley on a grid of 32: basket, handle, frame and two wheels.
void trolley(QPainter& p, double scale, const QColor& basket = kBlue, bool filled = true) {
    p.save();
    p.scale(scale, scale);
    // handle
    p.setPen(pen(kRed, 2.4));
    p.drawLine(QPointF(2.5, 6.0), QPointF(6.5, 6.0));
    p.setPen(pen(kInk, 2.0));
    p.drawLine(QPointF(6.5, 6.0), QPointF(9.5, 21.0));
    // basket
    QPolygonF b;
    b << QPointF(8.0, 9.0) << QPointF(29.5, 9.0) << QPointF(26.5, 20.0) << QPointF(10.2, 20.0);
    p.setPen(pen(kInk, 1.6));
    p.setBrush(filled ? QColor(basket.red(), basket.green(), basket.blue(), 60) : Qt::NoBrush);
    p.drawPolygon(b);
    p.setPen(pen(basket, 1.2));
    for (double x : {13.5, 18.5, 23.5})
        p.drawLine(QPointF(x, 9.5), QPointF(x - 0.6, 19.5));
    p.drawLine(QPointF(9.0, 14.5), QPointF(28.0, 14.5));
    // frame under the basket
    p.setPen(pen(kInk, 1.8));
    p.drawLine(QPointF(9.5, 21.0), QPointF(10.5, 24.5));
    p.drawLine(QPointF(10.5, 24.5), QPointF(27.0, 24.5));
    // wheels
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12.5, 27.5), 2.6, 2.6);
    p.drawEllipse(QPointF(24.5, 27.5), 2.6, 2.6);
    p.setBrush(kGrey);
    p.drawEllipse(QPointF(12.5, 27.5), 1.0, 1.0);
    p.drawEllipse(QPointF(24.5, 27.5), 1.0, 1.0);
    p.restore();
}

// A mouse pointer arrow with its tip at (0, 0), on the 32 grid.
void arrow(QPainter& p) {
    QPolygonF a;
    a << QPointF(1.0, 1.0) << QPointF(1.0, 17.0) << QPointF(5.0, 13.2) << QPointF(8.0, 19.5)
      << QPointF(10.6, 18.3) << QPointF(7.7, 12.2) << QPointF(13.0, 12.2);
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(a);
}

void drawToolbar() {
    draw(16, "pictures/toolbar/new.png", [](QPainter& p) { page(p); });

    draw(16, "pictures/toolbar/ouvre.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(QColor(214, 160, 40));
        p.drawRect(QRectF(1.5, 4.5, 12.0, 9.5));
        p.drawRect(QRectF(1.5, 3.0, 5.0, 1.5));
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15.0, 7.5) << QPointF(13.5, 14.0)
             << QPointF(1.5, 14.0);
        p.setBrush(kYellow);
        p.drawPolygon(flap);
    });

    draw(16, "pictures/toolbar/sauve.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(kBlue);
        QPainterPath disk;
        disk.moveTo(1.5, 1.5);
        disk.lineTo(12.5, 1.5);
        disk.lineTo(14.5, 3.5);
        disk.lineTo(14.5, 14.5);
        disk.lineTo(1.5, 14.5);
        disk.closeSubpath();
        p.drawPath(disk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.0, 1.5, 7.5, 5.0));
        p.setBrush(QColor(210, 210, 215));
        p.drawRect(QRectF(3.5, 9.0, 9.0, 5.5));
        p.setPen(pen(kBlue));
        p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 5.5));
    });

    draw(16, "pictures/toolbar/print.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7.0, 5.0));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(1.5, 6.0, 13.0, 6.0), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.0, 7.0, 4.5));
        p.setPen(pen(kInk, 0.8));
        p.drawLine(QPointF(5.8, 11.8), QPointF(10.2, 11.8));
        p.drawLine(QPointF(5.8, 13.2), QPointF(9.0, 13.2));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(12.5, 8.0), 0.9, 0.9);
    });

    draw(16, "pictures/toolbar/export.png", [](QPainter& p) {
        page(p);
        p.setPen(pen(kGrey, 0.9));
        for (double y : {7.0, 9.0, 11.0})
            p.drawLine(QPointF(5.0, y), QPointF(9.0, y));
        p.setPen(pen(kGreen, 1.8));
        p.drawLine(QPointF(8.0, 12.0), QPointF(14.5, 12.0));
        p.drawLine(QPointF(12.0, 9.5), QPointF(14.8, 12.0));
        p.drawLine(QPointF(12.0, 14.5), QPointF(14.8, 12.0));
    });

    draw(16, "pictures/toolbar/rayon.png", [](QPainter& p) {
        // a window whose left pane holds a small tree
        p.setPen(pen(kInk));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 13.0, 13.0));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13.0, 3.0));
        p.setBrush(QColor(220, 232, 248));
        p.drawRect(QRectF(1.5, 4.5, 5.5, 10.0));
        p.setPen(pen(kInk, 0.9));
        p.drawLine(QPointF(3.0, 6.5), QPointF(3.0, 12.5));
        p.drawLine(QPointF(3.0, 9.0), QPointF(5.5, 9.0));
        p.drawLine(QPointF(3.0, 12.5), QPointF(5.5, 12.5));
        p.setPen(pen(kGrey, 0.9));
        for (double y : {7.0, 9.0, 11.0, 13.0})
            p.drawLine(QPointF(8.5, y), QPointF(13.0, y));
    });

    draw(16, "pictures/toolbar/filtre.png", [](QPainter& p) {
        QPolygonF funnel;
        funnel << QPointF(1.5, 2.0) << QPointF(14.5, 2.0) << QPointF(9.5, 8.0) << QPointF(9.5, 13.0)
               << QPointF(6.5, 14.8) << QPointF(6.5, 8.0);
        p.setPen(pen(kInk));
        p.setBrush(kOrange);
        p.drawPolygon(funnel);
        p.setPen(pen(QColor(255, 235, 190), 1.0));
        p.drawLine(QPointF(4.0, 3.5), QPointF(12.0, 3.5));
    });

    auto pencil = [](QPainter& p) {
        p.save();
        p.translate(8.0, 8.0);
        p.rotate(45.0);
        p.setPen(pen(kInk));
        p.setBrush(kYellow);
        p.drawRect(QRectF(-2.2, -7.0, 4.4, 10.0));
        p.setBrush(QColor(240, 150, 150));
        p.drawRect(QRectF(-2.2, -8.5, 4.4, 1.5));
        QPolygonF tip;
        tip << QPointF(-2.2, 3.0) << QPointF(2.2, 3.0) << QPointF(0.0, 7.0);
        p.setBrush(QColor(240, 215, 170));
        p.drawPolygon(tip);
        p.setBrush(kInk);
        QPolygonF lead;
        lead << QPointF(-0.7, 5.6) << QPointF(0.7, 5.6) << QPointF(0.0, 7.0);
        p.drawPolygon(lead);
        p.restore();
    };
    draw(16, "pictures/toolbar/editprod.png", pencil);

    auto box = [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(QColor(205, 160, 110));
        p.drawRect(QRectF(1.5, 5.5, 10.0, 9.0));
        p.setBrush(QColor(225, 190, 140));
        QPolygonF lid;
        lid << QPointF(1.5, 5.5) << QPointF(4.0, 3.0) << QPointF(14.0, 3.0) << QPointF(11.5, 5.5);
        p.drawPolygon(lid);
        QPolygonF side;
        side << QPointF(11.5, 5.5) << QPointF(14.0, 3.0) << QPointF(14.0, 12.0)
             << QPointF(11.5, 14.5);
        p.setBrush(QColor(175, 130, 85));
        p.drawPolygon(side);
    };
    draw(16, "pictures/toolbar/newprod.png", [box](QPainter& p) {
        box(p);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(11.0, 11.0), 4.6, 4.6);
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(11.0, 11.0), 4.0, 4.0);
        p.setPen(pen(Qt::white, 1.6));
        p.drawLine(QPointF(11.0, 8.6), QPointF(11.0, 13.4));
        p.drawLine(QPointF(8.6, 11.0), QPointF(13.4, 11.0));
    });
    draw(16, "pictures/toolbar/supproduit.png", [box](QPainter& p) {
        box(p);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(11.0, 11.0), 4.6, 4.6);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(11.0, 11.0), 4.0, 4.0);
        p.setPen(pen(Qt::white, 1.6));
        p.drawLine(QPointF(9.3, 9.3), QPointF(12.7, 12.7));
        p.drawLine(QPointF(12.7, 9.3), QPointF(9.3, 12.7));
    });

    draw(16, "pictures/toolbar/param.png", [](QPainter& p) {
        // a gear
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const double a0 = (i - 0.5) * M_PI / teeth;
            const double a1 = (i + 0.5) * M_PI / teeth;
            const double r = (i % 2 == 0) ? 7.0 : 5.2;
            const QPointF p0(8.0 + r * std::cos(a0), 8.0 + r * std::sin(a0));
            const QPointF p1(8.0 + r * std::cos(a1), 8.0 + r * std::sin(a1));
            if (i == 0)
                gear.moveTo(p0);
            else
                gear.lineTo(p0);
            gear.lineTo(p1);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(8.0, 8.0), 2.2, 2.2);
        gear.setFillRule(Qt::OddEvenFill);
        p.setPen(pen(kInk, 0.9));
        p.setBrush(QColor(150, 155, 170));
        p.drawPath(gear);
    });

    draw(16, "pictures/toolbar/aide.png", [](QPainter& p) {
        p.setPen(pen(QColor(20, 60, 130)));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8.0, 8.0), 6.8, 6.8);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.0, 1.5, 14.0, 13.5), Qt::AlignCenter, QStringLiteral("?"));
    });

    draw(16, "pictures/toolbar/email.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 3.5, 13.0, 9.5));
        p.setBrush(QColor(230, 230, 222));
        QPolygonF flap;
        flap << QPointF(1.5, 3.5) << QPointF(8.0, 9.0) << QPointF(14.5, 3.5);
        p.drawPolygon(flap);
        p.setPen(pen(kInk, 0.9));
        p.drawLine(QPointF(1.5, 13.0), QPointF(6.0, 8.0));
        p.drawLine(QPointF(14.5, 13.0), QPointF(10.0, 8.0));
    });

    draw(16, "pictures/toolbar/quitte.png", [](QPainter& p) {
        // an open door with an arrow going out
        p.setPen(pen(kInk));
        p.setBrush(QColor(150, 95, 50));
        p.drawRect(QRectF(1.5, 1.5, 8.0, 13.0));
        p.setBrush(QColor(190, 130, 70));
        QPolygonF leaf;
        leaf << QPointF(1.5, 1.5) << QPointF(6.0, 3.0) << QPointF(6.0, 15.5) << QPointF(1.5, 14.5);
        p.drawPolygon(leaf);
        p.setPen(pen(kRed, 1.8));
        p.drawLine(QPointF(8.0, 8.0), QPointF(14.5, 8.0));
        p.drawLine(QPointF(12.0, 5.5), QPointF(14.8, 8.0));
        p.drawLine(QPointF(12.0, 10.5), QPointF(14.8, 8.0));
    });

    draw(16, "pictures/toolbar/convert.png", [](QPainter& p) {
        // a coin with the euro sign and two arrows
        p.setPen(pen(QColor(150, 110, 10)));
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(8.0, 8.0), 6.8, 6.8);
        p.setPen(pen(QColor(110, 80, 0), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.8, 4.2, 7.4, 7.6), 50 * 16, 260 * 16);
        p.drawLine(QPointF(4.0, 7.2), QPointF(9.0, 7.2));
        p.drawLine(QPointF(4.0, 9.0), QPointF(8.5, 9.0));
    });
}

// The program's icon: the green trolley on a white tile with a green border, at any size.
void icon(QPainter& p, int size) {
    const double s = size / 32.0;
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), 6 * s, 6 * s);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(QRectF(2.0 * s, 2.0 * s, size - 4.0 * s, size - 4.0 * s), 5 * s, 5 * s);
    p.translate(1.0 * s, 0.0);
    trolley(p, s * 0.94, kGreen);
}

void drawTrolleyAndIcon() {
    draw(32, "pictures/chariot.png", [](QPainter& p) { trolley(p, 1.0); });

    for (int size : {16, 32, 48})
        draw(size, QStringLiteral("pictures/paniva_%1.png").arg(size),
             [size](QPainter& p) { icon(p, size); });
}

// The icon for the desktop's menus and file manager, in the sizes of the hicolor icon theme.
// Its scalable form, packaging/icons/hicolor/scalable/apps/paniva.svg, is the same drawing
// written out by hand on the 32 grid: a change here goes there too.
void drawDesktopIcons() {
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        draw(size, QStringLiteral("icons/hicolor/%1x%1/apps/paniva.png").arg(size),
             [size](QPainter& p) { icon(p, size); });
}

void drawCursors() {
    // 1: a catalogue row or colour panel being dragged (a product box)
    draw(32, "cursors/CURSOR_1.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(QColor(205, 160, 110));
        p.drawRect(QRectF(14.5, 16.5, 12.0, 10.0));
        p.setBrush(QColor(225, 190, 140));
        QPolygonF lid;
        lid << QPointF(14.5, 16.5) << QPointF(17.5, 13.5) << QPointF(29.5, 13.5)
            << QPointF(26.5, 16.5);
        p.drawPolygon(lid);
        QPolygonF side;
        side << QPointF(26.5, 16.5) << QPointF(29.5, 13.5) << QPointF(29.5, 23.5)
             << QPointF(26.5, 26.5);
        p.setBrush(QColor(175, 130, 85));
        p.drawPolygon(side);
        arrow(p);
    });
    // 2: a list row being dragged (a list sheet)
    draw(32, "cursors/CURSOR_2.png", [](QPainter& p) {
        p.setPen(pen(kInk));
        p.setBrush(kPaper);
        p.drawRect(QRectF(14.5, 11.5, 13.0, 17.0));
        p.setPen(pen(kBlue, 1.2));
        for (double y : {15.5, 19.0, 22.5, 26.0})
            p.drawLine(QPointF(17.0, y), QPointF(25.0, y));
        arrow(p);
    });
    // 3: the cart being pushed
    draw(32, "cursors/CURSOR_3.png", [](QPainter& p) {
        p.save();
        p.translate(10.0, 10.0);
        trolley(p, 0.68);
        p.restore();
        arrow(p);
    });
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    g_root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources");
    drawToolbar();
    drawTrolleyAndIcon();
    drawCursors();
    // The desktop icons go with the packaging files, out of the pictures compiled in.
    g_root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("packaging");
    drawDesktopIcons();
    return 0;
}

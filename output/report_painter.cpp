#include "output/report_painter.h"

#include "resources/resources.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>

using namespace report;

namespace {

// Frame lines: the thin ones, the sector heading's (twice as wide) and the circles' outlines.
constexpr double kThinLineMm = 0.25;
constexpr double kThickLineMm = 2 * kThinLineMm;
constexpr double kCircleLineMm = 0.2;

// Numbers too wide for their boxes shrink, down to this size at most.
constexpr double kSmallestNumberPt = 5.0;

// The header picture is shown at its natural size on a 96 dpi screen.
constexpr double kPictureMm = 32 * 25.4 / 96.0;

QRectF toDevice(const MmMapping& mm, double x, double y, double w, double h) {
    return QRectF(mm.paperOrigin.x() + x * mm.dotsPerMmX, mm.paperOrigin.y() + y * mm.dotsPerMmY,
                  w * mm.dotsPerMmX, h * mm.dotsPerMmY);
}

QFont fontFor(const FontChoice& choice) {
    QFont f(choice.family);
    f.setPointSizeF(choice.pointSize);
    f.setBold(choice.bold);
    f.setStyleHint(choice.family.startsWith(QLatin1String("Comic")) ? QFont::Cursive
                                                                    : QFont::SansSerif);
    return f;
}

Qt::Alignment horizontal(Align a) {
    switch (a) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPen linePen(double widthMm, const MmMapping& mm) {
    QPen pen(Qt::black);
    pen.setWidthF(widthMm * mm.dotsPerMmX);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

void drawText(QPainter& p, const Element& e, const QRectF& band, const MmMapping& mm) {
    if (e.text.isEmpty())
        return;
    const QFont font = fontFor(e.font);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetricsF fm(p.font(), p.device());
    const double top = band.top() + e.top * mm.dotsPerMmY;
    const double height = e.height * mm.dotsPerMmY;
    const double anchor = band.left() + e.x * mm.dotsPerMmX;
    if (e.grows) {
        const double w = fm.horizontalAdvance(e.text);
        double left = anchor;
        if (e.align == Align::Right)
            left = anchor - w;
        else if (e.align == Align::Center)
            left = anchor - w / 2;
        p.drawText(QRectF(left, top, w, height),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, e.text);
        return;
    }
    const QRectF box(anchor, top, e.width * mm.dotsPerMmX, height);
    if (e.firstLineOnly) {
        // Names and notes keep to their box: the first line of the broken text, clipped.
        const QString first = firstLineOf(e.text, p.font(), p.device(), box.width());
        p.save();
        p.setClipRect(box, Qt::IntersectClip);
        p.drawText(box, horizontal(e.align) | Qt::AlignTop | Qt::TextSingleLine, first);
        p.restore();
        return;
    }
    // Quantities and prices never lose digits: a number wider than its box is drawn in a
    // smaller size that fits it, so that it neither is clipped nor runs into its neighbours.
    QRectF numberBox = box;
    const double needed = fm.horizontalAdvance(e.text);
    if (needed > box.width() && needed > 0) {
        QFont smaller = p.font();
        smaller.setPointSizeF(std::max(kSmallestNumberPt, e.font.pointSize * box.width() / needed));
        p.setFont(smaller);
        // Kept on the line's baseline.
        numberBox.translate(0, fm.ascent() - QFontMetricsF(p.font(), p.device()).ascent());
    }
    p.drawText(numberBox,
               horizontal(e.align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, e.text);
}

void drawCircle(QPainter& p, const Element& e, const QRectF& band, const MmMapping& mm) {
    const QRectF box(band.left() + e.x * mm.dotsPerMmX, band.top() + e.top * mm.dotsPerMmY,
                     e.width * mm.dotsPerMmX, e.height * mm.dotsPerMmY);
    p.setPen(linePen(kCircleLineMm, mm));
    p.setBrush(e.fill.isValid() ? e.fill : QColor(Qt::white));
    p.drawEllipse(box);
    p.setBrush(Qt::NoBrush);
}

void drawPicture(QPainter& p, const Element& e, const QRectF& band, const MmMapping& mm) {
    const QImage img = trolleyPicture();
    const double w = kPictureMm * mm.dotsPerMmX;
    const double h = kPictureMm * mm.dotsPerMmY;
    const QRectF box(band.left() + e.x * mm.dotsPerMmX, band.top() + e.top * mm.dotsPerMmY,
                     e.width * mm.dotsPerMmX, e.height * mm.dotsPerMmY);
    const QRectF target(box.center().x() - w / 2, box.center().y() - h / 2, w, h);
    p.drawImage(target, img);
}

void drawFrame(QPainter& p, const Band& b, const QRectF& r, const MmMapping& mm) {
    if (b.frame == NoSide)
        return;
    p.setPen(linePen(b.thickFrame ? kThickLineMm : kThinLineMm, mm));
    if (b.frame & TopSide)
        p.drawLine(r.topLeft(), r.topRight());
    if (b.frame & BottomSide)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    if (b.frame & LeftSide)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (b.frame & RightSide)
        p.drawLine(r.topRight(), r.bottomRight());
}

// A small trolley drawn in code, for a build whose resources hold no picture.
QImage drawnTrolley() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(QPointF(2, 5), QPointF(7, 5)); // handle
    QPainterPath basket;
    basket.moveTo(7, 5);
    basket.lineTo(11, 21);
    basket.lineTo(27, 21);
    basket.lineTo(30, 9);
    basket.lineTo(8.5, 9);
    p.setBrush(QColor(200, 0, 0));
    p.drawPath(basket);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (double x : {13.0, 18.0, 23.0})
        p.drawLine(QPointF(x, 9.5), QPointF(x, 20.5));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(13, 26), 2.5, 2.5);
    p.drawEllipse(QPointF(25, 26), 2.5, 2.5);
    return img;
}

} // namespace

QImage trolleyPicture() {
    static const QImage picture = [] {
        kabiroInitResources();
        QImage img(QStringLiteral(":/pictures/chariot.png"));
        return img.isNull() ? drawnTrolley() : img;
    }();
    return picture;
}

QString firstLineOf(const QString& text, const QFont& font, QPaintDevice* device, double width) {
    if (text.isEmpty())
        return text;
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return text;
    }
    line.setLineWidth(width);
    layout.endLayout();
    return text.mid(line.textStart(), line.textLength()).trimmed();
}

void paintReportPage(QPainter& painter, const Page& page, const MmMapping& mm) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Band& b : page.bands) {
        const QRectF r = toDevice(mm, b.left, b.top, b.width, b.height);
        if (b.background.isValid())
            painter.fillRect(r, b.background);
        for (const Element& e : b.elements) {
            switch (e.kind) {
            case ElementKind::Text:
                drawText(painter, e, r, mm);
                break;
            case ElementKind::Circle:
                drawCircle(painter, e, r, mm);
                break;
            case ElementKind::Picture:
                drawPicture(painter, e, r, mm);
                break;
            }
        }
        drawFrame(painter, b, r, mm);
    }
}

bool paintReport(QPagedPaintDevice& device, const Layout& layout) {
    // The layout measures from the paper's corner; where the device allows it (PDF, a printer
    // in full-page mode) there is no margin to offset, otherwise the offset is taken below.
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(layout.setup.landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    MmMapping mm;
    mm.dotsPerMmX = device.logicalDpiX() / 25.4;
    mm.dotsPerMmY = device.logicalDpiY() / 25.4;
    // The painter's origin is the top-left corner of the device's paint rectangle; the layout
    // measures from the paper's corner.
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
    mm.paperOrigin = QPointF(-paint.left() * mm.dotsPerMmX, -paint.top() * mm.dotsPerMmY);
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintReportPage(painter, layout.pages[i], mm);
    }
    return painter.end();
}

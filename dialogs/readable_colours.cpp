#include "dialogs/readable_colours.h"

#include "model/contrast.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace readable {
namespace {

quint32 rgbOf(const QColor& c) {
    return c.toRgb().rgb() & 0xFFFFFF;
}

QColor colourOf(quint32 rgb) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

QColor blend(const QColor& a, const QColor& b, double t) {
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    auto mid = [t](int p, int q) { return static_cast<int>(p + (q - p) * t + 0.5); };
    return QColor(mid(x.red(), y.red()), mid(x.green(), y.green()), mid(x.blue(), y.blue()));
}

} // namespace

QColor textOn(const QColor& background) {
    return colourOf(contrast::textOn(rgbOf(background)));
}

QColor accent(const QColor& wanted, const QColor& background, double minimum) {
    return colourOf(contrast::readableAccent(rgbOf(wanted), rgbOf(background), minimum));
}

void paintOn(QWidget* w, const QColor& background) {
    QPalette p = w->palette();
    const QColor text = textOn(background);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, background);
        p.setColor(group, QPalette::Base, background);
        const QColor shown = group == QPalette::Disabled ? blend(text, background, 0.45) : text;
        p.setColor(group, QPalette::WindowText, shown);
        p.setColor(group, QPalette::Text, shown);
    }
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QColor backgroundBehind(const QWidget* w, QPalette::ColorRole textRole) {
    if (textRole == QPalette::Text)
        return w->palette().color(QPalette::Base);
    const QWidget* painted = w;
    while (painted && !painted->autoFillBackground() && !painted->isWindow())
        painted = painted->parentWidget();
    if (!painted)
        painted = w;
    return painted->palette().color(painted->backgroundRole());
}

void setAccent(QWidget* w, QPalette::ColorRole textRole, const QColor& wanted) {
    const QColor shown = accent(wanted, backgroundBehind(w, textRole));
    QPalette p = w->palette();
    p.setColor(QPalette::Active, textRole, shown);
    p.setColor(QPalette::Inactive, textRole, shown);
    w->setPalette(p);
}

void mendSelection(QWidget* window) {
    QPalette p = window->palette();
    bool changed = false;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        const QColor back = p.color(group, QPalette::Highlight);
        const QColor text = p.color(group, QPalette::HighlightedText);
        // A little above the minimum: styles shade the selection a few steps either way.
        const QColor mended = accent(back, text, contrast::kMinimumRatio + 0.5);
        if (mended != back) {
            p.setColor(group, QPalette::Highlight, mended);
            changed = true;
        }
    }
    if (changed)
        window->setPalette(p);
}

QPixmap pictureOn(const QPixmap& picture, const QColor& background) {
    if (picture.isNull() || !contrast::isDark(rgbOf(background)))
        return picture;
    // A light band two pixels wide around the drawing's opaque pixels, under the drawing.
    const QImage source = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage halo(source.size(), QImage::Format_ARGB32);
    halo.fill(Qt::transparent);
    const QRgb light = textOn(background).rgb();
    const int w = source.width();
    const int h = source.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int strongest = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int sx = x + dx;
                    const int sy = y + dy;
                    if (sx >= 0 && sy >= 0 && sx < w && sy < h && dx * dx + dy * dy <= 5)
                        strongest = std::max(strongest, qAlpha(source.pixel(sx, sy)));
                }
            if (strongest > 0)
                halo.setPixel(x, y, qRgba(qRed(light), qGreen(light), qBlue(light), strongest));
        }
    }
    QPainter painter(&halo);
    painter.drawImage(0, 0, source);
    painter.end();
    QPixmap out = QPixmap::fromImage(halo);
    out.setDevicePixelRatio(picture.devicePixelRatio());
    return out;
}

} // namespace readable

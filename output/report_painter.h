#pragma once

#include "output/report_layout.h"

#include <QFont>
#include <QImage>
#include <QPointF>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Draws a laid-out report on a paged device (a printer, the preview's printer, a PDF writer):
// A4 paper in the layout's orientation, one device page per layout page, millimetres turned into
// the device's units. Returns false when the device could not be painted on.
bool paintReport(QPagedPaintDevice& device, const report::Layout& layout);

// How millimetres on the paper map to a painter's device coordinates.
struct MmMapping {
    double dotsPerMmX = 1;
    double dotsPerMmY = 1;
    QPointF paperOrigin; // where the paper's top-left corner lies, in device units
};

// Draws one page on a painter already begun on its device.
void paintReportPage(QPainter& painter, const report::Page& page, const MmMapping& mm);

// The 32 × 32 picture of a shopping trolley shown in the page header: the program's picture, or
// one drawn here when the resources hold none.
QImage trolleyPicture();

// The part of a text that fits on the first line of a box `width` device units wide, breaking
// at a word boundary (inside a word only when a single word is too long), as the device's font
// metrics measure it.
QString firstLineOf(const QString& text, const QFont& font, QPaintDevice* device, double width);

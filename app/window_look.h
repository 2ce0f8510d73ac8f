#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The look shared by the main window's regions.
namespace look {

// Smallest widths of the two sides of the splitters, in pixels, while the user drags them.
inline constexpr int kTreeMinimumWidth = 80;
inline constexpr int kCatalogueMinimumWidth = 80;
inline constexpr int kLeftPartMinimumWidth = 50;
inline constexpr int kTitleBarHeight = 17;

// Arial at a 12-pixel height, whatever the screen's font size.
QFont windowFont();
// A title bar: a bold caption centred on a coloured band 17 pixels high.
QLabel* titleBar(QWidget* parent, const char* name, const QString& text);
void setBackground(QWidget* w, const QColor& c);
QColor background(const QWidget* w);
// A tool tip whose "\r" and "\r\n" break lines.
void setHint(QWidget* w, const QString& hint);
QString hintText(const QString& hint);
// The colour of inactive window captions (the cart panel after a layout save).
QColor inactiveCaptionColour();

} // namespace look

#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

class QLabel;
class QLineEdit;
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
// A label and a one-line field named by their object names, as the window's regions build them
// (the field 20 px high).
QLabel* namedLabel(QWidget* parent, const char* name, const QString& text);
QLineEdit* field(QWidget* parent, const char* name);
QLabel* titleBar(QWidget* parent, const char* name, const QString& text);
// Paints a region on a fixed colour, with the text colour that colour calls for (dark on light,
// light on dark), and shows again the pictures standing on it for the new colour.
void setBackground(QWidget* w, const QColor& c);
QColor background(const QWidget* w);
// A picture standing on a region's colour: on a dark colour it gets a light outline.
void setPicture(QLabel* label, const QPixmap& picture);
// Text of its own colour (a red warning) shown on a field: adjusted until it reads well there.
void setFieldTextColour(QWidget* field, const QColor& wanted);
// A tool tip whose "\r" and "\r\n" break lines.
void setHint(QWidget* w, const QString& hint);
QString hintText(const QString& hint);
// The colour of inactive window captions (the cart panel after a layout save).
QColor inactiveCaptionColour();

} // namespace look

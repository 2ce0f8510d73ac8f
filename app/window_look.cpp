#include "app/window_look.h"

#include "dialogs/bgr_color.h"
#include "dialogs/readable_colours.h"
#include "model/settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace look {

QFont windowFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    return f;
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedHeight(20);
    return e;
}

QLabel* titleBar(QWidget* parent, const char* name, const QString& text) {
    auto* bar = new QLabel(text, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFixedHeight(kTitleBarHeight);
    bar->setAlignment(Qt::AlignCenter);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setLineWidth(1);
    QFont f = bar->font();
    f.setBold(true);
    bar->setFont(f);
    setBackground(bar, colorFromBgr(settings::kTitleColour));
    return bar;
}

namespace {

// The picture a label was given, kept so that it can be shown again on another colour.
constexpr char kPictureProperty[] = "kabiro_picture";

void showPicture(QLabel* label) {
    const QVariant original = label->property(kPictureProperty);
    if (original.isValid())
        label->setPixmap(readable::pictureOn(
            original.value<QPixmap>(), readable::backgroundBehind(label, QPalette::WindowText)));
}

} // namespace

void setBackground(QWidget* w, const QColor& c) {
    readable::paintOn(w, c);
    for (QLabel* label : w->findChildren<QLabel*>())
        showPicture(label);
}

void setPicture(QLabel* label, const QPixmap& picture) {
    label->setProperty(kPictureProperty, picture);
    showPicture(label);
}

void setFieldTextColour(QWidget* field, const QColor& wanted) {
    readable::setAccent(field, QPalette::Text, wanted);
}

QColor background(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

QString hintText(const QString& hint) {
    QString s = hint;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void setHint(QWidget* w, const QString& hint) {
    w->setToolTip(hintText(hint));
}

QColor inactiveCaptionColour() {
    // The desktop offers no caption colours of its own: the classic colour of an inactive
    // window's title bar.
    return QColor(191, 205, 219);
}

} // namespace look

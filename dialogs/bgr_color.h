#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the settings file stores them: 0x00BBGGRR, red in the lowest byte.
inline QColor colorFromBgr(quint32 bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline quint32 bgrFromColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8) |
           (static_cast<quint32>(rgb.blue()) << 16);
}

#include "resources/pictures.h"

#include "resources/resources.h"

namespace pictures {

QIcon windowIcon() {
    kabiroInitResources();
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/pictures/paniva_%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap trolley() {
    kabiroInitResources();
    return QPixmap(QStringLiteral(":/pictures/chariot.png"));
}

QIcon toolbarIcon(const QString& name) {
    kabiroInitResources();
    return QIcon(QStringLiteral(":/pictures/toolbar/%1.png").arg(name));
}

QPixmap dragCursorPicture(int number) {
    kabiroInitResources();
    return QPixmap(QStringLiteral(":/cursors/CURSOR_%1.png").arg(number));
}

QCursor dragCursor(int number) {
    const QPixmap p = dragCursorPicture(number);
    if (p.isNull())
        return QCursor(Qt::DragMoveCursor);
    return QCursor(p, 0, 0);
}

} // namespace pictures

#pragma once

// Drives the modal dialog a command opens, from inside that dialog's own event loop.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

namespace gui {

// Once a modal dialog of type D is on screen and `ready` holds for it, `act` runs on it (and
// must end it). A dialog that never gets ready is rejected after a few seconds, so that a
// faulty test fails instead of hanging. Delete the returned timer when the command is known not
// to open the dialog.
template <typename D>
QPointer<QTimer> whenModal(std::function<void(D&)> act, std::function<bool(D&)> ready = {}) {
    auto* timer = new QTimer(QCoreApplication::instance());
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, started, act, ready] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (d && d->isVisible() && (!ready || ready(*d))) {
            timer->stop();
            timer->deleteLater();
            act(*d);
            return;
        }
        if (started->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            qWarning("the expected dialog was not ready in time");
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
        }
    });
    timer->start(5);
    return timer;
}

} // namespace gui

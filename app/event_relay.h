#pragma once

#include <QObject>
#include <functional>
#include <utility>

// An event filter that hands the events of the objects it watches to a function: a window's
// handlers for controls it does not subclass. The function returns true to stop the event.
class EventRelay : public QObject {
public:
    using Handler = std::function<bool(QObject* watched, QEvent* event)>;

    explicit EventRelay(Handler handler, QObject* parent = nullptr)
        : QObject(parent), handler_(std::move(handler)) {}

    void watch(QObject* o) { o->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return handler_ && handler_(watched, event);
    }

private:
    Handler handler_;
};

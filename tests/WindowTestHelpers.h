#pragma once
// What the Qt Test window programs share: finding a control by its name and acting on the
// next modal window once it shows.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace exo::test {

template <typename T = QWidget> T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

// Runs `act` on the next modal window once it is shown.
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

} // namespace exo::test

#pragma once

// Driving modal dialogs from tests: an action is queued for the next modal dialog of a type, and runs once
// that dialog's own event loop is running.

#include <functional>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace vardo::test {

/// The child widget of `parent` with this object name; a test failure (and nullptr) when there is none.
template <class T>
T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no child named " << name;
    return child;
}

/// Types text into a widget key by key; unlike QTest::keyClicks it also takes letters beyond ASCII.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

/// Runs `action` on the next modal dialog of type T that becomes active (polling every 10 ms, giving up
/// after five seconds with a test failure and closing whatever modal dialog is open).
template <class T>
void OnNextDialog(std::function<void(T&)> action) {
    auto* timer = new QTimer();
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*dialog);
            return;
        }
        if (++*waited > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no dialog of the expected type appeared: " << T::staticMetaObject.className();
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->reject();
        }
    });
    timer->start();
}

} // namespace vardo::test

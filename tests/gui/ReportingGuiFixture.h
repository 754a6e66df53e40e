#pragma once

// Driving the month dialogs with the keyboard: keys go to whatever widget of the dialog has the focus.

#include <ostream>

#include <QApplication>
#include <QWidget>

#include "GuiFixture.h"

/// Readable QString values in the test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vardo::test {

class ReportingGuiTest : public DocumentTest {
protected:
    /// The widget of `window` that has the keyboard focus (the window itself when none has it).
    static QWidget* Focused(QWidget& window) {
        QWidget* focus = window.focusWidget();
        return focus ? focus : &window;
    }
    /// Presses one key in the focused widget of `window`.
    /// Mnemonics (Alt+letter) reach only the active window, so the window is made active first.
    static void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (!window.isActiveWindow()) {
            window.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        }
        QTest::keyClick(Focused(window), key, modifiers);
    }
    /// Types text into the focused widget of `window`, one key at a time.
    static void Keys(QWidget& window, const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(Focused(window), c.toLatin1());
    }
    static QString FocusName(QWidget& window) { return Focused(window)->objectName(); }
};

} // namespace vardo::test

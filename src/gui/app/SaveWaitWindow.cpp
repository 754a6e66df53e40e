#include "gui/app/SaveWaitWindow.h"

#include <QApplication>

#include "ui_SaveWaitWindow.h"

namespace vardo {

SaveWaitWindow::SaveWaitWindow(QWidget* parent) : SaveWaitWindow(QString(), parent) {}

SaveWaitWindow::SaveWaitWindow(const QString& text, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SaveWaitWindow>()) {
    m_ui->setupUi(this);
    if (!text.isEmpty())
        m_ui->waitLabel->setText(text);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    show();
    // The save runs on this thread: let the window paint before it starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

SaveWaitWindow::~SaveWaitWindow() = default;

} // namespace vardo

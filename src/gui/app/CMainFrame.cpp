#include "gui/app/CMainFrame.h"

namespace vardo {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Vardo"));
    resize(1000, 700);
}

} // namespace vardo

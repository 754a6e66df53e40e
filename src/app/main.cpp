#include <QApplication>

#include "gui/app/CMainFrame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    vardo::CMainFrame frame;
    frame.show();
    return QApplication::exec();
}

#include <cstdio>

#include <QApplication>
#include <QStringList>

#include "gui/app/CMainFrame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--help")) {
            std::puts("Usage: vardo [DIR | --data DIR] [--today YYYY-MM-DD]");
            return 0;
        }
    }
    vardo::CMainFrame frame;
    frame.show();
    return QApplication::exec();
}

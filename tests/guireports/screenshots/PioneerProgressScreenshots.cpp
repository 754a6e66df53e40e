// Writes PNG images of the pioneer progress window and of the hours report in the report view over a demo
// congregation, and the window's printed page as a PDF, for a person to look at:
// vardo_pioneer_progress_screenshots OUTPUT_DIR (run under xvfb-run).

#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QPrinter>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/reports/CVardoView.h"
#include "gui/reports/PioneerProgressDialog.h"
#include "ScreenshotKit.h"

int main(int argc, char** argv) {
    vardo::screenshots::DemoRun run(argc, argv, vardo::Date{2025, 3, 10});
    if (const int failed = run.Start(argc, argv))
        return failed;
    auto& [app, out, clock, prompter, folder, doc] = run;

    vardo::CVardoView view(doc, prompter, clock);
    view.resize(1000, 760);
    view.show();
    view.LoadReportFonts();
    const auto shoot = [&](int command, const char* file) {
        view.OnCommand(command);
        vardo::screenshots::GrabTo(view, out / file);
        std::printf("%s\n", (out / file).c_str());
    };
    shoot(32807, "view-hours.png");
    shoot(32796, "view-averages.png");

    vardo::PioneerProgressDialog dialog(doc, view.ScreenEnvironment(), prompter);
    auto* combo = dialog.findChild<QComboBox*>("pioneerCombo");
    // A pioneer who started after September shows every line.
    for (int i = 0; combo != nullptr && i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        if (dialog.Presenter().View().lines[0].size() > 0)
            break;
    }
    dialog.resize(900, 820);
    dialog.show();
    vardo::screenshots::GrabTo(dialog, out / "pioneer-progress.png");
    std::printf("%s\n", (out / "pioneer-progress.png").c_str());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((out / "pioneer-progress.pdf").string()));
    if (!dialog.PrintTo(printer))
        return 1;
    std::printf("%s\n", (out / "pioneer-progress.pdf").c_str());
    return 0;
}

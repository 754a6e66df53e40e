// Writes PNG images of the report view and of its print preview over the telephone list of a demo
// congregation, for a person to look at: vardo_report_view_screenshots OUTPUT_DIR (run under xvfb-run).

#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/app/CommandIds.h"
#include "gui/reports/CVardoView.h"
#include "ScreenshotKit.h"

int main(int argc, char** argv) {
    vardo::screenshots::DemoRun run(argc, argv, vardo::Date{2024, 3, 10});
    if (const int failed = run.Start(argc, argv))
        return failed;
    auto& [app, out, clock, prompter, folder, doc] = run;

    vardo::CVardoView view(doc, prompter, clock);
    view.resize(900, 760);
    view.show();
    view.LoadReportFonts();
    view.OnCommand(vardo::cmd::kPhoneList);
    vardo::screenshots::GrabTo(view, out / "view-phone.png");

    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        dialog->resize(900, 1100);
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            widget->fitToWidth();
        QApplication::processEvents();
        dialog->grab().save(QString::fromStdString((out / "preview-phone.png").string()));
        dialog->accept();
    });
    view.OnCommand(vardo::cmd::kPrintPreview);
    std::printf("%s\n%s\n", (out / "view-phone.png").c_str(), (out / "preview-phone.png").c_str());

    // The dialogs of the view: grabbed when they show, then closed without a change.
    const auto shootDialog = [&](int command, const char* file) {
        const std::filesystem::path path = out / file;
        QTimer::singleShot(300, [path] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            QApplication::processEvents();
            dialog->grab().save(QString::fromStdString(path.string()));
            dialog->reject();
        });
        view.OnCommand(command);
        std::printf("%s\n", path.c_str());
    };
    shootDialog(32810, "group-chooser.png");
    shootDialog(vardo::cmd::kReportSettings, "report-settings.png");
    shootDialog(vardo::cmd::kRecordCardOptions, "card-options.png");
    view.OnCommand(32871);
    QApplication::processEvents();
    view.grab().save(QString::fromStdString((out / "view-phone-email.png").string()));
    std::printf("%s\n", (out / "view-phone-email.png").c_str());
    return 0;
}

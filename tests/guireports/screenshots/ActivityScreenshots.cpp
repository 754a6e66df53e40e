// Writes PNG images of the activity summary dialog (two states) and of the statistics in the report view,
// over a demo congregation, for a person to look at: vardo_activity_screenshots OUTPUT_DIR (xvfb-run).

#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/reports/ReportOptions.h"
#include "gui/app/CommandIds.h"
#include "gui/reports/ActivitySummaryDialog.h"
#include "gui/reports/CVardoView.h"
#include "ScreenshotKit.h"

int main(int argc, char** argv) {
    vardo::screenshots::DemoRun run(argc, argv, vardo::Date{2024, 3, 10});
    if (const int failed = run.Start(argc, argv))
        return failed;
    auto& [app, out, clock, prompter, folder, doc] = run;

    vardo::ReportEnvironment environment;
    environment.fonts = vardo::ReportFonts(doc.LanguageTag());
    environment.options = vardo::ReportOptionsFromSettings(doc.GetSettings());
    environment.today = clock.Today();
    vardo::ActivitySummaryDialog dialog(vardo::ActivityDataOf(doc), environment, prompter);
    environment.screen = vardo::Resolution{dialog.logicalDpiX(), dialog.logicalDpiY()};
    dialog.resize(1000, 520);
    dialog.show();
    const auto first = out / "activity-dialog.png";
    vardo::screenshots::GrabTo(dialog, first);

    dialog.findChild<QRadioButton*>(QStringLiteral("branchRadio"))->click();
    dialog.findChild<QComboBox*>(QStringLiteral("categoryCombo"))->setCurrentIndex(3);
    dialog.findChild<QComboBox*>(QStringLiteral("measureCombo"))->setCurrentIndex(1);
    dialog.findChild<QPushButton*>(QStringLiteral("periodButton"))->click();
    const auto second = out / "activity-dialog-branch.png";
    vardo::screenshots::GrabTo(dialog, second);
    dialog.hide();

    vardo::CVardoView view(doc, prompter, clock);
    view.resize(900, 900);
    view.show();
    view.LoadReportFonts();
    view.OnCommand(vardo::cmd::kStatistics);
    const auto statistics = out / "view-statistics.png";
    vardo::screenshots::GrabTo(view, statistics);
    std::printf("%s\n%s\n%s\n", first.c_str(), second.c_str(), statistics.c_str());
    return 0;
}

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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    const vardo::DataFolder folder(out / "zbor");
    const vardo::FixedClock clock(vardo::Date{2024, 3, 10});
    vardo::ScriptedPrompter prompter;
    if (!std::filesystem::exists(out / "zbor" / "tdat9.bin") &&
        !vardo::WriteDemoCongregation(folder, clock, vardo::DemoOptions{}, prompter).ok())
        return 1;
    vardo::CVardoDoc doc;
    vardo::StartupOptions startup;
    startup.showStartupNote = false;
    if (!doc.Load(folder, clock, prompter, startup).ok())
        return 1;

    vardo::ReportEnvironment environment;
    environment.fonts = vardo::ReportFonts(doc.LanguageTag());
    environment.options = vardo::ReportOptionsFromSettings(doc.GetSettings());
    environment.today = clock.Today();
    vardo::ActivitySummaryDialog dialog(vardo::ActivityDataOf(doc), environment, prompter);
    environment.screen = vardo::Resolution{dialog.logicalDpiX(), dialog.logicalDpiY()};
    dialog.resize(1000, 520);
    dialog.show();
    QApplication::processEvents();
    const auto first = out / "activity-dialog.png";
    dialog.grab().save(QString::fromStdString(first.string()));

    dialog.findChild<QRadioButton*>(QStringLiteral("branchRadio"))->click();
    dialog.findChild<QComboBox*>(QStringLiteral("categoryCombo"))->setCurrentIndex(3);
    dialog.findChild<QComboBox*>(QStringLiteral("measureCombo"))->setCurrentIndex(1);
    dialog.findChild<QPushButton*>(QStringLiteral("periodButton"))->click();
    QApplication::processEvents();
    const auto second = out / "activity-dialog-branch.png";
    dialog.grab().save(QString::fromStdString(second.string()));
    dialog.hide();

    vardo::CVardoView view(doc, prompter, clock);
    view.resize(900, 900);
    view.show();
    view.LoadReportFonts();
    view.OnCommand(vardo::cmd::kStatistics);
    QApplication::processEvents();
    const auto statistics = out / "view-statistics.png";
    view.grab().save(QString::fromStdString(statistics.string()));
    std::printf("%s\n%s\n%s\n", first.c_str(), second.c_str(), statistics.c_str());
    return 0;
}

// Writes PNG images of the main panel with the month totals, the congregation analysis in the report view
// (first page and the branch table), the record-card dialog (with its totals view and twelve-month card), the
// label dialog, the card-header labels and the attendance dialogs over a demo
// congregation, for a person to look at: vardo_analysis_screenshots OUTPUT_DIR (run under xvfb-run).

#include <cstdio>
#include <filesystem>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/reporting/AttendanceDialog.h"
#include "gui/reporting/AttendanceRecordDialog.h"
#include "gui/reports/AnalysisCommands.h"
#include "gui/reports/CVardoView.h"
#include "gui/reports/CardLabelDialog.h"
#include "gui/reports/RecordCardDialog.h"
#include "ScreenshotKit.h"

namespace {

void Save(QWidget& widget, const std::filesystem::path& file) {
    vardo::screenshots::GrabTo(widget, file);
    std::printf("%s\n", file.c_str());
}

} // namespace

int main(int argc, char** argv) {
    vardo::screenshots::DemoRun run(argc, argv, vardo::Date{2024, 3, 10});
    if (const int failed = run.Prepare(argc, argv))
        return failed;
    auto& [app, out, clock, prompter, folder, doc] = run;
    vardo::CMainFrame frame(doc, prompter);
    vardo::CVardoView view(doc, prompter, clock);
    frame.AttachView(view);
    vardo::RegisterAnalysisCommands(frame, doc, prompter, clock);
    if (!frame.OpenDocument(folder, clock, false))
        return 1;
    view.LoadReportFonts();
    frame.resize(1100, 760);
    frame.show();
    frame.UpdateCommands();
    Save(frame, out / "panel-totals.png");

    view.OnCommand(vardo::cmd::kCongregationAnalysisMonth);
    Save(frame, out / "view-analysis.png");
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    Save(frame, out / "view-analysis-branch.png");
    view.ReturnToMainPanel();

    vardo::RecordCardDialog cards(doc, prompter, clock, {}, &frame);
    cards.resize(1000, 700);
    cards.show();
    Save(cards, out / "dialog-117.png");
    // The totals view of the regular and special pioneers, then the twelve-month card of one person.
    cards.findChild<QCheckBox*>(QStringLiteral("check1106"))->click();
    cards.findChild<QListWidget*>(QStringLiteral("list1018"))->setCurrentRow(2);
    Save(cards, out / "dialog-117-totals.png");
    cards.findChild<QCheckBox*>(QStringLiteral("check1106"))->click();
    cards.findChild<QComboBox*>(QStringLiteral("cardModeCombo"))->setCurrentIndex(1);
    Save(cards, out / "dialog-117-twelve-months.png");
    cards.hide();

    vardo::CardLabelDialog labels(3, &frame);
    labels.PositionButton(7)->click();
    labels.show();
    Save(labels, out / "dialog-127.png");
    labels.hide();
    view.OnCommand(32821);
    Save(frame, out / "view-card-labels.png");
    view.ReturnToMainPanel();

    vardo::AttendanceDialog attendance(doc, &frame);
    attendance.show();
    Save(attendance, out / "dialog-109.png");
    attendance.hide();

    vardo::AttendanceRecordDialog record(doc, prompter, &frame);
    record.adjustSize();
    record.show();
    Save(record, out / "dialog-135.png");
    record.hide();
    return 0;
}

// Renders the status views, the quick results, the main window with its status counts and a status view in the
// report view of a data folder into PNG files, for looking at the layout. Not a test and not shipped; nothing
// is saved.
// vardo_status_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include "core/doc/CVardoDoc.h"
#include "core/doc/StatusSource.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/reports/Lists.h"
#include "gui/app/CMainFrame.h"
#include "gui/reporting/QuickResultsDialog.h"
#include "gui/reporting/StatusCommands.h"
#include "gui/reporting/StatusViewDialog.h"
#include "gui/reports/CVardoView.h"
#include "ScreenshotKit.h"

using vardo::screenshots::SaveAndHide;

namespace {

vardo::StatusViewPresenter Presenter(const vardo::CVardoDoc& doc) {
    return vardo::StatusViewPresenter(vardo::StatusDataOf(doc), vardo::GroupNamesOf(doc),
                                      vardo::LoadEmails(doc.Folder(), doc.Database()));
}

} // namespace

int main(int argc, char** argv) {
    vardo::screenshots::FolderRun run(argc, argv);
    if (const int failed = run.Open(argc, argv, "vardo_status_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]", "2024-03-26"))
        return failed;
    auto& [app, out, clock, prompter, doc] = run;

    const std::pair<vardo::StatusViewKind, const char*> kinds[] = {
        {vardo::StatusViewKind::NoReport, "status-no-report.png"},
        {vardo::StatusViewKind::Irregular, "status-irregular.png"},
        {vardo::StatusViewKind::Inactive, "status-inactive.png"},
        {vardo::StatusViewKind::Privileges, "status-privileges.png"},
    };
    for (const auto& [kind, file] : kinds) {
        vardo::StatusViewPresenter presenter = Presenter(doc);
        presenter.SetKind(kind);
        vardo::StatusViewDialog dialog(
            std::move(presenter), {[](const vardo::StatusQuery&) {}, [](const std::string&, const std::string&) {}});
        if (auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lineList")); list && list->topLevelItemCount())
            list->setCurrentItem(list->topLevelItem(0));
        SaveAndHide(dialog, out, file);
    }

    vardo::QuickResultsDialog quick(vardo::QuickResultsPresenter(vardo::StatusDataOf(doc)));
    quick.OpenFigure(1); // the regular publishers, with the reasons
    SaveAndHide(quick, out, "quick-results.png");

    vardo::CMainFrame frame(doc, prompter);
    vardo::CVardoView view(doc, prompter, clock, &frame);
    frame.AttachView(view);
    view.LoadReportFonts();
    vardo::RegisterStatusCommands(frame, doc, view);
    frame.resize(1100, 700);
    SaveAndHide(frame, out, "main-panel-counts.png");
    vardo::StatusQuery query;
    query.kind = vardo::StatusViewKind::Irregular;
    query.month = doc.GetWorkingMonth().monthIndex;
    view.ShowStatusReport(query);
    SaveAndHide(frame, out, "report-view-irregular.png");
    return 0;
}

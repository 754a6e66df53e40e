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

namespace {

void Save(QWidget& widget, const QString& folder, const char* name) {
    widget.show();
    widget.activateWindow();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s (%dx%d)\n", qPrintable(path), widget.width(), widget.height());
    widget.hide();
}

vardo::StatusViewPresenter Presenter(const vardo::CVardoDoc& doc) {
    return vardo::StatusViewPresenter(vardo::StatusDataOf(doc), vardo::GroupNamesOf(doc),
                                      vardo::LoadEmails(doc.Folder(), doc.Database()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("Usage: vardo_status_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const auto today = vardo::Date::Parse(argc > 3 ? argv[3] : "2024-03-26");
    if (!today)
        return 2;
    vardo::FixedClock clock(*today);
    vardo::ScriptedPrompter prompter;
    vardo::CVardoDoc doc;
    vardo::StartupOptions options;
    options.showStartupNote = false;
    if (const vardo::Status loaded = doc.Load(vardo::DataFolder(argv[1]), clock, prompter, options); !loaded) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], loaded.message().c_str());
        return 1;
    }

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
        Save(dialog, out, file);
    }

    vardo::QuickResultsDialog quick(vardo::QuickResultsPresenter(vardo::StatusDataOf(doc)));
    quick.OpenFigure(1); // the regular publishers, with the reasons
    Save(quick, out, "quick-results.png");

    vardo::CMainFrame frame(doc, prompter);
    vardo::CVardoView view(doc, prompter, clock, &frame);
    frame.AttachView(view);
    view.LoadReportFonts();
    vardo::RegisterStatusCommands(frame, doc, view);
    frame.resize(1100, 700);
    Save(frame, out, "main-panel-counts.png");
    vardo::StatusQuery query;
    query.kind = vardo::StatusViewKind::Irregular;
    query.month = doc.GetWorkingMonth().monthIndex;
    view.ShowStatusReport(query);
    Save(frame, out, "report-view-irregular.png");
    return 0;
}

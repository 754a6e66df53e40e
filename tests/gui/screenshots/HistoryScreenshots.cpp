// Renders the history editor, the pioneer lists and the main window viewing a past month over a demo
// congregation into PNG files, for looking at the layout. Not a test and not shipped:
// vardo_history_screenshots OUT_DIR [YYYY-MM-DD]

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/reporting/HistoryCommands.h"
#include "gui/reporting/HistoryEditorDialog.h"
#include "gui/reporting/PioneerListDialog.h"
#include "ScreenshotKit.h"

using vardo::screenshots::Save;

namespace {

// The first active publisher who is a regular pioneer in `month` of the history editor's working year.
int FindRegularPioneer(vardo::HistoryEditor& editor, const vardo::CVardoDoc& doc) {
    const auto& persons = editor.Persons();
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (doc.Database().Record(persons[i].record).Pioneer(editor.MonthChoice(), editor.ChosenSlot()) ==
            vardo::PioneerCode::Regular)
            return static_cast<int>(i);
    return 0;
}

template <class T>
T* Find(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        std::fprintf(stderr, "no widget %s\n", name);
        std::exit(1);
    }
    return child;
}

} // namespace

int main(int argc, char** argv) {
    vardo::screenshots::FolderRun run(argc, argv);
    if (const int failed = run.Read(argc, argv, 1, "vardo_history_screenshots OUT_DIR [YYYY-MM-DD]", "2024-03-10"))
        return failed;
    auto& [app, out, clock, prompter, doc] = run;
    QTemporaryDir temp;
    const vardo::DataFolder folder(temp.path().toStdString());
    if (!vardo::screenshots::WriteDemo(folder, clock, prompter))
        return 1;
    // The month before the working month kept as its snapshot, for the past-month view.
    vardo::CMainFrame frame(doc, prompter);
    if (!frame.OpenDocument(folder, clock, false))
        return 1;
    const int snapshot = doc.PastMonthIndex(1) + 1;
    const std::filesystem::path roll = folder.Root() / "Roll" / ("Vd9_" + std::to_string(snapshot));
    std::filesystem::create_directories(roll);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root()))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), roll / entry.path().filename());
    doc.Close();
    if (!frame.OpenDocument(folder, clock, false))
        return 1;
    vardo::RegisterHistoryCommands(frame, doc, prompter);
    frame.resize(1100, 680);

    const vardo::ReportingContext context = doc.MakeReportingContext(prompter);
    {
        vardo::HistoryEditorDialog dialog(context, vardo::HistoryEditor::Mode::Publisher, 0);
        Find<QListWidget>(dialog, "personList")->setCurrentRow(3);
        Find<QListWidget>(dialog, "yearList")->setCurrentRow(1);
        Find<QListWidget>(dialog, "monthList")->setCurrentRow(3);
        Save(dialog, out, "history_publisher_old.png");
        Find<QListWidget>(dialog, "personList")->setCurrentRow(FindRegularPioneer(dialog.Editor(), doc));
        Find<QListWidget>(dialog, "yearList")->setCurrentRow(2);
        Save(dialog, out, "history_pioneer_new.png");
        Find<QCheckBox>(dialog, "totalsBox")->setChecked(true);
        Find<QListWidget>(dialog, "yearList")->setCurrentRow(1);
        Save(dialog, out, "history_totals.png");
        Find<QListWidget>(dialog, "personList")->setCurrentRow(2);
        Find<QCheckBox>(dialog, "regularTotalsBox")->setChecked(true);
        Save(dialog, out, "history_totals_pioneers.png");
        dialog.hide();
    }
    {
        vardo::PioneerListDialog dialog(context, vardo::PioneerCode::Auxiliary);
        Find<QListWidget>(dialog, "othersList")->setCurrentRow(2);
        Save(dialog, out, "pioneers_auxiliary.png");
        dialog.hide();
    }
    {
        vardo::PioneerListDialog dialog(context, vardo::PioneerCode::Regular);
        Find<QListWidget>(dialog, "holdersList")->setCurrentRow(0);
        Save(dialog, out, "pioneers_regular.png");
        dialog.hide();
    }
    frame.Router().Execute(vardo::cmd::kPastMonths + 1);
    Save(frame, out, "main_past_month.png");
    return 0;
}

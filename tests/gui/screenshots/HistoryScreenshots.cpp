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
}

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
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("Usage: vardo_history_screenshots OUT_DIR [YYYY-MM-DD]\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const auto today = vardo::Date::Parse(argc > 2 ? argv[2] : "2024-03-10");
    if (!today)
        return 2;
    QTemporaryDir temp;
    const vardo::DataFolder folder(temp.path().toStdString());
    vardo::FixedClock clock(*today);
    vardo::ScriptedPrompter prompter;
    if (const vardo::Status written = vardo::WriteDemoCongregation(folder, clock, {}, prompter); !written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return 1;
    }
    // The month before the working month kept as its snapshot, for the past-month view.
    vardo::CVardoDoc doc;
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

// Renders the list windows and the interested persons' windows on a data folder into PNG files, for looking
// at the layout: the inactive window on both lists, the deleted window, the moved window on both of its right
// lists, the month dialog of a move with and without its year and regular box, and the interested persons'
// chooser and editor. Not a test and not shipped; the moves it makes to fill the lists are not saved.
// vardo_lists_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]

#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/registry/PersonRemoval.h"
#include "core/registry/PublisherChooser.h"
#include "core/reporting/ListMoves.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/reporting/ListMovesDialog.h"
#include "gui/reporting/MoveMonthDialog.h"

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

// The n-th person of a list; 0 when the list is shorter.
vardo::RecordNumber Nth(const vardo::CVardoDoc& doc, vardo::PublisherCategory list, std::size_t n) {
    const auto& entries = doc.Database().List(list);
    return n < entries.size() ? entries[n].recordNumber : 0;
}

void Check(const vardo::Status& status, const char* what) {
    if (!status)
        std::fprintf(stderr, "%s: %s\n", what, status.message().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("Usage: vardo_lists_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const auto today = vardo::Date::Parse(argc > 3 ? argv[3] : "2024-03-03");
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
    vardo::ReportingContext reporting = doc.MakeReportingContext(prompter);
    vardo::RegistryContext registry = doc.MakeRegistryContext(prompter);
    const vardo::WorkingMonth& month = doc.GetWorkingMonth();

    // Fill the lists: two inactive persons, one moved, one moved from the inactive list, one deleted, one
    // publisher without reports for half a year (a candidate for the inactive list), two interested persons.
    using vardo::PublisherCategory;
    Check(vardo::MakeInactive(reporting, Nth(doc, PublisherCategory::Publisher, 0), 10, month.Year() - 1), "inactive");
    Check(vardo::MakeInactive(reporting, Nth(doc, PublisherCategory::Publisher, 0), 1, month.Year()), "inactive");
    Check(vardo::MoveAway(reporting, Nth(doc, PublisherCategory::Publisher, 1), month.monthIndex + 1), "moved");
    Check(vardo::MoveAway(reporting, Nth(doc, PublisherCategory::Inactive, 0), month.monthIndex + 1), "moved");
    Check(vardo::MakeInactive(reporting, Nth(doc, PublisherCategory::Publisher, 2), 9, month.Year() - 1), "inactive");
    Check(vardo::RemoveTemporarily(registry, Nth(doc, PublisherCategory::Publisher, 3), 11, month.Year() - 1),
          "deleted");
    if (const vardo::RecordNumber idle = Nth(doc, PublisherCategory::Publisher, 4)) {
        vardo::PublisherRecord& person = doc.Database().Record(idle);
        for (vardo::MonthIndex m = 0; m < 12; ++m)
            for (vardo::YearSlot slot = 0; slot < 2; ++slot)
                for (vardo::MonthRow row : {vardo::MonthRow::Hours, vardo::MonthRow::StudyWord})
                    person.SetRow(row, m, slot, 0);
    }
    vardo::PublisherChooser interested(registry, vardo::PublisherChooser::Mode::Edit, PublisherCategory::NonPublisher);
    const std::pair<const char*, const char*> names[] = {{"Anna", "Zawadzka"}, {"Tomasz", "Wrona"}};
    for (const auto& [first, last] : names) {
        vardo::PublisherEditor editor(registry, interested);
        editor.LoadNew();
        editor.SetText(vardo::EditorText::FirstName, first);
        editor.SetText(vardo::EditorText::LastName, last);
        editor.SetText(vardo::EditorText::Address, "ul. Polna 3");
        editor.SetText(vardo::EditorText::PhoneMobile, "600 100 200");
        Check(editor.ChooseConductor(doc.Database().Record(Nth(doc, PublisherCategory::Publisher, 5)).Id()),
              "conductor");
        if (!editor.Store())
            std::fputs("cannot store an interested person\n", stderr);
    }

    {
        vardo::ListMovesDialog window(vardo::ListMovesDialog::Kind::Inactive, reporting, registry);
        Save(window, out, "inactive-candidates.png");
        auto* left = window.findChild<QTreeWidget*>(QStringLiteral("leftList"));
        left->setFocus();
        emit left->itemPressed(left->topLevelItem(0), 0);
        Save(window, out, "inactive-list.png");
    }
    {
        vardo::ListMovesDialog window(vardo::ListMovesDialog::Kind::Deleted, reporting, registry);
        Save(window, out, "deleted-list.png");
    }
    {
        vardo::ListMovesDialog window(vardo::ListMovesDialog::Kind::Moved, reporting, registry);
        Save(window, out, "moved-list.png");
        window.findChild<QCheckBox*>(QStringLiteral("inactiveBox"))->setChecked(true);
        Save(window, out, "moved-list-inactive.png");
        auto* left = window.findChild<QTreeWidget*>(QStringLiteral("leftList"));
        left->setFocus();
        emit left->itemPressed(left->topLevelItem(0), 0);
        Save(window, out, "moved-list-undo.png");
    }
    {
        const std::string name = doc.Database().DisplayNameOfRecord(Nth(doc, PublisherCategory::Publisher, 0), false);
        vardo::MoveMonthDialog withYear(vardo::MoveMonthChoice(
            month, vardo::MonthDialogCaption(name, vardo::Str(vardo::StrId::VerbMadeInactive)), true));
        Save(withYear, out, "month-dialog-year.png");
        vardo::MoveMonthDialog regular(vardo::MoveMonthChoice(
            month, vardo::MonthDialogCaption(name, vardo::Str(vardo::StrId::VerbReturned)), false, true));
        Save(regular, out, "month-dialog-regular.png");
    }
    {
        vardo::PublisherChooserDialog chooser(registry, vardo::PublisherChooser::Mode::Edit,
                                              PublisherCategory::NonPublisher);
        Save(chooser, out, "interested-chooser.png");
        interested.Refill();
        vardo::PublisherEditorDialog editor(registry, interested, 0, vardo::WithSafetyDialogs({}));
        Save(editor, out, "interested-editor.png");
    }
    return 0;
}

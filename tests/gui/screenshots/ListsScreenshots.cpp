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
#include "ScreenshotKit.h"

using vardo::screenshots::SaveAndHide;

namespace {

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
    vardo::screenshots::FolderRun run(argc, argv);
    if (const int failed = run.Open(argc, argv, "vardo_lists_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]", "2024-03-03"))
        return failed;
    auto& [app, out, clock, prompter, doc] = run;
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
        SaveAndHide(window, out, "inactive-candidates.png");
        auto* left = window.findChild<QTreeWidget*>(QStringLiteral("leftList"));
        left->setFocus();
        emit left->itemPressed(left->topLevelItem(0), 0);
        SaveAndHide(window, out, "inactive-list.png");
    }
    {
        vardo::ListMovesDialog window(vardo::ListMovesDialog::Kind::Deleted, reporting, registry);
        SaveAndHide(window, out, "deleted-list.png");
    }
    {
        vardo::ListMovesDialog window(vardo::ListMovesDialog::Kind::Moved, reporting, registry);
        SaveAndHide(window, out, "moved-list.png");
        window.findChild<QCheckBox*>(QStringLiteral("inactiveBox"))->setChecked(true);
        SaveAndHide(window, out, "moved-list-inactive.png");
        auto* left = window.findChild<QTreeWidget*>(QStringLiteral("leftList"));
        left->setFocus();
        emit left->itemPressed(left->topLevelItem(0), 0);
        SaveAndHide(window, out, "moved-list-undo.png");
    }
    {
        const std::string name = doc.Database().DisplayNameOfRecord(Nth(doc, PublisherCategory::Publisher, 0), false);
        vardo::MoveMonthDialog withYear(vardo::MoveMonthChoice(
            month, vardo::MonthDialogCaption(name, vardo::Str(vardo::StrId::VerbMadeInactive)), true));
        SaveAndHide(withYear, out, "month-dialog-year.png");
        vardo::MoveMonthDialog regular(vardo::MoveMonthChoice(
            month, vardo::MonthDialogCaption(name, vardo::Str(vardo::StrId::VerbReturned)), false, true));
        SaveAndHide(regular, out, "month-dialog-regular.png");
    }
    {
        vardo::PublisherChooserDialog chooser(registry, vardo::PublisherChooser::Mode::Edit,
                                              PublisherCategory::NonPublisher);
        SaveAndHide(chooser, out, "interested-chooser.png");
        interested.Refill();
        vardo::PublisherEditorDialog editor(registry, interested, 0, vardo::WithSafetyDialogs({}));
        SaveAndHide(editor, out, "interested-editor.png");
    }
    return 0;
}

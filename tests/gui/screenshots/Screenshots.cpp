// Renders the main window and the editing dialogs on a data folder into PNG files, for looking at the
// layout. Not a test and not shipped: vardo_gui_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]

#include <algorithm>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QPixmap>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/registry/PublisherChooser.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandSet.h"
#include "core/platform/Strings.h"
#include "gui/registry/CircuitOverseerDialog.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/EmergencyContactDialog.h"
#include "gui/registry/FamilyDialog.h"
#include "gui/registry/GroupDialogs.h"
#include "gui/registry/PersonPickerDialog.h"
#include "gui/registry/SpecialNeedsDialog.h"
#include "gui/registry/UserCategoryDialog.h"
#include "gui/registry/GroupChooserDialog.h"
#include "gui/registry/PrivilegesDialog.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/GroupReportFile.h"
#include "gui/exchange/CsvWizardDialog.h"
#include "gui/exchange/ReportImportDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/registry/StatusDialog.h"
#include "gui/reports/CVardoView.h"
#include "ScreenshotKit.h"

using vardo::screenshots::Save;

int main(int argc, char** argv) {
    vardo::screenshots::FolderRun run(argc, argv);
    if (const int failed = run.Read(argc, argv, 2, "vardo_gui_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]", "2024-03-10"))
        return failed;
    auto& [app, out, clock, prompter, doc] = run;
    vardo::CMainFrame frame(doc, prompter);
    if (!frame.OpenDocument(vardo::DataFolder(argv[1]), clock, false)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    vardo::CVardoView view(doc, prompter, clock);
    frame.AttachView(view);
    vardo::RegisterEveryCommand(frame, doc, prompter, clock, view);
    frame.UpdateCommands();
    view.LoadReportFonts();
    frame.resize(1100, 680);
    Save(frame, out, "main.png");
    // A report of the view in the same window, then back to the panel.
    frame.Router().Execute(32809);
    Save(frame, out, "report.png");
    frame.Router().Execute(32787);

    vardo::RegistryContext context = frame.MakeRegistryContext();
    vardo::PublisherChooserDialog chooser(context, vardo::PublisherChooser::Mode::Edit);
    Save(chooser, out, "chooser.png");
    chooser.hide();

    // The editor on a regular pioneer who is an elder.
    vardo::PublisherChooser list(context, vardo::PublisherChooser::Mode::Edit);
    const vardo::WorkingMonth& month = doc.GetWorkingMonth();
    int position = -1;
    bool pioneer = false;
    for (int i = 0; i < list.Count() && !pioneer; ++i) {
        const vardo::PublisherRecord& r = doc.Database().Record(list.RecordAt(i));
        if (r.GetAppointment() != vardo::Appointment::Elder)
            continue;
        pioneer = r.Pioneer(month.monthIndex, month.SlotOf(month.monthIndex)) == vardo::PioneerCode::Regular;
        if (position < 0 || pioneer)
            position = i;
    }
    vardo::PublisherEditorDialog editor(context, list, std::max(position, 0));
    // Without a pioneer among the elders, the first elder is shown as one (nothing is stored).
    if (!pioneer)
        editor.findChild<QWidget*>(QStringLiteral("regularPioneerBox"))->setProperty("checked", true);
    Save(editor, out, "editor.png");

    vardo::PrivilegesDialog privileges(editor.Editor().MakePrivilegesInput());
    Save(privileges, out, "privileges.png");
    privileges.hide();

    vardo::StatusDialog status(editor.Editor().MakeStatusChoice());
    Save(status, out, "status.png");
    status.hide();

    vardo::DeleteDialog remove(month, doc.Database().NameOfId(editor.Editor().Record().Id(), false));
    remove.findChild<QWidget*>(QStringLiteral("temporaryRadio"))->setProperty("checked", true);
    Save(remove, out, "delete.png");
    remove.hide();

    vardo::GroupChooserDialog groups(context, editor.Editor().Group());
    Save(groups, out, "groups.png");
    groups.hide();
    editor.hide();

    vardo::PublisherEditorDialog newPerson(context, list, std::nullopt);
    Save(newPerson, out, "editor-new.png");
    newPerson.hide();

    vardo::GroupListDialog groupList(context);
    Save(groupList, out, "group-list.png");
    groupList.hide();
    vardo::GroupEditorDialog groupEditor(context, 2);
    Save(groupEditor, out, "group-editor.png");
    groupEditor.hide();
    vardo::GroupAssignmentDialog assignment(context, 2);
    assignment.findChild<QWidget*>(QStringLiteral("inactiveBox"))->setProperty("checked", true);
    Save(assignment, out, "group-assignment.png");
    assignment.hide();

    // The emergency contact of the first person who shares one with somebody else.
    const vardo::PublisherRecord* sharing = nullptr;
    for (int i = 0; i < list.Count() && sharing == nullptr; ++i) {
        const vardo::PublisherRecord& r = doc.Database().Record(list.RecordAt(i));
        if (vardo::OtherContactReferences(doc.Database(), r.EmergencyKey(), r.Id()) > 0)
            sharing = &r;
    }
    if (sharing != nullptr) {
        vardo::EmergencyContactDialog emergency(context, *sharing);
        Save(emergency, out, "emergency-contact.png");
        emergency.hide();
        vardo::FamilyDialog family(context, *sharing);
        Save(family, out, "family.png");
        family.hide();
        vardo::SpecialNeedsDialog needs(context, *sharing);
        Save(needs, out, "special-needs.png");
        needs.hide();
    }
    vardo::CircuitOverseerDialog overseer(context);
    Save(overseer, out, "circuit-overseer.png");
    overseer.hide();
    vardo::UserCategoryDialog category(context);
    Save(category, out, "user-category.png");
    category.hide();
    vardo::PersonPickerDialog picker(std::string(vardo::Str(vardo::StrId::FamilyPickerCaption)),
                                     vardo::FamilyPickerItems(doc.Database(), 0), vardo::FamilyPickerLegend());
    picker.findChild<QLineEdit*>(QStringLiteral("filterEdit"))->setText(QStringLiteral("ska"));
    Save(picker, out, "family-picker.png");
    // The import preview of group 1's file as its overseer would return it: studies for everyone, hours for
    // every third person, a late report of the month before for the first.
    using namespace vardo;
    ReportingContext reporting = doc.MakeReportingContext(prompter);
    const WorkingMonth& working = doc.GetWorkingMonth();
    const YearSlot slot = working.SlotOf(working.monthIndex);
    GroupFileSource source{doc.Database(), doc.Side().remarks, {}, {}, [&](MonthIndex m) { return working.SlotOf(m); }};
    const auto file = WriteGroupReportFile(source, {.group = 1, .month = working.monthIndex, .slot = slot});
    if (file) {
        auto data = ReadGroupReportFile(file.value());
        if (data) {
            int n = 0;
            for (PublisherRecord& person : data.value().persons) {
                person.SetRow(MonthRow::StudyWord, working.monthIndex, slot,
                              static_cast<std::uint16_t>(kStudyFlagBit | (n % 4)));
                if (n % 3 == 0)
                    person.SetRow(MonthRow::Hours, working.monthIndex, slot, static_cast<std::uint16_t>(20 + n));
                ++n;
            }
            const MonthIndex before = (working.monthIndex + 11) % 12;
            data.value().persons.front().SetU8(GroupReportLayout::MarkerOffset(before), 1);
            data.value().persons.front().SetRow(MonthRow::StudyWord, before, working.SlotOf(before), kStudyFlagBit | 1);
            const auto persons = IncomingFromGroupFile(data.value(), reporting);
            if (persons) {
                ReportImportDialog import(reporting, ImportSource::GroupFile, persons.value(), "Grupa1.t19");
                Save(import, out, "import-hint.png");
                import.findChild<QListWidget*>(QStringLiteral("entryList"))->setCurrentRow(1);
                Save(import, out, "import.png");
            }
        }
    }

    // The CSV wizard on a spreadsheet of the first five active publishers, one name written differently.
    std::string csv = "Osoba;Głosił;Kursy;Godziny;Uwagi;Grupa\n";
    int row = 0;
    for (const IndexEntry& entry : doc.Database().List(PublisherCategory::Publisher)) {
        if (row++ == 5)
            break;
        const PublisherRecord& p = doc.Database().Record(entry.recordNumber);
        csv += (row == 3 ? p.FirstName().substr(0, 1) + ". " + p.LastName() : p.FirstName() + " " + p.LastName()) +
               ";1;" + std::to_string(row) + ";;;1\n";
    }
    const DataFolder scratch(QDir::temp().filePath(QStringLiteral("vardo-shots-csv")).toStdString());
    (void)scratch.CreateFolder("");
    if (auto table = ParseCsv(csv)) {
        CsvWizardDialog wizard(reporting, scratch, table.value());
        auto* sources = wizard.findChild<QListWidget*>(QStringLiteral("sourceList"));
        auto* targets = wizard.findChild<QListWidget*>(QStringLiteral("targetList"));
        // The pairs as clicks make them: a source column, then its target.
        for (auto [column, target] : {std::pair{0, 6}, std::pair{1, 2}, std::pair{2, 3}}) {
            sources->setCurrentRow(column);
            targets->setCurrentRow(target);
            emit targets->itemClicked(targets->item(target));
        }
        sources->setCurrentRow(3);
        Save(wizard, out, "csv-columns.png");
        wizard.findChild<QPushButton*>(QStringLiteral("continueButton"))->click();
        wizard.findChild<QListWidget*>(QStringLiteral("unmatchedList"))->setCurrentRow(0);
        Save(wizard, out, "csv-names.png");
    }
    return 0;
}

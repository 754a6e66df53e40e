#include "gui/reporting/ListCommands.h"

#include <QWidget>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"
#include "core/reporting/ListMoves.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/QtText.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/reporting/ListMovesDialog.h"
#include "gui/reporting/MoveMonthDialog.h"

namespace vardo {
namespace {

enum class AddMove { FromInterested, FromInactive };

// Picks a person of the interested or inactive list, asks the month and makes the person an active
// publisher. True when the person moved.
bool MoveToActive(QWidget* parent, RegistryContext& registry, CVardoDoc& doc, Prompter& prompter, AddMove move) {
    const bool interested = move == AddMove::FromInterested;
    PublisherChooserDialog picker(registry, PublisherChooser::Mode::Pick,
                                  interested ? PublisherCategory::NonPublisher : PublisherCategory::Inactive, {},
                                  parent);
    picker.setWindowTitle(ToQt(Str(interested ? StrId::InterestedPersons : StrId::InactivePublishers)));
    if (picker.exec() != QDialog::Accepted || !picker.Picked())
        return false;
    const RecordNumber record = registry.database.RecordNumberOfId(*picker.Picked());
    if (record == 0)
        return false;
    const std::string name = registry.database.DisplayNameOfRecord(record, false);
    const auto choice = MoveMonthDialog::Run(
        parent,
        MoveMonthChoice(registry.month,
                        MonthDialogCaption(name, Str(interested ? StrId::VerbBecamePublisher : StrId::VerbReactivated)),
                        false));
    if (!choice)
        return false;
    ReportingContext reporting = doc.MakeReportingContext(prompter);
    const Status moved =
        interested ? MakePublisher(reporting, record, choice->Month()) : Reactivate(reporting, record, choice->Month());
    if (!moved) {
        prompter.Message(moved.message(), Severity::Warning);
        return false;
    }
    return true;
}

void RunListWindow(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, ListMovesDialog::Kind kind) {
    if (!doc.IsLoaded() || doc.PastMonthMode())
        return;
    RegistryContext registry = doc.MakeRegistryContext(prompter);
    ReportingContext reporting = doc.MakeReportingContext(prompter);
    (void)ListMovesDialog::Run(&frame, kind, reporting, registry);
    frame.UpdateCommands();
}

} // namespace

RegistryHooks WithListMoveHooks(RegistryHooks hooks, CVardoDoc& doc, Prompter& prompter) {
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    hooks.addFromInterested = [document, asker](QWidget* parent, RegistryContext& registry) {
        return MoveToActive(parent, registry, *document, *asker, AddMove::FromInterested);
    };
    hooks.addFromInactive = [document, asker](QWidget* parent, RegistryContext& registry) {
        return MoveToActive(parent, registry, *document, *asker, AddMove::FromInactive);
    };
    return hooks;
}

void RegisterListCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    frame.SetRegistryHooks(WithListMoveHooks(frame.GetRegistryHooks(), doc, prompter));
    frame.RegisterDocumentCommand(cmd::kInterestedEdit, [=] {
        if (!document->IsLoaded() || document->PastMonthMode())
            return;
        RegistryContext registry = document->MakeRegistryContext(*asker);
        (void)PublisherChooserDialog::EditInterested(window, registry, WithSafetyDialogs(window->GetRegistryHooks()));
        window->UpdateCommands();
    });
    frame.RegisterDocumentCommand(cmd::kInactiveEdit,
                                  [=] { RunListWindow(*window, *document, *asker, ListMovesDialog::Kind::Inactive); });
    frame.RegisterDocumentCommand(cmd::kDeletedList,
                                  [=] { RunListWindow(*window, *document, *asker, ListMovesDialog::Kind::Deleted); });
    frame.RegisterDocumentCommand(cmd::kMovedEdit,
                                  [=] { RunListWindow(*window, *document, *asker, ListMovesDialog::Kind::Moved); });
    frame.UpdateCommands();
}

} // namespace vardo

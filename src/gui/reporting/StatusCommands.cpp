#include "gui/reporting/StatusCommands.h"

#include <QBoxLayout>
#include <QLabel>

#include "core/doc/CVardoDoc.h"
#include "core/doc/StatusSource.h"
#include "core/platform/Strings.h"
#include "core/reports/Lists.h"
#include "core/reports/StatusReport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/app/QtText.h"
#include "gui/reporting/QuickResultsDialog.h"
#include "gui/reporting/StatusViewDialog.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

struct ViewCommand {
    int id;
    StatusViewKind kind;
};

constexpr ViewCommand kViewCommands[] = {
    {cmd::kMissingReports, StatusViewKind::NoReport},
    {cmd::kIrregular, StatusViewKind::Irregular},
    {cmd::kNewPublishers, StatusViewKind::New},
    {cmd::kReactivated, StatusViewKind::Reactivated},
    {cmd::kInactiveView, StatusViewKind::Inactive},
    {cmd::kMovedView, StatusViewKind::Moved},
    {cmd::kRecentlyBaptized, StatusViewKind::Baptised},
    {cmd::kAuxiliaryPioneersView, StatusViewKind::AuxiliaryPioneers},
    {cmd::kStudyConductors, StatusViewKind::Conductors},
    {cmd::kUnbaptized, StatusViewKind::Unbaptised},
    {cmd::kInterestedView, StatusViewKind::Interested},
    {cmd::kTimeTallyForm, StatusViewKind::CollectionForm},
    {cmd::kPrivilegesView, StatusViewKind::Privileges},
    {cmd::kConsentsView, StatusViewKind::Consent},
    {cmd::kNoConsentView, StatusViewKind::NoConsent},
    {cmd::kSpecialNeedsView, StatusViewKind::SpecialNeeds},
    {cmd::kUserCategoryView, StatusViewKind::UserCategory},
};

// The special needs somebody on the active list has ("Niesłyszący, Niewidomi"); empty when nobody has one.
std::string SpecialNeedsPresent(const PublisherDatabase& database) {
    bool present[3] = {false, false, false};
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        for (int bit = 0; bit < 3; ++bit)
            present[bit] = present[bit] || (entry.record->NeedsFlags() & (1u << bit)) != 0;
    const StrId names[] = {StrId::NeedDeaf, StrId::NeedBlind, StrId::NeedConfined};
    std::string text;
    for (int bit = 0; bit < 3; ++bit)
        if (present[bit])
            text += (text.empty() ? "" : ", ") + std::string(Str(names[bit]));
    return text;
}

// The main panel's line of status counts, recounted after every change of the document (the report view
// redraws a status view shown in it by itself).
class StatusCountsLabel : public QLabel {
public:
    StatusCountsLabel(CVardoDoc& doc, QWidget* parent) : QLabel(parent), m_doc(doc) {
        setObjectName(QStringLiteral("statusCounts"));
        setAlignment(Qt::AlignCenter);
        setWordWrap(true);
        m_subscription = m_doc.Changes().Subscribe([this](const ChangeEvent&) { Recount(); });
        Recount();
    }

    void Recount() {
        if (!m_doc.IsLoaded()) {
            clear();
            return;
        }
        const StatusData status = StatusDataOf(m_doc);
        setText(ToQt(StatusCountsText(RecountStatus(m_doc.Database(), status.basis))));
    }

private:
    CVardoDoc& m_doc;
    ChangeHub::Subscription m_subscription;
};

StatusViewPresenter MakePresenter(CVardoDoc& doc) {
    return StatusViewPresenter(StatusDataOf(doc), GroupNamesOf(doc), LoadEmails(doc.Folder(), doc.Database()));
}

} // namespace

void RegisterStatusCommands(CMainFrame& frame, CVardoDoc& doc, CVardoView& view) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    CVardoView* reports = &view;

    frame.RegisterDocumentCommand(cmd::kQuickResults, [=] {
        if (document->IsLoaded())
            QuickResultsDialog::Run(window, QuickResultsPresenter(StatusDataOf(*document)));
    });
    for (const ViewCommand& command : kViewCommands) {
        const StatusViewKind kind = command.kind;
        const auto run = [=] {
            if (!document->IsLoaded())
                return;
            StatusViewDialog::Actions actions;
            actions.print = [=](const StatusQuery& query) {
                reports->ShowStatusReport(query);
                reports->OnCommand(cmd::kPrint);
            };
            actions.dial = [=](const std::string& number, const std::string& name) {
                window->DialNumber(number, name);
            };
            StatusViewDialog::Run(window, MakePresenter(*document), kind, std::move(actions));
        };
        if (kind == StatusViewKind::SpecialNeeds) {
            // Shown while somebody has a special need, under the names of the needs present.
            frame.Router().Register(command.id, run, [=] {
                CommandState state;
                const std::string needs = document->IsLoaded() ? SpecialNeedsPresent(document->Database()) : "";
                state.enabled = !needs.empty();
                state.visible = !needs.empty();
                state.text = ToQt(needs);
                return state;
            });
        } else if (kind == StatusViewKind::UserCategory) {
            // Shown while the user category is enabled, under its name.
            frame.Router().Register(command.id, run, [=] {
                CommandState state;
                const bool on = document->IsLoaded() && document->GetSettings().userCategoryEnabled != 0;
                state.enabled = on;
                state.visible = on;
                if (on && !document->GetSettings().userCategoryLabel.empty())
                    state.text = ToQt(document->GetSettings().userCategoryLabel);
                return state;
            });
        } else {
            frame.RegisterDocumentCommand(command.id, run);
        }
    }

    // The counts stand under the panel's title.
    auto* counts = new StatusCountsLabel(doc, &frame.Panel());
    auto* layout = qobject_cast<QBoxLayout*>(frame.Panel().layout());
    const auto* title = frame.Panel().findChild<QLabel*>(QStringLiteral("titleLabel"));
    if (layout != nullptr && title != nullptr && layout->indexOf(title) >= 0)
        layout->insertWidget(layout->indexOf(title) + 1, counts);
    else if (frame.Panel().layout() != nullptr)
        frame.Panel().layout()->addWidget(counts);
    frame.UpdateCommands();
}

} // namespace vardo

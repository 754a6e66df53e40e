#include "gui/reporting/HistoryCommands.h"

#include <QAction>
#include <QMenu>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/app/QtText.h"
#include "gui/reporting/HistoryEditorDialog.h"
#include "gui/reporting/PioneerListDialog.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

/// What the registration keeps for the frame's lifetime (a child of the frame).
class PastMonthControl : public QObject {
public:
    PastMonthControl(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter)
        : QObject(&frame), m_frame(frame), m_doc(doc), m_prompter(prompter) {}

    void Build();

private:
    void OnDocumentEvent(const ChangeEvent& event);
    void TakeMask();
    void UpdateMenu();
    void ShowPastMonth();
    void View(int k);
    void Return();
    QString ReturnCaption() const;

    CMainFrame& m_frame;
    CVardoDoc& m_doc;
    Prompter& m_prompter;
    QMenu* m_menu = nullptr;
    QAction* m_items[kViewableSnapshots] = {};
    /// The SnapshotMask found when the data folder was last opened; kept while a past month is viewed.
    std::uint16_t m_mask = 0;
    bool m_pastShown = false;
    ChangeHub::Subscription m_subscription;
};

void PastMonthControl::Build() {
    CommandRouter& router = m_frame.Router();
    m_menu = new QMenu(ToQt(Str(StrId::ViewPastReports)), &m_frame);
    m_menu->setObjectName(QStringLiteral("pastMonthsMenu"));
    m_menu->menuAction()->setObjectName(QStringLiteral("command%1").arg(cmd::kPastMonths));
    for (int k = 1; k <= kViewableSnapshots; ++k) {
        const int id = cmd::kPastMonths + k;
        QAction* action = m_menu->addAction(QString());
        action->setObjectName(QStringLiteral("command%1").arg(id));
        action->setData(id);
        connect(action, &QAction::triggered, this, [&router, id] { router.Execute(id); });
        m_items[k - 1] = action;
        router.Register(
            id, [this, k] { View(k); },
            [this, k] {
                CommandState state;
                if (!m_doc.IsLoaded())
                    return state;
                state.enabled = (m_mask & (1u << k)) != 0;
                state.text = ToQt(MonthName(m_doc.PastMonthIndex(k)));
                return state;
            });
    }
    router.Register(cmd::kPastMonths, nullptr, [this] {
        CommandState state;
        state.enabled = m_doc.IsLoaded() && m_mask != 0;
        state.visible = state.enabled;
        return state;
    });
    router.Register(
        cmd::kReturnToWorkingMonth, [this] { Return(); },
        [this] {
            CommandState state;
            state.enabled = m_doc.IsLoaded() && m_doc.PastMonthMode();
            state.visible = state.enabled;
            state.text = ReturnCaption();
            return state;
        });

    // The sixth entry of the Options menu, after the start-up note switch.
    if (QMenu* options = m_frame.MenuOf(cmd::kStartupNoteOff)) {
        const QList<QAction*> actions = options->actions();
        const auto at = actions.indexOf(m_frame.Action(cmd::kStartupNoteOff));
        QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
        options->insertMenu(before, m_menu);
        connect(options, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });
    }
    connect(m_menu, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });
    connect(&router, &CommandRouter::StatesChanged, this, [this] { UpdateMenu(); });

    m_subscription = m_doc.Changes().Subscribe([this](const ChangeEvent& event) { OnDocumentEvent(event); });
    TakeMask();
    UpdateMenu();
    ShowPastMonth();
}

void PastMonthControl::TakeMask() {
    if (m_doc.IsLoaded() && !m_doc.PastMonthMode())
        m_mask = m_doc.SnapshotMask();
}

void PastMonthControl::OnDocumentEvent(const ChangeEvent& event) {
    if (event.kind == ChangeEvent::Kind::Reloaded) {
        TakeMask();
        // The report view draws from the data that was just replaced: it is rebuilt on the new data.
        if (auto* view = m_frame.findChild<CVardoView*>())
            view->UpdateView();
    }
    UpdateMenu();
    ShowPastMonth();
}

void PastMonthControl::UpdateMenu() {
    const CommandRouter& router = m_frame.Router();
    const CommandState menu = router.StateOf(cmd::kPastMonths);
    m_menu->menuAction()->setVisible(menu.visible);
    m_menu->setEnabled(menu.enabled);
    for (QAction* action : m_items) {
        const CommandState state = router.StateOf(action->data().toInt());
        action->setEnabled(state.enabled);
        action->setText(state.text.value_or(QString()));
    }
    m_frame.Panel().UpdateButtons();
}

QString PastMonthControl::ReturnCaption() const {
    if (!m_doc.IsLoaded())
        return {};
    return ToQt(FormatArgs(Str(StrId::BackToMonth), {MonthName(m_doc.RealWorkingMonth().monthIndex)}));
}

void PastMonthControl::ShowPastMonth() {
    if (!m_doc.IsLoaded() || !m_doc.PastMonthMode()) {
        if (m_pastShown) {
            m_frame.SetStatusPaneText(0, ToQt(Str(StrId::StatusReady)));
            m_pastShown = false;
        }
        return;
    }
    // The frame sets its title on every event before this runs; the viewed month is added to it.
    const WorkingMonth& viewed = m_doc.GetWorkingMonth();
    const std::string month(MonthName(viewed.monthIndex));
    const std::string year = std::to_string(viewed.Year());
    m_frame.setWindowTitle(ToQt(FormatArgs(Str(StrId::PastMonthTitle), {ToUtf8(m_frame.windowTitle()), month, year})));
    m_frame.SetStatusPaneText(0, ToQt(FormatArgs(Str(StrId::PastMonthStatus), {month, year, ToUtf8(ReturnCaption())})));
    m_pastShown = true;
}

void PastMonthControl::View(int k) {
    const Status status = m_doc.LoadPastMonth(k, m_prompter);
    if (!status && !status.cancelled())
        m_prompter.Message(status.message(), Severity::Warning);
    m_frame.UpdateCommands();
    UpdateMenu();
}

void PastMonthControl::Return() {
    const Status status = m_doc.ReturnToWorkingMonth(m_prompter);
    if (!status && !status.cancelled())
        m_prompter.Message(status.message(), Severity::Error);
    m_frame.UpdateCommands();
    UpdateMenu();
}

} // namespace

void EditHistory(QWidget* parent, CVardoDoc& doc, Prompter& prompter, HistoryEditor::Mode mode, RecordNumber record) {
    if (!doc.IsLoaded() || doc.PastMonthMode() || doc.Database().PersonCount() == 0)
        return;
    // The late markers stand for the late-report list while the editor shows and edits them. Both copies
    // hold the same facts, and the save writes the list into the markers anyway: no change of saved data.
    LateReportList& late = doc.GetMonthCycle().lateReports;
    late.StoreMarkers(doc.Database(), doc.GetWorkingMonth());
    const ReportingContext context = doc.MakeReportingContext(prompter);
    HistoryEditorDialog::Run(parent, context, mode, record);
    late.LoadMarkers(doc.Database(), doc.GetWorkingMonth());
}

void RegisterHistoryCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter) {
    CommandRouter& router = frame.Router();
    router.Register(
        cmd::kHistory, [&frame, &doc, &prompter] { EditHistory(&frame, doc, prompter); },
        [&doc] {
            CommandState state;
            state.enabled = doc.IsLoaded() && !doc.PastMonthMode() && doc.Database().PersonCount() > 0;
            return state;
        });
    for (const auto& [id, code] : {std::pair{cmd::kAuxiliaryPioneers, PioneerCode::Auxiliary},
                                   std::pair{cmd::kRegularPioneers, PioneerCode::Regular}}) {
        const PioneerCode mode = code;
        frame.RegisterDocumentCommand(id, [&frame, &doc, &prompter, mode] {
            const ReportingContext context = doc.MakeReportingContext(prompter);
            PioneerListDialog::Run(&frame, context, mode);
        });
    }
    auto* control = new PastMonthControl(frame, doc, prompter);
    control->Build();
    frame.UpdateCommands();
}

} // namespace vardo

#include "gui/reporting/MonthCommands.h"

#include <QKeyEvent>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/reporting/EntryListDialog.h"
#include "gui/reporting/MonthDialog.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

// F11 in the report view allows the erasing of the late reports while any are listed.
class EraseKeyFilter : public QObject {
public:
    EraseKeyFilter(CMainFrame& frame, CVardoDoc& doc, QObject* parent) : QObject(parent), m_frame(frame), m_doc(doc) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11 &&
            m_doc.IsLoaded() && m_doc.GetMonthCycle().lateReports.Size() > 0) {
            m_doc.GetMonthCycle().eraseLateAllowed = true;
            m_frame.UpdateCommands();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CMainFrame& m_frame;
    CVardoDoc& m_doc;
};

} // namespace

void OnTimeAccounting(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    if (!doc.IsLoaded() || doc.PastMonthMode())
        return;
    if (!doc.WorkingMonthOpen()) {
        const std::optional<MonthChoice> choice = MonthDialog::Run(&frame, doc.MonthDialogState(), prompter);
        if (!choice)
            return;
        if (const Status applied = doc.ApplyMonthChoice(*choice, clock, prompter); !applied) {
            prompter.Message(applied.message(),
                             applied.code() == Failure::Cancelled ? Severity::Information : Severity::Error);
            return;
        }
    }
    frame.ShowWorkingMonth();
    if (doc.GetMonthState(doc.GetWorkingMonth().monthIndex) == MonthState::NotInitialised)
        return;
    EntryListDialog::Run(&frame, doc, prompter, &clock);
    frame.UpdateCommands();
}

void RegisterMonthCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    const Clock* today = &clock;
    frame.RegisterDocumentCommand(cmd::kTimeAccounting, [=] { OnTimeAccounting(*window, *document, *asker, *today); });
    frame.Router().Register(
        cmd::kEraseLateReports,
        [=] {
            (void)document->EraseLateReports(*asker);
            window->UpdateCommands();
        },
        [=] {
            CommandState state;
            state.enabled = document->IsLoaded() && !document->PastMonthMode() &&
                            document->GetMonthCycle().eraseLateAllowed &&
                            document->GetMonthCycle().lateReports.Size() > 0;
            return state;
        });
    if (auto* view = frame.findChild<CVardoView*>())
        view->installEventFilter(new EraseKeyFilter(frame, doc, &frame));
    frame.UpdateCommands();
}

} // namespace vardo

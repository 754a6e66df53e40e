#include "gui/reports/AnalysisCommands.h"

#include <QBoxLayout>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "core/reporting/Attendance.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/app/QtText.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/reporting/AttendanceDialog.h"
#include "gui/reporting/AttendanceRecordDialog.h"
#include "gui/reports/MonthTotalsWidget.h"
#include "gui/reports/RecordCardDialog.h"

namespace vardo {
namespace {

// The publisher editor on one person of the active or the inactive list.
void EditPerson(CMainFrame& frame, PublisherId id) {
    RegistryContext context = frame.MakeRegistryContext();
    for (const PublisherCategory category : {PublisherCategory::Publisher, PublisherCategory::Inactive}) {
        PublisherChooser chooser(context, PublisherChooser::Mode::Edit, category);
        const int position = chooser.PositionOfId(id);
        if (position >= 0) {
            PublisherEditorDialog::Run(&frame, context, chooser, position);
            return;
        }
    }
}

void AddTotalsToPanel(MainPanel& panel, CVardoDoc& doc) {
    auto* layout = qobject_cast<QBoxLayout*>(panel.layout());
    if (layout == nullptr)
        return;
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(new MonthTotalsWidget(doc, &panel));
    row->addStretch(1);
    // Below the columns of buttons.
    auto* columns = panel.findChild<QLayout*>(QStringLiteral("columnsLayout"));
    const int at = columns != nullptr ? layout->indexOf(columns) : -1;
    layout->insertLayout(at >= 0 ? at + 1 : layout->count(), row);
}

} // namespace

AnalysisSource AnalysisSourceOf(const CVardoDoc& doc) {
    AnalysisSource source;
    if (!doc.IsLoaded())
        return source;
    source.database = &doc.Database();
    source.groups = &doc.Side().groups;
    source.remarks = &doc.Side().remarks;
    source.lateReports = &doc.GetMonthCycle().lateReports;
    source.attendance = &doc.Side().attendance;
    source.workingMonth = doc.GetWorkingMonth();
    source.workingMonthOpen = doc.GetMonthState(doc.GetWorkingMonth().monthIndex) == MonthState::Open;
    return source;
}

void RegisterAnalysisCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    const Clock* today = &clock;
    frame.RegisterDocumentCommand(cmd::kRecordCard, [=] {
        RecordCardDialog::Run(window, *document, *asker, *today, [window](PublisherId id) { EditPerson(*window, id); });
    });
    frame.RegisterDocumentCommand(cmd::kAttendance, [=] { AttendanceDialog::Run(window, *document); });
    frame.RegisterDocumentCommand(cmd::kAttendanceSinceYearStart,
                                  [=] { AttendanceRecordDialog::Run(window, *document, *asker); });
    AddTotalsToPanel(frame.Panel(), doc);
    frame.UpdateCommands();
}

} // namespace vardo

#include "gui/app/CommandSet.h"

#include "gui/exchange/BackupCommands.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/reporting/HistoryCommands.h"
#include "gui/reporting/ListCommands.h"
#include "gui/reporting/MonthCommands.h"
#include "gui/reporting/StatusCommands.h"
#include "gui/reports/ActivityCommands.h"
#include "gui/reports/AnalysisCommands.h"
#include "gui/reports/PioneerProgressDialog.h"

namespace vardo {

void RegisterEveryCommand(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock, CVardoView& view) {
    RegisterHistoryCommands(frame, doc, prompter);
    RegisterMonthCommands(frame, doc, prompter, clock);
    RegisterBackupCommands(frame, doc, prompter, clock);
    RegisterPioneerProgressCommand(frame, doc, prompter, clock);
    RegisterExchangeCommands(frame, doc, prompter, clock);
    RegisterAnalysisCommands(frame, doc, prompter, clock);
    RegisterActivityCommands(frame, doc, prompter, clock);
    RegisterStatusCommands(frame, doc, view);
    // Last: it adds to the editor hooks the others may have set.
    RegisterListCommands(frame, doc, prompter);
}

} // namespace vardo

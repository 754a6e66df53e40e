#include "gui/reports/ActivityCommands.h"

#include "core/doc/CVardoDoc.h"
#include "core/doc/StatisticsSources.h"
#include "core/platform/Clock.h"
#include "core/reports/ReportEnvironment.h"
#include "core/reports/ReportOptions.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/reports/ActivitySummaryDialog.h"

namespace vardo {

void RegisterActivityCommands(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    const Clock* today = &clock;
    frame.RegisterDocumentCommand(cmd::kActivitySummary, [=] {
        if (!document->IsLoaded())
            return;
        ReportEnvironment environment;
        environment.fonts = ReportFonts(document->LanguageTag());
        environment.fonts.LoadAll(document->SettingsFile(), true);
        environment.options = ReportOptionsFromSettings(document->GetSettings());
        environment.screen = Resolution{window->logicalDpiX(), window->logicalDpiY()};
        environment.today = today->Today();
        environment.languageTag = document->LanguageTag();
        ActivitySummaryDialog::Run(window, ActivityDataOf(*document), environment, *asker);
    });
    frame.UpdateCommands();
}

} // namespace vardo

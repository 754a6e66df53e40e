// Renders the windows of the monthly road on a data folder into PNG files, for looking at the layout: the
// month dialog, the entry list and the report window for a publisher and for a regular pioneer. Not a test
// and not shipped; it starts the working month in the folder when it is not open (nothing is saved).
// vardo_month_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]

#include <cstdio>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/reporting/EntryListDialog.h"
#include "gui/reporting/MonthDialog.h"
#include "gui/reporting/ReportDialog.h"
#include "ScreenshotKit.h"

using vardo::screenshots::SaveAndHide;

namespace {

// Keys as typed, so that the window's presenter follows.
void Press(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        Press(widget, Qt::Key_unknown, QString(c));
}

// The first active publisher whose code in the working month is `code`; 0 when none.
vardo::RecordNumber FindByCode(const vardo::CVardoDoc& doc, vardo::PioneerCode code) {
    const vardo::WorkingMonth& month = doc.GetWorkingMonth();
    for (const auto& entry : doc.Database().List(vardo::PublisherCategory::Publisher)) {
        const vardo::PublisherRecord& person = doc.Database().Record(entry.recordNumber);
        if (person.Pioneer(month.monthIndex, month.SlotOf(month.monthIndex)) == code && !person.IsFieldMissionary())
            return entry.recordNumber;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    vardo::screenshots::FolderRun run(argc, argv);
    if (const int failed = run.Open(argc, argv, "vardo_month_screenshots DATA_DIR OUT_DIR [YYYY-MM-DD]", "2024-03-26"))
        return failed;
    auto& [app, out, clock, prompter, doc] = run;

    vardo::MonthDialog monthDialog(doc.MonthDialogState(), prompter);
    SaveAndHide(monthDialog, out, "month-dialog.png");
    if (!doc.WorkingMonthOpen()) {
        vardo::MonthDialogPresenter presenter(doc.MonthDialogState());
        prompter.Script(vardo::Answer::Ok);
        // A closed month is continued with its figures; only a month not started yet is initialised.
        const auto choice = presenter.ShowsContinue() ? std::optional(presenter.Continue()) : presenter.Start(prompter);
        if (!choice || !doc.ApplyMonthChoice(*choice, clock, prompter)) {
            std::fputs("cannot start the working month\n", stderr);
            return 1;
        }
    }

    vardo::EntryListDialog list(doc, prompter);
    SaveAndHide(list, out, "entry-list.png");

    vardo::ReportingContext context = doc.MakeReportingContext(prompter);
    if (const vardo::RecordNumber publisher = FindByCode(doc, vardo::PioneerCode::None)) {
        vardo::ReportDialog report(context, publisher);
        report.findChild<QWidget*>(QStringLiteral("participationBox"))->setProperty("checked", true);
        SaveAndHide(report, out, "report-publisher.png");
    }
    if (const vardo::RecordNumber pioneer = FindByCode(doc, vardo::PioneerCode::Regular)) {
        vardo::ReportDialog report(context, pioneer);
        report.findChild<QWidget*>(QStringLiteral("participationBox"))->setProperty("checked", true);
        auto* hours = report.findChild<QLineEdit*>(QStringLiteral("hoursEdit"));
        hours->selectAll();
        Type(hours, QStringLiteral("52"));
        report.findChild<QPushButton*>(QStringLiteral("remarkButton"))->click();
        auto* remark = report.findChild<QLineEdit*>(QStringLiteral("remarkEdit"));
        Type(remark, QStringLiteral("10 kurs pionierski"));
        Press(remark, Qt::Key_Return);
        SaveAndHide(report, out, "report-pioneer.png");
    }
    return 0;
}

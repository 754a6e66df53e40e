// Renders the exchange dialogs over a demo congregation into PNG files, for looking at the layout: the
// import preview with a filled group report file, the two pages of the CSV wizard, the group report dialog,
// the XML pick list, the monthly export's choices and the start-up warning about export files. Not a test
// and not shipped: vardo_exchange_screenshots WORK_DIR OUT_DIR (WORK_DIR must not exist yet).

#include <cstdio>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/exchange/CsvImport.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/PersonPick.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/reporting/ReportRules.h"
#include "gui/exchange/CGroupReportDlg.h"
#include "gui/exchange/CPersonPickDlg.h"
#include "gui/exchange/CsvWizardDialog.h"
#include "gui/exchange/DataExportDialog.h"
#include "gui/exchange/ExportCleanupDialog.h"
#include "gui/exchange/ReportImportDialog.h"
#include "ScreenshotKit.h"

using vardo::screenshots::SaveAdjusted;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto out = vardo::screenshots::ReadOutFolder(argc, argv, 2, "vardo_exchange_screenshots WORK_DIR OUT_DIR");
    if (!out)
        return 2;
    const std::filesystem::path work(argv[1]);
    const vardo::FixedClock clock(vardo::Date{2024, 3, 10});
    vardo::ScriptedPrompter prompter;
    const vardo::DataFolder data(work);
    vardo::DemoOptions demo;
    demo.people = 150;
    if (!vardo::screenshots::WriteDemo(data, clock, prompter, demo))
        return 1;
    vardo::CVardoDoc doc;
    if (const vardo::Status loaded = vardo::screenshots::LoadQuietly(doc, data, clock, prompter); !loaded) {
        std::fprintf(stderr, "%s\n", loaded.message().c_str());
        return 1;
    }
    const vardo::WorkingMonth& month = doc.GetWorkingMonth();
    const vardo::MonthIndex m = month.monthIndex;
    const vardo::YearSlot slot = month.SlotOf(m);
    const vardo::ReportingContext reporting = doc.MakeReportingContext(prompter);

    // A group report file of group 1 as the overseer returns it: new values for some, changed ones for others.
    const vardo::GroupFileSource source{
        doc.Database(), doc.Side().remarks, {}, {}, [&month](vardo::MonthIndex i) { return month.SlotOf(i); }};
    vardo::GroupFileRequest request;
    request.group = 1;
    request.month = m;
    request.slot = slot;
    request.blank = true;
    const auto bytes = vardo::WriteGroupReportFile(source, request);
    if (!bytes) {
        std::fprintf(stderr, "%s\n", bytes.error().c_str());
        return 1;
    }
    auto file = vardo::ReadGroupReportFile(bytes.value()).value();
    int n = 0;
    for (vardo::PublisherRecord& person : file.persons) {
        person.SetRow(vardo::MonthRow::StudyWord, m, slot, vardo::kStudyFlagBit | static_cast<std::uint16_t>(n % 4));
        if (n % 3 == 0)
            person.SetRow(vardo::MonthRow::Hours, m, slot, static_cast<std::uint16_t>(20 + n));
        ++n;
    }
    {
        auto persons = vardo::IncomingFromGroupFile(file, reporting);
        if (!persons) {
            std::fprintf(stderr, "%s\n", persons.error().c_str());
            return 1;
        }
        vardo::ReportImportDialog preview(reporting, vardo::ImportSource::GroupFile, persons.value(),
                                          data.Resolve("Grupa1.t19").string());
        SaveAdjusted(preview, *out, "exchange-preview-hint.png");
        if (auto* list = preview.findChild<QListWidget*>(QStringLiteral("entryList")); list && list->count() > 2)
            list->setCurrentRow(2);
        SaveAdjusted(preview, *out, "exchange-preview-rows.png");
    }

    // The CSV wizard over a spreadsheet of group 1 with one name the register does not know.
    std::string csv = "Imię;Nazwisko;Głosił(a);Kursy biblijne;Godziny;Uwagi\n";
    for (const vardo::PublisherRecord& person : file.persons)
        csv += person.FirstName() + ";" + person.LastName() + ";1;1;;\n";
    csv += "Anna;Nieznana;1;0;;nowa\n";
    auto table = vardo::ParseCsv(csv);
    if (!table) {
        std::fprintf(stderr, "%s\n", table.error().c_str());
        return 1;
    }
    {
        vardo::CsvWizardDialog wizard(reporting, data, table.value());
        // Each column paired with its field as a click on the source and then on the target does.
        auto* sources = wizard.findChild<QListWidget*>(QStringLiteral("sourceList"));
        auto* targets = wizard.findChild<QListWidget*>(QStringLiteral("targetList"));
        for (int t = 0; sources && targets && t < 6; ++t) {
            sources->setCurrentRow(t);
            emit sources->itemClicked(sources->item(t));
            targets->setCurrentRow(t);
            emit targets->itemClicked(targets->item(t));
        }
        SaveAdjusted(wizard, *out, "exchange-csv-columns.png");
        if (auto* next = wizard.findChild<QPushButton*>(QStringLiteral("continueButton")))
            next->click();
        SaveAdjusted(wizard, *out, "exchange-csv-names.png");
    }

    vardo::GroupReportContext groupContext{doc.Database(),
                                           doc.Side().remarks,
                                           doc.Side().groups,
                                           doc.Side().extensions,
                                           doc.GetSettings(),
                                           month,
                                           doc.Folder(),
                                           doc.Changes(),
                                           [](const vardo::PublisherRecord&, vardo::MonthIndex) { return false; }};
    {
        vardo::CGroupReportDlg dialog(groupContext, 1, prompter, "10 Mar 2024 00:00:00 +0000");
        SaveAdjusted(dialog, *out, "exchange-group-report.png");
    }
    {
        vardo::CPersonPickDlg pick(vardo::PersonPick(doc.Database(), vardo::PublistKind::Active));
        SaveAdjusted(pick, *out, "exchange-pick-export.png");
    }
    {
        vardo::DataExportDialog dialog(month);
        SaveAdjusted(dialog, *out, "exchange-data-export.png");
    }
    {
        vardo::ExportCleanupDialog dialog(
            vardo::ExportCleanup({"Exports/styczeń.csv", "Exports/luty.rpt", "publist.xml"}));
        SaveAdjusted(dialog, *out, "exchange-cleanup.png");
    }
    return 0;
}

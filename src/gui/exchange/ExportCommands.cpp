#include "gui/exchange/ExportCommands.h"

#include <QDesktopServices>
#include <QUrl>

#include "core/exchange/TabularExports.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"

namespace vardo {

void RunTabularExport(QWidget* parent, CVardoDoc& doc, Prompter& prompter, TabularExport kind) {
    (void)parent;
    if (!doc.IsLoaded())
        return;
    const ExportSource source{doc.Database(), doc.Side().remarks, doc.Side().cardTotals, doc.GetWorkingMonth(),
                              [&doc](const PublisherRecord& person) {
                                  return doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
                              }};
    std::string name;
    std::string text;
    switch (kind) {
    case TabularExport::Contacts:
        name = "contact.tsv";
        text = ContactExport(source);
        break;
    case TabularExport::CardHeaders:
        name = "cardhdr.tsv";
        text = CardHeaderExport(source);
        break;
    case TabularExport::Summary:
        name = std::string(Str(StrId::SummaryFileName)) + ".csv";
        text = SummaryExport(source);
        break;
    }
    const Result<std::string> path = WriteExport(doc.Folder(), name, text);
    if (!path) {
        prompter.Message(path.error(), Severity::Error);
        return;
    }
    if (prompter.Ask(FormatArgs(Str(StrId::ExportedShowFolder), {path.value()}), Buttons::YesNo, Answer::Yes) ==
        Answer::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(doc.Folder().Resolve(kExportsFolder).string())));
}

} // namespace vardo

// libFuzzer target for received XML publisher lists and XML report files: any bytes load; the persons of each
// list are read, imported into a register over a temporary folder, and the working month's reports go
// through the preview; a refused import changes nothing.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzRegister.h"
#include "core/exchange/PublistDocument.h"
#include "core/store/AppointmentTable.h"
#include "core/store/GroupTable.h"
#include "core/store/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vardo;
    static const std::filesystem::path folderPath =
        std::filesystem::temp_directory_path() / ("vardo-fuzz-publist-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folderPath);
    std::filesystem::create_directories(folderPath);
    const DataFolder folder(folderPath);

    CXmlDoc doc;
    doc.LoadBuffer(std::string(reinterpret_cast<const char*>(data), size));
    fuzz::FuzzRegister reg;
    AppointmentTable appointments;
    ExtensionFile extensions;
    GroupTable groups;
    groups.SetCount(3);
    Settings settings;
    reg.changes.SetCapture(DataArea::Extensions,
                           CaptureWithFile(folder, std::string(ExtensionFile::kFileName), CaptureByCopy(extensions)));
    RegistryContext registry{reg.database, appointments, extensions,  groups,   settings, reg.month,
                             folder,       reg.prompter, reg.changes, "polish", {}};
    for (const PublistKind kind : {PublistKind::Active, PublistKind::Inactive, PublistKind::NonPublishers}) {
        const auto persons = ReadPublistPersons(doc, kind, reg.database);
        if (!persons)
            continue;
        const PublisherDatabase::Snapshot before = reg.database.TakeSnapshot();
        PublistImportChoice choice;
        for (const PublistPerson& person : persons.value())
            choice.positions.push_back(person.position);
        choice.updateDuplicates = kind != PublistKind::NonPublishers;
        const auto imported = ImportPublist(doc, kind, choice, registry, reg.remarks);
        if (!imported)
            fuzz::Check(reg.database.TakeSnapshot().persons == before.persons);
        fuzz::Check(reg.database.Count() <= kDatabaseCapacity);
    }
    const auto incoming = IncomingFromXmlReports(doc, reg.context);
    if (incoming) {
        ReportImport import(reg.context, ImportSource::Xml, incoming.value());
        for (std::size_t i = 0; i < import.Entries().size(); ++i)
            (void)import.Preview(i);
        (void)import.Import();
    }
    return 0;
}

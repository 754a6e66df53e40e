// vardo-cli interested: adds, edits and deletes interested persons (the non-publisher list) with their
// contact data and Bible study conductor, through the editor's interested-person mode.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "core/registry/PublisherEditor.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage =
    "interested add|edit|delete PERSON [--first TEXT] [--last TEXT] [--address TEXT] [--phone TEXT] "
    "[--mobile TEXT] [--email TEXT] [--conductor PERSON | --no-conductor]";

struct Fields {
    std::optional<std::string> first;
    std::optional<std::string> last;
    std::optional<std::string> address;
    std::optional<std::string> phone;
    std::optional<std::string> mobile;
    std::optional<std::string> email;
    std::optional<std::string> conductor;
    bool noConductor = false;
};

bool TakeFields(std::vector<std::string>& args, Fields& fields, const OpenedDocument& opened) {
    return TakeValue(args, "--first", fields.first, opened) && TakeValue(args, "--last", fields.last, opened) &&
           TakeValue(args, "--address", fields.address, opened) && TakeValue(args, "--phone", fields.phone, opened) &&
           TakeValue(args, "--mobile", fields.mobile, opened) && TakeValue(args, "--email", fields.email, opened) &&
           TakeValue(args, "--conductor", fields.conductor, opened);
}

// "Last, First" (or a last name alone) of a new person.
std::pair<std::string, std::string> SplitName(const std::string& person) {
    const std::size_t comma = person.find(',');
    if (comma == std::string::npos)
        return {person, ""};
    std::string first = person.substr(comma + 1);
    first.erase(0, first.find_first_not_of(' '));
    return {person.substr(0, comma), first};
}

int Usage(const OpenedDocument& opened) {
    opened.Error(std::string("usage: ") + kUsage);
    return 2;
}

int RunInterested(const CliContext& context) {
    OpenedDocument opened("interested");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    Fields fields;
    if (!TakeFields(args, fields, opened))
        return 2;
    fields.noConductor = std::erase(args, std::string("--no-conductor")) > 0;
    if (args.size() != 2 || (args[0] != "add" && args[0] != "edit" && args[0] != "delete"))
        return Usage(opened);
    const std::string& action = args[0];
    const bool anyField = fields.first || fields.last || fields.address || fields.phone || fields.mobile ||
                          fields.email || fields.conductor || fields.noConductor;
    if ((action == "delete" && anyField) || (fields.conductor && fields.noConductor))
        return Usage(opened);
    if (!opened.Open(context))
        return 1;

    CVardoDoc& doc = opened.Doc();
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    PublisherChooser chooser(registry, PublisherChooser::Mode::Edit, PublisherCategory::NonPublisher);
    PublisherEditor editor(registry, chooser);
    if (action == "add") {
        editor.LoadNew();
        const auto [last, first] = SplitName(args[1]);
        editor.SetText(EditorText::LastName, last);
        editor.SetText(EditorText::FirstName, first);
    } else {
        const RecordNumber record = FindPerson(doc.Database(), args[1]);
        if (record == 0) {
            opened.Error("'" + args[1] + "': no such person");
            return 1;
        }
        const PublisherRecord& person = doc.Database().Record(record);
        if (person.Category() != PublisherCategory::NonPublisher) {
            opened.Error(FormatArgs(Str(StrId::NotInterested), {doc.Database().DisplayNameOfRecord(record, false)}));
            return 1;
        }
        editor.Load(chooser.PositionOfId(person.Id()));
    }

    if (action == "delete") {
        const Status deleted = editor.DeleteInterested();
        if (!deleted) {
            if (!deleted.cancelled())
                opened.Error(deleted.message());
            return 1;
        }
        return SaveIfModified(opened);
    }

    const std::pair<const std::optional<std::string>*, EditorText> texts[] = {
        {&fields.first, EditorText::FirstName},    {&fields.last, EditorText::LastName},
        {&fields.address, EditorText::Address},    {&fields.phone, EditorText::PhoneHome},
        {&fields.mobile, EditorText::PhoneMobile}, {&fields.email, EditorText::Email},
    };
    for (const auto& [value, field] : texts) {
        if (!*value)
            continue;
        if (CharacterCount(**value) > MaxLength(field)) {
            opened.Error("'" + **value + "' is longer than " + std::to_string(MaxLength(field)) + " characters");
            return 1;
        }
        editor.SetText(field, **value);
    }
    if (fields.noConductor)
        editor.RemoveConductor();
    if (fields.conductor) {
        const RecordNumber conductor = FindPerson(doc.Database(), *fields.conductor);
        if (conductor == 0) {
            opened.Error("'" + *fields.conductor + "': no such person");
            return 1;
        }
        if (const Status chosen = editor.ChooseConductor(doc.Database().Record(conductor).Id()); !chosen) {
            opened.Error(chosen.message());
            return 1;
        }
    }
    if (!editor.CanStore()) {
        opened.Error(std::string(Str(StrId::InterestedNameTooShort)));
        return 1;
    }
    // The editor tells the user (on stderr) why it stored nothing.
    if (!editor.Store())
        return 1;
    const PublisherId id = editor.Record().Id();
    const int saved = SaveIfModified(opened);
    if (saved == 0)
        std::printf("%u\t%s\n", static_cast<unsigned>(id), doc.Database().NameOfId(id, true).c_str());
    return saved;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"interested", kUsage, "adds, edits or deletes an interested person with the Bible study conductor",
                     RunInterested});

} // namespace
} // namespace vardo::cli

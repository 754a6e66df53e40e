// vardo-cli groups / group set / group assign: the field service groups, their data and their members.

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <string>
#include <vector>

#include "cli/ReportingCommand.h"
#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"
#include "core/registry/Groups.h"

namespace vardo::cli {
namespace {

constexpr std::string_view kSetUsage = "usage: group set N [--overseer NAME] [--assistant NAME] [--place TEXT] "
                                       "[--day 0-6] [--time TEXT] [--name TEXT|--no-name]";
constexpr std::string_view kAssignUsage = "usage: group assign PERSON N";

std::string Clean(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

int MemberCount(const PublisherDatabase& database, int g) {
    int count = 0;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        count += database.Record(entry.recordNumber).Group() == g ? 1 : 0;
    return count;
}

/// number, name, overseer, assistant, place, day, time, members.
std::string GroupLine(const CVardoDoc& doc, int g) {
    const GroupTable& groups = doc.Side().groups;
    return FormatPrintf("%d\t%s\t%s\t%s\t%s\t%s\t%s\t%d\n", g, Clean(GroupName(groups, g)).c_str(),
                        Clean(GroupOverseer(groups, g)).c_str(), Clean(GroupAssistant(groups, g)).c_str(),
                        Clean(GroupPlace(groups, g)).c_str(), GroupDay(groups, g).c_str(),
                        Clean(GroupTime(groups, g)).c_str(), MemberCount(doc.Database(), g));
}

int Print(OpenedDocument& opened, const std::string& out) {
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

std::optional<int> GroupNumber(std::string_view text, int low) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const int g = std::stoi(std::string(text));
    return g >= low && g <= GroupTable::kMaxGroups ? std::optional<int>(g) : std::nullopt;
}

int RunGroups(const CliContext& context) {
    OpenedDocument opened("groups");
    if (const int code = opened.OpenWithoutArguments(context); code != 0)
        return code;
    std::string out;
    for (int g = 1; g <= opened.Doc().Side().groups.Count(); ++g)
        out += GroupLine(opened.Doc(), g);
    return Print(opened, out);
}

int RunGroupSet(const CliContext& context, OpenedDocument& opened, std::vector<std::string> args) {
    std::optional<std::string> overseer, assistant, place, day, time, name;
    for (auto [option, value] :
         {std::pair{"--overseer", &overseer}, std::pair{"--assistant", &assistant}, std::pair{"--place", &place},
          std::pair{"--day", &day}, std::pair{"--time", &time}, std::pair{"--name", &name}})
        if (!TakeValue(args, option, *value, opened))
            return 2;
    bool noName = false;
    if (auto it = std::find(args.begin(), args.end(), "--no-name"); it != args.end()) {
        noName = true;
        args.erase(it);
    }
    const int g = args.size() == 2 ? GroupNumber(args[1], 1).value_or(0) : 0;
    const int dayNumber = day ? GroupNumber(*day, 0).value_or(-1) : -1;
    if (g == 0 || (day && (dayNumber < 0 || dayNumber > 6)) || (noName && name)) {
        opened.Error(kSetUsage);
        return 2;
    }
    for (auto [label, value, limit] :
         {std::tuple{"--overseer", &overseer, GroupTable::kOverseerMax},
          std::tuple{"--assistant", &assistant, GroupTable::kAssistantMax},
          std::tuple{"--place", &place, GroupTable::kPlaceMax}, std::tuple{"--time", &time, GroupTable::kTimeMax}})
        if (*value && CharacterCount(**value) > static_cast<int>(limit)) {
            opened.Error(std::string(label) + ": " +
                         FormatArgs(Str(StrId::TextTooLong), {**value, std::to_string(limit)}));
            return 2;
        }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    GroupEditorPresenter editor(registry, g);
    // A person of the register is written the way the editor's "Wybierz" writes him; other text as given.
    auto person = [&](const std::string& text, auto choose, std::string& field) {
        if (const RecordNumber record = FindPerson(doc.Database(), text); record != 0)
            (editor.*choose)(record);
        else
            field = text;
    };
    if (overseer)
        person(*overseer, &GroupEditorPresenter::ChooseOverseer, editor.fields.overseer);
    if (assistant)
        person(*assistant, &GroupEditorPresenter::ChooseAssistant, editor.fields.assistant);
    if (place)
        editor.fields.place = *place;
    if (dayNumber >= 0)
        editor.fields.day = dayNumber;
    if (time)
        editor.fields.time = *time;
    if (name) {
        editor.fields.name = *name;
        editor.fields.useName = true;
    }
    if (noName)
        editor.fields.useName = false;
    if (Status stored = editor.Store(); !stored) {
        opened.Error(stored.message());
        return 1;
    }
    GroupListPresenter(registry).Close();
    if (const int failed = SaveIfModified(opened); failed != 0)
        return failed;
    const GroupTable& groups = doc.Side().groups;
    if (g > groups.Count())
        std::fprintf(
            stderr, "%s\n",
            FormatArgs(Str(StrId::GroupNotCounted), {std::to_string(g), std::to_string(groups.Count())}).c_str());
    return Print(opened, g <= groups.Count() ? GroupLine(doc, g) : std::string());
}

int RunGroupAssign(const CliContext& context, OpenedDocument& opened, const std::vector<std::string>& args) {
    const int g = args.size() == 3 ? GroupNumber(args[2], 1).value_or(0) : 0;
    if (g == 0) {
        opened.Error(kAssignUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const RecordNumber record = FindPerson(doc.Database(), args[1]);
    if (record == 0) {
        opened.Error(FormatArgs(Str(StrId::PersonNotFound), {args[1]}));
        return 1;
    }
    RegistryContext registry = doc.MakeRegistryContext(opened.Prompter());
    GroupAssignment assignment(registry, g);
    if (Status assigned = assignment.Assign(doc.Database().Record(record).Id()); !assigned) {
        opened.Error(assigned.message());
        return 1;
    }
    if (const int failed = SaveIfModified(opened); failed != 0)
        return failed;
    return Print(opened, GroupLine(doc, g));
}

int RunGroup(const CliContext& context) {
    OpenedDocument opened("group");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    if (!args.empty() && args[0] == "set")
        return RunGroupSet(context, opened, args);
    if (!args.empty() && args[0] == "assign")
        return RunGroupAssign(context, opened, args);
    opened.Error(std::string(kSetUsage) + "\n       " + std::string(kAssignUsage));
    return 2;
}

[[maybe_unused]] const bool registeredGroups = RegisterCommand(
    {"groups", "groups",
     "the defined field service groups (number, name, overseer, assistant, place, day, time, members)", RunGroups});
[[maybe_unused]] const bool registeredGroup =
    RegisterCommand({"group",
                     "group set N [--overseer NAME] [--assistant NAME] [--place TEXT] [--day 0-6] [--time TEXT] "
                     "[--name TEXT|--no-name] | group assign PERSON N",
                     "change a field service group, or put a person into one", RunGroup});

} // namespace
} // namespace vardo::cli

// vardo-cli mail: the group report file to the group's overseer, or a reminder to a publisher whose report is
// missing. The message goes to the desktop's mail program (xdg-email) or, without one, into Outbox/ as an
// .eml file; the command prints where it went.

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "cli/ImportPreviewOutput.h"
#include "cli/ReportingCommand.h"
#include "core/exchange/GroupReportFile.h"
#include "core/exchange/MailMessage.h"
#include "core/platform/Strings.h"
#include "core/store/SideRecord.h"

namespace vardo::cli {
namespace {

constexpr const char* kUsage = "usage: mail group GROUP [--month YYYY-MM] | mail reminder PERSON";

std::string EmailOf(CVardoDoc& doc, const PublisherRecord& person) {
    const auto extension = doc.Side().extensions.Read(doc.Folder(), person.ExtensionKey(), person.Id());
    return extension ? extension->Email() : std::string();
}

/// The active publisher a group table name designates ("First Last" or "Last, First"); 0 when none.
RecordNumber FindByName(const PublisherDatabase& db, std::string_view name) {
    const std::string_view wanted = sidetext::Trim(name);
    if (wanted.empty())
        return 0;
    for (const IndexEntry& entry : db.List(PublisherCategory::Publisher)) {
        const PublisherRecord& p = db.Record(entry.recordNumber);
        if (wanted == p.FirstName() + " " + p.LastName() || wanted == p.LastName() + ", " + p.FirstName())
            return entry.recordNumber;
    }
    return 0;
}

/// RFC 5322 date of the clock's day.
std::string MailDate(const Date& date) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return FormatPrintf("%d %s %04d 00:00:00 +0000", date.day, kMonths[(date.month - 1) % 12], date.year);
}

int Report(OpenedDocument& opened, const Result<MailOutcome>& sent) {
    if (!sent) {
        opened.Error(sent.error());
        return 1;
    }
    std::printf("%s\n", sent.value().kind == MailOutcome::Kind::HandedOver ? "xdg-email" : sent.value().path.c_str());
    std::fprintf(stderr, "%s\n", sent.value().text.c_str());
    return 0;
}

int RunMail(const CliContext& context) {
    OpenedDocument opened("mail");
    std::vector<std::string> args = context.args;
    if (!opened.TakeOptions(context, args))
        return 2;
    std::optional<std::string> month;
    if (!TakeValue(args, "--month", month, opened))
        return 2;
    const std::optional<MonthCount> count = month ? ParseMonthArgument(*month) : std::nullopt;
    const bool group = args.size() == 2 && args[0] == "group" && !args[1].empty() && args[1].size() <= 2 &&
                       args[1].find_first_not_of("0123456789") == std::string::npos;
    const bool reminder = args.size() == 2 && args[0] == "reminder" && !month;
    if ((!group && !reminder) || (month && !count)) {
        opened.Error(kUsage);
        return 2;
    }
    if (!opened.Open(context))
        return 1;
    CVardoDoc& doc = opened.Doc();
    const WorkingMonth& working = doc.GetWorkingMonth();
    const std::string date = MailDate(opened.GetClock().Today());
    if (reminder) {
        const RecordNumber record = FindPerson(doc.Database(), args[1]);
        if (record == 0) {
            opened.Error("nie ma osoby '" + args[1] + "'");
            return 1;
        }
        const MailMessage message = ReminderMail(working.monthIndex, EmailOf(doc, doc.Database().Record(record)),
                                                 doc.GetSettings().secretaryEmail);
        return Report(opened, SendMail(message, doc.Folder(), date));
    }

    const int number = std::stoi(args[1]);
    if (number < 1 || number > doc.Side().groups.Count()) {
        opened.Error("nie ma grupy " + args[1]);
        return 1;
    }
    const RecordNumber overseer = FindByName(doc.Database(), doc.Side().groups.Overseer(number - 1));
    const RecordNumber assistant = FindByName(doc.Database(), doc.Side().groups.Assistant(number - 1));
    std::string address = overseer != 0 ? EmailOf(doc, doc.Database().Record(overseer)) : std::string();
    if (address.empty() && assistant != 0)
        address = EmailOf(doc, doc.Database().Record(assistant));
    if (!IsUsablePublisherEmail(address)) {
        opened.Error(FormatArgs(Str(StrId::NoOverseerEmail), {std::to_string(number)}));
        return 1;
    }
    const MonthCount chosen = count.value_or(working.monthCount);
    if (chosen != working.monthCount && chosen != working.monthCount + 1) {
        opened.Error("--month: miesiąc roboczy albo następny");
        return 1;
    }
    GroupFileSource source{doc.Database(), doc.Side().remarks,
                           [&doc](const PublisherRecord& person) { return EmailOf(doc, person); },
                           [&doc](const PublisherRecord& person, MonthIndex m) {
                               return doc.GetMonthCycle().lateReports.IsLate(person.Id(), m);
                           },
                           [&working](MonthIndex m) { return working.SlotOf(m); }};
    GroupFileRequest request;
    request.group = number;
    request.month = MonthIndexOf(chosen);
    request.slot = SlotOfMonthCount(chosen);
    request.blank = chosen != working.monthCount;
    request.secretaryEmail = doc.GetSettings().secretaryEmail;
    const Result<std::string> bytes = WriteGroupReportFile(source, request);
    if (!bytes) {
        opened.Error(bytes.error());
        return 1;
    }
    const std::string name = std::string(Str(StrId::GroupLabel)) + std::to_string(number) + ".t09";
    if (!doc.Folder().WriteAtomic(name, bytes.value())) {
        opened.Error(FormatArgs(Str(StrId::CannotCreateFile), {doc.Folder().Resolve(name).string()}));
        return 1;
    }
    const MailMessage message = GroupFileMail(number, request.month, address, doc.Folder().Resolve(name).string());
    return Report(opened, SendMail(message, doc.Folder(), date));
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"mail", "mail group GROUP [--month YYYY-MM] | mail reminder PERSON",
     "mail the group report file to the group's overseer, or a missing-report reminder; prints where it went",
     RunMail});

} // namespace
} // namespace vardo::cli

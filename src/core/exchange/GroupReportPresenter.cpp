#include "core/exchange/GroupReportPresenter.h"

#include "core/platform/Strings.h"
#include "core/registry/Groups.h"
#include "core/reporting/ReportRules.h"
#include "core/store/SideRecord.h"

namespace vardo {

std::string KeptSecretaryEmail(std::string_view text) {
    const std::string cut = sidetext::CutToCharacters(text, 50);
    const std::size_t at = cut.find('@');
    if (at == std::string::npos || at == 0 || at > 47)
        return {};
    return cut;
}

GroupReportPresenter::GroupReportPresenter(GroupReportContext context, int group)
    : secretaryEmail(context.settings.secretaryEmail), m_context(std::move(context)), m_group(group) {}

void GroupReportPresenter::SetGroup(int group) {
    m_group = group;
    blank = false;
}

std::string GroupReportPresenter::WorkingMonthName() const {
    return std::string(MonthName(m_context.month.monthIndex));
}

std::string GroupReportPresenter::NextMonthName() const {
    return std::string(MonthName((m_context.month.monthIndex + 1) % kMonthsPerYear));
}

MonthIndex GroupReportPresenter::ChosenMonth() const {
    return MonthIndexOf(static_cast<MonthCount>(m_context.month.monthCount + (m_next ? 1 : 0)));
}

YearSlot GroupReportPresenter::ChosenSlot() const {
    return SlotOfMonthCount(static_cast<MonthCount>(m_context.month.monthCount + (m_next ? 1 : 0)));
}

bool GroupReportPresenter::IsMember(const PublisherRecord& person) const {
    return person.Group() == m_group;
}

int GroupReportPresenter::MemberCount() const {
    int count = 0;
    for (const IndexEntry& entry : m_context.database.List(PublisherCategory::Publisher))
        count += IsMember(m_context.database.Record(entry.recordNumber)) ? 1 : 0;
    return count;
}

int GroupReportPresenter::MissingCount() const {
    if (SendsBlank())
        return MemberCount();
    int count = 0;
    for (const IndexEntry& entry : m_context.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = m_context.database.Record(entry.recordNumber);
        count += IsMember(person) && !HasReport(person, ChosenMonth(), ChosenSlot()) ? 1 : 0;
    }
    return count;
}

bool GroupReportPresenter::BlankVisible() const {
    for (const IndexEntry& entry : m_context.database.List(PublisherCategory::Publisher)) {
        const PublisherRecord& person = m_context.database.Record(entry.recordNumber);
        if (IsMember(person) && HasReport(person, ChosenMonth(), ChosenSlot()))
            return true;
    }
    return false;
}

std::string GroupReportPresenter::BlankText() const {
    return FormatArgs(Str(StrId::GroupBlankList), {std::string(MonthName(ChosenMonth()))});
}

std::string GroupReportPresenter::Caption() const {
    return FormatArgs(Str(StrId::GroupFileCaption), {std::to_string(m_group)}) + " - " +
           std::string(Str(StrId::MonthHeading)) + " = " + std::string(MonthName(ChosenMonth()));
}

std::string GroupReportPresenter::OverseerText() const {
    return FormatArgs(Str(StrId::OtherOverseer), {GroupOverseer(m_context.groups, m_group)});
}

std::string GroupReportPresenter::MembersText() const {
    return FormatPrintf("%s:  %d", std::string(Str(StrId::TotalsPublishers)).c_str(), MemberCount());
}

std::string GroupReportPresenter::MissingText() const {
    return FormatPrintf("%s:  %d", std::string(Str(StrId::GroupMissingReports)).c_str(), MissingCount());
}

std::string GroupReportPresenter::EmailOfNamed(const std::string& name) const {
    const RecordNumber record = name.empty() ? 0 : PublisherNamed(m_context.database, name);
    if (record == 0)
        return {};
    const PublisherRecord& person = m_context.database.Record(record);
    const auto extension = m_context.extensions.Read(m_context.folder, person.ExtensionKey(), person.Id());
    const std::string email = extension ? extension->Email() : std::string();
    return IsUsablePublisherEmail(email) ? email : std::string();
}

std::string GroupReportPresenter::AssistantEmail() const {
    return EmailOfNamed(GroupAssistant(m_context.groups, m_group));
}

std::string GroupReportPresenter::OverseerEmail() const {
    return EmailOfNamed(GroupOverseer(m_context.groups, m_group));
}

bool GroupReportPresenter::AssistantChoiceVisible() const {
    return !AssistantEmail().empty();
}

bool GroupReportPresenter::SendToAssistant() const {
    return m_group >= 1 && m_group <= GroupTable::kMaxGroups &&
           (m_context.settings.assistantGroups >> (m_group - 1) & 1);
}

void GroupReportPresenter::SetSendToAssistant(bool on) {
    if (m_group < 1 || m_group > GroupTable::kMaxGroups || SendToAssistant() == on)
        return;
    DocumentChange change(m_context.changes, "Plik dla pomocnika");
    change.Touch(DataArea::Settings);
    m_context.settings.assistantGroups ^= 1 << (m_group - 1);
    change.Commit();
}

std::string GroupReportPresenter::Recipient() const {
    if (SendToAssistant())
        if (std::string assistant = AssistantEmail(); !assistant.empty())
            return assistant;
    return OverseerEmail();
}

std::string GroupReportPresenter::SendButtonText() const {
    const std::string address = Recipient();
    return address.empty() ? FormatArgs(Str(StrId::NoOverseerEmail), {std::to_string(m_group)})
                           : FormatArgs(Str(StrId::GroupCreateAndSend), {address});
}

std::string GroupReportPresenter::SaveButtonText() const {
    return std::string(SaveEnabled() ? Str(StrId::GroupCreateAndSave) : Str(StrId::GroupFillReports));
}

std::string GroupReportPresenter::FileName() const {
    return std::string(Str(StrId::GroupLabel)) + std::to_string(m_group) + ".t09";
}

Result<std::string> GroupReportPresenter::CreateAndSave() {
    const std::string kept = KeptSecretaryEmail(secretaryEmail);
    if (kept != m_context.settings.secretaryEmail) {
        DocumentChange change(m_context.changes, "Adres e-mail Sekretarza");
        change.Touch(DataArea::Settings);
        m_context.settings.secretaryEmail = kept;
        change.Commit();
    }
    const WorkingMonth& working = m_context.month;
    const GroupFileSource source{m_context.database, m_context.remarks,
                                 [this](const PublisherRecord& person) {
                                     const auto extension = m_context.extensions.Read(
                                         m_context.folder, person.ExtensionKey(), person.Id());
                                     return extension ? extension->Email() : std::string();
                                 },
                                 m_context.isLateReport, [&working](MonthIndex m) { return working.SlotOf(m); }};
    GroupFileRequest request;
    request.group = m_group;
    request.month = ChosenMonth();
    request.slot = ChosenSlot();
    request.blank = SendsBlank();
    request.secretaryEmail = kept;
    const Result<std::string> bytes = WriteGroupReportFile(source, request);
    if (!bytes)
        return Result<std::string>::Fail(bytes.status());
    const std::string path = m_context.folder.Resolve(FileName()).string();
    if (!m_context.folder.WriteAtomic(FileName(), bytes.value()))
        return Result<std::string>::Fail(Failure::Io, FormatArgs(Str(StrId::CannotCreateFile), {path}));
    return path;
}

Result<MailOutcome> GroupReportPresenter::CreateAndSend(std::string_view date, const ProgramRunner& run) {
    const std::string address = Recipient();
    if (address.empty())
        return Result<MailOutcome>::Fail(Failure::Invalid,
                                         FormatArgs(Str(StrId::NoOverseerEmail), {std::to_string(m_group)}));
    const Result<std::string> path = CreateAndSave();
    if (!path)
        return Result<MailOutcome>::Fail(path.status());
    return SendMail(GroupFileMail(m_group, ChosenMonth(), address, path.value()), m_context.folder, date, run);
}

} // namespace vardo

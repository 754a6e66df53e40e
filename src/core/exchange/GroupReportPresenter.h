#pragma once

// The group report dialog: for one field service group and the working or the next month, the counts of
// members and missing reports, the recipient (overseer or, when chosen, assistant), and the two actions
// "create and save" (GrupaN.t09 in the data folder) and "create and send" (the same file mailed).

#include <functional>
#include <string>

#include "core/exchange/GroupReportFile.h"
#include "core/exchange/MailMessage.h"
#include "core/platform/DataFolder.h"
#include "core/store/DocumentChange.h"
#include "core/store/ExtensionFile.h"
#include "core/store/GroupTable.h"
#include "core/store/Settings.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

/// What the dialog reads and changes.
struct GroupReportContext {
    const PublisherDatabase& database;
    const RemarkTable& remarks;
    const GroupTable& groups;
    const ExtensionFile& extensions;
    Settings& settings;
    const WorkingMonth& month;
    const DataFolder& folder;
    ChangeHub& changes;
    /// The late-report list: the person has a late report for the month.
    std::function<bool(const PublisherRecord&, MonthIndex)> isLateReport;
};

class GroupReportPresenter {
public:
    /// For group `group` (1-based) and the working month.
    GroupReportPresenter(GroupReportContext context, int group);

    int Group() const { return m_group; }
    /// "Wybierz Inną Grupę": another group; the month choice stays, the blank flag is cleared.
    void SetGroup(int group);

    /// The month: the working month or the next one (radio buttons captioned with their names).
    bool NextMonth() const { return m_next; }
    void SetNextMonth(bool next) { m_next = next; }
    std::string WorkingMonthName() const;
    std::string NextMonthName() const;
    MonthIndex ChosenMonth() const;
    YearSlot ChosenSlot() const;

    /// "Tworzę nową czystą listę grupy na <month>", shown only when a member has reported the month.
    bool blank = false;
    bool BlankVisible() const;
    std::string BlankText() const;
    /// The reported month goes out blank: the box is ticked or the next month is chosen.
    bool SendsBlank() const { return blank || m_next; }

    /// "Utwórz dla Grupy 3 - Miesiąc = marzec".
    std::string Caption() const;
    /// "Nadzorca: <overseer>".
    std::string OverseerText() const;
    /// "Głosiciele:  n" and "Brakujące Sprawozdania:  n" (all members when sent blank).
    int MemberCount() const;
    int MissingCount() const;
    std::string MembersText() const;
    std::string MissingText() const;

    /// The secretary's address as the edit field holds it.
    std::string secretaryEmail;

    /// "Wyślij plik .t0z do pomocnika": shown when the assistant has a usable address; its state is kept per
    /// group in the settings.
    bool AssistantChoiceVisible() const;
    bool SendToAssistant() const;
    /// Stores the choice as one change of the settings.
    void SetSendToAssistant(bool on);
    /// The recipient's address: the assistant's when chosen (and usable), else the overseer's; empty when
    /// that has no usable address.
    std::string Recipient() const;

    /// "Utwórz i wyślij Plik do mail <address>", enabled with an address; else "Brak adresu maila ...".
    std::string SendButtonText() const;
    bool SendEnabled() const { return !Recipient().empty(); }
    /// "Tworzy i Zapisuje", enabled when a report is missing or the list goes out blank; else "Uzupełnij
    /// pliki sprawozdań", disabled.
    std::string SaveButtonText() const;
    bool SaveEnabled() const { return SendsBlank() || MissingCount() > 0; }

    /// "Grupa3.t09".
    std::string FileName() const;

    /// Create and save: keeps a changed secretary's address in the settings (one change), writes the file
    /// into the data folder and returns its full path. Fails (Full) for a group of more than 127 members,
    /// (Io) with 1231 when the file cannot be written: nothing is reported as saved then.
    Result<std::string> CreateAndSave();
    /// Create and send: the file as above, then handed to the mail program (or written to Outbox/).
    Result<MailOutcome> CreateAndSend(std::string_view date, const ProgramRunner& run = RunProgram);

private:
    std::string EmailOfNamed(const std::string& name) const;
    std::string AssistantEmail() const;
    std::string OverseerEmail() const;
    bool IsMember(const PublisherRecord& person) const;

    GroupReportContext m_context;
    int m_group;
    bool m_next = false;
};

/// The secretary's address as kept: cut to 50 characters; empty when its at sign is missing, first, or
/// beyond index 47.
std::string KeptSecretaryEmail(std::string_view text);

} // namespace vardo

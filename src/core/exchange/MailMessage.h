#pragma once

// Mail of the group report files and the missing-report reminders: the message (recipients, subject, note,
// attachment), its form as a standard .eml file, and the desktop hand-over with the Outbox/ fallback.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"

namespace vardo {

struct MailMessage {
    /// Plain addresses (UTF-8).
    std::vector<std::string> recipients;
    std::string subject;
    std::string note;
    /// Originator name shown by the mail program.
    std::string originator = "VARDO";
    /// Full path of the single attachment; empty for none.
    std::string attachmentPath;
};

/// The addresses of a ";"-separated list, blanks trimmed, empty items dropped.
std::vector<std::string> SplitRecipients(std::string_view list);

/// The group report file's message: subject "Dołączone Raporty - <month> - Grupa <n>", the note asking for
/// the .t19 file back, the .t09 attached.
MailMessage GroupFileMail(int group, MonthIndex month, std::string_view address, std::string attachmentPath);
/// The missing-report reminder: subject 1052 and note 1422 with the month's name (or `note` when given); the
/// originator is the secretary's address when it has at least 4 characters.
MailMessage ReminderMail(MonthIndex month, std::string_view address, std::string_view secretaryEmail,
                         std::string_view note = {});

/// The message as an RFC 5322 / MIME text with CRLF line ends: UTF-8 subject as an encoded word, the note
/// as quoted text, the attachment (its bytes given) base64-encoded. `date` is the Date header's value.
std::string EmlText(const MailMessage& message, std::string_view attachmentBytes, std::string_view date);

/// Where a message went.
struct MailOutcome {
    enum class Kind { HandedOver, WrittenToOutbox };
    Kind kind = Kind::HandedOver;
    /// The .eml file's path (WrittenToOutbox).
    std::string path;
    /// What the secretary is told (UTF-8).
    std::string text;
};

/// Runs a program with its arguments (argv[0] is searched in PATH); returns its exit status, or −1 when it
/// could not be started.
using ProgramRunner = std::function<int(const std::vector<std::string>& argv)>;

/// The default runner: posix_spawnp and wait.
int RunProgram(const std::vector<std::string>& argv);

/// Hands the message to the desktop's mail program ("xdg-email --utf8 --subject S --body B --attach F TO...");
/// when that is missing or fails, writes the message as Outbox/<name>.eml in `dataFolder` and says where.
/// Fails (Invalid) with no recipient, (Io) when neither worked; a message is never reported as sent when it
/// was not handed over.
Result<MailOutcome> SendMail(const MailMessage& message, const DataFolder& dataFolder, std::string_view date,
                             const ProgramRunner& run = RunProgram);

} // namespace vardo

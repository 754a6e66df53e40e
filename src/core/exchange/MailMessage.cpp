#include "core/exchange/MailMessage.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/platform/Strings.h"
#include "core/store/SideRecord.h"

extern char** environ;

namespace vardo {
namespace {

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += {kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], kAlphabet[v & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        out += {kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned v =
            (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        out += {kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], '='};
    }
    return out;
}

/// Base64 broken into lines of 76 characters.
std::string Base64Lines(std::string_view bytes) {
    const std::string encoded = Base64(bytes);
    std::string out;
    for (std::size_t i = 0; i < encoded.size(); i += 76)
        out += encoded.substr(i, 76) + "\r\n";
    return out;
}

/// A header value: as it stands when plain ASCII without line breaks, else an RFC 2047 encoded word.
std::string HeaderText(std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    return plain ? std::string(text) : "=?UTF-8?B?" + Base64(text) + "?=";
}

/// A file name safe for the Outbox: letters, digits, '-', '_' and '.'; others become '_'.
std::string SafeName(std::string_view text) {
    std::string out;
    for (const char c : text)
        out += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.') ? c : '_';
    return out.empty() ? std::string("wiadomosc") : out.substr(0, 60);
}

} // namespace

std::vector<std::string> SplitRecipients(std::string_view list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        const std::string_view item = sidetext::Trim(list.substr(start, end - start));
        if (!item.empty())
            out.emplace_back(item);
        start = end + 1;
    }
    return out;
}

MailMessage GroupFileMail(int group, MonthIndex month, std::string_view address, std::string attachmentPath) {
    MailMessage message;
    message.recipients = SplitRecipients(address);
    message.subject = std::string(Str(StrId::GroupMailSubject)) + " - " + std::string(MonthName(month)) + " - " +
                      std::string(Str(StrId::GroupLabel)) + " " + std::to_string(group);
    message.note = std::string(Str(StrId::GroupMailNote));
    message.attachmentPath = std::move(attachmentPath);
    return message;
}

MailMessage ReminderMail(MonthIndex month, std::string_view address, std::string_view secretaryEmail,
                         std::string_view note) {
    MailMessage message;
    message.recipients = SplitRecipients(address);
    message.subject = FormatArgs(Str(StrId::NoReportFor), {MonthName(month)});
    message.note = note.empty() ? FormatArgs(Str(StrId::ReminderNote), {MonthName(month)}) : std::string(note);
    if (secretaryEmail.size() >= 4)
        message.originator = std::string(secretaryEmail);
    return message;
}

std::string EmlText(const MailMessage& message, std::string_view attachmentBytes, std::string_view date) {
    std::string to;
    for (const std::string& r : message.recipients)
        to += (to.empty() ? "" : ", ") + r;
    const std::string from =
        message.originator.find('@') != std::string::npos ? message.originator : HeaderText(message.originator);
    std::string text = "From: " + from + "\r\nTo: " + to + "\r\nSubject: " + HeaderText(message.subject) +
                       "\r\nDate: " + std::string(date) + "\r\nMIME-Version: 1.0\r\nX-Unsent: 1\r\n";
    std::string body;
    for (std::size_t i = 0; i < message.note.size(); ++i) {
        if (message.note[i] == '\n' && (i == 0 || message.note[i - 1] != '\r'))
            body += '\r';
        body += message.note[i];
    }
    const std::string textPart =
        "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64Lines(body);
    if (message.attachmentPath.empty())
        return text + textPart;
    const std::string boundary = "=_vardo_part_boundary";
    const std::string name = std::filesystem::path(message.attachmentPath).filename().string();
    text += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    text += "--" + boundary + "\r\n" + textPart;
    text += "--" + boundary + "\r\nContent-Type: application/octet-stream; name=\"" + name +
            "\"\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"" + name +
            "\"\r\n\r\n" + Base64Lines(attachmentBytes);
    text += "--" + boundary + "--\r\n";
    return text;
}

int RunProgram(const std::vector<std::string>& argv) {
    if (argv.empty())
        return -1;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // The mail program's own chatter would only confuse the secretary: its output goes nowhere.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Result<MailOutcome> SendMail(const MailMessage& message, const DataFolder& dataFolder, std::string_view date,
                             const ProgramRunner& run) {
    if (message.recipients.empty())
        return Result<MailOutcome>::Fail(Failure::Invalid, std::string(Str(StrId::MailNoRecipient)));
    std::vector<std::string> argv{"xdg-email", "--utf8", "--subject", message.subject, "--body", message.note};
    if (!message.attachmentPath.empty()) {
        argv.emplace_back("--attach");
        argv.push_back(message.attachmentPath);
    }
    for (const std::string& r : message.recipients)
        argv.push_back(r);
    if (run && run(argv) == 0)
        return MailOutcome{MailOutcome::Kind::HandedOver, {}, std::string(Str(StrId::MailHandedOver))};

    std::string attachment;
    if (!message.attachmentPath.empty()) {
        std::ifstream in(message.attachmentPath, std::ios::binary);
        if (!in)
            return Result<MailOutcome>::Fail(Failure::Io,
                                             FormatArgs(Str(StrId::CannotCreateFile), {message.attachmentPath}));
        attachment.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (const Status made = dataFolder.CreateFolder("Outbox"); !made)
        return Result<MailOutcome>::Fail(made);
    std::string name = "Outbox/" + SafeName(message.subject);
    for (int n = 2; dataFolder.Exists(name + ".eml") && n < 1000; ++n)
        name = "Outbox/" + SafeName(message.subject) + "-" + std::to_string(n);
    name += ".eml";
    if (const Status written = dataFolder.WriteAtomic(name, EmlText(message, attachment, date)); !written)
        return Result<MailOutcome>::Fail(written);
    const std::string path = dataFolder.Resolve(name).string();
    return MailOutcome{MailOutcome::Kind::WrittenToOutbox, path, FormatArgs(Str(StrId::MailWrittenToOutbox), {path})};
}

} // namespace vardo

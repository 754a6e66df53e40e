#include "core/store/Quarantine.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::string_view kCopySuffix = ".uszkodzony";
constexpr int kMaxCopies = 99;

} // namespace

Result<std::optional<std::string>> ReadDataFile(const DataFolder& folder, std::string_view name) {
    if (!folder.Exists(name))
        return std::optional<std::string>();
    auto bytes = folder.ReadAll(name);
    if (!bytes)
        return Result<std::optional<std::string>>::Fail(bytes.error());
    return std::optional<std::string>(std::move(bytes).value());
}

Result<std::string> PreserveUnreadableFile(const DataFolder& folder, std::string_view name, std::string_view reason,
                                           Prompter& prompter) {
    const std::string fileName(name);
    auto fail = [&](const std::string& why) {
        prompter.Message(FormatArgs(Str(StrId::FileNotPreserved), {fileName, reason, why}), Severity::Error);
        return Result<std::string>::Fail(FormatArgs(Str(StrId::WriteBlocked), {fileName}));
    };

    auto original = folder.ReadAll(name);
    std::string copyName;
    bool reused = false;
    for (int n = 1; n <= kMaxCopies; ++n) {
        std::string candidate = fileName + std::string(kCopySuffix) + (n == 1 ? "" : std::to_string(n));
        if (!folder.Exists(candidate)) {
            copyName = std::move(candidate);
            break;
        }
        if (original) {
            auto existing = folder.ReadAll(candidate);
            if (existing && existing.value() == original.value()) {
                copyName = std::move(candidate);
                reused = true;
                break;
            }
        }
    }
    if (copyName.empty())
        return fail(
            FormatArgs(Str(StrId::FileFull), {fileName + std::string(kCopySuffix), std::to_string(kMaxCopies)}));

    if (!reused) {
        // Unreadable content cannot be rewritten from memory; a file-system copy may still succeed.
        const Status copied = original ? folder.WriteAtomic(copyName, original.value()) : folder.Copy(name, copyName);
        if (!copied)
            return fail(copied.message());
    }
    prompter.Message(FormatArgs(Str(StrId::FilePreserved), {fileName, reason, folder.Resolve(copyName).string()}),
                     Severity::Warning);
    return copyName;
}

std::string ReasonPartialRecord(std::size_t fileSize, std::size_t recordSize) {
    return FormatArgs(Str(StrId::ReasonPartialRecord), {std::to_string(fileSize), std::to_string(recordSize)});
}

std::string ReasonWrongSize(std::size_t fileSize, std::size_t expectedSize) {
    return FormatArgs(Str(StrId::ReasonWrongSize), {std::to_string(fileSize), std::to_string(expectedSize)});
}

std::string ReasonUnreadable(std::string_view systemMessage) {
    return FormatArgs(Str(StrId::ReasonUnreadable), {systemMessage});
}

std::string ReasonTooManyRecords(std::size_t records, std::size_t capacity) {
    return FormatArgs(Str(StrId::ReasonTooManyRecords), {std::to_string(records), std::to_string(capacity)});
}

Status ReportCannotCreate(const DataFolder& folder, std::string_view name, Prompter& prompter) {
    std::string text = FormatArgs(Str(StrId::CannotCreateFile), {folder.Resolve(name).string()});
    prompter.Message(text, Severity::Error);
    return Status::Fail(std::move(text));
}

void WriteGuard::Preserve(const DataFolder& folder, std::string_view name, std::string_view reason,
                          Prompter& prompter) {
    auto copy = PreserveUnreadableFile(folder, name, reason, prompter);
    if (copy)
        m_copyName = copy.value();
    else
        m_blocked = true;
}

Status WriteGuard::Check(std::string_view name) const {
    if (m_blocked)
        return Status::Fail(FormatArgs(Str(StrId::WriteBlocked), {name}));
    return Status::Ok();
}

} // namespace vardo

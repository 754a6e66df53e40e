#include "core/store/FixedFile.h"

#include <utility>

namespace vardo {

std::optional<std::string> ReadRecordsForLoad(const DataFolder& folder, std::string_view name, std::size_t recordSize,
                                              WriteGuard& guard, Prompter& prompter) {
    guard.Reset();
    auto content = ReadDataFile(folder, name);
    if (!content) {
        guard.Preserve(folder, name, ReasonUnreadable(content.error()), prompter);
        return std::nullopt;
    }
    if (!content.value())
        return std::nullopt;
    if (content.value()->size() % recordSize != 0)
        guard.Preserve(folder, name, ReasonPartialRecord(content.value()->size(), recordSize), prompter);
    return std::move(content.value());
}

Status SaveFixedFile(const DataFolder& folder, std::string_view name, std::string_view bytes, const WriteGuard& guard,
                     Prompter& prompter) {
    if (Status held = guard.Check(name); !held) {
        prompter.Message(held.message(), Severity::Error);
        return held;
    }
    if (Status written = folder.WriteAtomic(name, bytes); !written)
        return ReportCannotCreate(folder, name, prompter);
    return Status::Ok();
}

} // namespace vardo

#include "core/store/FixedFile.h"

namespace vardo {

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

#include "core/store/ChangeCaptures.h"

#include <memory>

namespace vardo {

ChangeHub::Capture CaptureOf(PublisherDatabase& database) {
    return [&database]() -> ChangeHub::Restore {
        auto before = std::make_shared<PublisherDatabase::Snapshot>(database.TakeSnapshot());
        return [&database, before] { database.RestoreSnapshot(*before); };
    };
}

} // namespace vardo

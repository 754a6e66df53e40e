#pragma once

// Before-state captures of the register for the change path.

#include "core/store/DocumentChange.h"
#include "core/store/PublisherDatabase.h"

namespace vardo {

/// Captures the header and the persons' records; the restore rebuilds the index and the lists.
ChangeHub::Capture CaptureOf(PublisherDatabase& database);

} // namespace vardo

#pragma once

// The whole document as one JSON text, for other tools (format: docs/dump-format.md).

#include <string>

namespace vardo {

class CVardoDoc;

/// Version of the dump format; raised when a field changes meaning or disappears.
inline constexpr int kDumpFormatVersion = 1;

/// Every person with every field decoded and the 24 months of report cells ending with the working month,
/// the header, groups, remarks, appointments, emergency contacts, special needs, attendance, card totals,
/// names option and settings. Texts are UTF-8. Reads the keyed side records (extensions, emergency
/// contacts, special needs) from the data folder. The document must be loaded.
std::string DocumentToJson(const CVardoDoc& doc);

} // namespace vardo

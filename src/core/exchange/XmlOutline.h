#pragma once

#include <string>

#include "core/exchange/CXmlDoc.h"

namespace vardo {

/// A plain-text picture of a loaded document, for looking into a received exchange file. The first line is the
/// result markup; then one line per element in document order: depth (0 for top-level elements), a tab, the
/// name, a tab, the attributes as name="decoded value" separated by single spaces, a tab, and the element's text
/// (CXmlDoc::GetText). Tabs and line breaks inside values and texts are shown as \t and \n. Does not move the
/// document's positions.
std::string XmlOutline(const CXmlDoc& doc);

} // namespace vardo

#pragma once

#include <string>

#include "core/exchange/CXmlDoc.h"

namespace vardo {

/// A plain-text picture of a loaded document, for looking into a received exchange file. The first line is the
/// result markup; then one line per element in document order: depth (0 for top-level elements), a tab, the
/// name, a tab, the attributes as name="decoded value" separated by single spaces, a tab, and the element's text
/// (CXmlDoc::GetText). Every field is escaped so that the outline reads back unambiguously: a backslash as \\, a
/// tab as \t, a line feed as \n and a carriage return as \r, and inside an attribute value a double quote as \".
/// Does not move the document's positions.
std::string XmlOutline(const CXmlDoc& doc);

} // namespace vardo

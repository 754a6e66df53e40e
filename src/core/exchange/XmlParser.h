#pragma once

// The parser of the XML engine: one pass over a document text that builds its element index and lists in the
// result markup what was malformed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/ElementIndex.h"

namespace vardo::xml {

/// An element whose end tag has not been met yet.
struct OpenElement {
    XmlIndex element;
    std::uint32_t nameLength;
    XmlIndex lastChild;
};

/// Builds the element index of `text` into `index`, which must have just been reset, and appends to `result` an
/// item for every malformed construct (past 1000 of one kind, one item with the count of the rest) and for a
/// missing or repeated root element. `stack` is working memory, kept by the caller for the next parse. False
/// when the index cannot grow; throws std::bad_alloc when memory runs out. Never recurses.
bool ParseElements(std::string_view text, ElementIndex& index, std::vector<OpenElement>& stack, std::string& result);

} // namespace vardo::xml

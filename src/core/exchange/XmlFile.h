#pragma once

// Files of the XML engine: the bytes of a file turned into UTF-8 text, with the encoding they were in, and the
// text turned back into bytes of that encoding.

#include <string>
#include <string_view>
#include <utility>

#include "core/exchange/XmlEncoding.h"
#include "core/platform/DataFolder.h"

namespace vardo::xml {

/// A file's bytes as UTF-8 text.
struct DecodedFile {
    std::string text;
    FileEncoding encoding;
    std::string notes; ///< result items of the reading: byte-order mark, conversion, repairs
};

/// Detects the encoding of a file and converts its bytes to UTF-8: from a byte-order mark, else from the pattern
/// of 16-bit text, else from an XML declaration or an HTML meta element in the first 1024 bytes, else from a check
/// for valid UTF-8 (text that is not is read as windows-1250). Zero bytes are removed from 8-bit text and invalid
/// UTF-8 is repaired, so the text is always valid UTF-8.
DecodedFile DecodeFile(std::string bytes);

/// The encoding for saving a UTF-8 text: the one its XML declaration names (a byte-order mark for "UTF-16"
/// without an endianness), UTF-8 when it names none or one the converter does not know.
FileEncoding EncodingOfText(std::string_view text);

/// The bytes of a UTF-8 text in `encoding`; appends "converted_from" and "conversion_loss" items to `result`
/// when the text is converted. An 8-bit encoding the converter cannot handle is written as UTF-8.
std::string EncodeFile(const std::string& text, const FileEncoding& encoding, std::string& result);

/// A path relative to the working directory split into its folder and file name.
std::pair<DataFolder, std::string> SplitPath(std::string_view path);

} // namespace vardo::xml

#include "core/exchange/XmlFile.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/exchange/XmlResult.h"
#include "core/platform/CodePage.h"

namespace vardo::xml {
namespace {

constexpr std::size_t kHeadBytes = 1024; // the encoding is guessed from this much

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

/// The converter's name for a declared 8-bit encoding: the platform's charset for its code page, else the
/// declared name itself when the converter knows it; empty when neither works.
std::string ConverterName(std::string_view declared, int codePage) {
    if (codePage != 0) {
        std::string charset = codepage::CharsetForCodePage(codePage);
        if (!charset.empty() && codepage::IsKnownCharset(charset))
            return charset;
    }
    if (!declared.empty() && codepage::IsKnownCharset(declared))
        return std::string(declared);
    return {};
}

void DecodeUtf16(DecodedFile& file, std::string_view bytes, bool bigEndian) {
    if (bigEndian != (std::endian::native == std::endian::big))
        AppendResultItem(file.notes, "endian_swap");
    Utf16Decoded decoded = Utf16ToUtf8(bytes, bigEndian);
    if (decoded.truncated)
        AppendResultItem(file.notes, "truncation_error");
    AppendResultItem(file.notes, "converted_to",
                     {{"encoding", "UTF-8"}, {"length", std::to_string(decoded.text.size())}});
    if (decoded.replaced != 0)
        AppendResultItem(file.notes, "conversion_loss");
    file.text = std::move(decoded.text);
    file.encoding.name = bigEndian ? "UTF-16BE" : "UTF-16LE";
    file.encoding.codePage = bigEndian ? kCodePageUtf16Be : kCodePageUtf16Le;
}

/// 8-bit text in the system's ANSI code page.
void DecodeAnsi(DecodedFile& file) {
    file.text = codepage::Cp1250ToUtf8(file.text);
    AppendResultItem(file.notes, "converted_to", {{"encoding", "UTF-8"}, {"length", std::to_string(file.text.size())}});
    file.encoding.name = "windows-1250";
    file.encoding.codePage = kCodePageAnsi;
    file.encoding.charset = "windows-1250";
}

} // namespace

DecodedFile DecodeFile(std::string bytes) {
    DecodedFile file;
    const std::size_t n = bytes.size();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (n >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
        file.encoding.bom = true;
        AppendResultItem(file.notes, "bom");
        DecodeUtf16(file, std::string_view(bytes).substr(2), byte(0) == 0xFE);
        return file;
    }
    if (n >= 2 && (byte(0) == 0) != (byte(1) == 0)) {
        DecodeUtf16(file, bytes, byte(0) == 0); // "<\0" or "\0<": 16-bit text without a mark
        return file;
    }
    if (n >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        file.encoding.bom = true;
        AppendResultItem(file.notes, "bom");
        bytes.erase(0, 3);
    }
    file.text = std::move(bytes);

    bool stated = file.encoding.bom;
    if (!stated) {
        const std::string_view head = std::string_view(file.text).substr(0, kHeadBytes);
        std::string declared = DeclaredEncoding(head);
        if (declared.empty())
            declared = MetaCharset(head);
        const int codePage = declared.empty() ? 0 : CodePageOfName(declared);
        if (codePage == kCodePageUtf8) {
            stated = true;
        } else if (!declared.empty() && codePage != kCodePageUtf16Le && codePage != kCodePageUtf16Be &&
                   codePage != 12000 && codePage != 12001) {
            // A 16- or 32-bit name on text that reads byte by byte cannot be right; other names are believed.
            file.encoding.charset = ConverterName(declared, codePage);
            if (!file.encoding.charset.empty()) {
                stated = true;
                file.encoding.name = declared;
                file.encoding.codePage = codePage;
            }
        }
    }

    const std::size_t nulls = RemoveNulls(file.text);
    if (nulls != 0)
        AppendResultItem(file.notes, "nulls_removed", {{"count", std::to_string(nulls)}});
    if (!file.encoding.charset.empty()) {
        std::optional<codepage::Conversion> converted = codepage::ToUtf8(file.text, file.encoding.charset);
        if (!converted) {
            DecodeAnsi(file);
            return file;
        }
        file.text = std::move(converted->text);
        AppendResultItem(file.notes, "converted_to",
                         {{"encoding", "UTF-8"}, {"length", std::to_string(file.text.size())}});
        if (!converted->lossless())
            AppendResultItem(file.notes, "conversion_loss");
    } else if (stated) {
        const Utf8Repair repair = RepairUtf8(file.text);
        if (repair.truncated)
            AppendResultItem(file.notes, "truncation_error");
        if (repair.replaced != 0)
            AppendResultItem(file.notes, "conversion_loss");
    } else if (CheckUtf8(file.text) != Utf8State::Invalid) {
        // Text that begins with a tag and names no encoding is UTF-8 by rule; anything else was detected.
        const std::size_t first = file.text.find_first_not_of(" \t\r\n");
        if (first == std::string::npos || file.text[first] != '<')
            AppendResultItem(file.notes, "utf8_detection", {{"encoding", "UTF-8"}});
        if (RepairUtf8(file.text).truncated)
            AppendResultItem(file.notes, "truncation_error");
    } else {
        AppendResultItem(file.notes, "utf8_detection", {{"encoding", "windows-1250"}});
        DecodeAnsi(file);
    }
    return file;
}

FileEncoding EncodingOfText(std::string_view text) {
    FileEncoding encoding;
    const std::string declared = DeclaredEncoding(text.substr(0, kHeadBytes));
    const int codePage = declared.empty() ? 0 : CodePageOfName(declared);
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) {
        encoding.codePage = codePage;
        encoding.name = codePage == kCodePageUtf16Be ? "UTF-16BE" : "UTF-16LE";
        encoding.bom = !EqualNoCase(declared, "utf-16le") && !EqualNoCase(declared, "utf-16be");
    } else if (!declared.empty() && codePage != kCodePageUtf8) {
        encoding.charset = ConverterName(declared, codePage);
        if (!encoding.charset.empty()) {
            encoding.codePage = codePage;
            encoding.name = declared;
        }
    }
    return encoding;
}

std::string EncodeFile(const std::string& text, const FileEncoding& encoding, std::string& result) {
    std::string out;
    if (encoding.codePage == kCodePageUtf16Le || encoding.codePage == kCodePageUtf16Be) {
        const bool bigEndian = encoding.codePage == kCodePageUtf16Be;
        Utf16Encoded encoded = Utf8ToUtf16(text, bigEndian);
        if (encoding.bom)
            out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        out += encoded.bytes;
        AppendResultItem(result, "converted_from", {{"encoding", "UTF-8"}, {"length", std::to_string(text.size())}});
        if (encoded.replaced != 0)
            AppendResultItem(result, "conversion_loss");
        return out;
    }
    if (!encoding.charset.empty()) {
        std::optional<codepage::Conversion> converted = codepage::FromUtf8(text, encoding.charset);
        if (converted) {
            AppendResultItem(result, "converted_from",
                             {{"encoding", "UTF-8"}, {"length", std::to_string(text.size())}});
            if (!converted->lossless())
                AppendResultItem(result, "conversion_loss");
            return std::move(converted->text);
        }
    }
    if (encoding.bom)
        out = "\xEF\xBB\xBF";
    out += text;
    return out;
}

std::pair<DataFolder, std::string> SplitPath(std::string_view path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error)
        full = std::filesystem::path(path);
    return {DataFolder(full.parent_path()), full.filename().string()};
}

} // namespace vardo::xml

#include "core/exchange/CXmlDoc.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <filesystem>
#include <new>
#include <unordered_map>
#include <utility>

#include "core/exchange/XmlEncoding.h"
#include "core/exchange/XmlSyntax.h"
#include "core/platform/CodePage.h"
#include "core/platform/DataFolder.h"

namespace vardo {
namespace {

using xml::Markup;

constexpr std::size_t kMaxText = 0xFFFFFFFEu; // offsets are 32-bit
constexpr std::size_t kHeadBytes = 1024;      // the encoding is guessed from this much
constexpr std::uint64_t kItemsPerKind = 1000; // result items of one kind of parse error listed one by one
constexpr std::uint32_t kMaxIndentLevels = 32;

using Attrs = std::initializer_list<std::pair<std::string_view, std::string>>;

void AppendItem(std::string& out, std::string_view item, Attrs attrs) {
    out += '<';
    out += item;
    for (const auto& [name, value] : attrs) {
        out += ' ';
        out += name;
        out += "=\"";
        xml::AppendEscapedAttribute(out, value);
        out += '"';
    }
    out += "/>";
}

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

std::string FirstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

bool AllSpace(std::string_view text) {
    return std::all_of(text.begin(), text.end(), xml::IsSpace);
}

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

/// A path relative to the working directory split into a folder and a file name for DataFolder.
std::pair<DataFolder, std::string> SplitPath(std::string_view path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error)
        full = std::filesystem::path(path);
    return {DataFolder(full.parent_path()), full.filename().string()};
}

/// A file's bytes as UTF-8 text, with the encoding it was in and the result items of the reading.
struct DecodedFile {
    std::string text;
    std::string encoding = "UTF-8"; ///< as the "read" item and saving name it
    std::string charset;            ///< converter name of an 8-bit encoding
    int codePage = xml::kCodePageUtf8;
    bool bom = false;
    std::string notes;
};

void DecodeUtf16(DecodedFile& file, std::string_view bytes, bool bigEndian) {
    if (bigEndian != (std::endian::native == std::endian::big))
        AppendItem(file.notes, "endian_swap", {});
    xml::Utf16Decoded decoded = xml::Utf16ToUtf8(bytes, bigEndian);
    if (decoded.truncated)
        AppendItem(file.notes, "truncation_error", {});
    AppendItem(file.notes, "converted_to", {{"encoding", "UTF-8"}, {"length", Number(decoded.text.size())}});
    if (decoded.replaced != 0)
        AppendItem(file.notes, "conversion_loss", {});
    file.text = std::move(decoded.text);
    file.encoding = bigEndian ? "UTF-16BE" : "UTF-16LE";
    file.codePage = bigEndian ? xml::kCodePageUtf16Be : xml::kCodePageUtf16Le;
}

/// 8-bit text in the system's ANSI code page.
void DecodeAnsi(DecodedFile& file) {
    file.text = codepage::Cp1250ToUtf8(file.text);
    AppendItem(file.notes, "converted_to", {{"encoding", "UTF-8"}, {"length", Number(file.text.size())}});
    file.encoding = "windows-1250";
    file.codePage = xml::kCodePageAnsi;
    file.charset = "windows-1250";
}

/// The encoding comes from a byte-order mark, else from the first bytes' pattern of 16-bit text, else from an
/// XML declaration or an HTML meta element in the first 1024 bytes, else from a check for valid UTF-8.
DecodedFile DecodeFile(std::string bytes) {
    DecodedFile file;
    const std::size_t n = bytes.size();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (n >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
        file.bom = true;
        AppendItem(file.notes, "bom", {});
        DecodeUtf16(file, std::string_view(bytes).substr(2), byte(0) == 0xFE);
        return file;
    }
    if (n >= 2 && (byte(0) == 0) != (byte(1) == 0)) {
        DecodeUtf16(file, bytes, byte(0) == 0); // "<\0" or "\0<": 16-bit text without a mark
        return file;
    }
    if (n >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        file.bom = true;
        AppendItem(file.notes, "bom", {});
        bytes.erase(0, 3);
    }
    file.text = std::move(bytes);

    bool stated = file.bom;
    if (!stated) {
        const std::string_view head = std::string_view(file.text).substr(0, kHeadBytes);
        std::string declared = xml::DeclaredEncoding(head);
        if (declared.empty())
            declared = xml::MetaCharset(head);
        const int codePage = declared.empty() ? 0 : xml::CodePageOfName(declared);
        if (codePage == xml::kCodePageUtf8) {
            stated = true;
        } else if (!declared.empty() && codePage != xml::kCodePageUtf16Le && codePage != xml::kCodePageUtf16Be &&
                   codePage != 12000 && codePage != 12001) {
            // A 16- or 32-bit name on text that reads byte by byte cannot be right; other names are believed.
            file.charset = ConverterName(declared, codePage);
            if (!file.charset.empty()) {
                stated = true;
                file.encoding = declared;
                file.codePage = codePage;
            }
        }
    }

    const std::size_t nulls = xml::RemoveNulls(file.text);
    if (nulls != 0)
        AppendItem(file.notes, "nulls_removed", {{"count", Number(nulls)}});
    if (!file.charset.empty()) {
        std::optional<codepage::Conversion> converted = codepage::ToUtf8(file.text, file.charset);
        if (!converted) {
            DecodeAnsi(file);
            return file;
        }
        file.text = std::move(converted->text);
        AppendItem(file.notes, "converted_to", {{"encoding", "UTF-8"}, {"length", Number(file.text.size())}});
        if (!converted->lossless())
            AppendItem(file.notes, "conversion_loss", {});
    } else if (stated) {
        const xml::Utf8Repair repair = xml::RepairUtf8(file.text);
        if (repair.truncated)
            AppendItem(file.notes, "truncation_error", {});
        if (repair.replaced != 0)
            AppendItem(file.notes, "conversion_loss", {});
    } else if (xml::CheckUtf8(file.text) != xml::Utf8State::Invalid) {
        // Text that begins with a tag and names no encoding is UTF-8 by rule; anything else was detected.
        const std::size_t first = file.text.find_first_not_of(" \t\r\n");
        if (first == std::string::npos || file.text[first] != '<')
            AppendItem(file.notes, "utf8_detection", {{"encoding", "UTF-8"}});
        if (xml::RepairUtf8(file.text).truncated)
            AppendItem(file.notes, "truncation_error", {});
    } else {
        AppendItem(file.notes, "utf8_detection", {{"encoding", "windows-1250"}});
        DecodeAnsi(file);
    }
    return file;
}

struct OpenElement {
    XmlIndex element;
    std::uint32_t nameLength;
    XmlIndex lastChild;
};

/// One pass over the text that builds the element index. Elements still open sit on an explicit stack; the
/// names of open elements are counted only once an end tag has failed to match the innermost one, so that a
/// well-formed document never pays for it and a hostile one cannot make the matching quadratic.
class Parser {
public:
    Parser(std::string_view text, ElementIndex& index, std::vector<OpenElement>& stack, std::string& result)
        : m_text(text), m_index(index), m_stack(stack), m_result(result) {}

    /// False when the index cannot grow.
    bool Run() {
        const char* const t = m_text.data();
        const std::size_t n = m_text.size();
        std::size_t pos = 0;
        while (pos < n) {
            const void* found = std::memchr(t + pos, '<', n - pos);
            if (found == nullptr)
                break;
            const auto lt = static_cast<std::size_t>(static_cast<const char*>(found) - t);
            const char next = lt + 1 < n ? t[lt + 1] : '\0';
            if (xml::IsNameStart(next)) {
                const std::size_t nameEnd = xml::ScanName(t, lt + 2, n);
                const std::size_t end = xml::ScanStartTagEnd(t, nameEnd, n);
                if (end == xml::kNone) {
                    Unterminated(Markup::StartTag, lt);
                    break;
                }
                const bool empty = end - 2 >= nameEnd && t[end - 2] == '/';
                if (!Open(lt, nameEnd - lt - 1, end - lt, empty))
                    return false;
                pos = end;
            } else if (next == '/') {
                if (ClosesTop(lt)) {
                    pos = lt + 3 + m_stack.back().nameLength;
                    Pop(lt, pos, true);
                    continue;
                }
                const std::size_t nameEnd = xml::ScanName(t, lt + 2, n);
                const void* close = std::memchr(t + nameEnd, '>', n - nameEnd);
                if (close == nullptr) {
                    Unterminated(Markup::EndTag, lt);
                    break;
                }
                const auto end = static_cast<std::size_t>(static_cast<const char*>(close) - t) + 1;
                Close(lt, std::string_view(t + lt + 2, nameEnd - lt - 2), end);
                pos = end;
            } else {
                const xml::Token token = xml::ScanMarkup(m_text, lt);
                if (token.unterminated) {
                    Unterminated(token.kind, lt);
                    break;
                }
                if (!xml::IsMarkup(token.kind))
                    Syntax(token.kind, lt);
                pos = token.end;
            }
        }
        while (!m_stack.empty())
            Pop(n, n, false);
        ElementSlot& document = m_index[0];
        document.length = static_cast<std::uint32_t>(n);
        if (m_lastTop != 0)
            m_index[document.firstChild].prev = m_lastTop;
        FlushCounts();
        if (m_topCount == 0)
            AppendItem(m_result, "no_root_element", {});
        else if (m_topCount > 1)
            AppendItem(m_result, "root_has_sibling", {});
        return true;
    }

private:
    enum Kind {
        kUnterminated,
        kFirstTag,
        kExclamation,
        kDoctype,
        kComment,
        kCData,
        kLoneEnd,
        kUnended,
        kKinds,
    };
    static constexpr std::array<std::string_view, kKinds> kKindNames = {
        "unterminated_tag_syntax", "first_tag_syntax",     "exclamation_tag_syntax", "doctype_tag_syntax",
        "comment_tag_syntax",      "cdata_section_syntax", "lone_end_tag",           "unended_start_tag",
    };

    bool Admit(Kind kind) { return ++m_counts[kind] <= kItemsPerKind; }

    void FlushCounts() {
        for (std::size_t k = 0; k < kKinds; ++k)
            if (m_counts[k] > kItemsPerKind)
                AppendItem(m_result, kKindNames[k], {{"count", Number(m_counts[k] - kItemsPerKind)}});
    }

    std::string_view NameOf(const OpenElement& open) const {
        return m_text.substr(m_index[open.element].start + 1, open.nameLength);
    }

    bool Open(std::size_t lt, std::size_t nameLength, std::size_t tagLength, bool empty) {
        const XmlIndex e = m_index.Allocate();
        if (e == 0)
            return false;
        const std::size_t depth = m_stack.size();
        const XmlIndex parent = depth != 0 ? m_stack.back().element : 0;
        XmlIndex& lastChild = depth != 0 ? m_stack.back().lastChild : m_lastTop;
        ElementSlot& slot = m_index[e];
        slot.start = static_cast<std::uint32_t>(lt);
        slot.SetTagLengths(tagLength, 0);
        slot.SetLevel(depth);
        slot.parent = parent;
        if (lastChild == 0) {
            m_index[parent].firstChild = e;
        } else {
            m_index[lastChild].next = e;
            slot.prev = lastChild;
        }
        lastChild = e;
        if (depth == 0)
            ++m_topCount;
        if (empty) {
            slot.length = static_cast<std::uint32_t>(tagLength);
            slot.levelFlags |= ElementSlot::kEnded | ElementSlot::kEmpty;
        } else {
            m_stack.push_back({e, static_cast<std::uint32_t>(nameLength), 0});
            if (m_countingNames)
                ++m_openNames[NameOf(m_stack.back())];
        }
        return true;
    }

    /// The common case: "</name>" at `lt` closes the innermost open element, told without scanning the name.
    bool ClosesTop(std::size_t lt) const {
        if (m_stack.empty())
            return false;
        const OpenElement& top = m_stack.back();
        const std::size_t close = lt + 2 + top.nameLength;
        if (close >= m_text.size() || m_text[close] != '>')
            return false;
        // Names are short: a plain loop beats a call to memcmp here.
        const char* open = m_text.data() + m_index[top.element].start + 1;
        const char* name = m_text.data() + lt + 2;
        for (std::size_t i = 0; i < top.nameLength; ++i)
            if (open[i] != name[i])
                return false;
        return true;
    }

    void Close(std::size_t lt, std::string_view name, std::size_t end) {
        if (!m_stack.empty() && NameOf(m_stack.back()) == name) {
            Pop(lt, end, true); // "</name >"
            return;
        }
        if (!m_countingNames) {
            m_countingNames = true;
            for (const OpenElement& open : m_stack)
                ++m_openNames[NameOf(open)];
        }
        const auto counted = m_openNames.find(name);
        if (counted == m_openNames.end() || counted->second == 0) {
            if (Admit(kLoneEnd))
                AppendItem(m_result, "lone_end_tag",
                           {{"tagname", std::string(name)}, {"offset", Number(lt)}, {"offset2", Number(end)}});
            return;
        }
        while (NameOf(m_stack.back()) != name)
            Pop(lt, lt, false);
        Pop(lt, end, true);
    }

    /// Closes the innermost open element: by its end tag [lt, end), or (not `ended`) at `lt` without one.
    [[gnu::always_inline]] void Pop(std::size_t lt, std::size_t end, bool ended) {
        const OpenElement top = m_stack.back();
        m_stack.pop_back();
        if (m_countingNames)
            --m_openNames[NameOf(top)];
        ElementSlot& slot = m_index[top.element];
        if (ended) {
            slot.length = static_cast<std::uint32_t>(end - slot.start);
            const std::size_t endTag = std::min<std::size_t>(end - lt, ElementSlot::kEndTagMask);
            slot.tagLengths |= static_cast<std::uint32_t>(endTag) << ElementSlot::kEndTagShift;
            slot.levelFlags |= ElementSlot::kEnded;
        } else {
            slot.length = static_cast<std::uint32_t>(lt - slot.start);
            slot.levelFlags |= ElementSlot::kUnended;
            if (Admit(kUnended))
                AppendItem(
                    m_result, "unended_start_tag",
                    {{"tagname", std::string(NameOf(top))}, {"offset", Number(slot.start)}, {"offset2", Number(lt)}});
        }
        if (top.lastChild != 0)
            m_index[slot.firstChild].prev = top.lastChild;
    }

    void Unterminated(Markup kind, std::size_t lt) {
        if (Admit(kUnterminated))
            AppendItem(m_result, "unterminated_tag_syntax",
                       {{"type", std::string(xml::UnterminatedType(kind))}, {"offset", Number(lt)}});
    }

    void Syntax(Markup kind, std::size_t lt) {
        Kind k = kFirstTag;
        switch (kind) {
        case Markup::ExclamationTagSyntax:
            k = kExclamation;
            break;
        case Markup::DoctypeTagSyntax:
            k = kDoctype;
            break;
        case Markup::CommentTagSyntax:
            k = kComment;
            break;
        case Markup::CDataSectionSyntax:
            k = kCData;
            break;
        default:
            break;
        }
        if (Admit(k))
            AppendItem(m_result, kKindNames[k], {{"offset", Number(lt)}});
    }

    std::string_view m_text;
    ElementIndex& m_index;
    std::vector<OpenElement>& m_stack;
    std::string& m_result;
    XmlIndex m_lastTop = 0;
    std::uint64_t m_topCount = 0;
    bool m_countingNames = false;
    std::unordered_map<std::string_view, std::uint64_t> m_openNames;
    std::array<std::uint64_t, kKinds> m_counts{};
};

} // namespace

struct CXmlDoc::ParseState {
    std::vector<OpenElement> stack;
};

CXmlDoc::CXmlDoc() = default;
CXmlDoc::~CXmlDoc() = default;

// ---- loading and saving --------------------------------------------------------------------------------------

bool CXmlDoc::LoadFile(std::string_view path) {
    auto [folder, name] = SplitPath(path);
    return LoadFile(folder, name);
}

bool CXmlDoc::LoadFile(const DataFolder& folder, std::string_view name) {
    Result<std::string> bytes = folder.ReadAll(name);
    if (!bytes) {
        m_result.clear();
        AppendItem(m_result, "file_error", {{"type", FirstLine(bytes.error())}});
        return false;
    }
    return LoadBuffer(std::move(bytes).value());
}

bool CXmlDoc::LoadBuffer(std::string bytes) {
    try {
        const std::size_t fileLength = bytes.size();
        DecodedFile file = DecodeFile(std::move(bytes));
        if (file.text.size() > kMaxText) {
            m_result.clear();
            AppendItem(m_result, "file_error", {{"type", "The file is too large."}});
            return false;
        }
        m_result.clear();
        AppendItem(m_result, "read", {{"encoding", file.encoding}, {"length", Number(fileLength)}});
        m_result += file.notes;
        m_text = std::move(file.text);
        m_encoding = std::move(file.encoding);
        m_charset = std::move(file.charset);
        m_codePage = file.codePage;
        m_bom = file.bom;
        return Parse();
    } catch (const std::bad_alloc&) {
        m_result.clear();
        AppendItem(m_result, "file_error", {{"type", "Not enough memory."}});
        return false;
    }
}

std::string CXmlDoc::Encode() {
    std::string out;
    if (m_codePage == xml::kCodePageUtf16Le || m_codePage == xml::kCodePageUtf16Be) {
        const bool bigEndian = m_codePage == xml::kCodePageUtf16Be;
        xml::Utf16Encoded encoded = xml::Utf8ToUtf16(m_text, bigEndian);
        if (m_bom)
            out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        out += encoded.bytes;
        AppendItem(m_result, "converted_from", {{"encoding", "UTF-8"}, {"length", Number(m_text.size())}});
        if (encoded.replaced != 0)
            AppendItem(m_result, "conversion_loss", {});
        return out;
    }
    if (!m_charset.empty()) {
        std::optional<codepage::Conversion> converted = codepage::FromUtf8(m_text, m_charset);
        if (converted) {
            AppendItem(m_result, "converted_from", {{"encoding", "UTF-8"}, {"length", Number(m_text.size())}});
            if (!converted->lossless())
                AppendItem(m_result, "conversion_loss", {});
            return std::move(converted->text);
        }
    }
    if (m_bom)
        out = "\xEF\xBB\xBF";
    out += m_text;
    return out;
}

std::string CXmlDoc::SaveBuffer() {
    m_result.clear();
    std::string bytes = Encode();
    AppendItem(m_result, "write", {{"encoding", m_encoding}, {"length", Number(bytes.size())}});
    return bytes;
}

bool CXmlDoc::SaveFile(std::string_view path) {
    auto [folder, name] = SplitPath(path);
    return SaveFile(folder, name);
}

bool CXmlDoc::SaveFile(const DataFolder& folder, std::string_view name) {
    m_result.clear();
    const std::string bytes = Encode();
    const Status written = folder.WriteAtomic(name, bytes);
    if (!written) {
        AppendItem(m_result, "file_error", {{"type", FirstLine(written.message())}});
        return false;
    }
    AppendItem(m_result, "write", {{"encoding", m_encoding}, {"length", Number(bytes.size())}});
    return true;
}

bool CXmlDoc::SetText(std::string text) {
    if (text.size() > kMaxText)
        return false;
    m_result.clear();
    m_text = std::move(text);
    m_bom = false;
    m_encoding = "UTF-8";
    m_charset.clear();
    m_codePage = xml::kCodePageUtf8;
    if (m_text.empty()) {
        ClearDocument();
        return true;
    }
    const std::string declared = xml::DeclaredEncoding(std::string_view(m_text).substr(0, kHeadBytes));
    const int codePage = declared.empty() ? 0 : xml::CodePageOfName(declared);
    if (codePage == xml::kCodePageUtf16Le || codePage == xml::kCodePageUtf16Be) {
        m_codePage = codePage;
        m_encoding = codePage == xml::kCodePageUtf16Be ? "UTF-16BE" : "UTF-16LE";
        m_bom = !EqualNoCase(declared, "utf-16le") && !EqualNoCase(declared, "utf-16be");
    } else if (!declared.empty() && codePage != xml::kCodePageUtf8) {
        m_charset = ConverterName(declared, codePage);
        if (!m_charset.empty()) {
            m_codePage = codePage;
            m_encoding = declared;
        }
    }
    return Parse();
}

void CXmlDoc::ClearDocument() {
    m_text = std::string();
    m_eol = "\r\n";
    m_index.Reset(true);
    m_parse.reset();
    m_parent = m_main = m_child = 0;
    LeaveNode();
}

bool CXmlDoc::Parse() {
    m_index.Reset(false);
    m_parent = m_main = m_child = 0;
    LeaveNode();
    bool parsed = false;
    try {
        if (!m_parse)
            m_parse = std::make_unique<ParseState>();
        m_parse->stack.clear();
        Parser parser(m_text, m_index, m_parse->stack, m_result);
        parsed = parser.Run();
        if (m_parse->stack.capacity() > ElementIndex::kSegmentSize)
            m_parse.reset(); // a very deep document: do not keep its stack
    } catch (const std::bad_alloc&) {
        parsed = false;
    }
    if (!parsed) {
        ClearDocument();
        m_result.clear();
        AppendItem(m_result, "file_error", {{"type", "Not enough memory."}});
        return false;
    }
    // New elements take the document's own line breaks.
    const std::size_t lineFeed = m_text.find('\n');
    m_eol = lineFeed == std::string::npos || (lineFeed > 0 && m_text[lineFeed - 1] == '\r') ? "\r\n" : "\n";
    return true;
}

// ---- element geometry ----------------------------------------------------------------------------------------

std::size_t CXmlDoc::StartTagLength(XmlIndex i) const {
    const ElementSlot& slot = m_index[i];
    const std::uint32_t stored = slot.tagLengths & ElementSlot::kStartTagMask;
    if (stored != ElementSlot::kStartTagMask)
        return stored;
    const xml::Token token = xml::ScanMarkup(m_text, slot.start);
    return std::min<std::size_t>(token.end - slot.start, slot.length);
}

std::size_t CXmlDoc::EndTagLength(XmlIndex i) const {
    const ElementSlot& slot = m_index[i];
    if (!slot.Has(ElementSlot::kEnded) || slot.Has(ElementSlot::kEmpty))
        return 0;
    const std::uint32_t stored = slot.tagLengths >> ElementSlot::kEndTagShift;
    if (stored != ElementSlot::kEndTagMask)
        return stored;
    // An end tag holds no '<', so the last one in the element begins it.
    const std::size_t lt = std::string_view(m_text).substr(slot.start, slot.length).rfind('<');
    return lt == std::string_view::npos ? 0 : slot.length - lt;
}

std::size_t CXmlDoc::NameLength(XmlIndex i) const {
    const std::size_t begin = m_index[i].start + 1;
    return xml::ScanName(m_text.data(), begin, m_text.size()) - begin;
}

std::string_view CXmlDoc::NameView(XmlIndex i) const {
    return std::string_view(m_text).substr(m_index[i].start + 1, NameLength(i));
}

CXmlDoc::Range CXmlDoc::Content(XmlIndex i) const {
    if (i == 0)
        return {0, m_text.size()};
    const ElementSlot& slot = m_index[i];
    if (slot.Has(ElementSlot::kEmpty))
        return {slot.End(), slot.End()};
    const std::size_t begin = slot.start + StartTagLength(i);
    const std::size_t end = slot.End() - EndTagLength(i);
    return {begin, std::max(begin, end)};
}

bool CXmlDoc::Matches(XmlIndex i, std::string_view name) const {
    return name.empty() || name == "*" || NameView(i) == name;
}

// ---- navigation ----------------------------------------------------------------------------------------------

void CXmlDoc::ResetPosition() {
    m_parent = m_main = m_child = 0;
    LeaveNode();
}

bool CXmlDoc::FindNext(std::string_view name) {
    if (name.find_first_of("/[") != std::string_view::npos)
        return FindPath(name);
    const XmlIndex from = m_main != 0 ? m_index[m_main].next : m_index[m_parent].firstChild;
    for (XmlIndex i = from; i != 0; i = m_index[i].next) {
        if (Matches(i, name)) {
            m_main = i;
            m_child = 0;
            LeaveNode();
            return true;
        }
    }
    return false;
}

bool CXmlDoc::FindNextChild(std::string_view name) {
    const XmlIndex main = m_main != 0 ? m_main : m_index[m_parent].firstChild;
    if (main == 0)
        return false;
    const XmlIndex from = (m_main != 0 && m_child != 0) ? m_index[m_child].next : m_index[main].firstChild;
    for (XmlIndex i = from; i != 0; i = m_index[i].next) {
        if (Matches(i, name)) {
            m_main = main;
            m_child = i;
            LeaveNode();
            return true;
        }
    }
    return false;
}

bool CXmlDoc::EnterElement() {
    if (m_main == 0)
        return false;
    m_parent = m_main;
    m_main = m_child;
    m_child = 0;
    LeaveNode();
    return true;
}

bool CXmlDoc::LeaveElement() {
    if (m_parent == 0)
        return false;
    m_child = m_main;
    m_main = m_parent;
    m_parent = m_index[m_main].parent;
    LeaveNode();
    return true;
}

XmlIndex CXmlDoc::NextInDocument(XmlIndex i) const {
    if (m_index[i].firstChild != 0)
        return m_index[i].firstChild;
    while (i != 0) {
        if (m_index[i].next != 0)
            return m_index[i].next;
        i = m_index[i].parent;
    }
    return 0;
}

namespace {

/// One step of a path: a name ("*" or empty for any) with at most one test.
struct PathStep {
    std::string_view name;
    std::size_t position = 0; ///< [n], from 1; 0 = no position test
    std::string_view attribute;
    std::string_view value;
    bool testValue = false;
};

bool ParseStep(std::string_view text, PathStep& step) {
    const std::size_t bracket = text.find('[');
    step.name = text.substr(0, bracket);
    if (bracket == std::string_view::npos)
        return true;
    if (text.back() != ']' || text.size() - bracket < 3)
        return false;
    std::string_view test = text.substr(bracket + 1, text.size() - bracket - 2);
    if (test[0] == '@') {
        const std::size_t equals = test.find('=');
        step.attribute = test.substr(1, equals == std::string_view::npos ? std::string_view::npos : equals - 1);
        if (step.attribute.empty())
            return false;
        if (equals != std::string_view::npos) {
            std::string_view quoted = test.substr(equals + 1);
            if (quoted.size() < 2 || (quoted[0] != '\'' && quoted[0] != '"') || quoted.back() != quoted[0])
                return false;
            step.value = quoted.substr(1, quoted.size() - 2);
            step.testValue = true;
        }
        return true;
    }
    std::size_t position = 0;
    for (char c : test) {
        if (c < '0' || c > '9' || position > 100000000)
            return false;
        position = position * 10 + static_cast<std::size_t>(c - '0');
    }
    step.position = position;
    return position != 0;
}

} // namespace

bool CXmlDoc::FindPath(std::string_view path) {
    const auto matches = [&](XmlIndex i, const PathStep& step) {
        if (!Matches(i, step.name))
            return false;
        if (step.attribute.empty())
            return true;
        std::string value;
        return FindAttribute(i, step.attribute, &value) && (!step.testValue || value == step.value);
    };
    // Whether i is the step's position-th match among its siblings (or there is no position test).
    const auto atPosition = [&](XmlIndex i, const PathStep& step) {
        if (step.position == 0)
            return true;
        std::size_t count = 0;
        for (XmlIndex s = m_index[m_index[i].parent].firstChild; s != 0; s = m_index[s].next) {
            if (matches(s, step))
                ++count;
            if (s == i)
                return count == step.position;
        }
        return false;
    };

    if (path.starts_with("//")) {
        PathStep step;
        if (!ParseStep(path.substr(2), step) || step.name.find('/') != std::string_view::npos)
            return false;
        XmlIndex i = m_main != 0 ? NextInDocument(m_main) : m_index[m_parent].firstChild;
        if (m_main == 0 && i == 0 && m_parent != 0)
            i = NextInDocument(m_parent);
        for (; i != 0; i = NextInDocument(i)) {
            if (matches(i, step) && atPosition(i, step)) {
                m_parent = m_index[i].parent;
                m_main = i;
                m_child = 0;
                LeaveNode();
                return true;
            }
        }
        return false;
    }

    XmlIndex parent = m_parent;
    if (path.starts_with('/')) {
        parent = 0;
        path.remove_prefix(1);
    }
    std::vector<PathStep> steps;
    while (true) {
        const std::size_t slash = path.find('/');
        PathStep step;
        if (!ParseStep(path.substr(0, slash), step))
            return false;
        steps.push_back(step);
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    for (std::size_t s = 0; s + 1 < steps.size(); ++s) {
        XmlIndex found = 0;
        for (XmlIndex i = m_index[parent].firstChild; i != 0 && found == 0; i = m_index[i].next)
            if (matches(i, steps[s]) && atPosition(i, steps[s]))
                found = i;
        if (found == 0)
            return false;
        parent = found;
    }
    const PathStep& last = steps.back();
    const bool continuing = parent == m_parent && m_main != 0;
    for (XmlIndex i = continuing ? m_index[m_main].next : m_index[parent].firstChild; i != 0; i = m_index[i].next) {
        if (matches(i, last) && atPosition(i, last)) {
            m_parent = parent;
            m_main = i;
            m_child = 0;
            LeaveNode();
            return true;
        }
    }
    return false;
}

// ---- reading -------------------------------------------------------------------------------------------------

std::string CXmlDoc::GetText() const {
    return ElementText(m_main);
}

std::string CXmlDoc::GetChildText() const {
    return ElementText(m_child);
}

std::string CXmlDoc::GetTagName() const {
    return ElementName(m_main);
}

std::string CXmlDoc::GetChildTagName() const {
    return ElementName(m_child);
}

std::string CXmlDoc::GetAttribute(std::string_view name) const {
    return ElementAttribute(m_main, name);
}

std::vector<XmlAttribute> CXmlDoc::GetAttributes() const {
    return ElementAttributes(m_main);
}

XmlIndex CXmlDoc::FirstChildElement(XmlIndex parent) const {
    return parent == 0 || IsElement(parent) ? m_index[parent].firstChild : 0;
}

XmlIndex CXmlDoc::NextSiblingElement(XmlIndex element) const {
    return IsElement(element) ? m_index[element].next : 0;
}

XmlIndex CXmlDoc::ParentElement(XmlIndex element) const {
    return IsElement(element) ? m_index[element].parent : 0;
}

std::string CXmlDoc::ElementName(XmlIndex element) const {
    return IsElement(element) ? std::string(NameView(element)) : std::string();
}

std::uint32_t CXmlDoc::ElementOffset(XmlIndex element) const {
    return IsElement(element) ? m_index[element].start : 0;
}

std::uint32_t CXmlDoc::ElementLength(XmlIndex element) const {
    return IsElement(element) ? m_index[element].length : 0;
}

std::string CXmlDoc::ElementText(XmlIndex element) const {
    std::string out;
    if (!IsElement(element))
        return out;
    const Range content = Content(element);
    const bool hasChildren = m_index[element].firstChild != 0;
    XmlIndex child = m_index[element].firstChild;
    std::size_t pos = content.begin;
    while (pos < content.end) {
        while (child != 0 && m_index[child].start < pos)
            child = m_index[child].next;
        if (child != 0 && m_index[child].start == pos) {
            pos = m_index[child].End();
            child = m_index[child].next;
            continue;
        }
        const std::size_t stop = child != 0 ? std::min<std::size_t>(m_index[child].start, content.end) : content.end;
        const std::size_t runEnd = xml::ScanTextRun(m_text, pos, stop);
        if (runEnd > pos) {
            const std::string_view run = std::string_view(m_text).substr(pos, runEnd - pos);
            if (!hasChildren || !AllSpace(run))
                xml::AppendDecoded(out, run);
            pos = runEnd;
            continue;
        }
        if (pos >= stop)
            continue;
        const xml::Token token = xml::ScanMarkup(m_text, pos);
        const std::size_t end = std::max(std::min(token.end, content.end), pos + 1);
        if (token.kind == Markup::CDataSection) {
            const std::size_t innerEnd = (!token.unterminated && token.end <= content.end) ? end - 3 : end;
            if (pos + 9 < innerEnd)
                out.append(m_text, pos + 9, innerEnd - pos - 9);
        }
        pos = end;
    }
    return out;
}

CXmlDoc::Range CXmlDoc::AttributeArea(XmlIndex element) const {
    const ElementSlot& slot = m_index[element];
    const std::size_t tagEnd = slot.start + StartTagLength(element);
    return {slot.start + 1 + NameLength(element), tagEnd - (slot.Has(ElementSlot::kEmpty) ? 2 : 1)};
}

bool CXmlDoc::FindAttribute(XmlIndex element, std::string_view name, std::string* value) const {
    if (!IsElement(element))
        return false;
    const Range area = AttributeArea(element);
    xml::AttributeScanner scanner(m_text, area.begin, area.end);
    xml::AttributeSpan span;
    while (scanner.Next(span)) {
        if (std::string_view(m_text).substr(span.nameBegin, span.nameEnd - span.nameBegin) != name)
            continue;
        if (value != nullptr)
            xml::AppendDecoded(*value,
                               std::string_view(m_text).substr(span.valueBegin, span.valueEnd - span.valueBegin));
        return true;
    }
    return false;
}

std::vector<XmlAttribute> CXmlDoc::ElementAttributes(XmlIndex element) const {
    std::vector<XmlAttribute> attributes;
    if (!IsElement(element))
        return attributes;
    const Range area = AttributeArea(element);
    xml::AttributeScanner scanner(m_text, area.begin, area.end);
    xml::AttributeSpan span;
    while (scanner.Next(span)) {
        XmlAttribute attribute;
        attribute.name.assign(m_text, span.nameBegin, span.nameEnd - span.nameBegin);
        xml::AppendDecoded(attribute.value,
                           std::string_view(m_text).substr(span.valueBegin, span.valueEnd - span.valueBegin));
        attributes.push_back(std::move(attribute));
    }
    return attributes;
}

std::string CXmlDoc::ElementAttribute(XmlIndex element, std::string_view name) const {
    std::string value;
    FindAttribute(element, name, &value);
    return value;
}

// ---- nodes ---------------------------------------------------------------------------------------------------

XmlNodeType CXmlDoc::FindNode() {
    const Range level = Content(m_parent);
    std::size_t from = level.begin;
    if (m_nodeType != XmlNodeType::None)
        from = static_cast<std::size_t>(m_nodeOffset) + m_nodeLength;
    else if (m_main != 0)
        from = m_index[m_main].End();
    XmlIndex next = m_main != 0 ? m_index[m_main].next : m_index[m_parent].firstChild;
    while (from < level.end) {
        while (next != 0 && m_index[next].start < from)
            next = m_index[next].next;
        if (next != 0 && m_index[next].start == from) {
            m_main = next;
            m_child = 0;
            LeaveNode();
            return XmlNodeType::Element;
        }
        const std::size_t stop = next != 0 ? std::min<std::size_t>(m_index[next].start, level.end) : level.end;
        const std::size_t runEnd = xml::ScanTextRun(m_text, from, stop);
        XmlNodeType type = XmlNodeType::None;
        std::size_t end = runEnd;
        if (runEnd > from) {
            type = XmlNodeType::Text;
        } else if (from < stop) {
            const xml::Token token = xml::ScanMarkup(m_text, from);
            end = std::max(std::min(token.end, level.end), from + 1);
            switch (token.kind) {
            case Markup::Comment:
                type = XmlNodeType::Comment;
                break;
            case Markup::ProcessingInstruction:
                type = XmlNodeType::ProcessingInstruction;
                break;
            case Markup::CDataSection:
                type = XmlNodeType::CDataSection;
                break;
            case Markup::DocumentType:
                type = XmlNodeType::DocumentType;
                break;
            default:
                break; // stray end tags and cut-off markup are not nodes
            }
        } else {
            continue;
        }
        if (type != XmlNodeType::None) {
            m_child = 0;
            m_nodeType = type;
            m_nodeOffset = static_cast<std::uint32_t>(from);
            m_nodeLength = static_cast<std::uint32_t>(end - from);
            return type;
        }
        from = end;
    }
    return XmlNodeType::None;
}

XmlNodeType CXmlDoc::GetNodeType() const {
    if (m_nodeType != XmlNodeType::None)
        return m_nodeType;
    return m_main != 0 ? XmlNodeType::Element : XmlNodeType::None;
}

std::string CXmlDoc::GetNodeText() const {
    const std::string_view node = std::string_view(m_text).substr(m_nodeOffset, m_nodeLength);
    const auto inside = [&](std::size_t open, std::string_view close) {
        std::string_view body = node.substr(std::min(open, node.size()));
        if (body.ends_with(close) && node.size() >= open + close.size())
            body.remove_suffix(close.size());
        return std::string(body);
    };
    switch (m_nodeType) {
    case XmlNodeType::Text: {
        std::string out;
        xml::AppendDecoded(out, node);
        return out;
    }
    case XmlNodeType::CDataSection:
        return inside(9, "]]>");
    case XmlNodeType::Comment:
        return inside(4, "-->");
    case XmlNodeType::ProcessingInstruction:
        return inside(2, "?>");
    case XmlNodeType::DocumentType:
        return std::string(node);
    default:
        return GetText();
    }
}

// ---- editing -------------------------------------------------------------------------------------------------

bool CXmlDoc::Replace(std::size_t at, std::size_t count, std::string_view bytes) {
    if (m_text.size() - count + bytes.size() > kMaxText)
        return false;
    try {
        m_text.replace(at, count, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CXmlDoc::ShiftSubtree(XmlIndex root, std::int64_t delta) {
    XmlIndex i = root;
    for (;;) {
        m_index[i].start = static_cast<std::uint32_t>(m_index[i].start + delta);
        if (m_index[i].firstChild != 0) {
            i = m_index[i].firstChild;
            continue;
        }
        while (i != root && m_index[i].next == 0)
            i = m_index[i].parent;
        if (i == root)
            return;
        i = m_index[i].next;
    }
}

void CXmlDoc::ShiftAfter(XmlIndex following, XmlIndex parent, std::int64_t delta) {
    for (XmlIndex s = following; s != 0; s = m_index[s].next)
        ShiftSubtree(s, delta);
    for (XmlIndex x = parent;; x = m_index[x].parent) {
        m_index[x].length = static_cast<std::uint32_t>(m_index[x].length + delta);
        if (x == 0)
            return;
        for (XmlIndex s = m_index[x].next; s != 0; s = m_index[s].next)
            ShiftSubtree(s, delta);
    }
}

void CXmlDoc::LinkAfter(XmlIndex element, XmlIndex parent, XmlIndex after) {
    ElementSlot& slot = m_index[element];
    slot.parent = parent;
    const XmlIndex first = m_index[parent].firstChild;
    if (after == 0) {
        if (first == 0) {
            m_index[parent].firstChild = element;
            slot.prev = element;
            slot.next = 0;
        } else {
            slot.next = first;
            slot.prev = m_index[first].prev;
            m_index[first].prev = element;
            m_index[parent].firstChild = element;
        }
        return;
    }
    slot.prev = after;
    slot.next = m_index[after].next;
    if (slot.next != 0)
        m_index[slot.next].prev = element;
    else
        m_index[first].prev = element;
    m_index[after].next = element;
}

void CXmlDoc::Unlink(XmlIndex element) {
    const ElementSlot& slot = m_index[element];
    ElementSlot& parent = m_index[slot.parent];
    const XmlIndex first = parent.firstChild;
    if (element == first) {
        parent.firstChild = slot.next;
        if (slot.next != 0)
            m_index[slot.next].prev = slot.prev;
        return;
    }
    m_index[slot.prev].next = slot.next;
    if (slot.next != 0)
        m_index[slot.next].prev = slot.prev;
    else
        m_index[first].prev = slot.prev;
}

void CXmlDoc::FreeSubtree(XmlIndex root) {
    // Post-order, so that every link still needed is read before its entry goes on the free chain.
    XmlIndex i = root;
    while (m_index[i].firstChild != 0)
        i = m_index[i].firstChild;
    for (;;) {
        XmlIndex next = 0;
        if (i != root) {
            next = m_index[i].next;
            if (next != 0) {
                while (m_index[next].firstChild != 0)
                    next = m_index[next].firstChild;
            } else {
                next = m_index[i].parent;
            }
        }
        m_index.Free(i);
        if (next == 0)
            return;
        i = next;
    }
}

bool CXmlDoc::OpenEmptyElement(XmlIndex element) {
    ElementSlot& slot = m_index[element];
    const std::size_t tagEnd = slot.start + StartTagLength(element);
    if (tagEnd < slot.start + 3 || m_text[tagEnd - 2] != '/')
        return false;
    std::string replacement = "></";
    replacement += NameView(element);
    replacement += '>';
    if (!Replace(tagEnd - 2, 2, replacement))
        return false;
    const std::size_t delta = replacement.size() - 2;
    slot.SetTagLengths(tagEnd - 1 - slot.start, replacement.size() - 1);
    slot.length = static_cast<std::uint32_t>(slot.length + delta);
    slot.levelFlags &= ~ElementSlot::kEmpty;
    ShiftAfter(slot.next, slot.parent, static_cast<std::int64_t>(delta));
    return true;
}

bool CXmlDoc::AppendElement(std::string_view name, std::string_view text, XmlFlags flags) {
    if (!xml::IsWritableName(name))
        return false;
    const XmlIndex parent = m_parent;
    const XmlIndex first = m_index[parent].firstChild;
    const XmlIndex after = m_main != 0 ? m_main : (first != 0 ? m_index[first].prev : 0);
    const bool lines = (static_cast<unsigned>(flags) & static_cast<unsigned>(XmlFlags::NoLines)) == 0;
    const std::uint32_t level = parent == 0 ? 0 : m_index[parent].Level() + 1;
    const auto indent = [&](std::uint32_t depth) {
        return m_eol + std::string(2 * std::min(depth, kMaxIndentLevels), ' ');
    };

    std::string element = "<";
    element += name;
    std::size_t startTag = element.size() + 2;
    if (text.empty()) {
        element += "/>";
    } else {
        element += '>';
        startTag = element.size();
        xml::AppendEscapedText(element, text);
        element += "</";
        element += name;
        element += '>';
    }

    const XmlIndex e = m_index.Allocate();
    if (e == 0)
        return false;
    if (parent != 0 && m_index[parent].Has(ElementSlot::kEmpty) && !OpenEmptyElement(parent)) {
        m_index.Free(e);
        return false;
    }
    std::size_t at;
    std::string before;
    std::string behind;
    if (after != 0) {
        at = m_index[after].End();
        if (lines)
            before = indent(level);
    } else if (parent == 0) {
        at = m_text.size();
        if (lines && !m_text.empty() && m_text.back() != '\n')
            before = m_eol;
        if (lines)
            behind = m_eol;
    } else {
        at = Content(parent).end;
        if (lines) {
            before = indent(level);
            behind = indent(level - 1);
        }
    }
    const std::string insertion = before + element + behind;
    if (!Replace(at, 0, insertion)) {
        m_index.Free(e);
        return false;
    }
    ElementSlot& slot = m_index[e];
    slot.start = static_cast<std::uint32_t>(at + before.size());
    slot.length = static_cast<std::uint32_t>(element.size());
    slot.SetTagLengths(text.empty() ? element.size() : startTag, text.empty() ? 0 : name.size() + 3);
    slot.levelFlags = ElementSlot::kEnded | (text.empty() ? ElementSlot::kEmpty : 0);
    slot.SetLevel(level);
    LinkAfter(e, parent, after);
    ShiftAfter(slot.next, parent, static_cast<std::int64_t>(insertion.size()));
    m_main = e;
    m_child = 0;
    LeaveNode();
    return true;
}

bool CXmlDoc::AppendElement(std::string_view name, std::int64_t value, XmlFlags flags) {
    return AppendElement(name, std::to_string(value), flags);
}

bool CXmlDoc::SetAttribute(std::string_view name, std::string_view value) {
    if (m_main == 0 || !xml::IsWritableName(name))
        return false;
    const XmlIndex e = m_main;
    const std::size_t tagLength = StartTagLength(e);
    const Range area = AttributeArea(e);

    std::string quoted = "\"";
    xml::AppendEscapedAttribute(quoted, value);
    quoted += '"';
    std::size_t at = area.end;
    std::size_t count = 0;
    std::string replacement;
    xml::AttributeScanner scanner(m_text, area.begin, area.end);
    xml::AttributeSpan span;
    bool found = false;
    while (!found && scanner.Next(span))
        found = std::string_view(m_text).substr(span.nameBegin, span.nameEnd - span.nameBegin) == name;
    if (found && span.hasValue) {
        at = span.rawBegin;
        count = span.rawEnd - span.rawBegin;
        replacement = quoted;
    } else if (found) {
        at = span.nameEnd;
        replacement = "=" + quoted;
    } else {
        replacement = " ";
        replacement += name;
        replacement += '=';
        replacement += quoted;
    }
    if (!Replace(at, count, replacement))
        return false;
    const auto delta = static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(count);
    ElementSlot& changed = m_index[e];
    changed.SetTagLengths(static_cast<std::size_t>(static_cast<std::int64_t>(tagLength) + delta),
                          changed.tagLengths >> ElementSlot::kEndTagShift);
    changed.length = static_cast<std::uint32_t>(changed.length + delta);
    for (XmlIndex c = changed.firstChild; c != 0; c = m_index[c].next)
        ShiftSubtree(c, delta);
    ShiftAfter(changed.next, changed.parent, delta);
    LeaveNode();
    return true;
}

bool CXmlDoc::SetAttribute(std::string_view name, std::int64_t value) {
    return SetAttribute(name, std::to_string(value));
}

bool CXmlDoc::RemoveElement() {
    if (m_main == 0)
        return false;
    const XmlIndex e = m_main;
    const ElementSlot slot = m_index[e];
    const XmlIndex first = m_index[slot.parent].firstChild;
    const XmlIndex previous = e == first ? 0 : slot.prev;
    // Take the line break and indentation before the element along, but nothing before the previous sibling or
    // the parent's content.
    const std::size_t floor = previous != 0 ? m_index[previous].End() : Content(slot.parent).begin;
    std::size_t begin = slot.start;
    std::size_t b = begin;
    while (b > floor && (m_text[b - 1] == ' ' || m_text[b - 1] == '\t'))
        --b;
    if (b > floor && m_text[b - 1] == '\n') {
        --b;
        if (b > floor && m_text[b - 1] == '\r')
            --b;
        begin = b;
    }
    const std::size_t end = slot.End();
    Unlink(e);
    FreeSubtree(e);
    m_text.erase(begin, end - begin);
    ShiftAfter(slot.next, slot.parent, -static_cast<std::int64_t>(end - begin));
    m_main = previous;
    m_child = 0;
    LeaveNode();
    return true;
}

} // namespace vardo

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/ElementIndex.h"
#include "core/exchange/XmlEncoding.h"

namespace vardo {

class DataFolder;

namespace xml {
class Editor;
class Tree;
} // namespace xml

/// Kinds of node that FindNode walks.
enum class XmlNodeType {
    None,
    Element,
    Text, ///< character data, references decoded by GetNodeText
    CDataSection,
    Comment,
    ProcessingInstruction,
    DocumentType,
};

/// Options of AppendElement.
enum class XmlFlags : unsigned {
    None = 0,
    NoLines = 1, ///< no line breaks or indentation around the new element
};

struct XmlAttribute {
    std::string name;
    std::string value; ///< decoded
};

/// An XML document kept as one text with an index of its elements, for reading and writing exchange files.
///
/// The text is UTF-8 in memory whatever the file's encoding; offsets are bytes of it. Navigation works on three
/// positions: the parent (whose children are being walked; 0 = the top level), the main position (the current
/// element) and the child position (the current child of the main element); 0 means none. Parsing is lenient:
/// a malformed document still loads, and what was met is listed in the result markup (GetResult), a string of
/// empty elements such as <read encoding="UTF-8" length="120"/><lone_end_tag tagname="b" .../>. No operation
/// recurses, allocates per element while parsing, or expands anything but the named and numeric character
/// references. A failed operation returns false and leaves the positions unchanged. Documents are limited to
/// 4 GiB of text.
class CXmlDoc {
public:
    CXmlDoc();
    ~CXmlDoc();
    CXmlDoc(const CXmlDoc&) = delete;
    CXmlDoc& operator=(const CXmlDoc&) = delete;

    /// Reads a file (path as given, relative to the working directory), detects its encoding, converts it to
    /// UTF-8 and parses it. False only when the file cannot be read (result: "file_error"); the document is then
    /// left as it was.
    bool LoadFile(std::string_view path);
    /// Reads `name` from a folder (resolved case-insensitively), as LoadFile(path).
    bool LoadFile(const DataFolder& folder, std::string_view name);
    /// As LoadFile, from the bytes of a file already in memory.
    bool LoadBuffer(std::string bytes);
    /// Writes the document in its encoding (the one it was loaded in, or the one its XML declaration names,
    /// else UTF-8), atomically. False when the file cannot be written (result: "file_error").
    bool SaveFile(std::string_view path);
    bool SaveFile(const DataFolder& folder, std::string_view name);
    /// The bytes SaveFile would write.
    std::string SaveBuffer();

    /// Replaces the document with a UTF-8 text and parses it; an empty text clears document and index. The
    /// encoding for saving is the one the text's XML declaration names (UTF-8 when none or unknown).
    bool SetText(std::string text);
    /// The document text (UTF-8).
    const std::string& GetDocText() const { return m_text; }
    /// The result markup of the last load, save or SetText.
    const std::string& GetResult() const { return m_result; }
    /// Name of the encoding SaveFile writes: "UTF-8", "UTF-16LE", "UTF-16BE" or a declared name.
    const std::string& GetEncoding() const { return m_file.name; }

    /// All three positions to none.
    void ResetPosition();
    /// From the main position, the next sibling element named `name` (any element when empty) becomes the main
    /// position; the child position is cleared. Also takes a simple path: "/a/b" from the top, "a/b" from the
    /// parent, "//b" anywhere after the main position, and per step one test "[n]" (n-th of that name among its
    /// siblings, from 1) or "[@attr]" / "[@attr='value']".
    bool FindNext(std::string_view name = {});
    /// Under the main position (the first element of the level when there is none), the next child element named
    /// `name` (any when empty) becomes the child position.
    bool FindNextChild(std::string_view name = {});
    /// The main element becomes the parent and its child position the main position.
    bool EnterElement();
    /// Back up one level: the parent becomes the main position and the former main position the child position.
    bool LeaveElement();

    /// Text content of the main element: its character data with references decoded and CDATA sections as they
    /// stand; comments, processing instructions and child elements left out, and white space between child
    /// elements dropped. Empty when there is no main position.
    std::string GetText() const;
    /// As GetText, of the child position.
    std::string GetChildText() const;
    std::string GetTagName() const;
    std::string GetChildTagName() const;
    /// Decoded value of an attribute of the main element; empty when absent.
    std::string GetAttribute(std::string_view name) const;
    /// Attributes of the main element in document order, values decoded.
    std::vector<XmlAttribute> GetAttributes() const;

    /// Inserts a new element holding `text` (escaped) after the main position, or as last child of the parent
    /// when there is none, and makes it the main position. Without XmlFlags::NoLines it goes on a line of its own,
    /// indented by two spaces per level. False when `name` is not a valid name.
    bool AppendElement(std::string_view name, std::string_view text = {}, XmlFlags flags = XmlFlags::None);
    /// As above, holding the decimal number.
    bool AppendElement(std::string_view name, std::int64_t value, XmlFlags flags = XmlFlags::None);
    /// Sets or replaces an attribute of the main element; the value is escaped.
    bool SetAttribute(std::string_view name, std::string_view value);
    bool SetAttribute(std::string_view name, std::int64_t value);
    /// Removes the main element with its content (and the line break before it); the previous sibling, if any,
    /// becomes the main position.
    bool RemoveElement();

    /// Moves to the next node of the current level after the current node (elements, text, CDATA sections,
    /// comments, processing instructions, document types) and returns its kind; None, with nothing changed, at
    /// the end of the level. Landing on an element makes it the main position; on any other node the main
    /// position stays at the element before it.
    XmlNodeType FindNode();
    /// Kind of the current node: the one FindNode last landed on, else Element when there is a main position.
    XmlNodeType GetNodeType() const;
    /// Content of the current node: text decoded; the inside of a CDATA section, comment or processing
    /// instruction; a document type whole; an element's GetText.
    std::string GetNodeText() const;

    /// Read-only walking by element index, independent of the positions. 0 is none, or as a parent the document.
    XmlIndex MainPosition() const { return m_main; }
    XmlIndex ChildPosition() const { return m_child; }
    XmlIndex ParentPosition() const { return m_parent; }
    XmlIndex FirstChildElement(XmlIndex parent) const;
    XmlIndex NextSiblingElement(XmlIndex element) const;
    XmlIndex ParentElement(XmlIndex element) const;
    std::string ElementName(XmlIndex element) const;
    std::string ElementText(XmlIndex element) const;
    std::string ElementAttribute(XmlIndex element, std::string_view name) const;
    std::vector<XmlAttribute> ElementAttributes(XmlIndex element) const;
    /// Offset of the element's start tag in GetDocText() and the element's length in bytes; 0 for no element.
    std::uint32_t ElementOffset(XmlIndex element) const;
    std::uint32_t ElementLength(XmlIndex element) const;

private:
    struct ParseState;

    xml::Tree View() const;
    xml::Editor Edit();
    bool Parse();
    void ClearDocument();
    void LeaveNode() { m_nodeType = XmlNodeType::None; }

    std::string m_text;
    std::string m_result;
    XmlIndex m_parent = 0;
    XmlIndex m_main = 0;
    XmlIndex m_child = 0;
    std::uint32_t m_nodeOffset = 0;
    std::uint32_t m_nodeLength = 0;
    XmlNodeType m_nodeType = XmlNodeType::None; ///< set only while on a node other than an element
    std::string m_eol = "\r\n";                 ///< line break written by AppendElement
    xml::FileEncoding m_file;                   ///< how SaveFile writes the text
    ElementIndex m_index;
    std::unique_ptr<ParseState> m_parse;
};

} // namespace vardo

#include "core/exchange/CXmlDoc.h"

#include <new>
#include <utility>

#include "core/exchange/XmlEdit.h"
#include "core/exchange/XmlFile.h"
#include "core/exchange/XmlParser.h"
#include "core/exchange/XmlPath.h"
#include "core/exchange/XmlResult.h"
#include "core/exchange/XmlTree.h"
#include "core/exchange/XmlWalk.h"
#include "core/platform/DataFolder.h"

// The document keeps the text, the element index and the positions; reading, walking, paths, editing, parsing
// and the file's encoding are each done by their own piece (XmlTree, XmlWalk, XmlPath, XmlEdit, XmlParser,
// XmlFile), which this class calls and whose results it applies to the positions.

namespace vardo {
namespace {

std::string FirstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

/// Result markup that is only a file error.
std::string FileError(std::string_view type) {
    std::string result;
    xml::AppendResultItem(result, "file_error", {{"type", std::string(type)}});
    return result;
}

} // namespace

struct CXmlDoc::ParseState {
    std::vector<xml::OpenElement> stack;
};

CXmlDoc::CXmlDoc() = default;
CXmlDoc::~CXmlDoc() = default;

xml::Tree CXmlDoc::View() const {
    return xml::Tree(m_text, m_index);
}

xml::Editor CXmlDoc::Edit() {
    return xml::Editor(m_text, m_index, m_eol);
}

// ---- loading and saving --------------------------------------------------------------------------------------

bool CXmlDoc::LoadFile(std::string_view path) {
    auto [folder, name] = xml::SplitPath(path);
    return LoadFile(folder, name);
}

bool CXmlDoc::LoadFile(const DataFolder& folder, std::string_view name) {
    Result<std::string> bytes = folder.ReadAll(name);
    if (!bytes) {
        m_result = FileError(FirstLine(bytes.error()));
        return false;
    }
    return LoadBuffer(std::move(bytes).value());
}

bool CXmlDoc::LoadBuffer(std::string bytes) {
    try {
        const std::size_t fileLength = bytes.size();
        xml::DecodedFile file = xml::DecodeFile(std::move(bytes));
        if (file.text.size() > xml::kMaxText) {
            m_result = FileError("The file is too large.");
            return false;
        }
        m_result.clear();
        xml::AppendResultItem(m_result, "read",
                              {{"encoding", file.encoding.name}, {"length", std::to_string(fileLength)}});
        m_result += file.notes;
        m_text = std::move(file.text);
        m_file = std::move(file.encoding);
        return Parse();
    } catch (const std::bad_alloc&) {
        m_result = FileError("Not enough memory.");
        return false;
    }
}

std::string CXmlDoc::SaveBuffer() {
    m_result.clear();
    std::string bytes = xml::EncodeFile(m_text, m_file, m_result);
    xml::AppendResultItem(m_result, "write", {{"encoding", m_file.name}, {"length", std::to_string(bytes.size())}});
    return bytes;
}

bool CXmlDoc::SaveFile(std::string_view path) {
    auto [folder, name] = xml::SplitPath(path);
    return SaveFile(folder, name);
}

bool CXmlDoc::SaveFile(const DataFolder& folder, std::string_view name) {
    m_result.clear();
    const std::string bytes = xml::EncodeFile(m_text, m_file, m_result);
    const Status written = folder.WriteAtomic(name, bytes);
    if (!written) {
        xml::AppendResultItem(m_result, "file_error", {{"type", FirstLine(written.message())}});
        return false;
    }
    xml::AppendResultItem(m_result, "write", {{"encoding", m_file.name}, {"length", std::to_string(bytes.size())}});
    return true;
}

bool CXmlDoc::SetText(std::string text) {
    if (text.size() > xml::kMaxText)
        return false;
    m_result.clear();
    m_text = std::move(text);
    m_file = xml::EncodingOfText(m_text);
    if (m_text.empty()) {
        ClearDocument();
        return true;
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
        parsed = xml::ParseElements(m_text, m_index, m_parse->stack, m_result);
        if (m_parse->stack.capacity() > ElementIndex::kSegmentSize)
            m_parse.reset(); // a very deep document: do not keep its stack
    } catch (const std::bad_alloc&) {
        parsed = false;
    }
    if (!parsed) {
        ClearDocument();
        m_result = FileError("Not enough memory.");
        return false;
    }
    m_eol = xml::LineBreakOf(m_text);
    return true;
}

// ---- navigation ----------------------------------------------------------------------------------------------

void CXmlDoc::ResetPosition() {
    m_parent = m_main = m_child = 0;
    LeaveNode();
}

bool CXmlDoc::FindNext(std::string_view name) {
    const xml::Tree tree = View();
    if (xml::IsPath(name)) {
        const xml::PathMatch match = xml::FindPath(tree, m_parent, m_main, name);
        if (match.element == 0)
            return false;
        m_parent = match.parent;
        m_main = match.element;
    } else {
        const XmlIndex found =
            xml::FindSibling(tree, m_main != 0 ? tree[m_main].next : tree[m_parent].firstChild, name);
        if (found == 0)
            return false;
        m_main = found;
    }
    m_child = 0;
    LeaveNode();
    return true;
}

bool CXmlDoc::FindNextChild(std::string_view name) {
    const xml::Tree tree = View();
    const XmlIndex main = m_main != 0 ? m_main : tree[m_parent].firstChild;
    if (main == 0)
        return false;
    const XmlIndex from = (m_main != 0 && m_child != 0) ? tree[m_child].next : tree[main].firstChild;
    const XmlIndex found = xml::FindSibling(tree, from, name);
    if (found == 0)
        return false;
    m_main = main;
    m_child = found;
    LeaveNode();
    return true;
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
    return parent == 0 || m_index.IsElement(parent) ? m_index[parent].firstChild : 0;
}

XmlIndex CXmlDoc::NextSiblingElement(XmlIndex element) const {
    return m_index.IsElement(element) ? m_index[element].next : 0;
}

XmlIndex CXmlDoc::ParentElement(XmlIndex element) const {
    return m_index.IsElement(element) ? m_index[element].parent : 0;
}

std::string CXmlDoc::ElementName(XmlIndex element) const {
    return m_index.IsElement(element) ? std::string(View().Name(element)) : std::string();
}

std::uint32_t CXmlDoc::ElementOffset(XmlIndex element) const {
    return m_index.IsElement(element) ? m_index[element].start : 0;
}

std::uint32_t CXmlDoc::ElementLength(XmlIndex element) const {
    return m_index.IsElement(element) ? m_index[element].length : 0;
}

std::string CXmlDoc::ElementText(XmlIndex element) const {
    return View().ElementText(element);
}

std::string CXmlDoc::ElementAttribute(XmlIndex element, std::string_view name) const {
    std::string value;
    View().FindAttribute(element, name, &value);
    return value;
}

std::vector<XmlAttribute> CXmlDoc::ElementAttributes(XmlIndex element) const {
    return View().Attributes(element);
}

// ---- nodes ---------------------------------------------------------------------------------------------------

XmlNodeType CXmlDoc::FindNode() {
    const xml::Tree tree = View();
    std::size_t from = 0;
    if (m_nodeType != XmlNodeType::None)
        from = static_cast<std::size_t>(m_nodeOffset) + m_nodeLength;
    else if (m_main != 0)
        from = tree[m_main].End();
    else
        from = tree.Content(m_parent).begin;
    const XmlIndex next = m_main != 0 ? tree[m_main].next : tree[m_parent].firstChild;
    const xml::Node node = xml::NextNode(tree, m_parent, from, next);
    if (node.type == XmlNodeType::Element) {
        m_main = node.element;
        m_child = 0;
        LeaveNode();
    } else if (node.type != XmlNodeType::None) {
        m_child = 0;
        m_nodeType = node.type;
        m_nodeOffset = node.offset;
        m_nodeLength = node.length;
    }
    return node.type;
}

XmlNodeType CXmlDoc::GetNodeType() const {
    if (m_nodeType != XmlNodeType::None)
        return m_nodeType;
    return m_main != 0 ? XmlNodeType::Element : XmlNodeType::None;
}

std::string CXmlDoc::GetNodeText() const {
    return xml::NodeText(View(), {m_nodeType, m_main, m_nodeOffset, m_nodeLength});
}

// ---- editing -------------------------------------------------------------------------------------------------

bool CXmlDoc::AppendElement(std::string_view name, std::string_view text, XmlFlags flags) {
    const bool lines = (static_cast<unsigned>(flags) & static_cast<unsigned>(XmlFlags::NoLines)) == 0;
    const XmlIndex element = Edit().AppendElement(m_parent, m_main, name, text, lines);
    if (element == 0)
        return false;
    m_main = element;
    m_child = 0;
    LeaveNode();
    return true;
}

bool CXmlDoc::AppendElement(std::string_view name, std::int64_t value, XmlFlags flags) {
    return AppendElement(name, std::to_string(value), flags);
}

bool CXmlDoc::SetAttribute(std::string_view name, std::string_view value) {
    if (m_main == 0 || !Edit().SetAttribute(m_main, name, value))
        return false;
    LeaveNode();
    return true;
}

bool CXmlDoc::SetAttribute(std::string_view name, std::int64_t value) {
    return SetAttribute(name, std::to_string(value));
}

bool CXmlDoc::RemoveElement() {
    if (m_main == 0)
        return false;
    m_main = Edit().RemoveElement(m_main);
    m_child = 0;
    LeaveNode();
    return true;
}

} // namespace vardo

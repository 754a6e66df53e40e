// libFuzzer target of the XML engine: any bytes are loaded (encoding detection included), every element and
// node is walked, the document is edited and saved, and the saved bytes are loaded again. Besides the
// sanitizers, the element index is checked against the text after every change.
//
// Run: fuzz_xml -dict=fuzz/xml/xml.dict CORPUS_DIR

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/exchange/CXmlDoc.h"
#include "core/exchange/XmlOutline.h"

namespace {

using vardo::CXmlDoc;
using vardo::XmlIndex;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

/// Every element lies inside its parent, after its previous sibling, and inside the text. Returns how many
/// elements there are.
std::size_t CheckIndex(const CXmlDoc& doc) {
    const std::size_t size = doc.GetDocText().size();
    XmlIndex e = doc.FirstChildElement(0);
    std::size_t visited = 0;
    while (e != 0) {
        Check(++visited <= size);
        const std::size_t begin = doc.ElementOffset(e);
        const std::size_t end = begin + doc.ElementLength(e);
        Check(end <= size && doc.GetDocText()[begin] == '<');
        const XmlIndex parent = doc.ParentElement(e);
        if (parent != 0)
            Check(begin > doc.ElementOffset(parent) && end <= doc.ElementOffset(parent) + doc.ElementLength(parent));
        const XmlIndex next = doc.NextSiblingElement(e);
        if (next != 0)
            Check(doc.ElementOffset(next) >= end && doc.ParentElement(next) == parent);
        if (doc.FirstChildElement(e) != 0) {
            e = doc.FirstChildElement(e);
            continue;
        }
        while (e != 0 && doc.NextSiblingElement(e) == 0)
            e = doc.ParentElement(e);
        if (e != 0)
            e = doc.NextSiblingElement(e);
    }
    return visited;
}

/// Walks all elements with the navigation operations; returns how many there were.
std::size_t Navigate(CXmlDoc& doc) {
    doc.ResetPosition();
    std::size_t elements = 0;
    for (std::size_t budget = 0; budget < 200000; ++budget) {
        if (doc.FindNext()) {
            ++elements;
            Check(!doc.GetTagName().empty());
            for (const vardo::XmlAttribute& attribute : doc.GetAttributes())
                (void)doc.GetAttribute(attribute.name);
            (void)doc.GetText();
            Check(doc.EnterElement());
            continue;
        }
        if (!doc.LeaveElement())
            break;
    }
    return elements;
}

void WalkNodes(CXmlDoc& doc) {
    doc.ResetPosition();
    while (doc.FindNextChild())
        (void)doc.GetChildText();
    doc.ResetPosition();
    for (int i = 0; i < 64 && doc.FindNode() != vardo::XmlNodeType::None; ++i) {
        (void)doc.GetNodeText();
        if (doc.GetNodeType() == vardo::XmlNodeType::Element && i % 2 == 0 && doc.EnterElement()) {
            for (int j = 0; j < 16 && doc.FindNode() != vardo::XmlNodeType::None; ++j)
                (void)doc.GetNodeText();
            doc.LeaveElement();
        }
    }
}

void Edit(CXmlDoc& doc, std::string_view text, std::uint8_t choice) {
    doc.ResetPosition();
    // Go to the choice-th element in document order (or stay at the top level).
    for (int step = 0; step < (choice & 0x0F); ++step) {
        if (doc.FindNext()) {
            if (step % 2 == 1)
                doc.EnterElement();
        } else if (!doc.LeaveElement()) {
            break;
        }
    }
    const auto flags = (choice & 0x10) != 0 ? vardo::XmlFlags::NoLines : vardo::XmlFlags::None;
    if (doc.AppendElement("new", text, flags)) {
        Check(doc.GetText() == text);
        Check(doc.SetAttribute("v", text));
        Check(doc.GetAttribute("v") == text);
        Check(doc.GetText() == text);
        CheckIndex(doc);
        if ((choice & 0x20) != 0 && doc.EnterElement()) {
            Check(doc.AppendElement("inner", static_cast<std::int64_t>(choice) - 100));
            Check(doc.GetText() == std::to_string(static_cast<int>(choice) - 100));
            doc.LeaveElement();
        }
    }
    if ((choice & 0x40) != 0 && doc.FindNext())
        doc.SetAttribute("w", text);
    CheckIndex(doc);
    if ((choice & 0x80) != 0 && doc.RemoveElement())
        CheckIndex(doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
    const std::string_view editText = input.substr(size > 12 ? size - 12 : 0);

    CXmlDoc doc;
    Check(doc.LoadBuffer(std::string(input)));
    const std::size_t elements = CheckIndex(doc);
    (void)vardo::XmlOutline(doc);
    Check(Navigate(doc) == elements);
    WalkNodes(doc);
    doc.FindNext("//Pub[2]");
    doc.FindNext("/a/*[@x='1']/b");
    Edit(doc, editText, choice);
    Check(Navigate(doc) == CheckIndex(doc));

    const std::string saved = doc.SaveBuffer();
    CXmlDoc again;
    Check(again.LoadBuffer(saved));
    CheckIndex(again);

    CXmlDoc plain;
    Check(plain.SetText(std::string(input)));
    Check(Navigate(plain) == CheckIndex(plain));
    return 0;
}

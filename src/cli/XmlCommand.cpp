// vardo-cli xml outline FILE: what an XML exchange file holds, element by element.

#include <cstdio>
#include <string>

#include "cli/CliCommand.h"
#include "core/exchange/CXmlDoc.h"
#include "core/exchange/XmlOutline.h"

namespace vardo::cli {
namespace {

int RunXml(const CliContext& context) {
    if (context.args.size() != 2 || context.args[0] != "outline") {
        std::fputs("Usage: vardo-cli xml outline FILE\n", stderr);
        return 2;
    }
    CXmlDoc doc;
    if (!doc.LoadFile(context.args[1])) {
        std::fprintf(stderr, "vardo-cli: cannot read %s: %s\n", context.args[1].c_str(), doc.GetResult().c_str());
        return 1;
    }
    const std::string outline = XmlOutline(doc);
    std::fwrite(outline.data(), 1, outline.size(), stdout);
    return 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"xml", "xml outline FILE", "show the result markup and every element of an XML file, one per line", RunXml});

} // namespace
} // namespace vardo::cli

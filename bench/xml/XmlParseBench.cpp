// Parse throughput of CXmlDoc on two documents built here (deterministically): a publisher-list export of a
// full register (1509 persons with 24 month elements each) and a generic document of about 50 MB. pugixml and
// libxml2 parse the same bytes in the same run when they are available.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "core/exchange/CXmlDoc.h"
#include "BenchMain.h"

#ifdef VARDO_BENCH_PUGIXML
#include <pugixml.hpp>
#endif
#ifdef VARDO_BENCH_LIBXML2
#include <libxml/parser.h>
#endif

// Every operator new of the process is counted, so the engine's allocations per parse can be reported.
namespace {
std::atomic<std::uint64_t> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

/// A small linear congruential generator: the same documents on every run.
class Random {
public:
    std::uint32_t Next(std::uint32_t bound) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33) % bound;
    }
    template <std::size_t N>
    const char* Pick(const char* const (&items)[N]) {
        return items[Next(N)];
    }

private:
    std::uint64_t m_state = 20240305;
};

const char* const kFirstNames[] = {"Anna",    "Jan", "Małgorzata", "Piotr",     "Zofia", "Łukasz", "Katarzyna",
                                   "Andrzej", "Ewa", "Tomasz",     "Agnieszka", "Paweł", "Józef",  "Barbara"};
const char* const kLastNames[] = {"Nowak",       "Kowalski",  "Wiśniewska", "Wójcik",  "Kowalczyk", "Kamińska",
                                  "Lewandowski", "Zieliński", "Szymańska",  "Woźniak", "Dąbrowski", "Kozłowska"};
const char* const kStreets[] = {"ul. Długa",     "ul. Krótka",     "al. Jerozolimskie", "ul. Źródlana",
                                "os. Słoneczne", "ul. Kościuszki", "pl. Wolności"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kRemarks[] = {"", "", "", "", "Poniżej 1 godziny", "chory", "wyjazd & urlop", "\"pomoc\" w grupie"};
const char* const kPioneer[] = {"", "", "", "", "", "Aux", "Reg"};

/// The publisher-list export of the XML exchange: element tree, order and value forms as the export writes them.
std::string PublistDocument(int persons) {
    Random random;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<PUBLIST>\r\n  <Agent Ver=\"9000\">VARDO</Agent>\r\n"
        "  <Date>2024-03-05</Date>\r\n  <Count>" +
        std::to_string(persons) + "</Count>\r\n  <Active>\r\n";
    for (int id = 1; id <= persons; ++id) {
        const std::string first = random.Pick(kFirstNames);
        const std::string last = random.Pick(kLastNames);
        out += "    <Pub>\r\n      <id>" + std::to_string(id) + "</id>\r\n";
        out += "      <fname>" + first + "</fname>\r\n      <lname>" + last + "</lname>\r\n";
        out += "      <addr>" + std::string(random.Pick(kStreets)) + " " + std::to_string(1 + random.Next(120)) + "/" +
               std::to_string(1 + random.Next(40)) + ", 00-" + std::to_string(100 + random.Next(900)) +
               " Łódź</addr>\r\n";
        out += "      <phone>+48 " + std::to_string(500000000 + random.Next(400000000)) + "</phone>\r\n";
        out += "      <phone2></phone2>\r\n      <phone3></phone3>\r\n";
        if (random.Next(3) == 0)
            out += "      <email>" + std::to_string(id) + "@example.org</email>\r\n";
        out += std::string("      <gender>") + (random.Next(2) == 0 ? "Male" : "Female") + "</gender>\r\n";
        out += "      <birdate>19" + std::to_string(40 + random.Next(60)) + "-0" + std::to_string(1 + random.Next(9)) +
               "-1" + std::to_string(random.Next(10)) + "</birdate>\r\n";
        out += "      <bapdate>20" + std::to_string(10 + random.Next(14)) + "-0" + std::to_string(1 + random.Next(9)) +
               "-2" + std::to_string(random.Next(9)) + "</bapdate>\r\n";
        out += "      <group>" + std::to_string(1 + random.Next(8)) + "</group>\r\n";
        if (random.Next(5) == 0)
            out += std::string("      <svt>") + (random.Next(2) == 0 ? "Elder" : "MinSvt") + "</svt>\r\n";
        for (int slot = 0; slot < 2; ++slot) {
            for (const char* month : kMonths) {
                const std::string pioneer = random.Pick(kPioneer);
                out += std::string("      <") + month + " Year=\"" + std::to_string(2022 + slot) + "\"><Plcmts>" +
                       std::to_string(random.Next(20)) + "</Plcmts><Videos>" + std::to_string(random.Next(5)) +
                       "</Videos><Hours>" + std::to_string(random.Next(70)) + (random.Next(4) == 0 ? ",30" : "") +
                       "</Hours><R.V.s>" + std::to_string(random.Next(15)) + "</R.V.s><BiSt.>" +
                       std::to_string(random.Next(4)) + "</BiSt.><Remark>" +
                       (random.Next(6) == 0 ? "&lt;uwaga&gt; " : "") + "</Remark><Pio>" + pioneer + "</Pio>";
                if (pioneer == "Reg" && random.Next(3) == 0)
                    out += "<PioCredit>" + std::to_string(1 + random.Next(15)) + "</PioCredit>";
                out += std::string("</") + month + ">\r\n";
            }
        }
        out += "    </Pub>\r\n";
    }
    out += "  </Active>\r\n</PUBLIST>\r\n";
    return out;
}

/// A generic document of at least `bytes` bytes: records with attributes, nested levels, references, CDATA
/// sections and comments.
std::string LargeDocument(std::size_t bytes) {
    Random random;
    const char* const kinds[] = {"book", "article", "letter", "report", "map"};
    const char* const words[] = {"zbór",    "teren", "służba",      "sprawozdanie", "głosiciel",
                                 "miesiąc", "grupa", "report",      "field",        "record",
                                 "value",   "&amp;", "&lt;tag&gt;", "&#x142;",      "text"};
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog generator=\"bench\" version=\"2\">\n";
    out.reserve(bytes + 4096);
    for (int id = 1; out.size() < bytes; ++id) {
        if (id % 1000 == 0)
            out += "  <!-- section " + std::to_string(id / 1000) + " -->\n";
        out += "  <record id=\"" + std::to_string(id) + "\" kind=\"" + random.Pick(kinds) +
               "\" lang=\"pl\" updated=\"2024-01-" + std::to_string(10 + random.Next(18)) + "T12:00:00\">\n";
        out += "    <title>";
        for (std::uint32_t w = 0, n = 2 + random.Next(6); w < n; ++w)
            out += std::string(w != 0 ? " " : "") + random.Pick(words);
        out += "</title>\n    <authors>";
        for (std::uint32_t a = 0, n = 1 + random.Next(3); a < n; ++a)
            out += std::string("<author role=\"") + (a == 0 ? "main" : "co") + "\">" + random.Pick(kFirstNames) + " " +
                   random.Pick(kLastNames) + "</author>";
        out += "</authors>\n    <summary>";
        for (std::uint32_t w = 0, n = 20 + random.Next(60); w < n; ++w)
            out += std::string(w != 0 ? " " : "") + random.Pick(words);
        out += "</summary>\n    <keywords>";
        for (std::uint32_t k = 0, n = random.Next(5); k < n; ++k)
            out += std::string("<k>") + random.Pick(words) + "</k>";
        out += "</keywords>\n    <price currency=\"PLN\">" + std::to_string(random.Next(500)) + "." +
               std::to_string(10 + random.Next(90)) + "</price>\n";
        if (random.Next(4) == 0)
            out += "    <notes><![CDATA[raw <notes> & \"quotes\" ]]></notes>\n";
        out += "    <nested><level1 a=\"1\"><level2 b=\"2\"><level3 c='3'>deep</level3><empty/></level2></level1>"
               "</nested>\n  </record>\n";
    }
    out += "</catalog>\n";
    return out;
}

const std::string& Publist() {
    static const std::string text = PublistDocument(1509);
    return text;
}

const std::string& Large() {
    static const std::string text = LargeDocument(50u << 20);
    return text;
}

std::size_t CountElements(const std::string& text) {
    vardo::CXmlDoc doc;
    doc.SetText(text);
    std::size_t count = 0;
    vardo::XmlIndex e = doc.FirstChildElement(0);
    while (e != 0) {
        ++count;
        if (doc.FirstChildElement(e) != 0) {
            e = doc.FirstChildElement(e);
            continue;
        }
        while (e != 0 && doc.NextSiblingElement(e) == 0)
            e = doc.ParentElement(e);
        if (e != 0)
            e = doc.NextSiblingElement(e);
    }
    return count;
}

void Report(benchmark::State& state, const std::string& text) {
    static const std::size_t publistElements = CountElements(Publist());
    static const std::size_t largeElements = CountElements(Large());
    const std::size_t elements = &text == &Publist() ? publistElements : largeElements;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["elements/s"] =
        benchmark::Counter(static_cast<double>(elements), benchmark::Counter::kIsIterationInvariantRate);
}

const std::string& Document(const benchmark::State& state) {
    return state.range(0) == 0 ? Publist() : Large();
}

void VardoSetText(benchmark::State& state) {
    const std::string& text = Document(state);
    vardo::CXmlDoc doc;
    doc.SetText(text); // the index reaches its size once; later parses reuse it
    const std::uint64_t before = g_allocations.load();
    for (auto _ : state) {
        const bool parsed = doc.SetText(text); // copies the text, as the others copy their buffer
        benchmark::DoNotOptimize(parsed);
        if (!doc.GetResult().empty())
            state.SkipWithError("unexpected result markup");
    }
    state.counters["allocs/parse"] =
        static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
    Report(state, text);
}
BENCHMARK(VardoSetText)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond);

void VardoLoadBuffer(benchmark::State& state) {
    const std::string& text = Document(state);
    vardo::CXmlDoc doc;
    for (auto _ : state) {
        const bool loaded = doc.LoadBuffer(text); // encoding detection and UTF-8 check included
        benchmark::DoNotOptimize(loaded);
    }
    Report(state, text);
}
BENCHMARK(VardoLoadBuffer)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond);

#ifdef VARDO_BENCH_PUGIXML
void Pugixml(benchmark::State& state) {
    const std::string& text = Document(state);
    pugi::xml_document doc;
    for (auto _ : state) {
        const pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size());
        if (!result)
            state.SkipWithError(result.description());
        benchmark::DoNotOptimize(doc);
    }
    Report(state, text);
}
BENCHMARK(Pugixml)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond);
#endif

#ifdef VARDO_BENCH_LIBXML2
void Libxml2(benchmark::State& state) {
    const std::string& text = Document(state);
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "bench.xml", nullptr,
                                      XML_PARSE_NONET | XML_PARSE_HUGE);
        if (doc == nullptr)
            state.SkipWithError("libxml2 failed");
        xmlFreeDoc(doc);
    }
    Report(state, text);
}
BENCHMARK(Libxml2)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond);
#endif

/// The export written through the engine itself: AppendElement, SetAttribute, EnterElement, LeaveElement.
void VardoBuildPublist(benchmark::State& state) {
    Random random;
    for (auto _ : state) {
        vardo::CXmlDoc doc;
        doc.AppendElement("PUBLIST");
        doc.EnterElement();
        doc.AppendElement("Agent", "VARDO");
        doc.SetAttribute("Ver", 9000);
        doc.AppendElement("Count", 1509);
        doc.AppendElement("Active");
        doc.EnterElement();
        for (int id = 1; id <= 1509; ++id) {
            doc.AppendElement("Pub");
            doc.EnterElement();
            doc.AppendElement("id", id);
            doc.AppendElement("fname", random.Pick(kFirstNames));
            doc.AppendElement("lname", random.Pick(kLastNames));
            for (int slot = 0; slot < 2; ++slot) {
                for (const char* month : kMonths) {
                    doc.AppendElement(month);
                    doc.SetAttribute("Year", 2022 + slot);
                    doc.EnterElement();
                    for (const char* value : {"Plcmts", "Videos", "Hours", "R.V.s", "BiSt."})
                        doc.AppendElement(value, random.Next(20), vardo::XmlFlags::NoLines);
                    doc.AppendElement("Remark", random.Pick(kRemarks), vardo::XmlFlags::NoLines);
                    doc.AppendElement("Pio", random.Pick(kPioneer), vardo::XmlFlags::NoLines);
                    doc.LeaveElement();
                }
            }
            doc.LeaveElement();
        }
        benchmark::DoNotOptimize(doc.GetDocText().size());
    }
}
BENCHMARK(VardoBuildPublist)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // Freed memory stays in the process. Otherwise every parse of a large buffer maps fresh pages, and in a
    // virtual machine the page faults cost more than the parsing: the figures would measure the kernel.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 0x7FFFFFFF);
#endif
    return vardo::bench::RunBenchmarks(argc, argv);
}

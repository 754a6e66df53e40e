// The telephone list printed to PDF reads back, by pdftotext, with the names in register order and each
// person's numbers on his line.

#include <sstream>

#include <gtest/gtest.h>

#include "PdfText.h"
#include "TempDataFolder.h"
#include "core/reports/Lists.h"
#include "render/ReportOutput.h"

namespace vardo {
namespace {

struct Person {
    const char* first;
    const char* last;
    const char* home;
    const char* mobile;
    const char* work;
};

// The lines of the text that contain `needle`.
std::vector<std::string> LinesWith(const std::string& text, std::string_view needle) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        if (line.find(needle) != std::string::npos)
            lines.push_back(line);
    return lines;
}

TEST(ListPdf, TelephoneListReadsBackInRegisterOrderWithNumbers) {
    const Person people[] = {
        {"Łucja", "Łysiak", "12 411 00 01", "600 000 001", ""},
        {"Zenon", "Lis", "", "600 000 002", "22 500 00 02"},
        {"Żaneta", "Żak", "12 411 00 03", "", ""},
        {"Adam", "Zając", "12 411 00 04", "600 000 004", "22 500 00 04"},
        {"Ćwirek", "Cieślak", "", "", ""},
        {"Barbara", "Ćwik", "12 411 00 06", "", "22 500 00 06"},
    };
    PublisherDatabase db;
    db.SetCount(1);
    PublisherId id = 100;
    for (const Person& p : people) {
        PublisherRecord record;
        record.SetFirstName(p.first);
        record.SetLastName(p.last);
        record.SetPhone1(p.home);
        record.SetPhone2(p.mobile);
        record.SetPhone3(p.work);
        record.SetId(id++);
        ASSERT_TRUE(db.AppendRecord(record).ok());
    }
    db.SortRecords();
    db.RebuildIndex();
    ListSource source;
    source.database = &db;
    const auto report = MakeListReport(ReportKind::PhoneCongregation, source, 0);
    ReportEnvironment environment;
    environment.options.congregationName = "Zbór Testowy";

    test::TempDir dir;
    const auto pdf = dir.Path() / "telefony.pdf";
    const Result<int> pages = RenderReportToPdf(*report, environment, pdf);
    ASSERT_TRUE(pages.ok()) << pages.error();
    EXPECT_EQ(pages.value(), 1);
    const auto text = test::PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";

    EXPECT_EQ(LinesWith(*text, "Wykaz telefonów - Zbór Testowy").size(), 1u) << *text;
    EXPECT_EQ(LinesWith(*text, "( POUFNE - NIE KOPIUJ )").size(), 1u);
    ASSERT_EQ(LinesWith(*text, "Komórka").size(), 1u);
    const std::string headings = LinesWith(*text, "Komórka")[0];
    EXPECT_LT(headings.find("Dom"), headings.find("Komórka"));
    EXPECT_LT(headings.find("Komórka"), headings.find("Praca"));

    // Polish order: C < Ć, L < Ł, Z < Ż.
    const char* order[] = {"Ćwirek Cieślak", "Barbara Ćwik", "Zenon Lis", "Łucja Łysiak", "Adam Zając", "Żaneta Żak"};
    std::size_t previous = 0;
    for (const char* name : order) {
        const std::size_t at = text->find(name);
        ASSERT_NE(at, std::string::npos) << name << "\n" << *text;
        EXPECT_GT(at, previous) << name;
        previous = at;
    }
    for (const Person& p : people) {
        const std::string name = std::string(p.first) + " " + p.last;
        const auto lines = LinesWith(*text, name);
        ASSERT_EQ(lines.size(), 1u) << name;
        std::size_t column = lines[0].find(name) + name.size();
        for (const char* number : {p.home, p.mobile, p.work}) {
            if (*number == '\0')
                continue;
            const std::size_t at = lines[0].find(number);
            ASSERT_NE(at, std::string::npos) << number << " on " << lines[0];
            EXPECT_GT(at, column) << lines[0]; // home, mobile, work from left to right
            column = at;
        }
    }
}

} // namespace
} // namespace vardo

// vardo-cli info: the working month, the state of every month, the persons per category.

#include <cstdio>
#include <string>

#include "cli/DocumentCommand.h"
#include "core/platform/Strings.h"

namespace vardo::cli {
namespace {

const char* StateText(std::uint8_t state) {
    switch (state) {
    case 0:
        return "nierozpoczęty";
    case 1:
        return "otwarty";
    case 2:
        return "zamknięty";
    default:
        return "nieznany stan";
    }
}

// Pads UTF-8 text with spaces to `width` characters.
std::string Padded(std::string_view text, std::size_t width) {
    std::size_t characters = 0;
    for (char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
    return std::string(text) + std::string(characters < width ? width - characters : 1, ' ');
}

int RunInfo(const CliContext& context) {
    OpenedDocument opened("info");
    if (const int failed = opened.OpenWithoutArguments(context); failed != 0)
        return failed;
    const CVardoDoc& doc = opened.Doc();
    std::string out;
    const PublisherDatabase& db = doc.Database();
    const WorkingMonth& month = doc.GetWorkingMonth();

    out += FormatPrintf("Folder danych: %s\n", doc.Folder().Root().string().c_str());
    out += FormatPrintf("Miesiąc roboczy: %s %d\n", std::string(MonthName(month.monthIndex)).c_str(), month.Year());
    out += FormatPrintf("Stan miesięcy:");
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        out += FormatPrintf("%s %s %s", m == 0 ? "" : ",", std::string(MonthAbbreviation(m)).c_str(),
                            StateText(db.Header().MonthStateByte(m)));
    out += FormatPrintf("\n");

    int counts[6] = {};
    for (const PublisherRecord& p : doc.Persons())
        if (p.CategoryByte() < 6)
            ++counts[p.CategoryByte()];
    static constexpr const char* kLabels[] = {"Głosiciele",     "Nieczynni", "Niegłosiciele",
                                              "Przeprowadzeni", "Usunięci",  "Nadzorca obwodu"};
    out += FormatPrintf("Osoby: %d\n", db.PersonCount());
    for (int c = 0; c < 6; ++c)
        out += "  " + Padded(kLabels[c], 17) + std::to_string(counts[c]) + "\n";
    out += FormatPrintf("Grupy służby polowej: %d\n", doc.Side().groups.Count());
    out += FormatPrintf("Dane przekształcone ze starszej wersji: %s\n", doc.WasConverted() ? "tak" : "nie");
    out += FormatPrintf("Hasło: %s\n", db.Header().HasPassword() ? "ustawione" : "brak");
    opened.Close();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"info", "info", "the working month, the state of every month and the persons per category", RunInfo});

} // namespace
} // namespace vardo::cli

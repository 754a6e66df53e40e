#include "gui/app/MenuLayout.h"

#include "gui/app/CommandIds.h"

namespace vardo {
namespace {

MenuEntry Item(int id, const char* text, const char* shortcut = nullptr) {
    return MenuEntry{id, text, shortcut, false, {}};
}

MenuEntry Check(int id, const char* text) {
    return MenuEntry{id, text, nullptr, true, {}};
}

MenuEntry Separator() {
    return MenuEntry{};
}

MenuEntry Submenu(const char* text, std::vector<MenuEntry> children) {
    return MenuEntry{0, text, nullptr, false, std::move(children)};
}

std::vector<MenuEntry> BuildLayout() {
    using namespace cmd;
    return {
        Submenu("&Plik",
                {
                    Item(kSave, "&Zapisz", "Ctrl+S"),
                    Separator(),
                    Submenu("Kopia i Przywracanie",
                            {
                                Item(kBackup, "Kopia Bezpieczeństwa"),
                                Item(kRestore, "Przywracanie"),
                            }),
                    Separator(),
                    Item(kXmlImport, "Import z XML"),
                    Item(kXmlExport, "Eksport do XML"),
                    Item(kDataExport, "&Eksport danych"),
                    Item(kContactExport, "Eksport danych o kontaktach"),
                    Item(kEmergencyExport, "Eksportuj kontakty ALARMOWE"),
                    Item(kCardHeaderExport, "Eksport Nagłówka  Karty"),
                    Item(kAttendanceExport, "Eksport frekwencja z zebran"),
                    Item(kSummaryExport, "Eksport podsumowanie"),
                    Separator(),
                    Item(kReturnToPanel, "Powrót do panelu &głównego", "Esc"),
                    Item(kPrint, "&Drukuj...", "Ctrl+P"),
                    Item(kPrintPreview, "&Podgląd wydruku"),
                    Item(kPrintSetup, "U&stawienia drukarki..."),
                    Separator(),
                    Item(kExit, "&Wyjście"),
                }),
        Submenu("&Edycja",
                {
                    Item(kPublishers, "&Głosiciele"),
                    Item(kInterestedEdit, "Zainteresowani"),
                    Item(kFieldServiceGroups, "Grupa służby polowej"),
                    Item(kCircuitOverseer, "Nadzorca obwodu"),
                    Separator(),
                    Item(kTimeAccounting, "&Czas"),
                    Item(kAttendance, "&Frekwencja"),
                    Item(kHistory, "Historia"),
                    Item(kEraseLateReports, "Wymaż Stare Sprawozdania"),
                    Separator(),
                    Item(kAuxiliaryPioneers, "&Pionierzy pomocniczy"),
                    Item(kRegularPioneers, "Pionie&rzy stali"),
                    Item(kInactiveEdit, "&Nieczynni"),
                    Item(kMovedEdit, "Przepro&wadzeni"),
                    Item(kDeletedList, "Usuniętych"),
                    Separator(),
                    Item(kPassword, "&Hasło"),
                }),
        Submenu("P&odgląd",
                {
                    Item(kQuickResults, "&Szybki podgląd wyników"),
                    Item(kRecordCard, "&Zestawienie Sprawozdań Głosiciela"),
                    Separator(),
                    Item(kMissingReports, "&Brak sprawozdań"),
                    Item(kIrregular, "Nie&regularni"),
                    Item(kNewPublishers, "Nowi &głosiciele"),
                    Item(kReactivated, "&Uaktywnieni"),
                    Item(kInactiveView, "Nie&czynni"),
                    Item(kMovedView, "&Przeprowadzeni"),
                    Item(kRecentlyBaptized, "Ostatnio &ochrzczeni"),
                    Item(kAuxiliaryPioneersView, "Pionierzy po&mocniczy"),
                    Item(kStudyConductors, "Pro&wadzący studia biblijne"),
                    Item(kUnbaptized, "&Nieochrzczeni"),
                    Item(kInterestedView, "&Zainteresowani"),
                    Item(kTimeTallyForm, "&Formularz do podliczania czasu"),
                    Item(kPrivilegesView, "Przywileje służby"),
                    Item(kConsentsView, "Zgody na wykorzystywanie danych osobowych"),
                    Item(kNoConsentView, "Brak zgody na wykorzystywanie danych osobowych"),
                    Item(kSpecialNeedsView, "Specjalne potrzeby"),
                    Item(kUserCategoryView, "Niestandardowe"),
                    Separator(),
                    Item(kPioneerHours, "&Godziny pionierów"),
                    Item(kActivitySummary, "Zestawienie aktywności od początku roku"),
                    Item(kAttendanceSinceYearStart, "Frekwencja zebrań od początku roku"),
                }),
        Submenu(
            "&Raporty",
            {
                Item(kCongregationAnalysisMonth, "Analiza działalności zboru dla miesiąca "),
                Submenu("Analiza &zboru", {Item(kCongregationAnalysisPioneers, "Pionierzy - Grupy"),
                                           Item(kCongregationAnalysisAZ, "A - Z")}),
                Item(kGroupAnalysis, "Analiza &grupy służby polowej"),
                Item(kCongregationSummary, "Podsumowanie zboru"),
                Item(kAttendanceReport, "Raport z &frekwencji"),
                Separator(),
                Submenu("&Średnie z trzech/sześciu miesięcy",
                        {Item(32796, "&Zbór"), Item(32797, "&Grupa służby polowej"), Item(32798, "&Pionierzy stali"),
                         Item(32799, "&Starsi"), Item(32800, "S&łudzy pomocniczy"), Item(32801, "&Ochrzczeni bracia"),
                         Item(32836, "Kategoria użytkownika")}),
                Item(kStatistics, "&Statystyka"),
                Submenu("Sprawozdania głosicieli",
                        {Item(32821, "&Wszyscy głosiciele"), Item(32822, "W&ybrani głosiciele")}),
                Submenu("&Raport godzinowy",
                        {Item(32807, "&Zbór"), Item(32808, "&Grupa służby polowej"), Item(32817, "Pionierzy &stali"),
                         Item(32840, "&Starsi i słudzy pomocniczy"), Item(32816, "Pi&onierzy pomocniczy"),
                         Item(32851, "&Ochrzczeni bracia"), Item(32844, "Kategoria użytkownika")}),
                Submenu("&Podsumowanie roku służbowego", {Item(32818, "&Zbór"), Item(32819, "Pionierzy &stali"),
                                                          Item(32841, "&Starsi i słudzy pomocniczy")}),
                Item(32806, "Godziny pionierów"),
                Separator(),
                Submenu("Wykaz &telefonów", {Item(kPhoneList, "&Zbór"), Item(32810, "&Grupa służby polowej"),
                                             Item(32823, "&Starsi i słudzy pomocniczy"), Item(32824, "&Pionierzy")}),
                Submenu("Wykaz &adresów",
                        {Item(32811, "&Zbór"), Item(32812, "&Grupa służby polowej"), Item(32825, "&Nieczynni"),
                         Item(32831, "&Starsi i słudzy pomocniczy"), Item(32830, "&Pionierzy")}),
                Submenu("Wykaz grup służby polowej ",
                        {Item(32852, "Czynni Głosiciele"), Item(32853, "Czynni + Studiujący Biblię"),
                         Item(32893, "Czynni + Nieczynni"), Item(32854, "Czynni + Studiujący Biblię + Nieczynni")}),
                Submenu("Wykaz &kontaktu",
                        {Item(32846, "&Zbór"), Item(32847, "&Grupa służby polowej"),
                         Item(32848, "&Starsi i słudzy pomocniczy"), Item(32875, "&Pionierzy"),
                         Submenu("&Nieczynni", {Item(32882, "&Zbór"), Item(32904, "&Grupa służby polowej")})}),
                Submenu("Dane Kontaktu Alarmowego", {Item(32859, "Zbór"), Item(32860, "Grupa Służby Polowej"),
                                                     Item(32867, "Formularze Kontaktowe")}),
                Submenu("Telefon i e-mail", {Item(32871, "Zbór"), Item(32872, "&Grupa służby polowej"),
                                             Item(32874, "&Starsi i słudzy pomocniczy"), Item(32873, "&Pionierzy")}),
                Submenu("Specjalne potrzeby", {Item(32915, "&Zbór"), Item(32916, "&Grupa służby polowej")}),
            }),
        Submenu("Op&cje",
                {
                    Item(kReportSettings, "&Ustawienia raportu"),
                    Item(kRecordCardOptions, "&Zestawienie Sprawozdań Głosiciela"),
                    Check(kUserCategory, "K&ategoria użytkownika"),
                    Separator(),
                    Check(kStartupNoteOff, "Wyłącz Uwagę Startową"),
                }),
        Submenu("Pomo&c", {Item(kAbout, "&O programie Vardo...")}),
    };
}

void CollectIds(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const auto& entry : entries) {
        if (entry.id != 0)
            ids.push_back(entry.id);
        CollectIds(entry.children, ids);
    }
}

} // namespace

const std::vector<MenuEntry>& MainMenuLayout() {
    static const std::vector<MenuEntry> layout = BuildLayout();
    return layout;
}

std::vector<int> MenuCommandIds() {
    std::vector<int> ids;
    CollectIds(MainMenuLayout(), ids);
    return ids;
}

} // namespace vardo

#include "core/doc/DemoData.h"

namespace vardo::demo {
namespace {

constexpr std::string_view kMaleFirstNames[] = {
    "Adam",      "Andrzej",  "Antoni",     "Bartłomiej", "Bogdan",   "Czesław", "Damian",   "Dariusz",
    "Dawid",     "Edward",   "Filip",      "Grzegorz",   "Henryk",   "Hubert",  "Igor",     "Jacek",
    "Jakub",     "Jan",      "Janusz",     "Jarosław",   "Jerzy",    "Józef",   "Kamil",    "Karol",
    "Kazimierz", "Konrad",   "Krzysztof",  "Leszek",     "Łukasz",   "Maciej",  "Marcin",   "Marek",
    "Mariusz",   "Mateusz",  "Michał",     "Mieczysław", "Mirosław", "Norbert", "Oskar",    "Patryk",
    "Paweł",     "Piotr",    "Przemysław", "Radosław",   "Rafał",    "Robert",  "Roman",    "Ryszard",
    "Sebastian", "Sławomir", "Stanisław",  "Szczepan",   "Szymon",   "Tadeusz", "Tomasz",   "Wiesław",
    "Wiktor",    "Witold",   "Wojciech",   "Zbigniew",   "Zdzisław", "Zenon",   "Ireneusz", "Bronisław",
};

constexpr std::string_view kFemaleFirstNames[] = {
    "Agata",    "Agnieszka", "Aleksandra", "Alicja",    "Aneta",      "Anna",       "Barbara", "Beata",
    "Bożena",   "Danuta",    "Dominika",   "Dorota",    "Edyta",      "Elżbieta",   "Emilia",  "Ewa",
    "Gabriela", "Grażyna",   "Halina",     "Helena",    "Irena",      "Iwona",      "Jadwiga", "Janina",
    "Joanna",   "Jolanta",   "Julia",      "Justyna",   "Karolina",   "Katarzyna",  "Kinga",   "Krystyna",
    "Lena",     "Lucyna",    "Łucja",      "Magdalena", "Małgorzata", "Maria",      "Marta",   "Monika",
    "Natalia",  "Oliwia",    "Paulina",    "Renata",    "Sabina",     "Stanisława", "Sylwia",  "Teresa",
    "Urszula",  "Wanda",     "Weronika",   "Wiesława",  "Zofia",      "Zuzanna",    "Żaneta",  "Bogumiła",
};

constexpr Surname kSurnames[] = {
    {"Nowak", "Nowak"},
    {"Kowalski", "Kowalska"},
    {"Wiśniewski", "Wiśniewska"},
    {"Wójcik", "Wójcik"},
    {"Kowalczyk", "Kowalczyk"},
    {"Kamiński", "Kamińska"},
    {"Lewandowski", "Lewandowska"},
    {"Zieliński", "Zielińska"},
    {"Szymański", "Szymańska"},
    {"Woźniak", "Woźniak"},
    {"Dąbrowski", "Dąbrowska"},
    {"Kozłowski", "Kozłowska"},
    {"Jankowski", "Jankowska"},
    {"Mazur", "Mazur"},
    {"Kwiatkowski", "Kwiatkowska"},
    {"Krawczyk", "Krawczyk"},
    {"Piotrowski", "Piotrowska"},
    {"Grabowski", "Grabowska"},
    {"Nowakowski", "Nowakowska"},
    {"Pawłowski", "Pawłowska"},
    {"Michalski", "Michalska"},
    {"Nowicki", "Nowicka"},
    {"Adamczyk", "Adamczyk"},
    {"Dudek", "Dudek"},
    {"Zając", "Zając"},
    {"Wieczorek", "Wieczorek"},
    {"Jabłoński", "Jabłońska"},
    {"Król", "Król"},
    {"Majewski", "Majewska"},
    {"Olszewski", "Olszewska"},
    {"Jaworski", "Jaworska"},
    {"Wróbel", "Wróbel"},
    {"Malinowski", "Malinowska"},
    {"Pawlak", "Pawlak"},
    {"Witkowski", "Witkowska"},
    {"Walczak", "Walczak"},
    {"Stępień", "Stępień"},
    {"Górski", "Górska"},
    {"Rutkowski", "Rutkowska"},
    {"Michalak", "Michalak"},
    {"Sikora", "Sikora"},
    {"Ostrowski", "Ostrowska"},
    {"Baran", "Baran"},
    {"Duda", "Duda"},
    {"Szewczyk", "Szewczyk"},
    {"Tomaszewski", "Tomaszewska"},
    {"Pietrzak", "Pietrzak"},
    {"Marciniak", "Marciniak"},
    {"Wróblewski", "Wróblewska"},
    {"Zalewski", "Zalewska"},
    {"Jakubowski", "Jakubowska"},
    {"Jasiński", "Jasińska"},
    {"Zawadzki", "Zawadzka"},
    {"Sadowski", "Sadowska"},
    {"Bąk", "Bąk"},
    {"Chmielewski", "Chmielewska"},
    {"Włodarczyk", "Włodarczyk"},
    {"Borkowski", "Borkowska"},
    {"Czarnecki", "Czarnecka"},
    {"Sawicki", "Sawicka"},
    {"Sokołowski", "Sokołowska"},
    {"Urbański", "Urbańska"},
    {"Kubiak", "Kubiak"},
    {"Maciejewski", "Maciejewska"},
    {"Szczepański", "Szczepańska"},
    {"Kucharski", "Kucharska"},
    {"Wilk", "Wilk"},
    {"Kalinowski", "Kalinowska"},
    {"Lis", "Lis"},
    {"Mazurek", "Mazurek"},
    {"Wysocki", "Wysocka"},
    {"Adamski", "Adamska"},
    {"Kaźmierczak", "Kaźmierczak"},
    {"Wasilewski", "Wasilewska"},
    {"Sobczak", "Sobczak"},
    {"Czerwiński", "Czerwińska"},
    {"Andrzejewski", "Andrzejewska"},
    {"Cieślak", "Cieślak"},
    {"Głowacki", "Głowacka"},
    {"Zakrzewski", "Zakrzewska"},
    {"Kołodziej", "Kołodziej"},
    {"Sikorski", "Sikorska"},
    {"Krajewski", "Krajewska"},
    {"Gajewski", "Gajewska"},
    {"Szymczak", "Szymczak"},
    {"Szulc", "Szulc"},
    {"Baranowski", "Baranowska"},
    {"Laskowski", "Laskowska"},
    {"Brzeziński", "Brzezińska"},
    {"Makowski", "Makowska"},
    {"Ziółkowski", "Ziółkowska"},
    {"Przybylski", "Przybylska"},
    {"Żak", "Żak"},
    {"Łuczak", "Łuczak"},
    {"Ślusarczyk", "Ślusarczyk"},
    {"Kubicki", "Kubicka"},
    {"Domański", "Domańska"},
    {"Lipiński", "Lipińska"},
    {"Żurawski", "Żurawska"},
    {"Pająk", "Pająk"},
};

constexpr Street kStreets[] = {
    {"ul. Zgierska", "91-463"},    {"ul. Łagiewnicka", "91-456"},      {"ul. Limanowskiego", "91-335"},
    {"ul. Sporna", "91-021"},      {"ul. Marysińska", "91-850"},       {"ul. Inflancka", "91-857"},
    {"ul. Pojezierska", "91-341"}, {"ul. Źródłowa", "91-733"},         {"ul. Hipoteczna", "91-335"},
    {"ul. Łanowa", "91-103"},      {"ul. Wojska Polskiego", "91-755"}, {"ul. Franciszkańska", "91-431"},
    {"ul. Lutomierska", "91-035"}, {"ul. Drewnowska", "91-002"},       {"ul. Żubardzka", "91-022"},
    {"ul. Młynarska", "91-059"},   {"ul. Bazarowa", "91-072"},         {"ul. Organizacji WiN", "91-843"},
    {"ul. Julianowska", "91-473"}, {"ul. Świtezianki", "91-495"},      {"ul. Kasprowicza", "91-334"},
    {"ul. Rojna", "91-134"},       {"ul. Traktorowa", "91-117"},       {"ul. Aleksandrowska", "91-205"},
    {"ul. Teofilowska", "91-463"}, {"ul. Brzezińska", "92-103"},       {"ul. Strykowska", "91-725"},
    {"ul. Warszawska", "91-209"},  {"ul. Bałtycka", "91-509"},         {"ul. Sierakowskiego", "91-496"},
};

constexpr std::string_view kReportRemarks[] = {
    "Sprawozdanie przekazane telefonicznie",     "Sprawozdanie złożone przez nadzorcę grupy",
    "Pomagał przy remoncie Sali Królestwa",      "Służba przy kongresie regionalnym",
    "Świadczenie w miejscach publicznych",       "Służba w innym zborze podczas urlopu",
    "Sprawozdanie przesłane e-mailem",           "Studium z osobą z domu starców",
    "Korespondencja z osobami zainteresowanymi", "Dodatkowe godziny podczas wizyty nadzorcy",
};

constexpr std::string_view kMissingReportRemarks[] = {
    "Choroba - pobyt w szpitalu",
    "Wyjazd zagraniczny",
    "Rehabilitacja po operacji",
    "Opieka nad chorym członkiem rodziny",
    "Brak kontaktu - prosić o sprawozdanie",
};

constexpr std::string_view kSpecialNeeds[] = {
    "Potrzebuje transportu na zebrania i kongresy",
    "Porusza się na wózku - tylko parter lub winda",
    "Niedosłyszy - siada blisko nagłośnienia",
    "Słabo widzi - prosi o druk powiększony",
    "Pomoc przy zakupach w czwartki",
    "Zebrania przez telefon, odwiedziny co tydzień",
    "Cukrzyca - przy dłuższej służbie potrzebuje przerwy na posiłek",
    "Po udarze - potrzebuje towarzystwa w służbie",
};

constexpr std::string_view kEmergencyNotes[] = {
    "Uczulenie na penicylinę",
    "Cukrzyca typu 1 - insulina w lodówce",
    "Rozrusznik serca",
    "Astma - inhalator w torebce",
    "Przyjmuje leki przeciwzakrzepowe",
    "Klucze do mieszkania u sąsiadki spod 4",
    "Nie przyjmuje transfuzji krwi - karta w portfelu",
    "",
};

constexpr std::string_view kRelations[] = {
    "syn", "córka", "brat", "siostra", "szwagier", "bratanica", "sąsiadka", "przyjaciółka rodziny",
};

constexpr std::string_view kGroupPlaces[] = {
    "Sala Królestwa",       "Sala Królestwa, sala B", "u Nowaków, Sporna 5",
    "u Wójcików, Rojna 12", "u Lisów, Łanowa 3",      "Sala Królestwa, mała",
};

constexpr std::string_view kGroupNames[] = {
    "Bałuty Północ", "Teofilów", "Radogoszcz", "Marysin", "Julianów", "Stare Bałuty", "Żubardź", "Łagiewniki",
};

constexpr std::string_view kExtraTexts[] = {
    "Dzwonić po 16:00",
    "Preferuje kontakt SMS",
    "Domofon nie działa - dzwonić na komórkę",
    "Adres do korespondencji: skrytka pocztowa 112",
    "W tygodniu pracuje na zmiany",
};

} // namespace

std::span<const std::string_view> MaleFirstNames() {
    return kMaleFirstNames;
}

std::span<const std::string_view> FemaleFirstNames() {
    return kFemaleFirstNames;
}

std::span<const Surname> Surnames() {
    return kSurnames;
}

std::span<const Street> Streets() {
    return kStreets;
}

std::string_view Town() {
    return "Łódź";
}

std::span<const std::string_view> ReportRemarks() {
    return kReportRemarks;
}

std::span<const std::string_view> MissingReportRemarks() {
    return kMissingReportRemarks;
}

std::span<const std::string_view> SpecialNeeds() {
    return kSpecialNeeds;
}

std::span<const std::string_view> EmergencyNotes() {
    return kEmergencyNotes;
}

std::span<const std::string_view> Relations() {
    return kRelations;
}

std::span<const std::string_view> GroupPlaces() {
    return kGroupPlaces;
}

std::span<const std::string_view> GroupNames() {
    return kGroupNames;
}

std::span<const std::string_view> ExtraTexts() {
    return kExtraTexts;
}

} // namespace vardo::demo

// Polish surnames for the made-up registers of the benchmarks.
#pragma once

namespace vardo::bench {

// Masculine forms; the feminine form of "-ski", "-cki", "-dzki" ends in "-ska", "-cka", "-dzka".
inline constexpr const char* kLastNames[] = {
    "Nowak",         "Kowalski",    "Wiśniewski",  "Wójcik",      "Kowalczyk",  "Kamiński",    "Lewandowski",
    "Zieliński",     "Szymański",   "Woźniak",     "Dąbrowski",   "Kozłowski",  "Jankowski",   "Mazur",
    "Kwiatkowski",   "Krawczyk",    "Piotrowski",  "Grabowski",   "Nowakowski", "Pawłowski",   "Michalski",
    "Nowicki",       "Adamczyk",    "Dudek",       "Zając",       "Wieczorek",  "Jabłoński",   "Król",
    "Majewski",      "Olszewski",   "Jaworski",    "Wróbel",      "Malinowski", "Pawlak",      "Witkowski",
    "Walczak",       "Stępień",     "Górski",      "Rutkowski",   "Michalak",   "Sikora",      "Ostrowski",
    "Baran",         "Duda",        "Szewczyk",    "Tomaszewski", "Pietrzak",   "Marciniak",   "Wróblewski",
    "Zalewski",      "Jakubowski",  "Jasiński",    "Zawadzki",    "Sadowski",   "Bąk",         "Chmielewski",
    "Włodarczyk",    "Borkowski",   "Czarnecki",   "Sawicki",     "Sokołowski", "Urbański",    "Kubiak",
    "Maciejewski",   "Szczepański", "Kucharski",   "Wilk",        "Kalinowski", "Lis",         "Mazurek",
    "Wysocki",       "Adamski",     "Kaźmierczak", "Wasilewski",  "Sobczak",    "Czerwiński",  "Andrzejewski",
    "Cieślak",       "Głowacki",    "Zakrzewski",  "Kołodziej",   "Sikorski",   "Krajewski",   "Gajewski",
    "Szymczak",      "Szulc",       "Baranowski",  "Laskowski",   "Brzeziński", "Makowski",    "Ziółkowski",
    "Przybylski",    "Domański",    "Nowacki",     "Borowski",    "Błaszczyk",  "Chojnacki",   "Ciesielski",
    "Mróz",          "Szczepaniak", "Wesołowski",  "Górecki",     "Krupa",      "Kaczmarczyk", "Leszczyński",
    "Lipiński",      "Kowalewski",  "Urbaniak",    "Kozak",       "Kania",      "Mikołajczyk", "Czajkowski",
    "Mucha",         "Tomczak",     "Kozieł",      "Markowski",   "Kowalik",    "Nawrocki",    "Brzozowski",
    "Janik",         "Musiał",      "Wawrzyniak",  "Markiewicz",  "Orłowski",   "Tomczyk",     "Jarosz",
    "Kołodziejczyk", "Kurek",       "Kopeć",       "Żak",         "Wolski",     "Łuczak",      "Dziedzic",
    "Kot",           "Stasiak",     "Stankiewicz", "Piątek",      "Jóźwiak",    "Urban",       "Dobrowolski",
    "Pawlik",        "Kruk",        "Domagała",    "Piasecki",    "Wierzbicki", "Karpiński",   "Jastrzębski",
    "Polak",         "Zięba",       "Janicki",     "Wójtowicz",   "Stefański",  "Sosnowski",   "Bednarek",
    "Majchrzak",     "Bielecki",    "Małecki",     "Maj",         "Sowa",       "Milczarek",   "Kasprzak",
    "Grzelak",       "Ślusarczyk",  "Żmuda",       "Śliwiński",   "Ćwikliński", "Żurawski",    "Łęcki"};

} // namespace vardo::bench

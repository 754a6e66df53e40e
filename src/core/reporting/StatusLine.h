#pragma once

// One line that says where a person stands and why, for the publisher editor.

#include <string>

#include "core/reporting/ActivityStatus.h"

namespace vardo {

/// "nieregularny: brak sprawozdań: lip, wrz!", "regularny: komplet sprawozdań: wrz–lut", followed for an
/// active publisher by "; do nieczynnych: brak sprawozdań od maja 2025" when six months are missing and by
/// "; nowy głosiciel od 2025-03, okno 6 mies." / "; uaktywniony od …" within the last six months;
/// "nieczynny od 2024-11, …" and "przeprowadzony …" for those lists; empty for the other lists.
std::string PersonStatusLine(const PublisherRecord& record, const StatusBasis& basis);

} // namespace vardo

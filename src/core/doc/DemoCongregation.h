#pragma once

// A made-up congregation for demonstrations, tests and benchmarks: deterministic for a size and a seed,
// written through the records store like data entered by hand.

#include <cstdint>

#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"

namespace vardo {

class CVardoDoc;

/// Most persons a demo can hold: five category lists of 300 and the circuit overseer.
inline constexpr int kDemoMaxPeople = 5 * 300 + 1;
inline constexpr int kDemoDefaultPeople = 150;

struct DemoOptions {
    /// Persons of the register, circuit overseer included: 1..kDemoMaxPeople.
    int people = kDemoDefaultPeople;
    /// Different seeds give different congregations of the same size.
    std::uint64_t seed = 1;
};

/// Fills a loaded, empty document with a congregation relative to its working month: groups with
/// overseers and assistants, elders, ministerial servants, baptized brothers, pioneers of every kind, new,
/// reactivated, inactive, moved and deleted persons, interested persons, families with emergency contacts
/// and special needs, consents and privilege dates, two years of reports in the report format of each
/// month with remarks and late reports, attendance, card totals and settings. Extension, emergency and
/// special-needs records are written to the data folder at once (as the editors do); everything else
/// waits for the document's save. Fails, changing nothing, when the document holds persons already or the
/// size is out of range.
Status BuildDemoCongregation(CVardoDoc& doc, const DemoOptions& options);

/// Creates a demo data folder: the folder is created when missing; it must not hold a register already
/// (tdat9.bin or tdat7.bin). Loads it with `clock`, builds the demo, saves and closes.
Status WriteDemoCongregation(const DataFolder& folder, const Clock& clock, const DemoOptions& options,
                             Prompter& prompter);

} // namespace vardo

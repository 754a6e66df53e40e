#pragma once

// The report objects of the lists, which keep their layout over a run of pages.

#include <memory>

#include "core/reports/Lists.h"

namespace vardo {

std::unique_ptr<Report> MakePersonListReport(ListType type, const ListSource& source, ListFilter filter);
std::unique_ptr<Report> MakeGroupListReport(const ListSource& source, GroupListMembers members);
std::unique_ptr<Report> MakeSafetyReport(SafetyReport report, const ListSource& source, int group);

} // namespace vardo

#pragma once

// The document data the statistics report and the activity summary draw from.

#include "core/doc/CVardoDoc.h"
#include "core/reports/ActivitySummary.h"
#include "core/reports/Statistics.h"

namespace vardo {

/// The statistics' view of an open document; it holds references into the document.
StatisticsSource StatisticsSourceOf(const CVardoDoc& doc);
/// The activity summary's view of an open document; it holds references into the document.
ActivityData ActivityDataOf(const CVardoDoc& doc);

} // namespace vardo

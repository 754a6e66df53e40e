#pragma once

// Card-header labels: the header data of each chosen person on sheets of 2 × 10 labels (1 inch high) to
// stick on paper record cards. Positions are numbered 1..20 row by row, the left label first.

#include <memory>
#include <vector>

#include "core/reports/PageEngine.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/WorkingMonth.h"

namespace vardo {

inline constexpr int kLabelsPerSheet = 20;
inline constexpr int kLabelRows = 10;

/// Where a label lands: sheet (0-based), row 0..9 and column 0..1.
struct LabelPlace {
    int page = 0;
    int row = 0;
    int column = 0;
    bool operator==(const LabelPlace&) const = default;
};

/// The place of the `index`-th label (0-based) when the first one goes to position `firstPosition` (1..20;
/// other values count as 1).
LabelPlace PlaceOfLabel(int index, int firstPosition);
/// Sheets `count` labels need from position `firstPosition` (at least 1).
int LabelPageCount(int count, int firstPosition);

/// The labels' order: with `sorted`, section by section (pioneers of the working month, baptised,
/// unbaptised), the selection's order kept within a section; else the selection's order.
std::vector<RecordNumber> LabelOrder(const PublisherDatabase& database, const WorkingMonth& month,
                                     std::vector<RecordNumber> selection, bool sorted);

/// What the labels draw; the database must outlive the report.
struct LabelSource {
    const PublisherDatabase* database = nullptr;
    WorkingMonth workingMonth;
    std::vector<RecordNumber> records; ///< the chosen persons, in selection order
    int firstPosition = 1;             ///< first free label of the first sheet, 1..20
    bool sorted = false;
};

/// Geometry of the labels on a canvas: label width, left edge and top margin in device pixels.
struct LabelGeometry {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
};
LabelGeometry LabelGeometryFor(const Canvas& canvas, const ReportEnvironment& environment);

/// DrawHeaderLabels (report kind 30). The layout and content options come from the environment's
/// options (birth date, second layout, left margin, top margin).
std::unique_ptr<Report> MakeCardLabelsReport(LabelSource source);

} // namespace vardo

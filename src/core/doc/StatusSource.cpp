#include "core/doc/StatusSource.h"

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"

namespace vardo {

StatusData StatusDataOf(const CVardoDoc& doc) {
    const WorkingMonth& working = doc.GetWorkingMonth();
    return StatusData{doc.Database(),    doc.Side().appointments,
                      doc.GetSettings(), StatusBasis::Of(working, doc.Database().Header(), &doc.Side().remarks),
                      working.todayYear, working.todayMonth};
}

std::vector<std::string> GroupNamesOf(const CVardoDoc& doc) {
    std::vector<std::string> names;
    const GroupTable& groups = doc.Side().groups;
    for (int g = 0; g < groups.Count(); ++g)
        names.push_back(groups.DisplayName(g));
    return names;
}

std::string StatusCountsText(const StatusCounts& counts) {
    const std::string values[] = {std::to_string(counts.active),    std::to_string(counts.regular),
                                  std::to_string(counts.irregular), std::to_string(counts.inactiveCandidates),
                                  std::to_string(counts.inactive),  std::to_string(counts.interested),
                                  std::to_string(counts.moved),     std::to_string(counts.deleted)};
    return FormatArgs(Str(StrId::PanelStatusCounts),
                      {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]});
}

} // namespace vardo

#pragma once

// The choices of a status view as both `status` and `report status-KIND` take them from the command line.

#include <optional>
#include <string>

#include "core/reporting/StatusViews.h"
#include "core/store/WorkingMonth.h"

namespace vardo::cli {

class OpenedDocument;

/// The option texts: --period, --group, --month, --class, --privilege.
struct StatusChoiceTexts {
    std::optional<std::string> period, group, month, baptismClass, privilege;
};

/// A whole number low..high written in decimal; nullopt for anything else.
std::optional<int> ParseStatusNumber(const std::optional<std::string>& text, int low, int high);

/// Sets the period (the kind's default unless given), group, class and privilege of `query` (its kind set)
/// and reads the month. False on bad usage, with the message (or `usage`) told through `opened`.
bool ApplyStatusChoices(StatusQuery& query, const StatusChoiceTexts& texts, OpenedDocument& opened,
                        std::optional<MonthCount>& month, const std::string& usage);
/// Sets the month of `query`: the working month, or `month` when it is one of the twelve months up to it.
/// False (the message told through `opened`) when it lies outside them.
bool ApplyStatusMonth(StatusQuery& query, const std::optional<MonthCount>& month, const WorkingMonth& working,
                      OpenedDocument& opened);

} // namespace vardo::cli

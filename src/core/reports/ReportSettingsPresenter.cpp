#include "core/reports/ReportSettingsPresenter.h"

#include <algorithm>

#include "core/platform/CodePage.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

// "Tekstu w polu „%1” nie można zapisać ...": shared with the people editor.

} // namespace

ReportSettingsPresenter::ReportSettingsPresenter(const ReportOptions& current, bool firstNameFirstOrder)
    : m_values(current), m_firstNameFirstOrder(firstNameFirstOrder) {
    // The lists hold 00..99 only; a larger stored value shows (and is stored back) as 99.
    SetTopMargin(current.topMargin);
    SetLabelLeftMargin(current.labelLeftMargin);
}

void ReportSettingsPresenter::SetTopMargin(int value) {
    m_values.topMargin = std::clamp(value, 0, kMaxMargin);
}

void ReportSettingsPresenter::SetLabelLeftMargin(int value) {
    m_values.labelLeftMargin = std::clamp(value, 0, kMaxMargin);
}

int ReportSettingsPresenter::StepMargin(int value, int delta) {
    const int span = kMaxMargin + 1;
    return ((std::clamp(value, 0, kMaxMargin) + delta) % span + span) % span;
}

bool ReportSettingsPresenter::Validate(Prompter& prompter) const {
    const std::string name = NormalizeCongregationName(m_values.congregationName);
    if (codepage::IsValidUtf8(name) && codepage::Utf8ToCp1250(name).lossless())
        return true;
    prompter.Message(FormatArgs(Str(StrId::TextCannotBeStored), {Str(StrId::CongregationNameField)}),
                     Severity::Warning);
    return false;
}

bool ReportSettingsPresenter::Store(ReportOptions& runOptions, Settings& settings) const {
    const Settings settingsBefore = settings;
    const ReportOptions runBefore = runOptions;
    ReportOptions stored = EffectiveReportOptions(settings, runOptions);
    ApplyReportOptions(stored, m_values);
    StoreReportOptions(stored, settings);
    runOptions.surnameFirst = stored.surnameFirst;
    runOptions.datesInStatistics = stored.datesInStatistics;
    runOptions.dayFirstDates = stored.dayFirstDates;
    return !(settings == settingsBefore) || !(runOptions == runBefore);
}

ReportOptions EffectiveReportOptions(const Settings& settings, const ReportOptions& runOptions) {
    ReportOptions options = ReportOptionsFromSettings(settings);
    options.surnameFirst = runOptions.surnameFirst;
    options.datesInStatistics = runOptions.datesInStatistics;
    options.dayFirstDates = runOptions.dayFirstDates;
    return options;
}

} // namespace vardo

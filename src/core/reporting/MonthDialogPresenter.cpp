#include "core/reporting/MonthDialogPresenter.h"

#include "core/platform/Strings.h"

namespace vardo {
namespace {

MonthIndex Before(MonthIndex month) {
    return (month + kMonthsPerYear - 1) % kMonthsPerYear;
}

} // namespace

MonthDialogPresenter::MonthDialogPresenter(const MonthDialogInput& input) : m_input(input), m_states(input.states) {
    SetMonthOf(input.monthCount);
    m_continuePrevious = m_states[m_month] == MonthState::NotInitialised &&
                         m_states[Before(m_month)] == MonthState::Open && input.day < 8;
}

void MonthDialogPresenter::SetMonthOf(MonthCount count) {
    m_count = count;
    m_month = MonthIndexOf(count);
    m_yearIndex = YearIndexOf(count);
}

std::string MonthDialogPresenter::WarningText() {
    return std::string(Str(StrId::ReportDeadline));
}

bool MonthDialogPresenter::ShowsContinue() const {
    return m_states[MonthIndexOf(m_input.monthCount)] == MonthState::Closed || m_continuePrevious;
}

std::string MonthDialogPresenter::ContinueText() const {
    const MonthIndex working = MonthIndexOf(m_input.monthCount);
    return FormatArgs(Str(StrId::ContinueMonth), {MonthName(m_continuePrevious ? Before(working) : working)});
}

std::string MonthDialogPresenter::StartText() const {
    const MonthIndex working = MonthIndexOf(m_input.monthCount);
    const StrId id = m_states[working] == MonthState::NotInitialised ? StrId::StartMonth : StrId::RestartMonth;
    return FormatArgs(Str(id), {MonthName(working)});
}

std::string MonthDialogPresenter::EarlyStartText() const {
    return FormatArgs(Str(StrId::StartMonth), {MonthName(MonthIndexOf(m_input.monthCount + 1))});
}

MonthChoice MonthDialogPresenter::Continue() {
    if (m_continuePrevious)
        SetMonthOf(static_cast<MonthCount>(m_count - 1));
    m_states[m_month] = MonthState::Open;
    m_count = ToMonthCount(2000 + m_yearIndex, m_month);
    MonthChoice choice;
    choice.month = m_month;
    choice.yearIndex = m_yearIndex;
    choice.monthCount = m_count;
    choice.initialise = m_initialise;
    choice.states = m_states;
    choice.earlyStart = m_earlyStart;
    return choice;
}

std::string MonthDialogPresenter::MonthNameForQuestion(MonthIndex month) const {
    const std::string name(MonthName(month));
    if (m_input.languageTag != "french")
        return name;
    const bool vowel = !name.empty() && (name[0] == 'a' || name[0] == 'o');
    return (vowel ? "d'" : "de ") + name;
}

void MonthDialogPresenter::Advance() {
    m_states[m_month] = MonthState::NotInitialised;
    m_yearIndex = YearIndexOf(static_cast<MonthCount>(m_count + 1));
    m_count = static_cast<MonthCount>(m_count + 1);
    const auto early = static_cast<MonthCount>(m_count + 1);
    m_earlyStart = std::pair{YearIndexOf(early), MonthIndexOf(early) + 1};
}

std::optional<MonthChoice> MonthDialogPresenter::Start(Prompter& prompter) {
    m_continuePrevious = false;
    if (m_input.day > 5 && (m_states[m_month] != MonthState::NotInitialised || m_earlyNext)) {
        const std::string name = MonthNameForQuestion(m_month);
        const std::string question =
            FormatPrintf(std::string(Str(StrId::ConfirmErase)).c_str(), name.c_str(), name.c_str());
        if (prompter.Ask(question, Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
            return std::nullopt;
    }
    if (m_earlyNext)
        Advance();
    m_initialise = true;
    m_states[m_month] = MonthState::NotInitialised;
    m_states[(m_month + 1) % kMonthsPerYear] = MonthState::NotInitialised;
    return Continue();
}

std::optional<MonthChoice> MonthDialogPresenter::StartEarly(Prompter& prompter) {
    m_month = MonthIndexOf(static_cast<MonthCount>(m_count + 1));
    m_earlyNext = true;
    std::optional<MonthChoice> choice = Start(prompter);
    m_earlyNext = false;
    m_month = MonthIndexOf(m_count);
    return choice;
}

} // namespace vardo

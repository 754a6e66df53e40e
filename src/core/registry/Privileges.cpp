#include "core/registry/Privileges.h"

namespace vardo {

PrivilegesPresenter::PrivilegesPresenter(const PrivilegesInput& input)
    : m_name(input.displayName), m_maleRowsEnabled(!input.existingPerson || input.male),
      m_years(PrivilegeYearRange(input.workingYear)), m_boxes(input.boxes) {
    for (int i = 0; i < kPrivilegeRows; ++i) {
        const auto row = static_cast<PrivilegeRow>(i);
        const bool maleRow = row == PrivilegeRow::MinisterialServant || row == PrivilegeRow::Elder;
        if (maleRow && !input.male)
            continue;
        m_start[Index(row)] = ParseDate(input.start[Index(row)], m_years);
        m_end[Index(row)] = ParseDate(input.end[Index(row)], m_years);
    }
    UpdateEnds();
    for (int i = 0; i < kPrivilegeRows; ++i)
        if (input.tickedThisEdit[static_cast<std::size_t>(i)])
            m_start[static_cast<std::size_t>(i)] = PickerDate{};
    UpdateEnds();
}

std::string PrivilegesPresenter::Caption(std::string_view dialogCaption) const {
    return std::string(dialogCaption) + " - " + m_name;
}

bool PrivilegesPresenter::RowEnabled(PrivilegeRow row) const {
    if (row == PrivilegeRow::MinisterialServant || row == PrivilegeRow::Elder)
        return m_maleRowsEnabled;
    return true;
}

void PrivilegesPresenter::Tick(PrivilegeRow row, bool on) {
    m_boxes.rows[Index(row)] = on;
    if (on)
        m_start[Index(row)] = PickerDate{};
}

void PrivilegesPresenter::SetBox(PrivilegeRow row, bool on) {
    if (!RowEnabled(row))
        return;
    Tick(row, on);
    if (on) {
        auto clear = [this](PrivilegeRow other) { m_boxes.rows[Index(other)] = false; };
        switch (row) {
        case PrivilegeRow::MinisterialServant:
            clear(PrivilegeRow::Elder);
            break;
        case PrivilegeRow::Elder:
            clear(PrivilegeRow::MinisterialServant);
            break;
        case PrivilegeRow::RegularPioneer:
            clear(PrivilegeRow::ContinuousAuxiliary);
            clear(PrivilegeRow::SpecialPioneer);
            m_boxes.specialFullTime = false;
            break;
        case PrivilegeRow::SpecialPioneer:
            clear(PrivilegeRow::ContinuousAuxiliary);
            clear(PrivilegeRow::RegularPioneer);
            m_boxes.specialFullTime = false;
            break;
        case PrivilegeRow::ContinuousAuxiliary:
            clear(PrivilegeRow::RegularPioneer);
            clear(PrivilegeRow::SpecialPioneer);
            break;
        }
    }
    UpdateEnds();
}

void PrivilegesPresenter::SetSpecialFullTime(bool on) {
    m_boxes.specialFullTime = on;
    if (on) {
        m_boxes.rows[Index(PrivilegeRow::SpecialPioneer)] = false;
        m_boxes.rows[Index(PrivilegeRow::RegularPioneer)] = false;
    }
    UpdateEnds();
}

void PrivilegesPresenter::SetStart(PrivilegeRow row, const PickerDate& date) {
    if (!RowEnabled(row))
        return;
    m_start[Index(row)] = date;
    UpdateEnds();
}

void PrivilegesPresenter::SetEnd(PrivilegeRow row, const PickerDate& date) {
    if (!RowEnabled(row) || !EndVisible(row))
        return;
    m_end[Index(row)] = date;
}

bool PrivilegesPresenter::EndVisible(PrivilegeRow row) const {
    return m_start[Index(row)].IsComplete() && !m_boxes.rows[Index(row)];
}

void PrivilegesPresenter::UpdateEnds() {
    for (int i = 0; i < kPrivilegeRows; ++i) {
        const auto row = static_cast<PrivilegeRow>(i);
        if (!EndVisible(row))
            m_end[Index(row)] = PickerDate{};
    }
}

} // namespace vardo

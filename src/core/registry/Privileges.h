#pragma once

// The service privileges dialog: for five privileges whether the person holds it now, and the start and
// end dates kept in the appointment table (types 1..5).

#include <array>
#include <string>

#include "core/registry/DatePicker.h"

namespace vardo {

/// The five rows of the dialog, in order; the appointment type of a row is its value + 1.
enum class PrivilegeRow { MinisterialServant = 0, Elder, RegularPioneer, ContinuousAuxiliary, SpecialPioneer };
inline constexpr int kPrivilegeRows = 5;

/// Appointment type (1..5) of a row.
constexpr int AppointmentTypeOf(PrivilegeRow row) {
    return static_cast<int>(row) + 1;
}

/// The check boxes that the dialog exchanges with the publisher editor.
struct PrivilegeBoxes {
    std::array<bool, kPrivilegeRows> rows{}; ///< indexed by PrivilegeRow
    bool specialFullTime = false;
    bool fieldMissionary = false;

    bool operator==(const PrivilegeBoxes&) const = default;
};

/// What the dialog starts from.
struct PrivilegesInput {
    std::string displayName; ///< first name first, for the caption
    bool existingPerson = false;
    bool male = false;
    PrivilegeBoxes boxes;
    /// Privileges ticked in the editor during this edit: their start pickers open blank.
    std::array<bool, kPrivilegeRows> tickedThisEdit{};
    /// Stored start and end date texts per row (from the appointment table; empty when none).
    std::array<std::string, kPrivilegeRows> start;
    std::array<std::string, kPrivilegeRows> end;
    int workingYear = 2000;
};

/// The dialog's rules: dependent boxes, the male-only rows and when the end pickers show.
class PrivilegesPresenter {
public:
    explicit PrivilegesPresenter(const PrivilegesInput& input);

    /// The dialog caption + " - " + the person's name.
    std::string Caption(std::string_view dialogCaption) const;
    YearRange Years() const { return m_years; }

    /// Rows 1 and 2 (servant, elder) are off for a person in the database who is not a man.
    bool RowEnabled(PrivilegeRow row) const;
    bool Box(PrivilegeRow row) const { return m_boxes.rows[Index(row)]; }
    void SetBox(PrivilegeRow row, bool on);
    bool SpecialFullTime() const { return m_boxes.specialFullTime; }
    void SetSpecialFullTime(bool on);
    bool FieldMissionary() const { return m_boxes.fieldMissionary; }
    void SetFieldMissionary(bool on) { m_boxes.fieldMissionary = on; }
    const PrivilegeBoxes& Boxes() const { return m_boxes; }

    const PickerDate& Start(PrivilegeRow row) const { return m_start[Index(row)]; }
    const PickerDate& End(PrivilegeRow row) const { return m_end[Index(row)]; }
    void SetStart(PrivilegeRow row, const PickerDate& date);
    void SetEnd(PrivilegeRow row, const PickerDate& date);
    /// The end pickers show when the start date is complete and the row's box is clear.
    bool EndVisible(PrivilegeRow row) const;

    /// Texts stored on OK ("%02d%02d%4d", blanks for blank parts), per row.
    std::string StartText(PrivilegeRow row) const { return ComposeAppointmentDate(Start(row)); }
    std::string EndText(PrivilegeRow row) const { return ComposeAppointmentDate(End(row)); }

private:
    static std::size_t Index(PrivilegeRow row) { return static_cast<std::size_t>(row); }
    void Tick(PrivilegeRow row, bool on);
    void UpdateEnds();

    std::string m_name;
    bool m_maleRowsEnabled = true;
    YearRange m_years;
    PrivilegeBoxes m_boxes;
    std::array<PickerDate, kPrivilegeRows> m_start{};
    std::array<PickerDate, kPrivilegeRows> m_end{};
};

} // namespace vardo

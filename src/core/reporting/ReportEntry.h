#pragma once

// The report window: one publisher's report for the working month or, after a change of month, a late
// report for an earlier month of the stored two years. All edits go to a copy of the record until Store.

#include <string>
#include <vector>

#include "core/reporting/Plausibility.h"
#include "core/reporting/ReportRules.h"
#include "core/reporting/ReportingContext.h"

namespace vardo {

class ReportEntry {
public:
    /// The window's controls in their order.
    enum class Control { Participation, Auxiliary, Hours, Studies, Ok };
    /// Keys with a meaning of their own in the number fields.
    enum class FieldKey { Space, Delete };

    /// Opens the window for a person (a record number of the database) for the working month.
    ReportEntry(const ReportingContext& context, RecordNumber record);

    // --- What the window shows --------------------------------------------------------------------------

    /// The person's name (caption and label), first name first.
    std::string Name() const;
    /// "Grupa <n>".
    std::string GroupText() const;
    /// Appointment label: "Sługa pomocniczy", "Starszy", "Ochrzczony Brat" or empty.
    std::string AppointmentText() const;
    /// A regular or special pioneer or a field missionary sees a label of the service instead of the
    /// auxiliary pioneer checkbox.
    bool PioneerKindVisible() const;
    std::string PioneerKindText() const;
    bool AuxiliaryVisible() const { return !PioneerKindVisible(); }
    bool Auxiliary() const { return m_code == PioneerCode::Auxiliary; }
    /// Ticks or clears "Pionier Pomocniczy" (ignored for a regular or special pioneer).
    void SetAuxiliary(bool on);

    bool Participation() const { return m_participation; }
    /// Clearing the participation sets the hours and the studies to "0".
    void SetParticipation(bool on);
    /// Hours show for a participating pioneer of any code or a field missionary.
    bool HoursVisible() const;
    const std::string& HoursText() const { return m_hours; }
    void SetHoursText(std::string text) { m_hours = std::move(text); }
    bool StudiesVisible() const { return m_participation; }
    const std::string& StudiesText() const { return m_studies; }
    void SetStudiesText(std::string text) { m_studies = std::move(text); }

    /// The credit label shows for a regular pioneer only.
    bool CreditVisible() const { return m_code == PioneerCode::Regular; }
    int Credit() const { return m_credit; }
    std::string CreditText() const { return CreditLabel(m_credit); }

    const std::string& Remark() const { return m_remark; }
    /// The remark edit loses focus: the text is cut to 36 characters and trimmed, an empty remark clears the
    /// credit, and the credit is computed again. The remark is stored with the report.
    void SetRemark(std::string_view text);
    /// Enter in the remark edit: the credit again from the hours field.
    void RecomputeCredit();

    /// The message lines (static 159).
    const std::vector<std::string>& Messages() const { return m_messages; }
    /// A special pioneer's report, or a late report over hours already counted: stored but not added to
    /// the working month's report.
    bool NotAdded() const { return m_notAdded; }
    /// Warnings about unlikely values as they stand in the fields.
    std::vector<Warning> Warnings() const;

    // --- Month ------------------------------------------------------------------------------------------

    MonthIndex Month() const { return m_month; }
    YearSlot Slot() const { return m_slot; }
    MonthCount Count() const { return m_count; }
    bool IsLate() const { return m_count != m_context.month.monthCount; }
    /// "Zmień &miesiąc (spóźnione sprawozdania)": the twelve month names; month m lies in the working year
    /// up to the working month and in the year before after it.
    void ChooseMonth(MonthIndex month);

    // --- Keys -------------------------------------------------------------------------------------------

    /// A key in a number field: Space gives "0", Delete an empty field.
    static std::string ApplyFieldKey(FieldKey key);
    /// Whether a typed character is taken by a number field (digits and ".").
    static bool AcceptsCharacter(char c) { return (c >= '0' && c <= '9') || c == '.'; }
    /// Left (forward false) and Right: the previous or next visible field, wrapping between the
    /// participation checkbox and the studies field.
    Control Neighbour(Control from, bool forward) const;
    /// Enter: the next visible control; nullopt-like Ok when it stores (on the studies field or OK).
    bool EnterStores(Control on) const { return on == Control::Studies || on == Control::Ok; }
    Control NextOnEnter(Control from) const;

    // --- Storing ----------------------------------------------------------------------------------------

    /// Stores the report. Refused, with a message and nothing changed, when the studies lie outside 0..63 or
    /// the hours are no number up to 65535. Returns true when the window may close.
    bool Store();
    /// The stored record was changed by the last Store.
    bool Changed() const { return m_changed; }

private:
    void Fill();
    void BuildMessages();
    bool Visible(Control control) const;

    const ReportingContext& m_context;
    RecordNumber m_record;
    PublisherRecord m_copy;
    MonthIndex m_month = 0;
    YearSlot m_slot = 0;
    MonthCount m_count = 0;
    PioneerCode m_code = PioneerCode::None;
    bool m_participation = false;
    std::string m_hours;
    std::string m_studies;
    int m_credit = 0;
    std::string m_remark;
    std::uint16_t m_remarkNumber = 0;
    bool m_remarkChanged = false;
    std::vector<std::string> m_messages;
    bool m_notAdded = false;
    bool m_changed = false;
};

} // namespace vardo

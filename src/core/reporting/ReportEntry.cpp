#include "core/reporting/ReportEntry.h"

#include <array>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"
#include "core/store/SideRecord.h"

namespace vardo {

ReportEntry::ReportEntry(const ReportingContext& context, RecordNumber record)
    : m_context(context), m_record(record), m_copy(context.database.Record(record)) {
    m_month = context.month.monthIndex;
    m_slot = context.month.SlotOf(m_month);
    m_count = context.month.monthCount;
    Fill();
}

std::string ReportEntry::Name() const {
    return m_context.database.DisplayNameOfRecord(m_record, false);
}

std::string ReportEntry::GroupText() const {
    return std::string(Str(StrId::GroupLabel)) + " " + std::to_string(m_copy.Group());
}

std::string ReportEntry::AppointmentText() const {
    switch (m_copy.GetAppointment()) {
    case Appointment::MinisterialServant:
        return std::string(Str(StrId::MinisterialServant));
    case Appointment::Elder:
        return std::string(Str(StrId::Elder));
    case Appointment::BaptizedBrother:
        return std::string(Str(StrId::BaptizedBrother));
    case Appointment::None:
        break;
    }
    return {};
}

bool ReportEntry::PioneerKindVisible() const {
    return (static_cast<int>(m_code) & 2) != 0 || m_copy.IsFieldMissionary();
}

std::string ReportEntry::PioneerKindText() const {
    if (!PioneerKindVisible())
        return {};
    if (m_copy.IsFieldMissionary())
        return std::string(Str(StrId::FieldMissionary));
    if (m_code == PioneerCode::Special)
        return std::string(Str(StrId::SpecialPioneer));
    return std::string(Str(StrId::RegularPioneer));
}

void ReportEntry::SetAuxiliary(bool on) {
    if ((static_cast<int>(m_code) & 2) != 0)
        return;
    m_code = on ? PioneerCode::Auxiliary : PioneerCode::None;
}

void ReportEntry::SetParticipation(bool on) {
    m_participation = on;
    if (!on) {
        m_hours = "0";
        m_studies = "0";
    }
}

bool ReportEntry::HoursVisible() const {
    return m_participation && (m_code != PioneerCode::None || m_copy.IsFieldMissionary());
}

void ReportEntry::SetRemark(std::string_view text) {
    const std::string cut = sidetext::CutToCharacters(text, kTypedRemarkMax);
    const std::string trimmed(sidetext::Trim(cut));
    if (trimmed != m_remark)
        m_remarkChanged = true;
    m_remark = trimmed;
    if (m_remark.empty())
        m_credit = 0;
    RecomputeCredit();
}

void ReportEntry::RecomputeCredit() {
    if (m_code != PioneerCode::Regular)
        return;
    const Result<int> hours = ParseWholeNumber(m_hours, 0, 65535);
    CreditResult result = ComputeCredit(hours.value_or(0), m_credit, m_remark);
    m_credit = result.credit;
    if (result.remark != m_remark) {
        m_remark = std::move(result.remark);
        m_remarkChanged = true;
    }
}

void ReportEntry::Fill() {
    const ReportCell cell = m_copy.Cell(m_month, m_slot);
    m_code = cell.Pioneer();
    m_hours = std::to_string(cell.hours);
    m_studies = std::to_string(cell.BibleStudies());
    m_participation = cell.Flag() || m_hours.size() > 1 || cell.hours != 0;
    const RemarkSlot remark = RemarkText(m_context.remarks, m_copy, m_month, m_slot);
    m_remark = remark.text;
    m_remarkNumber = remark.number;
    m_remarkChanged = false;
    m_credit = cell.creditHours;
    if (m_code == PioneerCode::Regular) {
        const CreditResult result = ComputeCredit(cell.hours, m_credit, m_remark);
        m_credit = result.credit;
        if (result.remark != m_remark) {
            m_remark = result.remark;
            m_remarkChanged = true;
        }
    }
    BuildMessages();
}

void ReportEntry::BuildMessages() {
    m_messages.clear();
    m_notAdded = false;
    const WorkingMonth& working = m_context.month;
    const std::string workingName(MonthName(working.monthIndex));
    const bool recorded = HasReport(m_copy, m_month, m_slot);
    if (recorded)
        m_messages.push_back(FormatArgs(Str(StrId::AlreadyEntered), {MonthName(m_month), Name()}));
    const PioneerCode workingCode = m_copy.Pioneer(working.monthIndex, working.SlotOf(working.monthIndex));
    if (workingCode == PioneerCode::Special || m_code == PioneerCode::Special) {
        m_messages.emplace_back(Str(StrId::SpecialNotIncluded));
        m_notAdded = true;
    } else if (IsLate()) {
        if (!recorded || m_context.IsLateReport(m_copy, m_month)) {
            m_messages.push_back(FormatArgs(Str(StrId::VisibleInReport), {workingName}));
        } else {
            m_messages.push_back(FormatArgs(Str(StrId::NotAddedToReport), {workingName}));
            m_notAdded = true;
        }
    } else if (recorded) {
        m_messages.push_back(FormatArgs(Str(StrId::VisibleInReport), {workingName}));
    }
}

std::vector<Warning> ReportEntry::Warnings() const {
    ReportCell cell = m_copy.Cell(m_month, m_slot);
    cell.hours = static_cast<std::uint16_t>(ParseWholeNumber(m_hours, 0, 65535).value_or(0));
    cell.studyWord = static_cast<std::uint16_t>(ParseWholeNumber(m_studies, 0, 1023).value_or(0));
    cell.SetFlag(m_participation);
    cell.SetPioneer(m_code);
    return CheckPlausibility(m_copy, cell, m_count, m_context.month.monthCount);
}

void ReportEntry::ChooseMonth(MonthIndex month) {
    if (!IsMonthIndex(month))
        return;
    const WorkingMonth& working = m_context.month;
    const bool previousYear = month > working.monthIndex;
    m_month = month;
    m_slot = working.SlotOf(month);
    m_count = static_cast<MonthCount>((working.yearIndex - (previousYear ? 1 : 0)) * kMonthsPerYear + month);
    Fill();
}

std::string ReportEntry::ApplyFieldKey(FieldKey key) {
    return key == FieldKey::Space ? "0" : "";
}

bool ReportEntry::Visible(Control control) const {
    switch (control) {
    case Control::Participation:
    case Control::Ok:
        return true;
    case Control::Auxiliary:
        return AuxiliaryVisible();
    case Control::Hours:
        return HoursVisible();
    case Control::Studies:
        return StudiesVisible();
    }
    return false;
}

ReportEntry::Control ReportEntry::Neighbour(Control from, bool forward) const {
    // Left and Right walk the participation checkbox and the visible number fields in a ring.
    std::vector<Control> ring{Control::Participation};
    if (HoursVisible())
        ring.push_back(Control::Hours);
    if (StudiesVisible())
        ring.push_back(Control::Studies);
    std::size_t at = 0;
    for (std::size_t i = 0; i < ring.size(); ++i)
        if (ring[i] == from)
            at = i;
    const std::size_t n = ring.size();
    return ring[forward ? (at + 1) % n : (at + n - 1) % n];
}

ReportEntry::Control ReportEntry::NextOnEnter(Control from) const {
    static constexpr std::array kOrder{Control::Participation, Control::Auxiliary, Control::Hours, Control::Studies,
                                       Control::Ok};
    std::size_t at = 0;
    for (std::size_t i = 0; i < kOrder.size(); ++i)
        if (kOrder[i] == from)
            at = i;
    for (std::size_t i = at + 1; i < kOrder.size(); ++i)
        if (Visible(kOrder[i]))
            return kOrder[i];
    return Control::Ok;
}

bool ReportEntry::Store() {
    m_changed = false;
    const Result<int> hours = ParseWholeNumber(m_hours, 0, 65535);
    if (!hours) {
        m_context.prompter.Message(hours.error(), Severity::Warning);
        return false;
    }
    const Result<int> studies = ParseWholeNumber(m_studies, 0, 63);
    if (!studies) {
        m_context.prompter.Message(studies.error(), Severity::Warning);
        return false;
    }
    DocumentChange change(m_context.changes, "Sprawozdanie");
    change.Touch(DataArea::Register | DataArea::Remarks | DataArea::MonthCycle);
    RecomputeCredit();
    PublisherRecord& stored = m_context.database.Record(m_record);
    const ReportCell before = stored.Cell(m_month, m_slot);
    ReportCell cell = m_copy.Cell(m_month, m_slot);
    cell.hours = static_cast<std::uint16_t>(hours.value());
    cell.studyWord = static_cast<std::uint16_t>(studies.value());
    cell.SetFlag(m_participation || hours.value() != 0 || studies.value() != 0);
    if ((static_cast<int>(m_code) & 2) == 0)
        cell.SetPioneer(m_code);
    if (m_code == PioneerCode::Regular)
        cell.creditHours = static_cast<std::uint16_t>(m_credit);
    m_copy.SetCell(m_month, m_slot, cell);

    bool remarkStored = false;
    if (m_remarkChanged) {
        const Result<bool> remarkResult =
            StoreRemark(m_context.remarks, m_copy, m_month, m_slot, m_remarkNumber, m_remark, m_context.prompter);
        remarkStored = remarkResult.ok() && remarkResult.value();
        m_remarkChanged = false;
    }
    cell = m_copy.Cell(m_month, m_slot);
    const bool differs = cell.placements != before.placements || cell.videos != before.videos ||
                         cell.hours != before.hours || cell.returnVisits != before.returnVisits ||
                         cell.studyWord != before.studyWord || cell.pioneerByte != before.pioneerByte ||
                         cell.creditHours != before.creditHours || cell.remark != before.remark;
    if (differs) {
        stored.SetCell(m_month, m_slot, cell);
        if (IsLate() && !m_notAdded)
            m_context.AddLateReport(stored, m_month);
        if (m_context.setLastEntered)
            m_context.setLastEntered(stored.Id());
        m_changed = true;
    }
    if (differs || remarkStored)
        change.Commit();
    return true;
}

} // namespace vardo

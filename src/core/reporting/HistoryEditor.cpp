#include "core/reporting/HistoryEditor.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

// Values of a CardTotals category that the fields edit; the hours' quarters are value 7.
constexpr int kTotalsPlacements = 0;
constexpr int kTotalsVideos = 1;
constexpr int kTotalsHours = 2;
constexpr int kTotalsReturnVisits = 3;
constexpr int kTotalsStudies = 4;
constexpr int kTotalsActive = 5;
constexpr int kTotalsQuarters = 7;
constexpr int kTotalsReports = 8;

Result<int> ParseCount(std::string_view text, int max) {
    return ParseWholeNumber(text, 0, max);
}

} // namespace

HistoryEditor::HistoryEditor(const ReportingContext& context, Mode mode, RecordNumber record)
    : m_context(context), m_mode(mode == Mode::Totals ? Mode::Publisher : mode), m_personMode(m_mode),
      m_anchorYear(context.month.yearIndex), m_totals(CardTotals::FromBytes(context.cardTotals.Bytes())) {
    const PublisherDatabase& db = context.database;
    if (m_mode == Mode::Inactive) {
        if (db.IsPerson(record)) {
            m_persons.push_back({record, db.DisplayNameOfRecord(record, db.SortsLastNameFirst())});
            m_anchorYear = static_cast<std::int8_t>(db.Record(record).StatusYear());
        }
    } else {
        for (const IndexEntry& entry : db.List(PublisherCategory::Publisher))
            m_persons.push_back(
                {entry.recordNumber, db.DisplayNameOfRecord(entry.recordNumber, db.SortsLastNameFirst())});
    }
    m_person = m_persons.empty() ? -1 : 0;
    const MonthIndex w = context.month.monthIndex;
    // In January the working year offers no month yet: the default is December of the year before.
    if (w == 0) {
        m_year = 1;
        m_month = 11;
    } else {
        m_year = 2;
        m_month = w - 1;
    }
    if (mode == Mode::Totals)
        m_mode = Mode::Totals;
    Load();
}

RecordNumber HistoryEditor::Record() const {
    return m_person >= 0 ? m_persons[static_cast<std::size_t>(m_person)].record : 0;
}

bool HistoryEditor::SetTotalsMode(bool on) {
    if (on == (m_mode == Mode::Totals))
        return true;
    if (!Store())
        return false;
    if (!on)
        CommitTotals();
    m_mode = on ? Mode::Totals : m_personMode;
    const std::vector<MonthIndex> months = MonthItems();
    if (std::find(months.begin(), months.end(), m_month) == months.end() && !months.empty())
        m_month = months.front();
    Load();
    return true;
}

bool HistoryEditor::SetPersonChoice(int row) {
    if (row < 0 || row >= static_cast<int>(m_persons.size()))
        return false;
    if (!Store())
        return false;
    m_person = row;
    Load();
    return true;
}

int HistoryEditor::YearIndexOfChoice(int k) const {
    return m_anchorYear - 2 + k;
}

std::vector<std::string> HistoryEditor::YearItems() const {
    std::vector<std::string> items;
    for (int k = 0; k < 3; ++k)
        items.push_back(std::to_string(2000 + YearIndexOfChoice(k)));
    return items;
}

std::vector<MonthIndex> HistoryEditor::MonthsOfYear(int k) const {
    const MonthIndex w = m_context.month.monthIndex;
    std::vector<MonthIndex> months;
    if (k == 2) {
        for (MonthIndex m = 0; m < w; ++m)
            months.push_back(m);
    } else if (k == 1) {
        for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
            months.push_back(m);
    } else {
        if (m_mode != Mode::Totals && m_context.database.Header().GetMonthState(w) == MonthState::NotInitialised)
            months.push_back(w);
        for (MonthIndex m = w + 1; m < kMonthsPerYear; ++m)
            months.push_back(m);
    }
    return months;
}

bool HistoryEditor::SetYearChoice(int choice) {
    if (choice < 0 || choice > 2)
        return false;
    if (!Store())
        return false;
    const MonthIndex w = m_context.month.monthIndex;
    if ((w == 11 && choice == 0) || (w == 0 && choice == 2))
        choice = 1;
    m_year = choice;
    const std::vector<MonthIndex> months = MonthItems();
    if (std::find(months.begin(), months.end(), m_month) == months.end() && !months.empty())
        m_month = months.front();
    Load();
    return true;
}

bool HistoryEditor::SetMonthChoice(MonthIndex month) {
    const std::vector<MonthIndex> months = MonthItems();
    if (std::find(months.begin(), months.end(), month) == months.end())
        return false;
    if (!Store())
        return false;
    m_month = month;
    Load();
    return true;
}

bool HistoryEditor::ChooseMonthCount(MonthCount count) {
    const int k = YearIndexOf(count) - m_anchorYear + 2;
    if (k < 0 || k > 2)
        return false;
    const std::vector<MonthIndex> months = MonthsOfYear(k);
    if (std::find(months.begin(), months.end(), MonthIndexOf(count)) == months.end())
        return false;
    m_year = k;
    m_month = MonthIndexOf(count);
    Load();
    return true;
}

MonthCount HistoryEditor::ChosenCount() const {
    return static_cast<MonthCount>(YearIndexOfChoice(m_year) * kMonthsPerYear + m_month);
}

YearSlot HistoryEditor::ChosenSlot() const {
    return ParitySlot(YearIndexOfChoice(m_year));
}

bool HistoryEditor::NewFormat() const {
    return IsNewReportFormat(ChosenCount());
}

bool HistoryEditor::HoursVisible() const {
    if (CountsVisible())
        return true;
    return m_fields.flag && (m_fields.auxiliary || m_fields.regular || m_fields.special);
}

std::vector<std::string> HistoryEditor::TotalsRows() {
    return {std::string(Str(StrId::TotalsPublishers)), std::string(Str(StrId::AuxiliaryPioneers)),
            std::string(Str(StrId::TotalsPioneers)), std::string(Str(StrId::TotalsActive))};
}

std::string HistoryEditor::TotalsHint() {
    return std::string(Str(StrId::TotalsHint));
}

bool HistoryEditor::SetTotalsRow(int row) {
    if (row < 0 || row > 3)
        return false;
    if (!Store())
        return false;
    m_totalsRow = row;
    Load();
    return true;
}

bool HistoryEditor::SetTotalsPioneerKind(PioneerCode code) {
    if (code != PioneerCode::Regular && code != PioneerCode::Special)
        return false;
    if (!Store())
        return false;
    m_totalsKind = code;
    Load();
    return true;
}

bool HistoryEditor::TotalsFieldsEnabled() const {
    return m_totalsRow != 2 || m_totalsKind != PioneerCode::None;
}

int HistoryEditor::TotalsCategory() const {
    switch (m_totalsRow) {
    case 1:
        return 1;
    case 2:
        return m_totalsKind == PioneerCode::Special ? 3 : 2;
    default:
        return 0;
    }
}

void HistoryEditor::Load() {
    m_fields = Fields{};
    m_lateShown = false;
    const MonthIndex m = m_month;
    const YearSlot slot = ChosenSlot();
    if (m_mode == Mode::Totals) {
        if (TotalsFieldsEnabled()) {
            const int c = TotalsCategory();
            const auto value = [&](int v) { return m_totals.Value(m, c, v, slot); };
            if (m_totalsRow == 3) {
                m_fields.credit = std::to_string(value(kTotalsActive));
            } else {
                m_fields.placements = std::to_string(value(kTotalsPlacements));
                m_fields.videos = std::to_string(value(kTotalsVideos));
                m_fields.hours = FormatHours(value(kTotalsHours), value(kTotalsQuarters) & 3);
                m_fields.returnVisits = std::to_string(value(kTotalsReturnVisits));
                m_fields.studies = std::to_string(value(kTotalsStudies));
                m_fields.credit = std::to_string(value(kTotalsReports));
            }
        }
        m_loaded = m_fields;
        return;
    }
    const RecordNumber record = Record();
    if (record == 0) {
        m_loaded = m_fields;
        return;
    }
    const PublisherRecord& person = m_context.database.Record(record);
    const ReportCell cell = person.Cell(m, slot);
    m_fields.placements = std::to_string(cell.placements);
    m_fields.videos = std::to_string(cell.videos);
    m_fields.hours = FormatHours(cell.hours, cell.QuarterHours());
    m_fields.returnVisits = std::to_string(cell.returnVisits);
    m_fields.studies = std::to_string(cell.BibleStudies());
    m_fields.flag = cell.Flag();
    m_fields.auxiliary = cell.Pioneer() == PioneerCode::Auxiliary;
    m_fields.regular = cell.Pioneer() == PioneerCode::Regular;
    m_fields.special = cell.Pioneer() == PioneerCode::Special;
    if ((static_cast<int>(cell.Pioneer()) & 2) != 0)
        m_fields.credit = std::to_string(cell.creditHours);
    m_fields.remark = RemarkText(m_context.remarks, person, m, slot).text;
    m_lateShown = cell.lateMarker == m_context.month.monthIndex + 1;
    m_fields.late = m_lateShown;
    m_loaded = m_fields;
}

bool HistoryEditor::Store() {
    return m_mode == Mode::Totals ? StoreTotals() : StorePerson();
}

bool HistoryEditor::StorePerson() {
    const RecordNumber record = Record();
    if (record == 0)
        return true;
    Prompter& prompter = m_context.prompter;
    const Result<int> placements = ParseCount(m_fields.placements, 65535);
    const Result<int> videos = ParseCount(m_fields.videos, 65535);
    const Result<int> returnVisits = ParseCount(m_fields.returnVisits, 65535);
    const Result<int> studies = ParseCount(m_fields.studies, 1023);
    const Result<int> credit = ParseCount(m_fields.credit, 65535);
    const Result<HoursValue> hours = ParseHours(m_fields.hours);
    for (const Status& status : {placements.status(), videos.status(), returnVisits.status(), studies.status(),
                                 credit.status(), hours.status()}) {
        if (!status) {
            prompter.Message(status.message(), Severity::Warning);
            return false;
        }
    }
    PublisherRecord& person = m_context.database.Record(record);
    const MonthIndex m = m_month;
    const YearSlot slot = ChosenSlot();
    const ReportCell before = person.Cell(m, slot);
    ReportCell cell = before;
    cell.placements = static_cast<std::uint16_t>(placements.value());
    cell.videos = static_cast<std::uint16_t>(videos.value());
    cell.hours = static_cast<std::uint16_t>(hours.value().hours);
    cell.returnVisits = static_cast<std::uint16_t>(returnVisits.value());
    cell.studyWord = static_cast<std::uint16_t>(studies.value());
    cell.SetQuarterHours(hours.value().quarters);
    const bool anyTime = hours.value().hours != 0 || hours.value().quarters != 0;
    if (NewFormat())
        cell.SetFlag(m_fields.flag || anyTime || studies.value() != 0);
    else
        cell.SetFlag(m_fields.flag && !anyTime);
    const PioneerCode code = m_fields.auxiliary ? PioneerCode::Auxiliary
                             : m_fields.regular ? PioneerCode::Regular
                             : m_fields.special ? PioneerCode::Special
                                                : PioneerCode::None;
    cell.SetPioneer(code);
    const std::uint8_t thisMonth = static_cast<std::uint8_t>(m_context.month.monthIndex + 1);
    if (m_fields.late)
        cell.lateMarker = thisMonth;
    else if (m_lateShown || m_loaded.late != m_fields.late)
        cell.lateMarker = 0;
    // The credit belongs to regular and special pioneers; another code keeps what is stored.
    if ((static_cast<int>(code) & 2) != 0)
        cell.creditHours = static_cast<std::uint16_t>(credit.value());

    DocumentChange change(m_context.changes, "Historia sprawozdań");
    change.Touch(DataArea::Register | DataArea::Remarks);
    bool changed = false;
    PublisherRecord copy = person;
    copy.SetCell(m, slot, cell);
    if (m_fields.remark != m_loaded.remark) {
        const RemarkSlot remark = RemarkText(m_context.remarks, copy, m, slot);
        const Result<bool> stored =
            StoreRemark(m_context.remarks, copy, m, slot, remark.number, m_fields.remark, prompter);
        changed = stored.ok() && stored.value();
        cell = copy.Cell(m, slot);
    }
    if (!(cell == before)) {
        person.SetCell(m, slot, cell);
        changed = true;
    }
    if (changed)
        change.Commit();
    m_loaded = m_fields;
    m_lateShown = cell.lateMarker == thisMonth;
    return true;
}

bool HistoryEditor::StoreTotals() {
    if (!TotalsFieldsEnabled())
        return true;
    Prompter& prompter = m_context.prompter;
    const MonthIndex m = m_month;
    const YearSlot slot = ChosenSlot();
    const int c = TotalsCategory();
    const Result<int> credit = ParseCount(m_fields.credit, 65535);
    if (!credit) {
        prompter.Message(credit.error(), Severity::Warning);
        return false;
    }
    if (m_totalsRow == 3) {
        m_totals.SetValue(m, 0, kTotalsActive, slot, static_cast<std::uint16_t>(credit.value()));
        return true;
    }
    const Result<int> placements = ParseCount(m_fields.placements, 65535);
    const Result<int> videos = ParseCount(m_fields.videos, 65535);
    const Result<int> returnVisits = ParseCount(m_fields.returnVisits, 65535);
    const Result<int> studies = ParseCount(m_fields.studies, 65535);
    const Result<HoursValue> hours = ParseHours(m_fields.hours);
    for (const Status& status :
         {placements.status(), videos.status(), returnVisits.status(), studies.status(), hours.status()}) {
        if (!status) {
            prompter.Message(status.message(), Severity::Warning);
            return false;
        }
    }
    const auto set = [&](int v, int amount) { m_totals.SetValue(m, c, v, slot, static_cast<std::uint16_t>(amount)); };
    set(kTotalsPlacements, placements.value());
    set(kTotalsVideos, videos.value());
    set(kTotalsReturnVisits, returnVisits.value());
    set(kTotalsStudies, studies.value());
    set(kTotalsReports, credit.value());
    // A quarter sum of four or more cannot be shown in the field; it stays unless the hours were edited.
    if (m_fields.hours != m_loaded.hours) {
        set(kTotalsHours, hours.value().hours);
        set(kTotalsQuarters, hours.value().quarters);
    }
    m_loaded = m_fields;
    return true;
}

void HistoryEditor::CommitTotals() {
    if (m_totals.Bytes() == m_context.cardTotals.Bytes())
        return;
    DocumentChange change(m_context.changes, "Sumy miesięczne");
    change.Touch(DataArea::CardTotals);
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        for (int c = 0; c < CardTotals::kCategories; ++c)
            for (int v = 0; v < CardTotals::kValues; ++v)
                for (YearSlot s = 0; s < CardTotals::kSlots; ++s)
                    m_context.cardTotals.SetValue(m, c, v, s, m_totals.Value(m, c, v, s));
    change.Commit();
}

std::vector<Warning> HistoryEditor::Warnings() const {
    const RecordNumber record = Record();
    if (m_mode == Mode::Totals || record == 0)
        return {};
    const PublisherRecord& person = m_context.database.Record(record);
    ReportCell cell = person.Cell(m_month, ChosenSlot());
    const HoursValue hours = ParseHours(m_fields.hours).value_or({});
    cell.hours = static_cast<std::uint16_t>(hours.hours);
    cell.studyWord = static_cast<std::uint16_t>(ParseCount(m_fields.studies, 1023).value_or(0));
    cell.SetQuarterHours(hours.quarters);
    cell.SetFlag(m_fields.flag);
    cell.SetPioneer(m_fields.auxiliary ? PioneerCode::Auxiliary
                    : m_fields.regular ? PioneerCode::Regular
                    : m_fields.special ? PioneerCode::Special
                                       : PioneerCode::None);
    return CheckPlausibility(person, cell, ChosenCount(), m_context.month.monthCount);
}

void HistoryEditor::SetWalkPersons(bool on) {
    m_walkPersons = on;
    if (on)
        m_walkMonths = false;
}

void HistoryEditor::SetWalkMonths(bool on) {
    m_walkMonths = on;
    if (on)
        m_walkPersons = false;
}

bool HistoryEditor::Enter() {
    if (!Store())
        return false;
    if (m_walkPersons && m_mode != Mode::Totals && !m_persons.empty()) {
        m_person = (m_person + 1) % static_cast<int>(m_persons.size());
        Load();
    } else if (m_walkMonths) {
        std::vector<std::pair<int, MonthIndex>> walk;
        for (int k = 0; k < 3; ++k)
            for (MonthIndex m : MonthsOfYear(k))
                walk.emplace_back(k, m);
        if (!walk.empty()) {
            std::size_t at = 0;
            for (std::size_t i = 0; i < walk.size(); ++i)
                if (walk[i].first == m_year && walk[i].second == m_month)
                    at = i;
            const auto& next = walk[(at + 1) % walk.size()];
            m_year = next.first;
            m_month = next.second;
            Load();
        }
    }
    return true;
}

bool HistoryEditor::Close() {
    if (!Store())
        return false;
    CommitTotals();
    return true;
}

} // namespace vardo

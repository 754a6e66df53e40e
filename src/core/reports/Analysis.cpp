#include "core/reports/Analysis.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/Strings.h"
#include "core/reporting/Attendance.h"
#include "core/reporting/ActivityStatus.h"
#include "core/reporting/MonthTotals.h"
#include "core/reporting/ReportRules.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

std::string Str_(StrId id) {
    return std::string(Str(id));
}

// One drawing (or, with `draw` off, its page-count pass): both walk the same lines, so they agree on pages.
class AnalysisDrawer {
public:
    AnalysisDrawer(const AnalysisSource& source, Canvas& canvas, const ReportEnvironment& environment,
                   AnalysisVariant variant, bool draw)
        : m_source(source), m_db(*source.database), m_canvas(canvas), m_env(environment), m_variant(variant),
          m_draw(draw), m_month(source.workingMonth.monthIndex), m_slot(source.workingMonth.SlotOf(m_month)) {
        m_metrics = BeginPageMetrics(canvas, environment);
        m_title = ReportFontFor(canvas, environment, ReportFontId::Title);
        m_subtitleFont = ReportFontFor(canvas, environment, ReportFontId::Subtitle);
        m_header = ReportFontFor(canvas, environment, ReportFontId::Header);
        m_text = ReportFontFor(canvas, environment, ReportFontId::Text);
        canvas.SetFont(m_text);
        m_metrics.lineHeight = ReportLineHeight(canvas.Metrics(), m_metrics.dpiY, environment.options.gridLines);
        m_metrics.linesPerPage = LinesPerPage(UsableHeight(m_metrics.dpiY, environment.a4), m_metrics.lineHeight);
        m_averageWidth = std::max(canvas.Metrics().averageWidth, 1);
        const int dpi = m_metrics.dpiX;
        const int step = dpi / 2 + dpi / 5;
        c3 = m_metrics.left + dpi / 10 * 25 + step;
        c4 = c3 + step;
        c5 = c4 + step + (environment.languageTag == "greek" ? dpi / 7 : 0);
        c6 = c5 + step;
        c7 = c6;
        c8 = c7 + dpi;
        c9 = c8 + dpi / 3;
        m_metrics.title = Title();
        m_metrics.subtitle = Subtitle();
    }

    int Run() {
        if (m_db.PersonCount() == 0)
            return 1;
        StartPage(false);
        if (m_variant.variant == 2) {
            AttendanceSection(true);
            return m_page + 1;
        }
        if (m_variant.variant == 0) {
            List();
        } else {
            // The summary counts the list without drawing it.
            const bool draw = m_draw;
            const int line = m_line;
            m_draw = false;
            List();
            m_draw = draw;
            m_page = 0;
            m_line = line;
        }
        const int pageBefore = m_page;
        Summary();
        if (m_variant.group != 0)
            return m_page + 1;
        if (m_page == pageBefore && m_variant.variant == 0 && m_line > 18)
            StartPage(true);
        BranchTable();
        AttendanceSection(false);
        return m_page + 1;
    }

    const AnalysisCounts& Counts() const { return m_counts; }

private:
    int X(int num, int den = 1) const { return m_metrics.dpiX * num / den; }
    int PageTopOf(int page) const { return PageTop(page, m_env.pageHeightTenths, m_metrics.dpiY, m_metrics.topMargin); }
    int Y() const { return PageTopOf(m_page) + m_line * m_metrics.lineHeight; }
    bool Shows(int top, int lines) const {
        return m_draw &&
               m_canvas.MayShow(Rect{0, top - m_metrics.lineHeight, X(9), top + lines * m_metrics.lineHeight});
    }
    void Text(const LogicalFont& font, HAlign align, int x, int y, const std::string& text) {
        if (!m_draw || text.empty())
            return;
        m_canvas.SetFont(font);
        m_canvas.SetTextAlign({align, VAlign::Top});
        m_canvas.DrawText(x, y, text);
    }

    std::string Title() const {
        const std::string month(MonthName(m_month));
        const std::string& congregation = m_env.options.congregationName;
        if (m_variant.group != 0) {
            const int g = m_variant.group - 1;
            const bool named = m_source.groups && m_source.groups->UsesName(g) && m_source.groups->Name(g).size() > 1;
            return named ? FormatArgs(Str(StrId::AnalysisGroupNamedTitle), {month, m_source.groups->Name(g)})
                         : FormatArgs(Str(StrId::AnalysisGroupNumberTitle), {month, std::to_string(g + 1)});
        }
        std::string title = m_variant.variant == 1 ? FormatArgs(Str(StrId::AnalysisSummaryTitle), {month})
                                                   : Str_(StrId::AnalysisWholeTitle) + " " + month;
        if (!congregation.empty())
            title += " - " + congregation;
        return title;
    }

    std::string Subtitle() const {
        if (m_variant.group == 0 || !m_source.groups)
            return {};
        const int g = m_variant.group - 1;
        const std::string overseer = m_source.groups->Overseer(g);
        if (overseer.empty())
            return {};
        bool servant = false;
        for (const IndexEntry& entry : m_db.List(PublisherCategory::Publisher))
            if (m_db.DisplayNameOfRecord(entry.recordNumber, false) == overseer ||
                m_db.DisplayNameOfRecord(entry.recordNumber, true) == overseer)
                servant = entry.record->GetAppointment() == Appointment::MinisterialServant;
        return FormatArgs(Str(servant ? StrId::ServantOverseer : StrId::OtherOverseer), {overseer});
    }

    // Moves to a new page (when `next`) and draws the page header; the line counter stands after it.
    void StartPage(bool next) {
        if (next)
            ++m_page;
        const int top = PageTopOf(m_page);
        const bool subtitle = !m_metrics.subtitle.empty();
        if (Shows(top, 4)) {
            m_canvas.SetFont(m_title);
            m_canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
            m_canvas.DrawText(m_metrics.left, top, m_metrics.title);
            DrawDateStamp(m_canvas, m_env, X(29, 4), top, m_metrics.deviceDiffers, VAlign::Bottom);
            if (subtitle) {
                const int y = top + m_metrics.lineHeight / 2;
                Text(m_subtitleFont, HAlign::Left, m_metrics.left, y, m_metrics.subtitle);
                const std::string assistant = m_source.groups->Assistant(m_variant.group - 1);
                if (!assistant.empty())
                    Text(m_subtitleFont, HAlign::Left, c5, y, Str_(StrId::AssistantWord) + ": " + assistant);
            }
            const int y = top + (subtitle ? 3 : 2) * m_metrics.lineHeight - m_metrics.lineHeight;
            const bool summary = m_variant.variant == 1;
            if (m_variant.variant != 2) {
                if (!summary)
                    Text(m_header, HAlign::Left, m_metrics.left, y, Str_(StrId::NameHeading));
                Text(m_header, HAlign::Right, c3, y, Str_(StrId::ParticipatedHeading));
                Text(m_header, HAlign::Right, c4, y, Str_(StrId::StudiesLabel));
                if (!summary)
                    Text(m_header, HAlign::Right, c5, y, Str_(StrId::AuxiliaryHeading));
                Text(m_header, HAlign::Right, c6, y, Str_(StrId::HoursLabel));
                if (summary) {
                    Text(m_header, HAlign::Right, c8, y, Str_(StrId::AverageHoursHeading));
                    Text(m_header, HAlign::Right, c8 + X(1, 10), y + m_metrics.lineHeight,
                         Str_(StrId::ThreeSixMonthsHeading));
                }
            }
        }
        m_line = subtitle ? 3 : 2;
    }

    // Room for a block of `lines` lines: a new page when it does not fit and the page holds more than its header.
    void Ensure(int lines) {
        if (m_line + lines > m_metrics.linesPerPage && m_line > 3)
            StartPage(true);
    }

    void Heading(const std::string& text) {
        Ensure(2);
        Text(m_header, HAlign::Left, m_metrics.left, Y(), text);
        ++m_line;
    }

    std::vector<const PublisherRecord*> PublishersWhere(auto&& predicate) const {
        std::vector<const PublisherRecord*> persons;
        for (const IndexEntry& entry : m_db.List(PublisherCategory::Publisher))
            if (predicate(*entry.record))
                persons.push_back(entry.record);
        return persons;
    }

    void List() {
        const int category01Max = 1;
        auto category = [&](const PublisherRecord& p) { return static_cast<int>(p.Pioneer(m_month, m_slot)); };
        if (m_variant.group != 0) {
            for (const PublisherRecord* p :
                 PublishersWhere([&](const PublisherRecord& r) { return r.Group() == m_variant.group; }))
                Publisher(*p);
            InactiveMembers();
            return;
        }
        if (m_variant.alphabetical) {
            for (const PublisherRecord* p : PublishersWhere([](const PublisherRecord&) { return true; }))
                Publisher(*p);
            return;
        }
        Heading("  " + Str_(StrId::TotalsPioneers));
        for (const PublisherRecord* p :
             PublishersWhere([&](const PublisherRecord& r) { return SectionOf(r, m_month, m_slot) == 1; }))
            Publisher(*p);
        const int groups = m_source.groups ? m_source.groups->Count() : 0;
        for (int g = 1; g <= groups; ++g) {
            const auto members = PublishersWhere(
                [&](const PublisherRecord& r) { return r.Group() == g && category(r) <= category01Max; });
            Heading(FormatPrintf("  %s %d", Str_(StrId::GroupLabel).c_str(), g));
            for (const PublisherRecord* p : members)
                Publisher(*p);
        }
        const auto unassigned = PublishersWhere([&](const PublisherRecord& r) {
            return (r.Group() == 0 || r.Group() > groups) && category(r) <= category01Max;
        });
        if (!unassigned.empty()) {
            Heading(Str_(StrId::NotInGroups));
            for (const PublisherRecord* p : unassigned)
                Publisher(*p);
        }
    }

    std::string RemarkOf(const PublisherRecord& person, MonthIndex month, YearSlot slot) const {
        if (!m_source.remarks || person.RemarkNumber(month, slot) == 0)
            return {};
        return RemarkText(*m_source.remarks, person, month, slot).text;
    }

    // Box, studies, auxiliary box and hours of one month on the line at y; returns whether it participated.
    void MonthCells(const PublisherRecord& person, MonthIndex month, YearSlot slot, int y, bool count) {
        if (!Participated(person, month, slot))
            return;
        const int category = static_cast<int>(person.Pioneer(month, slot));
        const bool excluded = person.IsSpecialFullTime() || person.IsFieldMissionary();
        const int boxBottom = y + m_metrics.lineHeight - m_metrics.lineHeight / 4;
        if (m_draw)
            DrawCheckBox(m_canvas, c3 - (c4 - c3) / 3, boxBottom, true, 9);
        const int studies = person.StudyWord(month, slot) & kStudyCountMask;
        if (studies != 0)
            Text(m_text, HAlign::Right, c4 - X(1, 5), y, FormatPrintf("%4d", studies));
        if (count && !excluded)
            m_counts.studies[static_cast<std::size_t>(category)] += studies;
        if (category == 1 && m_draw)
            DrawCheckBox(m_canvas, c5 - (c4 - c3) / 3, boxBottom, true, 9);
        const int hours = person.Hours(month, slot);
        if (hours != 0 && !excluded && category != 0) {
            Text(m_text, HAlign::Right, c6 - X(1, 6), y, FormatPrintf("%4d", hours));
            if (count)
                m_counts.hours[static_cast<std::size_t>(category)] += hours;
        }
    }

    static std::string CategoryMark(const PublisherRecord& person, int category) {
        if (person.IsSpecialFullTime())
            return "+";
        if (person.IsFieldMissionary())
            return "m";
        return category == 2 ? "p" : category == 3 ? "ps" : "";
    }

    void Publisher(const PublisherRecord& person) {
        const std::string remark = RemarkOf(person, m_month, m_slot);
        std::vector<MonthIndex> late;
        if (m_source.lateReports)
            for (const LateReportEntry& entry : m_source.lateReports->Entries())
                if (entry.id == person.Id() && entry.reportMonth < kMonthsPerYear && entry.reportMonth != m_month)
                    late.push_back(entry.reportMonth);
        int lines = 1 + (remark.empty() ? 0 : 1);
        for (MonthIndex m : late)
            lines += 1 + (RemarkOf(person, m, m_source.workingMonth.SlotOf(m)).empty() ? 0 : 1);
        Ensure(lines);
        const int blockTop = Y();
        const int category = static_cast<int>(person.Pioneer(m_month, m_slot));
        const std::size_t row = static_cast<std::size_t>(category);
        const bool show = Shows(blockTop, lines);
        const bool drawBefore = m_draw;
        m_draw = show;

        const std::string name =
            FormatPrintf(m_env.options.surnameFirst ? "%s, %s" : "%s %s",
                         (m_env.options.surnameFirst ? person.LastName() : person.FirstName()).c_str(),
                         (m_env.options.surnameFirst ? person.FirstName() : person.LastName()).c_str());
        Text(m_text, HAlign::Left, m_metrics.left, Y(), name);
        MonthCells(person, m_month, m_slot, Y(), true);

        std::string mark;
        if (!IsBaptised(person)) {
            mark = "§";
            ++m_counts.unbaptised;
        }
        if (category == 2)
            mark = "p";
        if (category == 3)
            mark = "ps";
        if (person.IsFieldMissionary())
            mark = "m";
        if (!mark.empty())
            mark += " ";
        const bool participated = Participated(person, m_month, m_slot);
        if (person.IsSpecialFullTime()) {
            mark = "+";
            if (participated)
                ++m_counts.specialService;
        }
        if (person.IsFieldMissionary() && participated)
            ++m_counts.fieldMissionaries;
        if (!HasTime(person, m_month, m_slot) && (person.StudyWord(m_month, m_slot) & kStudyFlagBit) == 0) {
            mark += "#";
            ++m_counts.noReport[row];
        }
        if (IsIrregular(person, StatusBasis{m_source.workingMonth, m_source.workingMonthOpen, nullptr})) {
            mark += "N";
            ++m_counts.irregular[row];
        }
        if (category == 1)
            ++m_counts.auxiliaryListed;
        ++m_counts.listed[row];
        Text(m_text, HAlign::Left, c8 - X(1, 3), Y(), mark);
        ++m_line;
        if (!remark.empty()) {
            Text(m_text, HAlign::Left, m_metrics.left + X(1, 2), Y(), remark);
            ++m_line;
        }
        for (MonthIndex m : late) {
            const YearSlot slot = m_source.workingMonth.SlotOf(m);
            Text(m_text, HAlign::Left, m_metrics.left + X(1, 2), Y(), "*  " + std::string(MonthName(m)) + " (");
            MonthCells(person, m, slot, Y(), false);
            Text(m_text, HAlign::Left, c7 + X(1, 2), Y(), ")");
            Text(m_text, HAlign::Left, c8 - X(1, 3), Y(),
                 CategoryMark(person, static_cast<int>(person.Pioneer(m, slot))));
            ++m_line;
            const std::string lateRemark = RemarkOf(person, m, slot);
            if (!lateRemark.empty()) {
                Text(m_text, HAlign::Left, m_metrics.left + X(1), Y(), lateRemark);
                ++m_line;
            }
        }
        if (m_draw && m_env.options.gridLines) {
            const int columns[] = {c3 + X(1, 20), c4 + X(1, 20), c5 + X(1, 20), c6 + X(1, 20), c8 + X(1, 5)};
            DrawGrid(m_canvas, blockTop, m_metrics.left - X(1, 20), Y() - blockTop, 1, columns);
        }
        m_draw = drawBefore;
    }

    void InactiveMembers() {
        std::vector<std::string> names;
        for (const IndexEntry& entry : m_db.List(PublisherCategory::Inactive))
            if (entry.record->Group() == m_variant.group && !entry.record->HidesGroup())
                names.push_back(m_db.DisplayNameOfRecord(entry.recordNumber, m_env.options.surnameFirst));
        if (names.empty())
            return;
        Ensure(2);
        ++m_line;
        Text(m_text, HAlign::Left, m_metrics.left, Y(),
             FormatPrintf("%d  %s", static_cast<int>(names.size()), Str_(StrId::InactivePublishers).c_str()));
        ++m_line;
        for (std::size_t i = 0; i < names.size(); i += 3) {
            Ensure(1);
            for (std::size_t k = i; k < std::min(names.size(), i + 3); ++k)
                Text(m_text, HAlign::Left, m_metrics.left + X(5, 2) * static_cast<int>(k - i), Y(), names[k]);
            ++m_line;
        }
    }

    void Summary() {
        if (m_metrics.linesPerPage - m_line < 15 && m_variant.variant == 0)
            StartPage(true);
        ++m_line;
        static constexpr StrId kLabels[] = {StrId::PublishersShort, StrId::AuxiliaryHeading, StrId::RegularShort,
                                            StrId::SpecialShort};
        for (int k = 0; k < 4; ++k) {
            const std::size_t row = static_cast<std::size_t>(k);
            int listed = m_counts.listed[row];
            if (k == 0)
                listed -= m_counts.specialService + m_counts.fieldMissionaries;
            const int reporting = listed - m_counts.noReport[row];
            if (reporting == 0 && m_variant.variant == 0)
                continue;
            if (reporting == 0)
                continue;
            const int y = Y();
            Text(m_text, HAlign::Left, m_metrics.left, y, Str_(kLabels[k]));
            Text(m_text, HAlign::Left, c3 - (c4 - c3) / 3, y, FormatPrintf("%4d", reporting));
            Text(m_text, HAlign::Right, c4, y,
                 FormatPrintf("%6.1f", static_cast<double>(m_counts.studies[row]) / reporting));
            if (k > 0) {
                Text(m_text, HAlign::Right, c6, y,
                     FormatPrintf("%6.1f", static_cast<double>(m_counts.hours[row]) / reporting));
                const double three =
                    CategoryAverage(m_db, m_source.workingMonth, k, 3, ReportField::Hours, m_variant.group, 0);
                const double six =
                    CategoryAverage(m_db, m_source.workingMonth, k, 6, ReportField::Hours, m_variant.group, 0);
                Text(m_text, HAlign::Right, c8, y, FormatPrintf("%7.1f/%4.1f", three, six));
            }
            m_line += 2;
        }
        if (m_counts.specialService != 0) {
            Text(m_text, HAlign::Left, m_metrics.left, Y(), Str_(StrId::SpecialFullTimeService) + " (+)");
            Text(m_text, HAlign::Left, c3 - (c4 - c3) / 3, Y(), FormatPrintf("%4d", m_counts.specialService));
            ++m_line;
        }
        if (m_counts.fieldMissionaries != 0) {
            Text(m_text, HAlign::Left, m_metrics.left, Y(), Str_(StrId::MissionariesMark));
            Text(m_text, HAlign::Left, c3 - (c4 - c3) / 3, Y(), FormatPrintf("%4d", m_counts.fieldMissionaries));
            ++m_line;
        }
        Legend();
    }

    void Legend() {
        int allListed = 0;
        int noReport = 0;
        int irregular = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            allListed += m_counts.listed[k];
            noReport += m_counts.noReport[k];
            irregular += m_counts.irregular[k];
        }
        struct Entry {
            const char* label;
            StrId text;
            int count;
            bool percent;
        };
        const Entry entries[] = {
            {"", StrId::PublishersSum, static_cast<int>(m_db.List(PublisherCategory::Publisher).size()), false},
            {"pp", StrId::AuxiliaryPioneerLegend, m_counts.auxiliaryListed, true},
            {"N", StrId::IrregularLegend, irregular, true},
            {"#", StrId::NoReportLegend, noReport, true},
            {"§", StrId::UnbaptisedLegend, m_counts.unbaptised, true},
        };
        ++m_line;
        for (const Entry& e : entries) {
            const int y = Y();
            Text(m_text, HAlign::Left, m_metrics.left, y, e.label);
            Text(m_text, HAlign::Left, m_metrics.left + X(1, 3), y, Str_(e.text));
            Text(m_text, HAlign::Right, m_metrics.left + 32 * m_averageWidth, y, FormatPrintf("%d", e.count));
            if (e.percent) {
                const double percent = allListed != 0 ? 100.0 * e.count / allListed : 0.0;
                Text(m_text, HAlign::Left, m_metrics.left + 39 * m_averageWidth, y,
                     FormatPrintf("%2.0f%c", percent, '%'));
            }
            ++m_line;
        }
    }

    void BranchTable() {
        Ensure(12);
        const MonthTotals totals = ComputeMonthTotals(
            m_db, m_source.lateReports ? *m_source.lateReports : LateReportList{}, m_source.workingMonth);
        m_line += 2;
        const int active = totals.ActivePublishers();
        Text(m_subtitleFont, HAlign::Left, m_metrics.left, Y(),
             FormatArgs(Str(StrId::BranchReportTitle), {MonthName(m_month)}) + FormatPrintf(" - %d ", active) +
                 Str_(StrId::ActivePublishers));
        m_line += 2;
        const int headingTop = Y();
        Text(m_header, HAlign::Right, c3, Y(), Str_(StrId::ParticipatedHeading));
        Text(m_header, HAlign::Right, c5, Y(), Str_(StrId::HoursLabel));
        Text(m_header, HAlign::Right, c7, Y(), Str_(StrId::StudiesLabel));
        m_line += 2;
        static constexpr StrId kLabels[] = {StrId::PublishersShort, StrId::AuxiliaryHeading, StrId::RegularShort,
                                            StrId::SumsLabel};
        for (int row = 0; row < 4; ++row) {
            const int y = Y();
            const bool sums = row == 3;
            const int reports =
                sums ? totals.Value(0, 8) + totals.Value(1, 8) + totals.Value(2, 8) : totals.Value(row, 8);
            Text(m_text, HAlign::Left, m_metrics.left + X(1, 3), y, Str_(kLabels[row]));
            Text(m_text, HAlign::Left, c3 - X(1, 4), y, FormatPrintf("%4d", reports));
            if (row != 0)
                Text(m_text, HAlign::Right, c5, y,
                     FormatPrintf("%6d", sums ? TotalOfColumn(totals, MonthTotals::kHoursColumn)
                                              : totals.Value(row, MonthTotals::kHoursColumn) +
                                                    totals.Value(row, MonthTotals::kQuarterHourColumn) / 4));
            Text(m_text, HAlign::Right, c7, y,
                 FormatPrintf("%6d", sums ? TotalOfColumn(totals, MonthTotals::kStudiesColumn)
                                          : totals.Value(row, MonthTotals::kStudiesColumn)));
            m_line += 2;
        }
        if (m_draw && m_env.options.gridLines && Shows(headingTop, 9)) {
            // The reports column is wide enough for its heading, which ends at c3.
            const int columns[] = {c3 - X(3, 4), c3 + X(1, 20), c5 + X(1, 20), c7 + X(1, 20)};
            DrawGrid(m_canvas, headingTop, m_metrics.left, m_metrics.lineHeight, 9, columns);
        }
    }

    void AttendanceSection(bool sixMonths) {
        if (!m_source.attendance)
            return;
        Ensure(sixMonths ? 14 : 7);
        m_line += sixMonths ? 0 : 1;
        std::string title = Str_(StrId::AttendanceReportTitle);
        if (!m_env.options.congregationName.empty())
            title += " - " + m_env.options.congregationName;
        Text(m_subtitleFont, HAlign::Left, m_metrics.left, Y(), title);
        ++m_line;
        Text(m_text, HAlign::Left, m_metrics.left, Y(), std::string(MonthName(m_month)));
        Text(m_header, HAlign::Right, c4, Y(), Str_(StrId::CountHeading));
        Text(m_header, HAlign::Right, c5, Y(), Str_(StrId::SumHeading));
        Text(m_header, HAlign::Right, c6, Y(), Str_(StrId::AverageHeading));
        Text(m_header, HAlign::Right, c9 - X(1, 5), Y(), Str_(StrId::PercentHeading));
        m_line += 2;
        const int active = static_cast<int>(m_db.List(PublisherCategory::Publisher).size());
        const int gridTop = Y();
        for (MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
            const MeetingFigures figures = StoredFigures(*m_source.attendance, kind, m_month, m_slot);
            const int y = Y();
            Text(m_text, HAlign::Left, m_metrics.left + X(1, 5), y, m_source.attendance->Record(kind).Name());
            Text(m_text, HAlign::Right, c4 - X(1, 10), y, FormatPrintf("%d", figures.meetings));
            Text(m_text, HAlign::Right, c5, y, FormatPrintf("%d", figures.total));
            Text(m_text, HAlign::Right, c6, y, FormatPrintf("%d", figures.average));
            const double percent = active != 0 ? 100.0 * figures.average / active : 0.0;
            Text(m_text, HAlign::Right, c9 - X(1, 5), y, FormatPrintf("%6.0f%c  %s  %3d", percent, '%', "z", active));
            ++m_line;
        }
        if (m_draw && m_env.options.gridLines) {
            // Sum and average end at c5 and c6: their lines stand a little to the right.
            const int columns[] = {c3, c4, c5 + X(1, 20), c6 + X(1, 20), c9};
            DrawGrid(m_canvas, gridTop, m_metrics.left, m_metrics.lineHeight, 2, columns);
        }
        if (!sixMonths)
            return;
        m_line += 2;
        Text(m_subtitleFont, HAlign::Left, m_metrics.left, Y(),
             Str_(StrId::SixMonthAverages) + " " + std::string(MonthName(m_month)));
        m_line += 2;
        const int firstColumn = c3 - X(1, 2);
        const int columnStep = X(3, 5);
        MonthIndex months[6];
        YearSlot slots[6];
        MonthIndex m = m_month;
        YearSlot s = m_slot;
        for (int i = 5; i >= 0; --i) {
            months[i] = m;
            slots[i] = s;
            if (m == 0) {
                m = 11;
                s = 1 - s;
            } else {
                --m;
            }
        }
        for (int i = 0; i < 6; ++i)
            Text(m_header, HAlign::Right, firstColumn + i * columnStep, Y(), std::string(MonthAbbreviation(months[i])));
        Text(m_header, HAlign::Right, firstColumn + 6 * columnStep, Y(), Str_(StrId::SixMonthsHeading));
        ++m_line;
        for (MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
            Text(m_text, HAlign::Left, m_metrics.left, Y(), m_source.attendance->Record(kind).Name());
            int sum = 0;
            int withMeetings = 0;
            for (int i = 0; i < 6; ++i) {
                const MeetingFigures figures = StoredFigures(*m_source.attendance, kind, months[i], slots[i]);
                Text(m_text, HAlign::Right, firstColumn + i * columnStep, Y(), FormatPrintf("%d", figures.average));
                if (figures.meetings != 0) {
                    sum += figures.average;
                    ++withMeetings;
                }
            }
            const int average = withMeetings != 0 ? (sum + withMeetings / 2) / withMeetings : 0;
            if (average != 0)
                Text(m_text, HAlign::Right, firstColumn + 6 * columnStep, Y(), FormatPrintf("%d", average));
            ++m_line;
        }
    }

    const AnalysisSource& m_source;
    const PublisherDatabase& m_db;
    Canvas& m_canvas;
    const ReportEnvironment& m_env;
    AnalysisVariant m_variant;
    bool m_draw;
    MonthIndex m_month;
    YearSlot m_slot;
    PageMetrics m_metrics;
    LogicalFont m_title, m_subtitleFont, m_header, m_text;
    int m_averageWidth = 1;
    int c3 = 0, c4 = 0, c5 = 0, c6 = 0, c7 = 0, c8 = 0, c9 = 0;
    int m_page = 0;
    int m_line = 0;
    AnalysisCounts m_counts;
};

class AnalysisReport : public Report {
public:
    AnalysisReport(const AnalysisSource& source, AnalysisVariant variant) : m_source(source), m_variant(variant) {}
    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        return CountAnalysisPages(m_source, canvas, environment, m_variant);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        DrawAnalysis(m_source, canvas, environment, m_variant);
    }

private:
    AnalysisSource m_source;
    AnalysisVariant m_variant;
};

} // namespace

std::optional<AnalysisVariant> AnalysisVariantOf(ReportKind kind, int group) {
    switch (kind) {
    case ReportKind::CongregationAnalysis:
        return AnalysisVariant{0, 0, false};
    case ReportKind::GroupAnalysis:
        return AnalysisVariant{group, 0, false};
    case ReportKind::CongregationSummary:
        return AnalysisVariant{0, 1, false};
    case ReportKind::Attendance:
        return AnalysisVariant{0, 2, false};
    case ReportKind::AnalysisAlphabetical:
        return AnalysisVariant{0, 0, true};
    default:
        return std::nullopt;
    }
}

AnalysisCounts DrawAnalysis(const AnalysisSource& source, Canvas& canvas, const ReportEnvironment& environment,
                            AnalysisVariant variant) {
    if (!source.database)
        return {};
    AnalysisDrawer drawer(source, canvas, environment, variant, true);
    drawer.Run();
    return drawer.Counts();
}

int CountAnalysisPages(const AnalysisSource& source, Canvas& canvas, const ReportEnvironment& environment,
                       AnalysisVariant variant) {
    if (!source.database)
        return 1;
    AnalysisDrawer drawer(source, canvas, environment, variant, false);
    return std::max(drawer.Run(), 1);
}

std::unique_ptr<Report> MakeAnalysisReport(const AnalysisSource& source, AnalysisVariant variant) {
    return std::make_unique<AnalysisReport>(source, variant);
}

} // namespace vardo

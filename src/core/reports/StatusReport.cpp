#include "core/reports/StatusReport.h"

#include <algorithm>
#include <iterator>

#include "core/platform/Strings.h"
#include "core/reports/ListFrame.h"
#include "core/reports/ReportPrimitives.h"

namespace vardo {
namespace {

// Report numbers of the status views: the view's index above this base (clear of the Reports menu's numbers).
constexpr int kStatusReportBase = 200;

struct ViewName {
    StatusViewKind kind;
    std::string_view name;
};
constexpr ViewName kViewNames[] = {
    {StatusViewKind::NoReport, "no-report"},
    {StatusViewKind::Irregular, "irregular"},
    {StatusViewKind::New, "new"},
    {StatusViewKind::Reactivated, "reactivated"},
    {StatusViewKind::Inactive, "inactive"},
    {StatusViewKind::Moved, "moved"},
    {StatusViewKind::Baptised, "baptised"},
    {StatusViewKind::AuxiliaryPioneers, "aux-pioneers"},
    {StatusViewKind::Conductors, "conductors"},
    {StatusViewKind::Unbaptised, "unbaptised"},
    {StatusViewKind::Interested, "interested"},
    {StatusViewKind::CollectionForm, "collection-form"},
    {StatusViewKind::Privileges, "privileges"},
    {StatusViewKind::Consent, "consent"},
    {StatusViewKind::NoConsent, "no-consent"},
    {StatusViewKind::UserCategory, "user-category"},
    {StatusViewKind::SpecialNeeds, "special-needs"},
    {StatusViewKind::InactiveCandidates, "inactive-candidates"},
};
static_assert(std::size(kViewNames) == kStatusViewKinds);

// Column positions in 1/20 inch from the left edge, and the right edge of the text.
constexpr int kNameX = 0;
constexpr int kDetailX = 48;
constexpr int kReasonX = 90;
constexpr int kRightX = 150;

struct Row {
    std::vector<std::string> name;
    std::vector<std::string> detail;
    std::vector<std::string> reason;
    int page = 0;
    int line = 0;
    int Lines() const {
        return static_cast<int>(std::max({name.size(), detail.size(), reason.size(), std::size_t{1}}));
    }
};

struct Layout {
    ListFrame frame;
    std::vector<Row> rows;
    int pages = 1;
};

std::vector<std::string> Wrapped(Canvas& canvas, std::string_view text, int width) {
    if (text.empty())
        return {};
    return WrapText(canvas, text, width);
}

Layout BuildLayout(const StatusReportContent& content, Canvas& canvas, const ReportEnvironment& environment) {
    Layout layout;
    layout.frame = BeginListFrame(canvas, environment, content.title, content.subtitle);
    ListFrame& f = layout.frame;
    // Page header, filter line, column heads, then the rows.
    f.firstRowLine = 5;
    f.metrics.linesPerPage = std::max(f.metrics.linesPerPage - 1, 1);
    canvas.SetFont(f.rowFont);
    const int gap = f.X(1, 10);
    for (const StatusLine& line : content.lines) {
        Row row;
        row.name = Wrapped(canvas, line.name, f.X(kDetailX - kNameX, 20) - gap);
        row.detail = Wrapped(canvas, DetailText(line.detail), f.X(kReasonX - kDetailX, 20) - gap);
        row.reason = Wrapped(canvas, line.reason, f.X(kRightX - kReasonX, 20));
        layout.rows.push_back(std::move(row));
    }
    LinePager pager(f.metrics.linesPerPage);
    for (Row& row : layout.rows) {
        const LinePager::Placement at = pager.Place(row.Lines());
        row.page = at.page;
        row.line = at.line;
    }
    layout.pages = pager.Pages();
    return layout;
}

void DrawColumnHeads(Canvas& canvas, const ListFrame& f, int page) {
    const int y = f.RowY(page, -1);
    if (!canvas.MayShow(Rect{0, y, f.X(17, 2), y + f.metrics.lineHeight}))
        return;
    canvas.SetFont(f.headerFont);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    const int left = f.metrics.left;
    canvas.DrawText(left + f.X(kNameX, 20), y, Str(StrId::StatusColumnName));
    canvas.DrawText(left + f.X(kDetailX, 20), y, Str(StrId::StatusColumnDetail));
    canvas.DrawText(left + f.X(kReasonX, 20), y, Str(StrId::StatusColumnReason));
    canvas.SetPen(Pen{});
    const int under = y + f.metrics.lineHeight - 1;
    canvas.DrawLine(left, under, left + f.X(kRightX, 20), under);
}

void DrawLayout(const Layout& layout, const StatusReportContent& content, Canvas& canvas,
                const ReportEnvironment& environment) {
    const ListFrame& f = layout.frame;
    for (int page = 0; page < layout.pages; ++page) {
        DrawListPageHeader(canvas, environment, f, page, f.X(15, 2), false);
        DrawColumnHeads(canvas, f, page);
    }
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.SetFont(f.rowFont);
    if (content.lines.empty()) {
        canvas.DrawText(f.metrics.left, f.RowY(0, 0), Str(StrId::StatusNobodyListed));
        return;
    }
    for (const Row& row : layout.rows) {
        if (!canvas.MayShow(f.RowBand(row.page, row.line, row.Lines())))
            continue;
        const std::pair<int, const std::vector<std::string>*> columns[] = {
            {kNameX, &row.name}, {kDetailX, &row.detail}, {kReasonX, &row.reason}};
        for (const auto& [x20, parts] : columns) {
            int line = row.line;
            for (const std::string& part : *parts)
                canvas.DrawText(f.metrics.left + f.X(x20, 20), f.RowY(row.page, line++), part);
        }
    }
}

class StatusListReport final : public Report {
public:
    explicit StatusListReport(StatusReportContent content) : m_content(std::move(content)) {}

    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        return BuildLayout(m_content, canvas, environment).pages;
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        if (m_layout) {
            DrawLayout(*m_layout, m_content, canvas, environment);
            return;
        }
        DrawLayout(BuildLayout(m_content, canvas, environment), m_content, canvas, environment);
    }
    void BeginPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        m_layout = BuildLayout(m_content, canvas, environment);
    }
    void EndPages() const override { m_layout.reset(); }

private:
    StatusReportContent m_content;
    mutable std::optional<Layout> m_layout;
};

std::string GroupText(int group, const GroupTable* groups) {
    if (group == 0)
        return std::string(Str(StrId::Congregation));
    if (groups != nullptr && group <= groups->Count())
        return groups->DisplayName(group - 1);
    return std::string(Str(StrId::GroupDefaultName)) + std::to_string(group);
}

} // namespace

ReportKind StatusReportKind(StatusViewKind kind) {
    return static_cast<ReportKind>(kStatusReportBase + static_cast<int>(kind));
}

std::optional<StatusViewKind> StatusViewOfReport(ReportKind kind) {
    const int index = static_cast<int>(kind) - kStatusReportBase;
    if (index < 0 || index >= kStatusViewKinds)
        return std::nullopt;
    return static_cast<StatusViewKind>(index);
}

std::string_view StatusViewName(StatusViewKind kind) {
    for (const ViewName& entry : kViewNames)
        if (entry.kind == kind)
            return entry.name;
    return {};
}

std::optional<StatusViewKind> StatusViewFromName(std::string_view name) {
    for (const ViewName& entry : kViewNames)
        if (entry.name == name)
            return entry.kind;
    return std::nullopt;
}

std::string DetailText(std::string_view detail) {
    std::string text;
    for (const char c : detail) {
        if (c == '\t')
            text += "  ";
        else
            text += c;
    }
    return text;
}

std::string StatusReportSubtitle(const StatusData& data, const StatusQuery& query, const GroupTable* groups) {
    std::vector<std::string> parts;
    if (!PeriodsOf(query.kind).empty())
        parts.push_back(FormatArgs(Str(StrId::StatusFilterPeriod), {PeriodText(query.period)}));
    if (HasMonthChoice(query.kind) && query.kind != StatusViewKind::NoReport)
        parts.push_back(FormatArgs(Str(StrId::StatusFilterMonth), {MonthName(query.month)}));
    if (query.kind == StatusViewKind::Baptised)
        parts.push_back(BaptismClassText(query.baptismClass));
    if (query.kind == StatusViewKind::Privileges)
        parts.push_back(std::string(PrivilegeText(query.privilege)));
    if (HasGroupFilter(query.kind))
        parts.push_back(FormatArgs(Str(StrId::StatusFilterGroup), {GroupText(query.group, groups)}));
    parts.push_back(WorkingMonthStatusText(data.basis.month));
    std::string text;
    for (std::string& part : parts) {
        // The working month's text starts with blanks of its status-bar pane.
        const std::size_t first = part.find_first_not_of(' ');
        text += (text.empty() ? "" : "; ") + (first == std::string::npos ? part : part.substr(first));
    }
    return text;
}

StatusReportContent MakeStatusReportContent(const StatusData& data, const StatusQuery& query,
                                            const GroupTable* groups) {
    StatusReportContent content;
    content.lines = BuildStatusView(data, query);
    content.title = StatusViewCaption(data, query, content.lines.size());
    content.subtitle = StatusReportSubtitle(data, query, groups);
    return content;
}

std::unique_ptr<Report> MakeStatusReport(StatusReportContent content) {
    return std::make_unique<StatusListReport>(std::move(content));
}

} // namespace vardo

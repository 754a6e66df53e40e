// The field-service-group lists: up to four groups side by side on a page, each headed by its name, its
// overseer, assistant and meeting day, followed by its members.

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/platform/Strings.h"
#include "core/reports/ListFrame.h"
#include "core/reports/ListReports.h"
#include "core/reports/Lists.h"

namespace vardo {
namespace {

constexpr int kColumnsPerPage = 4;

// Marks of inactive persons and Bible students; no-break spaces inside keep a mark whole when wrapping.
constexpr std::string_view kInactiveMark = " (\u00A0N\u00A0)";
constexpr std::string_view kStudentMark = " (\u00A0SB\u00A0)";

enum class Style { Name, Text };

struct BlockLine {
    std::string text;
    Style style = Style::Text;
};

// One group's column: header lines, then members.
struct GroupBlock {
    std::string name;
    std::vector<BlockLine> header;
    std::vector<std::string> members;
};

// A line placed in a column slot (slot = page × 4 + column).
struct PlacedLine {
    int slot = 0;
    int line = 0;
    std::string text;
    Style style = Style::Text;
};

std::string Trimmed(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && blank(text[start]))
        ++start;
    return text.substr(start);
}

// The appointment of the first active publisher of each first-name-first name.
std::unordered_map<std::string, Appointment> AppointmentsByName(const PublisherDatabase& db) {
    std::unordered_map<std::string, Appointment> appointments;
    for (const IndexEntry& entry : db.List(PublisherCategory::Publisher))
        appointments.try_emplace(entry.record->FirstName() + " " + entry.record->LastName(),
                                 entry.record->GetAppointment());
    return appointments;
}

// The overseer's caption: "Sługa: %1" when he is a ministerial servant on the active list, "Nadzorca: %1"
// otherwise.
std::string OverseerLine(const std::unordered_map<std::string, Appointment>& appointments,
                         const std::string& overseer) {
    StrId id = StrId::Overseer;
    if (const auto found = appointments.find(overseer); found != appointments.end())
        id = found->second == Appointment::MinisterialServant ? StrId::ServantOverseer
             : found->second == Appointment::Elder            ? StrId::Overseer
                                                              : StrId::OtherOverseer;
    return FormatArgs(Str(id), {overseer});
}

bool Shows(GroupListMembers members, PublisherCategory category) {
    switch (category) {
    case PublisherCategory::Publisher:
        return true;
    case PublisherCategory::NonPublisher:
        return members == GroupListMembers::ActiveAndStudents || members == GroupListMembers::All;
    case PublisherCategory::Inactive:
        return members == GroupListMembers::ActiveAndInactive || members == GroupListMembers::All;
    default:
        return false;
    }
}

std::string MemberName(const PublisherDatabase& db, RecordNumber record, bool lastNameFirst) {
    std::string name = db.DisplayNameOfRecord(record, lastNameFirst);
    switch (db.Record(record).Category()) {
    case PublisherCategory::Inactive:
        name += kInactiveMark;
        break;
    case PublisherCategory::NonPublisher:
        name += kStudentMark;
        break;
    default:
        break;
    }
    return name;
}

std::vector<GroupBlock> BuildBlocks(const ListSource& source, GroupListMembers members, bool lastNameFirst) {
    std::vector<GroupBlock> blocks;
    if (source.database == nullptr)
        return blocks;
    const PublisherDatabase& db = *source.database;
    const int groupCount = source.groups != nullptr ? source.groups->Count() : 0;
    blocks.resize(static_cast<std::size_t>(groupCount));
    const auto appointments = groupCount > 0 ? AppointmentsByName(db) : std::unordered_map<std::string, Appointment>{};
    for (int g = 0; g < groupCount; ++g) {
        GroupBlock& block = blocks[static_cast<std::size_t>(g)];
        const GroupTable& table = *source.groups;
        block.name = table.DisplayName(g);
        block.header.push_back({block.name, Style::Name});
        const std::string overseer = Trimmed(table.Overseer(g));
        if (!overseer.empty())
            block.header.push_back({OverseerLine(appointments, overseer), Style::Text});
        const std::string assistant = Trimmed(table.Assistant(g));
        if (!assistant.empty())
            block.header.push_back({FormatArgs(Str(StrId::AssistantLabel), {assistant}), Style::Text});
        const std::string time = Trimmed(table.Time(g));
        const int day = table.MeetingDay(g);
        if (day >= 0 && day < 7 && (day != 0 || !time.empty())) {
            std::string when(WeekdayName(day));
            if (!time.empty())
                when += " " + time;
            block.header.push_back({when, Style::Text});
        }
    }
    // Members in record order, which is name order across the categories.
    GroupBlock unassigned;
    for (RecordNumber r = 1; r < db.Count(); ++r) {
        const PublisherRecord& person = db.Record(r);
        if (!Shows(members, person.Category()))
            continue;
        int group = person.Group();
        if (person.Category() != PublisherCategory::Publisher && person.HidesGroup())
            group = 0;
        if (group >= 1 && group <= groupCount)
            blocks[static_cast<std::size_t>(group - 1)].members.push_back(MemberName(db, r, lastNameFirst));
        else
            unassigned.members.push_back(MemberName(db, r, lastNameFirst));
    }
    if (!unassigned.members.empty()) {
        unassigned.name = std::string(Str(StrId::NoGroup));
        unassigned.header.push_back({unassigned.name, Style::Name});
        blocks.push_back(std::move(unassigned));
    }
    return blocks;
}

struct GroupLayout {
    ListFrame frame;
    std::vector<GroupBlock> blocks;
    std::vector<PlacedLine> lines;
    int pages = 1;
};

GroupLayout BuildGroupLayout(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                             GroupListMembers members) {
    GroupLayout layout;
    layout.frame = BeginListFrame(canvas, environment, GroupListTitle(environment), {});
    layout.frame.firstRowLine = 2;
    layout.blocks = BuildBlocks(source, members, environment.options.surnameFirst);
    const ListFrame& f = layout.frame;
    const int perSlot = f.metrics.linesPerPage;
    // Every column's members start on the same line; a text wider than its column wraps at blanks.
    const int width = f.X(7, 4) - f.X(1, 16);
    const auto wrap = [&](const std::string& text, Style style) {
        canvas.SetFont(style == Style::Name ? f.headerFont : f.rowFont);
        return WrapText(canvas, text, width);
    };
    std::vector<std::vector<BlockLine>> headers(layout.blocks.size());
    std::size_t headerLines = 0;
    for (std::size_t b = 0; b < layout.blocks.size(); ++b) {
        for (const BlockLine& header : layout.blocks[b].header)
            for (std::string& part : wrap(header.text, header.style))
                headers[b].push_back({std::move(part), header.style});
        headerLines = std::max(headerLines, headers[b].size());
    }
    int slot = -1;
    for (std::size_t b = 0; b < layout.blocks.size(); ++b) {
        const GroupBlock& block = layout.blocks[b];
        ++slot;
        int line = 0;
        const auto place = [&](std::string text, Style style) {
            if (line >= perSlot) {
                // The group runs on in the next column under its name again.
                ++slot;
                line = 0;
                layout.lines.push_back({slot, line++, block.name, Style::Name});
            }
            layout.lines.push_back({slot, line++, std::move(text), style});
        };
        for (BlockLine& header : headers[b])
            place(std::move(header.text), header.style);
        line = std::max(line, static_cast<int>(headerLines)) + 1;
        for (const std::string& member : block.members)
            for (std::string& part : wrap(member, Style::Text))
                place(std::move(part), Style::Text);
    }
    layout.pages = std::max(slot, 0) / kColumnsPerPage + 1;
    return layout;
}

} // namespace

std::string GroupListTitle(const ReportEnvironment& environment) {
    std::string title = FormatArgs(Str(StrId::FieldServiceGroupTitle), {Str(StrId::Congregation)});
    if (!environment.options.congregationName.empty())
        title += " - " + environment.options.congregationName;
    return title;
}

namespace {

void DrawGroupLayout(const GroupLayout& layout, Canvas& canvas, const ReportEnvironment& environment) {
    const ListFrame& f = layout.frame;
    for (int page = 0; page < layout.pages; ++page)
        DrawListPageHeader(canvas, environment, f, page, f.X(15, 2), false);
    const int columnWidth = f.X(7, 4);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    for (const PlacedLine& placed : layout.lines) {
        const int page = placed.slot / kColumnsPerPage;
        if (!canvas.MayShow(f.RowBand(page, placed.line, 1)))
            continue;
        const int x = f.metrics.left + (placed.slot % kColumnsPerPage) * columnWidth;
        canvas.SetFont(placed.style == Style::Name ? f.headerFont : f.rowFont);
        canvas.DrawText(x, f.RowY(page, placed.line), placed.text);
    }
}

class GroupListReport final : public Report {
public:
    GroupListReport(const ListSource& source, GroupListMembers members) : m_source(source), m_members(members) {}

    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        if (const GroupLayout* layout = Kept(canvas))
            return layout->pages;
        return CountGroupListPages(m_source, canvas, environment, m_members);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        if (const GroupLayout* layout = Kept(canvas))
            DrawGroupLayout(*layout, canvas, environment);
        else
            DrawGroupLists(m_source, canvas, environment, m_members);
    }
    void BeginPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        m_layout = BuildGroupLayout(m_source, canvas, environment, m_members);
        m_resolution = Resolution{canvas.DpiX(), canvas.DpiY()};
    }
    void EndPages() const override { m_layout.reset(); }

private:
    const GroupLayout* Kept(const Canvas& canvas) const {
        return m_layout && m_resolution == Resolution{canvas.DpiX(), canvas.DpiY()} ? &*m_layout : nullptr;
    }

    const ListSource& m_source;
    GroupListMembers m_members;
    mutable std::optional<GroupLayout> m_layout;
    mutable Resolution m_resolution;
};

} // namespace

void DrawGroupLists(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                    GroupListMembers members) {
    DrawGroupLayout(BuildGroupLayout(source, canvas, environment, members), canvas, environment);
}

std::unique_ptr<Report> MakeGroupListReport(const ListSource& source, GroupListMembers members) {
    return std::make_unique<GroupListReport>(source, members);
}

int CountGroupListPages(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        GroupListMembers members) {
    return BuildGroupLayout(source, canvas, environment, members).pages;
}

} // namespace vardo

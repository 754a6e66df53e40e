// The telephone, address, contact and telephone-and-e-mail lists: one frame, one layout pass shared by the
// page count and the drawing, and one row routine per list.

#include <algorithm>
#include <optional>

#include "core/platform/Strings.h"
#include "core/reports/ListFrame.h"
#include "core/reports/ListReports.h"
#include "core/reports/Lists.h"

namespace vardo {
namespace {

constexpr std::size_t kNamesPerFamilyLine = 4;
constexpr int kLongAddress = 50;

// A list entry placed on its page, with the lines it takes.
struct PlacedEntry {
    const ListEntry* entry = nullptr;
    int page = 0;
    int line = 0;
    int lines = 1;
    std::vector<std::string> addressLines;
    bool smallAddress = false;
    std::vector<std::string> emailLines;
    LogicalFont emailFont;
};

struct ListLayout {
    ListType type = ListType::Phone;
    ListFrame frame;
    std::vector<ListEntry> entries;
    std::vector<PlacedEntry> placed;
    int pages = 1;
    bool eldersMarked = false;
    int dateStampX = 0;
};

bool UsesFamilies(ListType type, ListFilter filter) {
    return (type == ListType::Phone || type == ListType::Address) && filter.group == 0 &&
           filter.selector == ListSelector::All;
}

int CharacterCount(std::string_view utf8) {
    return static_cast<int>(std::count_if(utf8.begin(), utf8.end(),
                                          [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

// Column positions of the lists, from the frame's left edge.
struct Columns {
    explicit Columns(const ListFrame& f) : left(f.metrics.left), inch(f.metrics.dpiX) {}
    int X(int num, int den = 1) const { return left + inch * num / den; }
    int left;
    int inch;
};

std::string PhoneText(const PublisherRecord& person) {
    return FormatPrintf("%s - %s - %s", person.Phone1().c_str(), person.Phone2().c_str(), person.Phone3().c_str());
}

// The address list's telephone: home, or mobile when there is no home number.
std::string AddressPhone(const PublisherRecord& person) {
    std::string home = person.Phone1();
    return home.empty() ? person.Phone2() : home;
}

int EmailColumn(const Columns& c) {
    return c.X(93, 20);
}

// Breaks an e-mail address that is wider than `width` even in its smallest font: after the "@" when both
// parts fit, else at the last character that fits.
std::vector<std::string> BreakEmail(const Canvas& canvas, std::string_view email, int width) {
    std::vector<std::string> lines;
    if (canvas.TextExtent(email).width <= width) {
        lines.emplace_back(email);
        return lines;
    }
    const std::size_t at = email.find('@');
    if (at != std::string_view::npos && canvas.TextExtent(email.substr(0, at + 1)).width <= width &&
        canvas.TextExtent(email.substr(at + 1)).width <= width) {
        lines.emplace_back(email.substr(0, at + 1));
        lines.emplace_back(email.substr(at + 1));
        return lines;
    }
    while (!email.empty()) {
        std::size_t end = 0;
        std::size_t fits = 0;
        while (end < email.size()) {
            std::size_t next = end + 1;
            while (next < email.size() && (static_cast<unsigned char>(email[next]) & 0xC0) == 0x80)
                ++next;
            if (canvas.TextExtent(email.substr(0, next)).width > width && fits > 0)
                break;
            fits = end = next;
        }
        lines.emplace_back(email.substr(0, fits));
        email.remove_prefix(fits);
    }
    return lines;
}

// The e-mail address in the row font, or in a smaller one (down to three quarters) so that it ends before
// the paper's right edge; an address too long even then runs on over the next lines.
void FitEmail(Canvas& canvas, const ListFrame& f, PlacedEntry& placed, std::string_view email, int width) {
    placed.emailFont = f.rowFont;
    canvas.SetFont(placed.emailFont);
    // Heights count towards zero as the font gets smaller, whatever their sign.
    const int smallest = placed.emailFont.height * 3 / 4;
    const int step = placed.emailFont.height < 0 ? 1 : -1;
    while (canvas.TextExtent(email).width > width && placed.emailFont.height != smallest) {
        placed.emailFont.height += step;
        canvas.SetFont(placed.emailFont);
    }
    placed.emailLines = BreakEmail(canvas, email, width);
}

int AddressColumn(const Columns& c) {
    return c.X(11, 5);
}
int AddressPhoneColumn(const Columns& c) {
    return c.X(13, 2);
}

ListLayout BuildLayout(ListType type, const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                       ListFilter filter) {
    ListLayout layout;
    layout.type = type;
    layout.frame = BeginListFrame(canvas, environment, ListTitle(type, environment), ListSubtitle(source, filter));
    const bool lastNameFirst = environment.options.surnameFirst;
    layout.entries = SelectListEntries(source, filter, UsesFamilies(type, filter), lastNameFirst);
    layout.eldersMarked = filter.selector == ListSelector::EldersServants;
    layout.dateStampX = layout.frame.X(type == ListType::Address ? 7 : 15, type == ListType::Address ? 1 : 2);

    const ListFrame& f = layout.frame;
    const Columns c(f);
    // The paper's right edge less a quarter inch, in device pixels (the screen's positions are narrower).
    const int emailRight = environment.pageWidthTenths * canvas.DpiX() / 10 - canvas.DpiX() / 4;
    LinePager pager(f.metrics.linesPerPage);
    layout.placed.reserve(layout.entries.size());
    for (const ListEntry& entry : layout.entries) {
        PlacedEntry placed;
        placed.entry = &entry;
        placed.lines =
            1 + static_cast<int>((entry.familyMembers.size() + kNamesPerFamilyLine - 1) / kNamesPerFamilyLine);
        if (type == ListType::Address) {
            const PublisherRecord& person = source.database->Record(entry.record);
            const std::string address = person.Address();
            placed.smallAddress = CharacterCount(address) > kLongAddress;
            canvas.SetFont(f.rowFont);
            const int phoneWidth = canvas.TextExtent(AddressPhone(person)).width;
            const int width = AddressPhoneColumn(c) - phoneWidth - f.X(1, 8) - AddressColumn(c);
            canvas.SetFont(placed.smallAddress ? f.smallFont : f.textFont);
            placed.addressLines = WrapText(canvas, address, std::max(width, f.X(1)));
            placed.lines += static_cast<int>(placed.addressLines.size()) - 1;
        }
        if (type == ListType::PhoneEmail) {
            const auto email = source.emails.find(source.database->Record(entry.record).Id());
            if (email != source.emails.end() && !email->second.empty()) {
                FitEmail(canvas, f, placed, email->second, std::max(emailRight - EmailColumn(c), f.X(1)));
                placed.lines += static_cast<int>(placed.emailLines.size()) - 1;
            }
        }
        const LinePager::Placement at = pager.Place(placed.lines);
        placed.page = at.page;
        placed.line = at.line;
        layout.placed.push_back(std::move(placed));
    }
    layout.pages = pager.Pages();
    return layout;
}

void DrawHeadings(Canvas& canvas, const ListLayout& layout, int page) {
    const ListFrame& f = layout.frame;
    const Columns c(f);
    const int y = f.PageTopOf(page) + 2 * f.metrics.lineHeight;
    canvas.SetFont(f.textFont);
    canvas.SetTextAlign({HAlign::Right, VAlign::Top});
    if (layout.type == ListType::Phone) {
        const int home = c.X(11, 5);
        canvas.DrawText(home - f.X(1, 6), y, Str(StrId::HomeColumn));
        canvas.DrawText(home + f.X(2), y, Str(StrId::RecordFieldPhoneMobile));
        canvas.DrawText(home + f.X(4) - f.X(1, 2), y, Str(StrId::WorkColumn));
    } else if (layout.type == ListType::PhoneEmail) {
        canvas.DrawText(c.X(11, 5), y, Str(StrId::HomeColumn));
        canvas.DrawText(c.X(67, 20), y, Str(StrId::RecordFieldPhoneMobile));
        canvas.DrawText(c.X(9, 2), y, Str(StrId::WorkColumn));
    }
}

void DrawFamilyLines(Canvas& canvas, const ListFrame& f, const PlacedEntry& placed, int firstLine, int indent) {
    canvas.SetFont(f.rowFont);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    int line = firstLine;
    for (const std::string& text : JoinNames(placed.entry->familyMembers, kNamesPerFamilyLine))
        canvas.DrawText(f.metrics.left + indent, f.RowY(placed.page, line++), text);
}

void DrawEntry(Canvas& canvas, const ListSource& source, const ListLayout& layout, const PlacedEntry& placed,
               bool lastNameFirst) {
    const ListFrame& f = layout.frame;
    const Columns c(f);
    const PublisherRecord& person = source.database->Record(placed.entry->record);
    const int y = f.RowY(placed.page, placed.line);
    const bool star = layout.eldersMarked && placed.entry->elderMark;
    std::string name = source.database->DisplayNameOfRecord(placed.entry->record, lastNameFirst);

    canvas.SetFont(f.rowFont);
    switch (layout.type) {
    case ListType::Phone: {
        const int home = c.X(11, 5);
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText(c.left, y, name);
        if (star)
            canvas.DrawText(home + f.X(1, 32), y, "*");
        canvas.SetTextAlign({HAlign::Right, VAlign::Top});
        canvas.DrawText(home, y, person.Phone1());
        canvas.DrawText(home + f.X(2), y, person.Phone2());
        canvas.DrawText(home + f.X(4) - f.X(1, 4), y, person.Phone3());
        DrawFamilyLines(canvas, f, placed, placed.line + 1, f.X(1, 5));
        break;
    }
    case ListType::PhoneEmail: {
        if (star)
            name += " *";
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText(c.left, y, name);
        if (!placed.emailLines.empty()) {
            canvas.SetFont(placed.emailFont);
            int line = placed.line;
            for (const std::string& text : placed.emailLines)
                canvas.DrawText(EmailColumn(c), f.RowY(placed.page, line++), text);
            canvas.SetFont(f.rowFont);
        }
        canvas.SetTextAlign({HAlign::Right, VAlign::Top});
        canvas.DrawText(c.X(11, 5), y, person.Phone1());
        canvas.DrawText(c.X(67, 20), y, person.Phone2());
        canvas.DrawText(c.X(9, 2), y, person.Phone3());
        break;
    }
    case ListType::Address: {
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText(c.left, y, name);
        const std::string phone = AddressPhone(person);
        canvas.SetTextAlign({HAlign::Right, VAlign::Top});
        canvas.DrawText(AddressPhoneColumn(c), y, phone);
        if (star) {
            canvas.SetTextAlign({HAlign::Left, VAlign::Top});
            canvas.DrawText(AddressPhoneColumn(c) + f.X(1, 6), y, "*");
        }
        canvas.SetFont(placed.smallAddress ? f.smallFont : f.textFont);
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        int line = placed.line;
        for (const std::string& text : placed.addressLines)
            canvas.DrawText(AddressColumn(c), f.RowY(placed.page, line++), text);
        DrawFamilyLines(canvas, f, placed, line, f.X(1, 2));
        break;
    }
    case ListType::Contact: {
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText(c.left, y, name);
        // Nobody to call: no line of bare separators.
        std::string phones = person.Phone1().empty() && person.Phone2().empty() && person.Phone3().empty()
                                 ? std::string()
                                 : PhoneText(person);
        if (star)
            phones += phones.empty() ? "*" : " *";
        canvas.DrawText(c.X(11, 5), y, phones);
        break;
    }
    }
}

void DrawLayout(const ListLayout& layout, const ListSource& source, Canvas& canvas,
                const ReportEnvironment& environment) {
    for (int page = 0; page < layout.pages; ++page) {
        DrawListPageHeader(canvas, environment, layout.frame, page, layout.dateStampX, true);
        if (canvas.MayShow(layout.frame.RowBand(page, -2, 1)))
            DrawHeadings(canvas, layout, page);
    }
    for (const PlacedEntry& placed : layout.placed)
        if (canvas.MayShow(layout.frame.RowBand(placed.page, placed.line, placed.lines)))
            DrawEntry(canvas, source, layout, placed, environment.options.surnameFirst);
}

void DrawList(ListType type, const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
              ListFilter filter) {
    DrawLayout(BuildLayout(type, source, canvas, environment, filter), source, canvas, environment);
}

class PersonListReport final : public Report {
public:
    PersonListReport(ListType type, const ListSource& source, ListFilter filter)
        : m_type(type), m_source(source), m_filter(filter) {}

    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        if (const ListLayout* layout = Kept(canvas))
            return layout->pages;
        return BuildLayout(m_type, m_source, canvas, environment, m_filter).pages;
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        if (const ListLayout* layout = Kept(canvas))
            DrawLayout(*layout, m_source, canvas, environment);
        else
            DrawList(m_type, m_source, canvas, environment, m_filter);
    }
    void BeginPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        m_layout = BuildLayout(m_type, m_source, canvas, environment, m_filter);
        m_resolution = Resolution{canvas.DpiX(), canvas.DpiY()};
    }
    void EndPages() const override { m_layout.reset(); }

private:
    const ListLayout* Kept(const Canvas& canvas) const {
        return m_layout && m_resolution == Resolution{canvas.DpiX(), canvas.DpiY()} ? &*m_layout : nullptr;
    }

    ListType m_type;
    const ListSource& m_source;
    ListFilter m_filter;
    mutable std::optional<ListLayout> m_layout;
    mutable Resolution m_resolution;
};

} // namespace

void DrawPhoneList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment, ListFilter filter) {
    DrawList(ListType::Phone, source, canvas, environment, filter);
}

void DrawAddressList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                     ListFilter filter) {
    DrawList(ListType::Address, source, canvas, environment, filter);
}

void DrawContactList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                     ListFilter filter) {
    DrawList(ListType::Contact, source, canvas, environment, filter);
}

void DrawPhoneEmailList(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                        ListFilter filter) {
    DrawList(ListType::PhoneEmail, source, canvas, environment, filter);
}

std::unique_ptr<Report> MakePersonListReport(ListType type, const ListSource& source, ListFilter filter) {
    return std::make_unique<PersonListReport>(type, source, filter);
}

int CountListPages(ListType type, const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                   ListFilter filter) {
    return BuildLayout(type, source, canvas, environment, filter).pages;
}

} // namespace vardo

// The safety printouts: emergency-contact lists, the blank and filled contact forms, and the special-needs
// lists. They share the frame of the contact lists.

#include <algorithm>

#include "core/platform/DataFolder.h"
#include "core/platform/Strings.h"
#include "core/reports/ListFrame.h"
#include "core/reports/ListReports.h"
#include "core/reports/Lists.h"

namespace vardo {
namespace {

constexpr std::size_t kNamesPerLine = 4;

std::string PhonesText(std::string_view home, std::string_view mobile, std::string_view work) {
    if (home.empty() && mobile.empty() && work.empty())
        return {};
    return std::string(home) + " - " + std::string(mobile) + " - " + std::string(work);
}

std::string S(StrId id) {
    return std::string(Str(id));
}

// One printed line of a block: text at an x offset (in 1/20 inch from the left edge), optionally bold.
struct Cell {
    int x20 = 0;
    std::string text;
    bool bold = false;
};
using Line = std::vector<Cell>;

struct Block {
    std::vector<Line> lines;
    int page = 0;
    int line = 0;
};

struct SafetyLayout {
    ListFrame frame;
    std::vector<Block> blocks;
    int pages = 1;
};

const EmergencyContactRecord* ContactOf(const ListSource& source, const PublisherRecord& person) {
    const auto it = source.safety.contacts.find(person.EmergencyKey());
    return person.EmergencyKey() != 0 && it != source.safety.contacts.end() ? &it->second : nullptr;
}

std::string NeedsOf(const ListSource& source, const PublisherRecord& person) {
    const auto it = source.safety.needs.find(person.SpecialNeedsKey());
    return person.SpecialNeedsKey() != 0 && it != source.safety.needs.end() ? it->second : std::string();
}

std::string NeedFlags(const PublisherRecord& person) {
    std::vector<std::string> flags;
    if (person.IsDeaf())
        flags.push_back(S(StrId::NeedDeaf));
    if (person.IsBlind())
        flags.push_back(S(StrId::NeedBlind));
    if (person.IsConfined())
        flags.push_back(S(StrId::NeedConfined));
    std::string text;
    for (const std::string& flag : flags)
        text += (text.empty() ? "" : ", ") + flag;
    return text;
}

std::string WitnessText(const EmergencyContactRecord& contact) {
    return S(StrId::WitnessQuestion) + " " + S(contact.IsWitness() ? StrId::YesText : StrId::NoText);
}

std::string WithCongregation(std::string title, const ReportEnvironment& environment) {
    if (!environment.options.congregationName.empty())
        title += " - " + environment.options.congregationName;
    return title;
}

std::string GroupSubtitle(const ListSource& source, int group) {
    return group == 0 ? std::string() : ListSubtitle(source, ListFilter{group, ListSelector::All});
}

// Wrapped text as lines of one cell each at `x20`.
void AddWrapped(Canvas& canvas, const ListFrame& f, std::vector<Line>& lines, int x20, std::string_view text) {
    canvas.SetFont(f.rowFont);
    for (std::string& part : WrapText(canvas, text, f.X(15, 2) - f.X(x20, 20)))
        lines.push_back({Cell{x20, std::move(part)}});
}

SafetyLayout Place(SafetyLayout layout) {
    LinePager pager(layout.frame.metrics.linesPerPage);
    for (Block& block : layout.blocks) {
        const auto at = pager.Place(static_cast<int>(block.lines.size()));
        block.page = at.page;
        block.line = at.line;
    }
    layout.pages = pager.Pages();
    return layout;
}

SafetyLayout EmergencyListLayout(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                                 int group) {
    SafetyLayout layout;
    layout.frame = BeginListFrame(canvas, environment, SafetyTitle(SafetyReport::EmergencyList, environment),
                                  GroupSubtitle(source, group));
    const ListFrame& f = layout.frame;
    const bool lastNameFirst = environment.options.surnameFirst;
    for (const ListEntry& entry :
         SelectListEntries(source, ListFilter{group, ListSelector::All}, group == 0, lastNameFirst)) {
        const PublisherRecord& person = source.database->Record(entry.record);
        Block block;
        block.lines.push_back({Cell{0, source.database->DisplayNameOfRecord(entry.record, lastNameFirst), true},
                               Cell{44, PhonesText(person.Phone1(), person.Phone2(), person.Phone3())}});
        if (const EmergencyContactRecord* contact = ContactOf(source, person)) {
            block.lines.push_back({Cell{4, FormatArgs(Str(StrId::EmergencyContactLine), {contact->Name()})}});
            // Telephones on a line of their own: a long contact name never runs into them.
            Line phones{Cell{8, PhonesText(contact->HomePhone(), contact->MobilePhone(), contact->WorkPhone())}};
            if (environment.options.emergencyWitnessLine)
                phones.push_back(Cell{52, WitnessText(*contact)});
            block.lines.push_back(std::move(phones));
            if (!contact->Information().empty())
                AddWrapped(canvas, f, block.lines, 8, contact->Information());
        } else {
            block.lines.push_back({Cell{4, S(StrId::NoEmergencyContact)}});
        }
        for (std::string& names : JoinNames(entry.familyMembers, kNamesPerLine))
            block.lines.push_back({Cell{4, FormatArgs(Str(StrId::FamilyLine), {names})}});
        layout.blocks.push_back(std::move(block));
    }
    return Place(std::move(layout));
}

SafetyLayout SpecialNeedsLayout(const ListSource& source, Canvas& canvas, const ReportEnvironment& environment,
                                int group) {
    SafetyLayout layout;
    layout.frame = BeginListFrame(canvas, environment, SafetyTitle(SafetyReport::SpecialNeedsList, environment),
                                  GroupSubtitle(source, group));
    const ListFrame& f = layout.frame;
    const bool lastNameFirst = environment.options.surnameFirst;
    const PublisherDatabase& db = *source.database;
    for (const bool inactive : {false, true}) {
        const ListFilter filter{group, inactive ? ListSelector::Inactive : ListSelector::All};
        for (const ListEntry& entry : SelectListEntries(source, filter, false, lastNameFirst)) {
            const PublisherRecord& person = db.Record(entry.record);
            const std::string flags = NeedFlags(person);
            const std::string needs = NeedsOf(source, person);
            if (flags.empty() && needs.empty())
                continue;
            std::string name = db.DisplayNameOfRecord(entry.record, lastNameFirst);
            if (inactive)
                name += FormatPrintf(" ( %s )", S(StrId::InactiveMark).c_str());
            const std::string phone = !person.Phone1().empty() ? person.Phone1() : person.Phone2();
            Block block;
            block.lines.push_back({Cell{0, name, true}, Cell{44, phone}, Cell{76, flags}});
            if (!needs.empty())
                AddWrapped(canvas, f, block.lines, 4, needs);
            if (!person.Address().empty())
                block.lines.push_back({Cell{4, person.Address()}});
            layout.blocks.push_back(std::move(block));
        }
    }
    return Place(std::move(layout));
}

// --- Forms ---------------------------------------------------------------------------------------------------

struct FormField {
    std::string label;
    std::string value;
    bool heading = false;
};

std::vector<FormField> FormFields(const ListSource* source, const ListEntry* entry,
                                  const ReportEnvironment& environment) {
    const PublisherRecord* person = source != nullptr ? &source->database->Record(entry->record) : nullptr;
    const EmergencyContactRecord* contact = person != nullptr ? ContactOf(*source, *person) : nullptr;
    auto value = [&](auto get) { return person != nullptr ? get(*person) : std::string(); };
    auto contactValue = [&](auto get) { return contact != nullptr ? get(*contact) : std::string(); };

    std::vector<FormField> fields;
    const bool lastNameFirst = environment.options.surnameFirst;
    fields.push_back({S(StrId::FullNameLabel),
                      person != nullptr ? source->database->DisplayNameOfRecord(entry->record, lastNameFirst) : ""});
    fields.push_back({S(StrId::FieldAddress), value([](const PublisherRecord& p) { return p.Address(); })});
    fields.push_back({S(StrId::FieldPhoneHome), value([](const PublisherRecord& p) { return p.Phone1(); })});
    fields.push_back({S(StrId::FieldPhoneMobile), value([](const PublisherRecord& p) { return p.Phone2(); })});
    fields.push_back({S(StrId::FieldPhoneWork), value([](const PublisherRecord& p) { return p.Phone3(); })});
    std::string email;
    if (person != nullptr)
        if (auto it = source->emails.find(person->Id()); it != source->emails.end())
            email = it->second;
    fields.push_back({S(StrId::FieldEmail), email});
    std::string group;
    if (person != nullptr && person->Group() != 0)
        group = source->groups != nullptr && person->Group() <= GroupTable::kMaxGroups
                    ? source->groups->DisplayName(person->Group() - 1)
                    : std::to_string(person->Group());
    fields.push_back({S(StrId::GroupLabel), group});
    if (person == nullptr) {
        fields.push_back({S(StrId::FamilyMembersLabel), ""});
        fields.push_back({"", ""});
    } else if (entry->familyMembers.empty()) {
        fields.push_back({S(StrId::FamilyMembersLabel), S(StrId::LivesAlone)});
    } else {
        bool first = true;
        for (std::string& names : JoinNames(entry->familyMembers, 3)) {
            fields.push_back({first ? S(StrId::FamilyMembersLabel) : "", std::move(names)});
            first = false;
        }
    }

    fields.push_back({S(StrId::ContactPickerCaption), "", true});
    fields.push_back({S(StrId::FullNameLabel), contactValue([](const EmergencyContactRecord& c) { return c.Name(); })});
    fields.push_back(
        {S(StrId::FieldPhoneHome), contactValue([](const EmergencyContactRecord& c) { return c.HomePhone(); })});
    fields.push_back(
        {S(StrId::FieldPhoneMobile), contactValue([](const EmergencyContactRecord& c) { return c.MobilePhone(); })});
    fields.push_back(
        {S(StrId::FieldPhoneWork), contactValue([](const EmergencyContactRecord& c) { return c.WorkPhone(); })});
    if (environment.options.emergencyWitnessLine)
        fields.push_back({S(StrId::WitnessQuestion),
                          contact != nullptr ? S(contact->IsWitness() ? StrId::YesText : StrId::NoText) : ""});
    fields.push_back(
        {S(StrId::InformationLabel), contactValue([](const EmergencyContactRecord& c) { return c.Information(); })});

    fields.push_back({S(StrId::SpecialNeedsLabel), "", true});
    fields.push_back({S(StrId::NeedFlagsLabel), person != nullptr ? NeedFlags(*person) : ""});
    fields.push_back({S(StrId::SpecialNeedsTextLabel), person != nullptr ? NeedsOf(*source, *person) : ""});
    if (person == nullptr)
        fields.push_back({"", ""});
    return fields;
}

struct FormLayout {
    ListFrame frame;
    std::vector<ListEntry> households;
    bool blank = false;
    int pages = 1;
};

FormLayout BuildForms(SafetyReport report, const ListSource& source, Canvas& canvas,
                      const ReportEnvironment& environment) {
    FormLayout layout;
    layout.frame = BeginListFrame(canvas, environment, SafetyTitle(report, environment), {});
    layout.blank = report == SafetyReport::BlankForm || source.database == nullptr;
    if (!layout.blank)
        layout.households = SelectListEntries(source, ListFilter{}, true, environment.options.surnameFirst);
    if (!layout.blank && !source.formPersons.empty()) {
        // The forms of the chosen persons: a member's form is his household's, under its head.
        std::vector<ListEntry> chosen;
        for (ListEntry& entry : layout.households) {
            const PublisherRecord& head = source.database->Record(entry.record);
            const bool wanted = std::any_of(source.formPersons.begin(), source.formPersons.end(), [&](PublisherId id) {
                const PublisherRecord* person = source.database->FindById(id);
                return id == head.Id() ||
                       (person != nullptr && person->FamilyHead() == head.Id() && !entry.familyMembers.empty());
            });
            if (wanted)
                chosen.push_back(std::move(entry));
        }
        layout.households = std::move(chosen);
        layout.blank = layout.households.empty();
    }
    layout.pages = layout.blank ? 1 : std::max<int>(1, static_cast<int>(layout.households.size()));
    return layout;
}

void DrawForm(Canvas& canvas, const ReportEnvironment& environment, const FormLayout& layout, int page,
              const std::vector<FormField>& fields) {
    const ListFrame& f = layout.frame;
    DrawListPageHeader(canvas, environment, f, page, f.X(15, 2), true);
    // Two text lines per field: room to write by hand on the blank form.
    const int step = 2 * f.metrics.lineHeight;
    const int valueX = f.metrics.left + f.X(12, 5);
    const int right = f.metrics.left + f.X(15, 2);
    int y = f.RowY(page, 0);
    canvas.SetPen(Pen{});
    for (const FormField& field : fields) {
        if (field.heading) {
            y += f.metrics.lineHeight;
            canvas.SetFont(f.subtitleFont);
            canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
            canvas.DrawText(f.metrics.left, y + f.metrics.lineHeight, field.label);
            y += step;
            continue;
        }
        canvas.SetFont(f.rowFont);
        std::vector<std::string> values = WrapText(canvas, field.value, right - valueX);
        if (values.empty())
            values.emplace_back();
        const int baseline = y + f.metrics.lineHeight;
        canvas.SetFont(f.textFont);
        canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
        canvas.DrawText(f.metrics.left, baseline, field.label);
        canvas.SetFont(f.rowFont);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int lineBase = baseline + static_cast<int>(i) * step;
            canvas.DrawText(valueX, lineBase, values[i]);
            canvas.DrawLine(valueX, lineBase + 2, right, lineBase + 2);
        }
        y += static_cast<int>(values.size() - 1) * step;
        y += step;
    }
}

void DrawForms(const FormLayout& layout, const ListSource& source, Canvas& canvas,
               const ReportEnvironment& environment) {
    if (layout.blank) {
        DrawForm(canvas, environment, layout, 0, FormFields(nullptr, nullptr, environment));
        return;
    }
    for (int page = 0; page < layout.pages; ++page) {
        const Rect band{0, layout.frame.PageTopOf(page) - layout.frame.metrics.dpiY, layout.frame.X(17, 2),
                        layout.frame.PageTopOf(page + 1)};
        if (canvas.MayShow(band))
            DrawForm(canvas, environment, layout, page,
                     FormFields(&source, &layout.households[static_cast<std::size_t>(page)], environment));
    }
}

void DrawBlocks(const SafetyLayout& layout, Canvas& canvas, const ReportEnvironment& environment) {
    const ListFrame& f = layout.frame;
    for (int page = 0; page < layout.pages; ++page)
        DrawListPageHeader(canvas, environment, f, page, f.X(15, 2), true);
    LogicalFont bold = f.rowFont;
    bold.weight = 700;
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    for (const Block& block : layout.blocks) {
        if (!canvas.MayShow(f.RowBand(block.page, block.line, static_cast<int>(block.lines.size()))))
            continue;
        int line = block.line;
        for (const Line& cells : block.lines) {
            const int y = f.RowY(block.page, line++);
            for (const Cell& cell : cells) {
                canvas.SetFont(cell.bold ? bold : f.rowFont);
                canvas.DrawText(f.metrics.left + f.X(cell.x20, 20), y, cell.text);
            }
        }
    }
}

SafetyLayout BlockLayout(SafetyReport report, const ListSource& source, Canvas& canvas,
                         const ReportEnvironment& environment, int group) {
    return report == SafetyReport::EmergencyList ? EmergencyListLayout(source, canvas, environment, group)
                                                 : SpecialNeedsLayout(source, canvas, environment, group);
}

bool IsForm(SafetyReport report) {
    return report == SafetyReport::BlankForm || report == SafetyReport::Forms;
}

class SafetyListReport final : public Report {
public:
    SafetyListReport(SafetyReport report, const ListSource& source, int group)
        : m_report(report), m_source(source), m_group(group) {}

    int CountPages(Canvas& canvas, const ReportEnvironment& environment) const override {
        return CountSafetyPages(m_report, m_source, canvas, environment, m_group);
    }
    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        DrawSafetyReport(m_report, m_source, canvas, environment, m_group);
    }

private:
    SafetyReport m_report;
    const ListSource& m_source;
    int m_group;
};

std::uint16_t KeyAt(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

} // namespace

SafetyData SafetyDataFromBytes(std::string_view emergBytes, std::string_view spneedBytes) {
    SafetyData data;
    for (std::size_t at = 0; at + EmergencyContactRecord::kSize <= emergBytes.size();
         at += EmergencyContactRecord::kSize) {
        const std::uint16_t key = KeyAt(emergBytes, at);
        if (key >= KeyedRecordFile::kFirstKey && data.contacts.count(key) == 0)
            data.contacts.emplace(
                key, EmergencyContactRecord::FromBytes(emergBytes.substr(at, EmergencyContactRecord::kSize)));
    }
    for (std::size_t at = 0; at + SpecialNeedsRecord::kSize <= spneedBytes.size(); at += SpecialNeedsRecord::kSize) {
        const std::uint16_t key = KeyAt(spneedBytes, at);
        if (key >= KeyedRecordFile::kFirstKey && data.needs.count(key) == 0)
            data.needs.emplace(key,
                               SpecialNeedsRecord::FromBytes(spneedBytes.substr(at, SpecialNeedsRecord::kSize)).Text());
    }
    return data;
}

SafetyData LoadSafetyData(const DataFolder& folder) {
    auto read = [&](std::string_view name) {
        if (!folder.Exists(name))
            return std::string();
        auto bytes = folder.ReadAll(name);
        return bytes.ok() ? bytes.value() : std::string();
    };
    return SafetyDataFromBytes(read(EmergencyFile::kFileName), read(SpecialNeedsFile::kFileName));
}

std::optional<SafetyReport> SafetyReportOf(ReportKind kind) {
    switch (kind) {
    case ReportKind::EmergencyCongregation:
    case ReportKind::EmergencyGroup:
        return SafetyReport::EmergencyList;
    case ReportKind::EmergencyBlankForm:
        return SafetyReport::BlankForm;
    case ReportKind::EmergencyForms:
        return SafetyReport::Forms;
    case ReportKind::SpecialNeedsCongregation:
    case ReportKind::SpecialNeedsGroup:
        return SafetyReport::SpecialNeedsList;
    default:
        return std::nullopt;
    }
}

std::string SafetyTitle(SafetyReport report, const ReportEnvironment& environment) {
    switch (report) {
    case SafetyReport::EmergencyList:
        return WithCongregation(S(StrId::EmergencyListTitle), environment);
    case SafetyReport::BlankForm:
    case SafetyReport::Forms:
        return WithCongregation(S(StrId::ContactFormTitle), environment);
    case SafetyReport::SpecialNeedsList:
        return WithCongregation(S(StrId::SpecialNeedsListTitle), environment);
    }
    return {};
}

void DrawSafetyReport(SafetyReport report, const ListSource& source, Canvas& canvas,
                      const ReportEnvironment& environment, int group) {
    if (IsForm(report))
        DrawForms(BuildForms(report, source, canvas, environment), source, canvas, environment);
    else if (source.database != nullptr)
        DrawBlocks(BlockLayout(report, source, canvas, environment, group), canvas, environment);
}

int CountSafetyPages(SafetyReport report, const ListSource& source, Canvas& canvas,
                     const ReportEnvironment& environment, int group) {
    if (IsForm(report))
        return BuildForms(report, source, canvas, environment).pages;
    if (source.database == nullptr)
        return 1;
    return BlockLayout(report, source, canvas, environment, group).pages;
}

std::unique_ptr<Report> MakeSafetyReport(SafetyReport report, const ListSource& source, int group) {
    return std::make_unique<SafetyListReport>(report, source, group);
}

} // namespace vardo

#include "core/reporting/StatusViewPresenter.h"

#include <algorithm>

#include "core/platform/Strings.h"
#include "core/store/MonthMath.h"

namespace vardo {
namespace {

constexpr int kMonthChoices = 12;

// The fixed kinds of the kind list, in its order.
constexpr StatusViewKind kFixedKinds[] = {
    StatusViewKind::NoReport,    StatusViewKind::Irregular,         StatusViewKind::New,
    StatusViewKind::Reactivated, StatusViewKind::Inactive,          StatusViewKind::Moved,
    StatusViewKind::Baptised,    StatusViewKind::AuxiliaryPioneers, StatusViewKind::Conductors,
    StatusViewKind::Unbaptised,  StatusViewKind::Interested,        StatusViewKind::CollectionForm,
    StatusViewKind::Privileges,  StatusViewKind::Consent,           StatusViewKind::NoConsent,
};

// The kind's text in the kind list: the title, except that the missing-reports list is not tied to a month.
std::string KindText(const StatusData& data, StatusViewKind kind) {
    StatusQuery query;
    query.kind = kind;
    query.month = data.basis.month.monthIndex;
    return StatusViewTitle(data, query);
}

bool SomebodyHasSpecialNeed(const PublisherDatabase& database) {
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        if ((entry.record->NeedsFlags() & 0x7) != 0)
            return true;
    return false;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

StatusViewPresenter::StatusViewPresenter(StatusData data, std::vector<std::string> groupNames,
                                         std::unordered_map<PublisherId, std::string> emails)
    : m_data(std::move(data)), m_groupNames(std::move(groupNames)), m_emails(std::move(emails)) {
    BuildKinds();
    SetKind(StatusViewKind::NoReport);
}

void StatusViewPresenter::BuildKinds() {
    m_kinds.clear();
    for (const StatusViewKind kind : kFixedKinds)
        m_kinds.push_back({kind, KindText(m_data, kind)});
    if (SomebodyHasSpecialNeed(m_data.database))
        m_kinds.push_back({StatusViewKind::SpecialNeeds, KindText(m_data, StatusViewKind::SpecialNeeds)});
    if (m_data.settings.userCategoryEnabled != 0)
        m_kinds.push_back({StatusViewKind::UserCategory, KindText(m_data, StatusViewKind::UserCategory)});
}

int StatusViewPresenter::KindIndex() const {
    for (std::size_t i = 0; i < m_kinds.size(); ++i)
        if (m_kinds[i].kind == m_query.kind)
            return static_cast<int>(i);
    return 0;
}

void StatusViewPresenter::SetKind(StatusViewKind kind) {
    const bool offered =
        std::any_of(m_kinds.begin(), m_kinds.end(), [kind](const KindEntry& entry) { return entry.kind == kind; });
    m_query = StatusQuery{};
    m_query.kind = offered ? kind : m_kinds.front().kind;
    m_monthIndex = 0;
    m_query.month = m_data.basis.month.monthIndex;
    m_privilegeIndex = 0;
    const std::vector<StatusPeriod> periods = Periods();
    m_periodIndex = m_query.kind == StatusViewKind::Inactive ? static_cast<int>(periods.size()) - 1 : 0;
    if (!periods.empty())
        m_query.period = periods[static_cast<std::size_t>(m_periodIndex)];
    m_query.privilege = OfferedPrivileges().front();
    NameMonthKind();
    Rebuild();
}

void StatusViewPresenter::SetKindIndex(int index) {
    if (index >= 0 && index < static_cast<int>(m_kinds.size()))
        SetKind(m_kinds[static_cast<std::size_t>(index)].kind);
}

std::vector<std::string> StatusViewPresenter::PeriodTexts() const {
    std::vector<std::string> texts;
    for (const StatusPeriod period : Periods())
        texts.emplace_back(PeriodText(period));
    return texts;
}

std::vector<std::string> StatusViewPresenter::GroupTexts() const {
    if (!HasGroupFilter(m_query.kind))
        return {};
    std::vector<std::string> texts{std::string(Str(StrId::Congregation))};
    texts.insert(texts.end(), m_groupNames.begin(), m_groupNames.end());
    return texts;
}

std::vector<std::string> StatusViewPresenter::MonthTexts() const {
    if (!HasMonthChoice(m_query.kind))
        return {};
    std::vector<std::string> texts;
    for (int back = 0; back < kMonthChoices; ++back) {
        const WalkMonth month = MonthBack(m_data.basis.month, back);
        texts.push_back(std::string(MonthName(month.month)) + " " + std::to_string(2000 + YearIndexOf(month.count)));
    }
    return texts;
}

std::vector<std::string> StatusViewPresenter::ClassTexts() const {
    std::vector<std::string> texts;
    if (m_query.kind == StatusViewKind::Baptised)
        for (int i = 0; i < kBaptismClasses; ++i)
            texts.push_back(BaptismClassText(i));
    return texts;
}

std::vector<PrivilegeChoice> StatusViewPresenter::OfferedPrivileges() const {
    std::vector<PrivilegeChoice> offered;
    for (int i = 0; i < kPrivilegeChoices; ++i) {
        const auto privilege = static_cast<PrivilegeChoice>(i);
        if (privilege == PrivilegeChoice::SpecialFullTime || privilege == PrivilegeChoice::FieldMissionaries) {
            // Offered only when somebody holds it.
            StatusQuery query;
            query.kind = StatusViewKind::Privileges;
            query.privilege = privilege;
            if (BuildStatusView(m_data, query).empty())
                continue;
        }
        offered.push_back(privilege);
    }
    return offered;
}

std::vector<std::string> StatusViewPresenter::PrivilegeTexts() const {
    std::vector<std::string> texts;
    if (m_query.kind == StatusViewKind::Privileges)
        for (const PrivilegeChoice privilege : OfferedPrivileges())
            texts.emplace_back(PrivilegeText(privilege));
    return texts;
}

void StatusViewPresenter::SetPeriodIndex(int index) {
    const std::vector<StatusPeriod> periods = Periods();
    if (index < 0 || index >= static_cast<int>(periods.size()))
        return;
    m_periodIndex = index;
    m_query.period = periods[static_cast<std::size_t>(index)];
    Rebuild();
}

void StatusViewPresenter::SetGroupIndex(int index) {
    if (!HasGroupFilter(m_query.kind) || index < 0 || index > static_cast<int>(m_groupNames.size()))
        return;
    m_query.group = index;
    Rebuild();
}

void StatusViewPresenter::SetMonthIndex(int index) {
    if (!HasMonthChoice(m_query.kind) || index < 0 || index >= kMonthChoices)
        return;
    m_monthIndex = index;
    m_query.month = MonthBack(m_data.basis.month, index).month;
    NameMonthKind();
    Rebuild();
}

void StatusViewPresenter::SetClassIndex(int index) {
    if (m_query.kind != StatusViewKind::Baptised || index < 0 || index >= kBaptismClasses)
        return;
    m_query.baptismClass = index;
    Rebuild();
}

void StatusViewPresenter::SetPrivilegeIndex(int index) {
    const std::vector<PrivilegeChoice> offered = OfferedPrivileges();
    if (m_query.kind != StatusViewKind::Privileges || index < 0 || index >= static_cast<int>(offered.size()))
        return;
    m_privilegeIndex = index;
    m_query.privilege = offered[static_cast<std::size_t>(index)];
    Rebuild();
}

std::string StatusViewPresenter::Caption() const {
    const bool choices = !Periods().empty() || HasGroupFilter(m_query.kind) || HasMonthChoice(m_query.kind) ||
                         m_query.kind == StatusViewKind::Baptised || m_query.kind == StatusViewKind::Privileges;
    return choices ? StatusViewCaption(m_data, m_query, m_lines.size()) : StatusViewTitle(m_data, m_query);
}

std::string StatusViewPresenter::ClipboardText() const {
    std::string text;
    for (const StatusLine& line : m_lines) {
        if (m_query.kind == StatusViewKind::NoReport)
            text += line.name + (m_query.group == 0 ? "  " : "\t") + line.detail;
        else
            text += line.name + "\t" + line.detail + "\t" + line.reason;
        text += "\r\n";
    }
    return text;
}

std::optional<StatusViewPresenter::Contact> StatusViewPresenter::ContactOf(int row) const {
    if (m_query.kind != StatusViewKind::NoReport || row < 0 || row >= static_cast<int>(m_lines.size()))
        return std::nullopt;
    const StatusLine& line = m_lines[static_cast<std::size_t>(row)];
    const PublisherRecord& person = m_data.database.Record(line.record);
    Contact contact;
    for (const std::string& phone : {person.Phone1(), person.Phone2(), person.Phone3()}) {
        if (phone.empty())
            continue;
        contact.phones += (contact.phones.empty() ? "" : ", ") + phone;
        if (contact.dialNumber.empty())
            contact.dialNumber = phone;
    }
    if (const auto it = m_emails.find(line.id); it != m_emails.end())
        contact.email = it->second;
    if (!contact.dialNumber.empty())
        contact.dialText = Trimmed(FormatArgs(Str(StrId::MailCallSection), {contact.dialNumber}));
    return contact;
}

void StatusViewPresenter::Refresh() {
    const StatusQuery query = m_query;
    const int period = m_periodIndex, month = m_monthIndex, privilege = m_privilegeIndex;
    BuildKinds();
    SetKind(query.kind);
    if (m_query.kind != query.kind)
        return;
    SetPeriodIndex(period);
    SetGroupIndex(query.group);
    SetMonthIndex(month);
    SetClassIndex(query.baptismClass);
    SetPrivilegeIndex(privilege);
    Rebuild();
}

void StatusViewPresenter::NameMonthKind() {
    // The missing-reports list is named after the month it shows.
    for (KindEntry& entry : m_kinds)
        if (entry.kind == StatusViewKind::NoReport) {
            StatusQuery query;
            query.month = m_query.kind == StatusViewKind::NoReport ? m_query.month : m_data.basis.month.monthIndex;
            entry.text = StatusViewTitle(m_data, query);
        }
}

void StatusViewPresenter::Rebuild() {
    m_lines = BuildStatusView(m_data, m_query);
}

// ---- quick results ----------------------------------------------------------------------------------------

QuickResultsPresenter::QuickResultsPresenter(const StatusData& data) : m_figures(QuickResults(data)) {}

std::vector<std::string> QuickResultsPresenter::Boxes() const {
    std::vector<std::string> boxes;
    for (const QuickFigure& figure : m_figures)
        if (std::find(boxes.begin(), boxes.end(), figure.box) == boxes.end())
            boxes.push_back(figure.box);
    return boxes;
}

std::vector<int> QuickResultsPresenter::FiguresOf(const std::string& box) const {
    std::vector<int> figures;
    for (std::size_t i = 0; i < m_figures.size(); ++i)
        if (m_figures[i].box == box)
            figures.push_back(static_cast<int>(i));
    return figures;
}

bool QuickResultsPresenter::CanOpen(int figure) const {
    return figure >= 0 && figure < static_cast<int>(m_figures.size()) &&
           !m_figures[static_cast<std::size_t>(figure)].persons.empty();
}

bool QuickResultsPresenter::Open(int figure) {
    if (!CanOpen(figure))
        return false;
    m_opened = figure;
    return true;
}

std::string QuickResultsPresenter::OpenedTitle() const {
    if (m_opened < 0)
        return {};
    const QuickFigure& figure = m_figures[static_cast<std::size_t>(m_opened)];
    std::string value = figure.value;
    value.erase(0, value.find_first_not_of(' '));
    return FormatArgs(Str(StrId::QuickPersonsOf), {figure.box, figure.label, value});
}

const std::vector<StatusLine>& QuickResultsPresenter::Persons() const {
    static const std::vector<StatusLine> kNone;
    return m_opened < 0 ? kNone : m_figures[static_cast<std::size_t>(m_opened)].persons;
}

} // namespace vardo

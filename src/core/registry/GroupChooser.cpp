#include "core/registry/GroupChooser.h"

#include "core/platform/Strings.h"

namespace vardo {

GroupChooser::GroupChooser(const RegistryContext& context, int currentGroup) : m_context(context) {
    if (currentGroup >= 1 && currentGroup <= GroupTable::kMaxGroups)
        m_selection = currentGroup - 1;
}

std::vector<std::string> GroupChooser::Numbers() {
    std::vector<std::string> numbers;
    for (int g = 1; g <= GroupTable::kMaxGroups; ++g)
        numbers.push_back(FormatPrintf("%02d", g));
    return numbers;
}

void GroupChooser::Select(int position) {
    if (position >= -1 && position < GroupTable::kMaxGroups)
        m_selection = position;
}

bool GroupChooser::Defined() const {
    return m_selection >= 0 && m_selection < m_context.groups.Count();
}

std::vector<std::string> GroupChooser::Members() const {
    std::vector<std::string> names;
    if (m_selection < 0)
        return names;
    const PublisherDatabase& database = m_context.database;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        if (database.Record(entry.recordNumber).Group() == m_selection + 1)
            names.push_back(database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst()));
    return names;
}

std::string GroupChooser::OverseerText() const {
    if (!Defined())
        return {};
    return FormatArgs(Str(StrId::Overseer), {m_context.groups.Overseer(m_selection)});
}

std::string GroupChooser::PlaceText() const {
    return Defined() ? m_context.groups.Place(m_selection) : std::string();
}

std::optional<int> GroupChooser::Chosen() const {
    if (m_selection < 0)
        return std::nullopt;
    return m_selection + 1;
}

} // namespace vardo

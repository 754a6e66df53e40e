#include "core/registry/PublisherChooser.h"

#include "core/platform/Strings.h"

namespace vardo {

PublisherChooser::PublisherChooser(RegistryContext& context, Mode mode, PublisherCategory category)
    : m_context(context), m_mode(mode), m_category(category) {
    if (Count() > 0)
        m_selectedId = IdAt(0);
}

const CategoryList& PublisherChooser::List() const {
    return m_context.database.List(m_category);
}

std::vector<std::string> PublisherChooser::Names() const {
    const PublisherDatabase& database = m_context.database;
    std::vector<std::string> names;
    for (const IndexEntry& entry : List())
        names.push_back(database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst()));
    return names;
}

int PublisherChooser::Count() const {
    return static_cast<int>(List().size());
}

int PublisherChooser::Selection() const {
    if (Count() == 0)
        return -1;
    const int position = m_selectedId ? PositionOfId(*m_selectedId) : -1;
    return position >= 0 ? position : 0;
}

void PublisherChooser::Select(int position) {
    if (position >= 0 && position < Count())
        m_selectedId = IdAt(position);
}

void PublisherChooser::SelectId(PublisherId id) {
    if (PositionOfId(id) >= 0)
        m_selectedId = id;
}

RecordNumber PublisherChooser::RecordAt(int position) const {
    return position >= 0 && position < Count() ? List()[static_cast<std::size_t>(position)].recordNumber : 0;
}

PublisherId PublisherChooser::IdAt(int position) const {
    return position >= 0 && position < Count() ? List()[static_cast<std::size_t>(position)].id : 0;
}

int PublisherChooser::PositionOfId(PublisherId id) const {
    const auto& list = List();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id)
            return static_cast<int>(i);
    return -1;
}

void PublisherChooser::Refill() {
    m_context.database.RebuildIndex(&m_context.prompter);
    if (!m_selectedId || PositionOfId(*m_selectedId) < 0)
        m_selectedId = Count() > 0 ? std::optional<PublisherId>(IdAt(0)) : std::nullopt;
}

std::string PublisherChooser::OpenButtonText() const {
    return m_mode == Mode::Pick ? "&" + std::string(Str(StrId::ChooseButton)) : "&Edycja...";
}

std::string PublisherChooser::CloseButtonText() const {
    return m_mode == Mode::Pick ? "&" + std::string(Str(StrId::CancelButton)) : "&Zamknij";
}

std::string PublisherChooser::Caption() const {
    return m_category == PublisherCategory::NonPublisher ? std::string(Str(StrId::ChooseInterested)) : std::string();
}

std::string PublisherChooser::AddButtonText() const {
    std::string text;
    const bool keepBlanks = m_context.languageTag == "swedish";
    for (char c : Str(StrId::AddButton))
        if (c != '<' && (keepBlanks || c != ' '))
            text += c;
    return text;
}

bool PublisherChooser::HasInactive() const {
    return !m_context.database.List(PublisherCategory::Inactive).empty();
}

bool PublisherChooser::HasNonPublishers() const {
    return !m_context.database.List(PublisherCategory::NonPublisher).empty();
}

} // namespace vardo

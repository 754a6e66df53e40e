#pragma once

// Households: a head of family (byte 239 bit 2) and the persons whose family field (offset 188) names the
// head; the family dialog and the family-member picker.

#include <string>
#include <vector>

#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

/// Records of the persons whose family head is `head` (the head excluded), in record order.
std::vector<RecordNumber> FamilyMembersOf(const PublisherDatabase& database, PublisherId head);

/// One line of a person picker.
struct PickerItem {
    PublisherId id = 0;
    std::string text;
};

/// The family-member picker ("Wybierz Członków Rodziny"): active publishers, then inactive persons
/// (" ( N )") and non-publishers (" ( SB )"); a head of family carries " *", a person already in a family
/// " #". `head` itself is not listed.
std::vector<PickerItem> FamilyPickerItems(const PublisherDatabase& database, PublisherId head);
/// The legend lines of the picker.
std::vector<std::string> FamilyPickerLegend();

/// Keeps the items whose text holds `filter` (any case, any place); all for an empty filter. The filter of
/// every chooser and picker.
std::vector<PickerItem> FilterItems(const std::vector<PickerItem>& items, std::string_view filter);
/// True when `text` holds `filter` in any case (an empty filter matches).
bool MatchesFilter(std::string_view text, std::string_view filter);

/// The family dialog of one person: editing for a head of family, viewing for a member.
class FamilyPresenter {
public:
    /// `person` as the editor holds it (head flag, id, family field).
    FamilyPresenter(RegistryContext& context, const PublisherRecord& person);

    bool Editable() const { return m_editable; }
    /// "Edycja Rodziny: <head>" / "Podgląd Rodziny: <head>".
    std::string Title() const;
    /// The head's name and the members' names.
    std::string HeadName() const;
    std::vector<PickerItem> Members() const;

    /// Picker lines for adding members.
    std::vector<PickerItem> Candidates() const { return FamilyPickerItems(m_context.database, m_head); }
    /// Adds a person to this family (one change). Refused when the dialog only views, for the head itself,
    /// or for a head of a family that has members; NotFound for an unknown person.
    Status Add(PublisherId id);
    /// Takes a member out of the family (one change).
    Status Remove(PublisherId id);

private:
    RegistryContext& m_context;
    PublisherId m_head = 0;
    bool m_editable = false;
};

} // namespace vardo

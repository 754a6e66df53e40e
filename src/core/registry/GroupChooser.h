#pragma once

// The group chooser (dialog "Grupy Służby Polowej"): the twenty group numbers, the members, overseer and
// meeting place of the selected group.

#include <optional>
#include <string>
#include <vector>

#include "core/registry/RegistryContext.h"

namespace vardo {

class GroupChooser {
public:
    /// `currentGroup` is selected when it is 1..20; otherwise the list starts without a selection.
    GroupChooser(const RegistryContext& context, int currentGroup);

    /// "01".."20".
    static std::vector<std::string> Numbers();
    /// Selected position 0..19, or -1.
    int Selection() const { return m_selection; }
    void Select(int position);

    /// Names of the active publishers of the selected group, in register order.
    std::vector<std::string> Members() const;
    /// "Nadzorca: <overseer>" of a defined group; empty otherwise.
    std::string OverseerText() const;
    /// The meeting place of a defined group; empty otherwise.
    std::string PlaceText() const;

    /// The group number chosen (1..20), or nullopt without a selection.
    std::optional<int> Chosen() const;

private:
    bool Defined() const;

    const RegistryContext& m_context;
    int m_selection = -1;
};

} // namespace vardo

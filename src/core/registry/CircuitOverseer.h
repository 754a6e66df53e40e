#pragma once

// The circuit overseer's record (dialog "Nadzorca obwodu"): name, address, telephones and the e-mail of its
// extension record, kept in the one record of category CircuitOverseer.

#include <array>
#include <string>

#include "core/platform/Result.h"
#include "core/registry/RegistryContext.h"

namespace vardo {

enum class OverseerField { FirstName, LastName, Address, PhoneHome, PhoneMobile, PhoneWork, Email };
inline constexpr int kOverseerFields = 7;

class CircuitOverseerPresenter {
public:
    /// Loads the fields from the circuit overseer's record and its extension record (empty when none).
    explicit CircuitOverseerPresenter(RegistryContext& context);

    const std::string& Text(OverseerField field) const { return m_texts[static_cast<std::size_t>(field)]; }
    void SetText(OverseerField field, std::string text) { m_texts[static_cast<std::size_t>(field)] = std::move(text); }
    /// Longest text of a field in characters (names 18, address 60, telephones 14, e-mail 50).
    static int MaxLength(OverseerField field);
    /// Label of a field ("Imię", "Nazwisko", ...).
    static std::string Label(OverseerField field);

    /// OK as one change. Without a record yet and with an empty last name nothing is stored (Ok). The texts
    /// are cut to their lengths; the e-mail goes to the extension record (its key 0 when there is no text
    /// and no record). Invalid for a text the files cannot hold, or the failure of a write; nothing changes.
    Status Store();

private:
    RegistryContext& m_context;
    std::array<std::string, kOverseerFields> m_texts;
};

} // namespace vardo

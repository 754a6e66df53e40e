#pragma once

// The user category (dialogs "Kategoria użytkownika"): its label, its switch, and what a new label does to
// the persons marked as members.

#include <optional>
#include <string>

#include "core/registry/RegistryContext.h"

namespace vardo {

class UserCategoryPresenter {
public:
    /// What to do with the members' marks when the label changes (second dialog).
    enum class Marks { Keep, Clear };

    explicit UserCategoryPresenter(RegistryContext& context);

    /// Fields of the first dialog, loaded from the settings. The name field takes at most 15 characters.
    std::string name;
    bool enabled = false;
    static constexpr int kNameMax = 15;

    /// The entered name (trailing blanks removed) differs from the stored label: the second dialog shows.
    bool NeedsMarksChoice() const;
    /// Persons marked as members (bit 4 of byte 239).
    int MarkedCount() const;
    /// Texts of the second dialog: the question line and the first radio button ("Zmienić wszystkich...").
    std::string MarksQuestion() const;
    std::string KeepMarksText() const;
    static std::string ClearMarksText();

    /// OK of the first dialog, with the second dialog's answer (nullopt when it was cancelled or not shown:
    /// the marks stay). One change: the label (cut to 15 characters), the switch (off with an empty label)
    /// and, for Clear, every member's mark. Nothing changes when nothing differs.
    void Store(std::optional<Marks> marks);

private:
    RegistryContext& m_context;
};

} // namespace vardo

#include "gui/registry/RegistryHooks.h"

#include "core/registry/PublisherEditor.h"
#include "gui/registry/EmergencyContactDialog.h"
#include "gui/registry/FamilyDialog.h"
#include "gui/registry/SpecialNeedsDialog.h"

namespace vardo {

RegistryHooks WithSafetyDialogs(RegistryHooks hooks) {
    if (!hooks.family)
        hooks.family = [](QWidget* parent, PublisherEditor& editor) {
            FamilyDialog::Run(parent, editor.Context(), editor.RecordForSafety());
        };
    if (!hooks.emergencyContact)
        hooks.emergencyContact = [](QWidget* parent, PublisherEditor& editor) {
            if (editor.Context().emergency == nullptr)
                return;
            if (const auto key = EmergencyContactDialog::Run(parent, editor.Context(), editor.RecordForSafety()))
                editor.SetEmergencyKey(*key);
        };
    if (!hooks.importantInformation)
        hooks.importantInformation = [](QWidget* parent, PublisherEditor& editor) {
            if (editor.Context().specialNeeds == nullptr)
                return;
            if (const auto state = SpecialNeedsDialog::Run(parent, editor.Context(), editor.RecordForSafety())) {
                editor.SetSpecialNeedsKey(state->key);
                editor.SetBox(EditorBox::Deaf, state->deaf);
                editor.SetBox(EditorBox::Blind, state->blind);
                editor.SetBox(EditorBox::Confined, state->confined);
            }
        };
    return hooks;
}

} // namespace vardo

#pragma once

#include <functional>

class QWidget;

namespace vardo {

class PublisherEditor;
struct RegistryContext;

/// Dialogs of other modules that the publisher editor and the chooser open. A hook that is not set leaves
/// its button disabled.
struct RegistryHooks {
    /// The family dialog for the person shown in the editor.
    std::function<void(QWidget*, PublisherEditor&)> family;
    /// The emergency-contact dialog for the person shown in the editor.
    std::function<void(QWidget*, PublisherEditor&)> emergencyContact;
    /// The shared important information (special needs) of the person shown in the editor.
    std::function<void(QWidget*, PublisherEditor&)> importantInformation;
    /// Adding from the list of interested persons or reactivating from the inactive list; true when a person
    /// was moved to the active list.
    std::function<bool(QWidget*, RegistryContext&)> addFromInterested;
    std::function<bool(QWidget*, RegistryContext&)> addFromInactive;
};

/// `hooks` with the family, emergency-contact and important-information dialogs of this module filled in
/// where they are not set.
RegistryHooks WithSafetyDialogs(RegistryHooks hooks);

} // namespace vardo

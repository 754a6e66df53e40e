#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QDialog>

#include "core/registry/PublisherChooser.h"
#include "gui/registry/RegistryHooks.h"

namespace Ui {
class PublisherChooserDialog;
}

namespace vardo {

/// Dialog "Wybór głosiciela": the list of publishers, opening the editor or, in picking mode, returning the
/// person chosen.
class PublisherChooserDialog : public QDialog {
    Q_OBJECT

public:
    PublisherChooserDialog(RegistryContext& context, PublisherChooser::Mode mode,
                           PublisherCategory category = PublisherCategory::Publisher, const RegistryHooks& hooks = {},
                           QWidget* parent = nullptr);
    ~PublisherChooserDialog() override;

    /// EditPublishers: the chooser with the editor. True when anything was stored or removed.
    static bool Edit(QWidget* parent, RegistryContext& context, const RegistryHooks& hooks = {});
    /// EditInterestedPersons: the chooser "Wybierz zainteresowanego" with the editor in its interested-person
    /// mode. True when anything was stored or removed.
    static bool EditInterested(QWidget* parent, RegistryContext& context, const RegistryHooks& hooks = {});
    /// Picking mode: the id of the person chosen, or nullopt on Cancel.
    static std::optional<PublisherId> Pick(QWidget* parent, RegistryContext& context,
                                           PublisherCategory category = PublisherCategory::Publisher);

    PublisherChooser& Chooser() { return m_chooser; }
    Ui::PublisherChooserDialog& Widgets() { return *m_ui; }
    bool Changed() const { return m_changed; }
    std::optional<PublisherId> Picked() const { return m_picked; }

    /// The buttons' actions.
    void OnOpen();
    void OnAdd();

private:
    void Fill();
    void OpenEditor(std::optional<int> position);

    std::unique_ptr<Ui::PublisherChooserDialog> m_ui;
    RegistryContext& m_context;
    PublisherChooser m_chooser;
    RegistryHooks m_hooks;
    bool m_changed = false;
    std::optional<PublisherId> m_picked;
    /// Chooser positions of the rows the filter shows.
    std::vector<int> m_rows;
};

} // namespace vardo

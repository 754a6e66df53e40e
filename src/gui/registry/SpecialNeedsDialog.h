#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/SpecialNeeds.h"

namespace Ui {
class SpecialNeedsDialog;
}

namespace vardo {

/// The important information of one person: special-needs text and the three need flags.
class SpecialNeedsDialog : public QDialog {
    Q_OBJECT

public:
    SpecialNeedsDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent = nullptr);
    ~SpecialNeedsDialog() override;

    /// What OK stored, or nullopt on Cancel.
    static std::optional<SpecialNeedsState> Run(QWidget* parent, RegistryContext& context,
                                                const PublisherRecord& person);

    Ui::SpecialNeedsDialog& Widgets() { return *m_ui; }

private:
    void OnOk();

    std::unique_ptr<Ui::SpecialNeedsDialog> m_ui;
    RegistryContext& m_context;
    SpecialNeedsPresenter m_presenter;
    SpecialNeedsState m_stored;
};

} // namespace vardo

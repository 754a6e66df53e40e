#pragma once

#include <memory>

#include <QDialog>

#include "core/registry/Family.h"

namespace Ui {
class FamilyDialog;
}

namespace vardo {

/// The family dialog: a head of family adds and removes members; a member sees the family.
class FamilyDialog : public QDialog {
    Q_OBJECT

public:
    FamilyDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent = nullptr);
    ~FamilyDialog() override;

    static void Run(QWidget* parent, RegistryContext& context, const PublisherRecord& person);

    Ui::FamilyDialog& Widgets() { return *m_ui; }

private:
    void Fill();

    std::unique_ptr<Ui::FamilyDialog> m_ui;
    RegistryContext& m_context;
    FamilyPresenter m_family;
    std::vector<PickerItem> m_members;
};

} // namespace vardo

#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/GroupChooser.h"

namespace Ui {
class GroupChooserDialog;
}

namespace vardo {

/// Dialog "Grupy Służby Polowej": choose a group number, seeing its members, overseer and place.
class GroupChooserDialog : public QDialog {
    Q_OBJECT

public:
    GroupChooserDialog(const RegistryContext& context, int currentGroup, QWidget* parent = nullptr);
    ~GroupChooserDialog() override;

    /// The group number chosen (1..20), or nullopt on Cancel or without a selection.
    static std::optional<int> Run(QWidget* parent, const RegistryContext& context, int currentGroup);

    const GroupChooser& Chooser() const { return m_chooser; }
    Ui::GroupChooserDialog& Widgets() { return *m_ui; }

private:
    void Show();

    std::unique_ptr<Ui::GroupChooserDialog> m_ui;
    GroupChooser m_chooser;
};

} // namespace vardo

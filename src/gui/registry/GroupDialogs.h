#pragma once

// The field-service-group dialogs: the group list, the group editor and the assignment of persons.

#include <memory>

#include <QDialog>

#include "core/registry/Groups.h"

namespace Ui {
class GroupListDialog;
class GroupEditorDialog;
class GroupAssignmentDialog;
} // namespace Ui

namespace vardo {

/// Dialog "Edycja Grupa Służby Polowej": the twenty groups; edit one or assign persons to it.
class GroupListDialog : public QDialog {
    Q_OBJECT

public:
    GroupListDialog(RegistryContext& context, QWidget* parent = nullptr);
    ~GroupListDialog() override;

    /// Runs the list; the number of groups is counted again when it closes.
    static void Run(QWidget* parent, RegistryContext& context);

    Ui::GroupListDialog& Widgets() { return *m_ui; }
    void done(int result) override;

private:
    void Fill();
    void OnSelect(int row);

    std::unique_ptr<Ui::GroupListDialog> m_ui;
    RegistryContext& m_context;
    GroupListPresenter m_list;
};

/// Group editor for one group.
class GroupEditorDialog : public QDialog {
    Q_OBJECT

public:
    GroupEditorDialog(RegistryContext& context, int g, QWidget* parent = nullptr);
    ~GroupEditorDialog() override;

    /// True when OK stored the group.
    static bool Run(QWidget* parent, RegistryContext& context, int g);

    Ui::GroupEditorDialog& Widgets() { return *m_ui; }

private:
    void TakeFields();
    void OnOk();

    std::unique_ptr<Ui::GroupEditorDialog> m_ui;
    RegistryContext& m_context;
    GroupEditorPresenter m_editor;
};

/// Assignment of persons to a group.
class GroupAssignmentDialog : public QDialog {
    Q_OBJECT

public:
    GroupAssignmentDialog(RegistryContext& context, int g, QWidget* parent = nullptr);
    ~GroupAssignmentDialog() override;

    static void Run(QWidget* parent, RegistryContext& context, int g);

    Ui::GroupAssignmentDialog& Widgets() { return *m_ui; }

private:
    void Fill();
    void OnAssign();

    std::unique_ptr<Ui::GroupAssignmentDialog> m_ui;
    RegistryContext& m_context;
    GroupAssignment m_assignment;
    std::vector<GroupAssignment::Candidate> m_shown;
};

} // namespace vardo

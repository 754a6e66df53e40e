#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/UserCategory.h"

namespace Ui {
class UserCategoryDialog;
class UserCategoryMarksDialog;
} // namespace Ui

namespace vardo {

/// The second dialog "Kategoria użytkownika": keep the members' marks under the new name, or clear them.
class UserCategoryMarksDialog : public QDialog {
    Q_OBJECT

public:
    UserCategoryMarksDialog(const UserCategoryPresenter& presenter, QWidget* parent = nullptr);
    ~UserCategoryMarksDialog() override;

    UserCategoryPresenter::Marks Choice() const;
    Ui::UserCategoryMarksDialog& Widgets() { return *m_ui; }

private:
    std::unique_ptr<Ui::UserCategoryMarksDialog> m_ui;
};

/// The first dialog "Kategoria użytkownika": the category's name and its switch.
class UserCategoryDialog : public QDialog {
    Q_OBJECT

public:
    UserCategoryDialog(RegistryContext& context, QWidget* parent = nullptr);
    ~UserCategoryDialog() override;

    static void Run(QWidget* parent, RegistryContext& context);

    Ui::UserCategoryDialog& Widgets() { return *m_ui; }

private:
    void OnOk();

    std::unique_ptr<Ui::UserCategoryDialog> m_ui;
    UserCategoryPresenter m_presenter;
};

} // namespace vardo

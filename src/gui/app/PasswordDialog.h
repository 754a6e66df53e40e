#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QDialog>

#include "core/registry/Password.h"

namespace Ui {
class PasswordDialog;
class PasswordChangeDialog;
} // namespace Ui

namespace vardo {

/// Dialog "Wymagane Hasło": accepts as soon as the right password is typed.
class PasswordDialog : public QDialog {
    Q_OBJECT

public:
    PasswordDialog(const std::string& stored, bool changing, QWidget* parent = nullptr);
    ~PasswordDialog() override;

    /// The password gate: true without a dialog when no password is set; otherwise the dialog decides.
    static bool Check(QWidget* parent, const std::string& stored, bool changing);

    Ui::PasswordDialog& Widgets() { return *m_ui; }

private:
    void Apply(PasswordGate::Outcome outcome);

    std::unique_ptr<Ui::PasswordDialog> m_ui;
    PasswordGate m_gate;
};

/// Dialog "Zmiana Hasła": the new password twice.
class PasswordChangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit PasswordChangeDialog(QWidget* parent = nullptr);
    ~PasswordChangeDialog() override;

    /// The confirmed new password, or nullopt (entries differ or Cancel).
    static std::optional<std::string> Run(QWidget* parent);

    const PasswordChange& Presenter() const { return m_change; }
    Ui::PasswordChangeDialog& Widgets() { return *m_ui; }

private:
    void OnOk();

    std::unique_ptr<Ui::PasswordChangeDialog> m_ui;
    PasswordChange m_change;
};

} // namespace vardo

#include "gui/app/PasswordDialog.h"

#include "gui/app/QtText.h"
#include "ui_PasswordChangeDialog.h"
#include "ui_PasswordDialog.h"

namespace vardo {

PasswordDialog::PasswordDialog(const std::string& stored, bool changing, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PasswordDialog>()), m_gate(stored, changing) {
    m_ui->setupUi(this);
    m_ui->promptLabel->setText(ToQt(m_gate.Prompt()));
    connect(m_ui->passwordEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { Apply(m_gate.TextChanged(ToUtf8(text))); });
    connect(m_ui->okButton, &QPushButton::clicked, this,
            [this] { Apply(m_gate.Ok(ToUtf8(m_ui->passwordEdit->text()))); });
}

PasswordDialog::~PasswordDialog() = default;

void PasswordDialog::Apply(PasswordGate::Outcome outcome) {
    switch (outcome) {
    case PasswordGate::Outcome::Accepted:
        accept();
        break;
    case PasswordGate::Outcome::Rejected:
        reject();
        break;
    case PasswordGate::Outcome::Pending:
        m_ui->promptLabel->setText(ToQt(m_gate.Prompt()));
        break;
    }
}

bool PasswordDialog::Check(QWidget* parent, const std::string& stored, bool changing) {
    if (!PasswordGate(stored, changing).NeedsDialog())
        return true;
    PasswordDialog dialog(stored, changing, parent);
    return dialog.exec() == QDialog::Accepted;
}

PasswordChangeDialog::PasswordChangeDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PasswordChangeDialog>()) {
    m_ui->setupUi(this);
    m_ui->passwordEdit->setMaxLength(kNewPasswordLength);
    m_ui->promptLabel->setText(ToQt(m_change.Prompt()));
    connect(m_ui->okButton, &QPushButton::clicked, this, &PasswordChangeDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

PasswordChangeDialog::~PasswordChangeDialog() = default;

void PasswordChangeDialog::OnOk() {
    if (m_change.Ok(ToUtf8(m_ui->passwordEdit->text()))) {
        accept();
        return;
    }
    m_ui->passwordEdit->clear();
    m_ui->passwordEdit->setFocus();
    m_ui->promptLabel->setText(ToQt(m_change.Prompt()));
}

std::optional<std::string> PasswordChangeDialog::Run(QWidget* parent) {
    PasswordChangeDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Presenter().Confirmed();
}

} // namespace vardo

#include "gui/registry/CircuitOverseerDialog.h"

#include "gui/app/QtText.h"
#include "ui_CircuitOverseerDialog.h"

namespace vardo {

CircuitOverseerDialog::CircuitOverseerDialog(RegistryContext& context, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CircuitOverseerDialog>()), m_context(context), m_presenter(context) {
    m_ui->setupUi(this);
    for (int f = 0; f < kOverseerFields; ++f) {
        const auto field = static_cast<OverseerField>(f);
        Edit(field)->setMaxLength(CircuitOverseerPresenter::MaxLength(field));
        Edit(field)->setText(ToQt(m_presenter.Text(field)));
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &CircuitOverseerDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CircuitOverseerDialog::~CircuitOverseerDialog() = default;

QLineEdit* CircuitOverseerDialog::Edit(OverseerField field) const {
    switch (field) {
    case OverseerField::FirstName:
        return m_ui->firstEdit;
    case OverseerField::LastName:
        return m_ui->lastEdit;
    case OverseerField::Address:
        return m_ui->addressEdit;
    case OverseerField::PhoneHome:
        return m_ui->homeEdit;
    case OverseerField::PhoneMobile:
        return m_ui->mobileEdit;
    case OverseerField::PhoneWork:
        return m_ui->workEdit;
    case OverseerField::Email:
        return m_ui->emailEdit;
    }
    return m_ui->firstEdit;
}

void CircuitOverseerDialog::OnOk() {
    for (int f = 0; f < kOverseerFields; ++f) {
        const auto field = static_cast<OverseerField>(f);
        m_presenter.SetText(field, ToUtf8(Edit(field)->text()));
    }
    if (const Status stored = m_presenter.Store(); !stored) {
        m_context.prompter.Message(stored.message(), Severity::Warning);
        return;
    }
    accept();
}

bool CircuitOverseerDialog::Run(QWidget* parent, RegistryContext& context) {
    CircuitOverseerDialog dialog(context, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vardo

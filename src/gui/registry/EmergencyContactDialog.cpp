#include "gui/registry/EmergencyContactDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/registry/PersonPickerDialog.h"
#include "ui_EmergencyContactDialog.h"

namespace vardo {

EmergencyContactDialog::EmergencyContactDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EmergencyContactDialog>()), m_context(context),
      m_presenter(context, person) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(m_presenter.Caption()));
    m_ui->sharedNote->setText(ToQt(Str(StrId::SharedInformation)));
    m_ui->linkButton->setText(ToQt(Str(StrId::LinkSharedButton)));
    m_ui->clearButton->setText(ToQt(Str(StrId::ClearSharedButton)));
    connect(m_ui->linkButton, &QPushButton::clicked, this, &EmergencyContactDialog::OnLink);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &EmergencyContactDialog::OnClear);
    connect(m_ui->okButton, &QPushButton::clicked, this, &EmergencyContactDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Show();
    m_ui->nameEdit->setFocus();
}

EmergencyContactDialog::~EmergencyContactDialog() = default;

void EmergencyContactDialog::Show() {
    const EmergencyTexts& texts = m_presenter.texts;
    m_ui->nameEdit->setText(ToQt(texts.name));
    m_ui->homeEdit->setText(ToQt(texts.homePhone));
    m_ui->mobileEdit->setText(ToQt(texts.mobilePhone));
    m_ui->workEdit->setText(ToQt(texts.workPhone));
    m_ui->witnessBox->setChecked(texts.witness);
    m_ui->informationEdit->setText(ToQt(texts.information));
    const bool shared = m_presenter.SharedVisible();
    m_ui->sharedNote->setVisible(shared);
    m_ui->clearButton->setVisible(shared);
    m_ui->linkButton->setVisible(m_presenter.LinkVisible());
}

void EmergencyContactDialog::TakeTexts() {
    EmergencyTexts& texts = m_presenter.texts;
    texts.name = ToUtf8(m_ui->nameEdit->text());
    texts.homePhone = ToUtf8(m_ui->homeEdit->text());
    texts.mobilePhone = ToUtf8(m_ui->mobileEdit->text());
    texts.workPhone = ToUtf8(m_ui->workEdit->text());
    texts.witness = m_ui->witnessBox->isChecked();
    texts.information = ToUtf8(m_ui->informationEdit->text());
}

void EmergencyContactDialog::OnLink() {
    std::vector<PickerItem> items;
    for (const auto& contact : m_presenter.StoredContacts())
        items.push_back({contact.key, contact.text});
    if (const auto key = PersonPickerDialog::Run(this, std::string(Str(StrId::ContactPickerCaption)), items)) {
        m_presenter.Link(*key);
        Show();
    }
}

void EmergencyContactDialog::OnClear() {
    TakeTexts();
    const Answer answer =
        m_context.prompter.Ask(EmergencyContactPresenter::ClearQuestion(), Buttons::YesNoCancel, Answer::Cancel);
    m_presenter.Clear(answer);
    Show();
}

void EmergencyContactDialog::OnOk() {
    TakeTexts();
    const auto stored = m_presenter.Store();
    if (!stored) {
        m_context.prompter.Message(stored.error(), Severity::Warning);
        m_ui->nameEdit->setFocus();
        return;
    }
    accept();
}

std::optional<std::uint16_t> EmergencyContactDialog::Run(QWidget* parent, RegistryContext& context,
                                                         const PublisherRecord& person) {
    EmergencyContactDialog dialog(context, person, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Key();
}

} // namespace vardo

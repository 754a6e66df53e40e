#include "gui/registry/SpecialNeedsDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_SpecialNeedsDialog.h"

namespace vardo {

SpecialNeedsDialog::SpecialNeedsDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SpecialNeedsDialog>()), m_context(context),
      m_presenter(context, person) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(std::string(Str(StrId::SpecialNeedsChangeName)) + " - " + m_presenter.Caption()));
    m_ui->textEdit->setMaxLength(SpecialNeedsPresenter::kTextMax);
    m_ui->textEdit->setText(ToQt(m_presenter.text));
    m_ui->deafBox->setChecked(m_presenter.deaf);
    m_ui->blindBox->setChecked(m_presenter.blind);
    m_ui->confinedBox->setChecked(m_presenter.confined);
    m_ui->sharedNote->setText(ToQt(Str(StrId::SharedInformation)));
    m_ui->sharedNote->setVisible(m_presenter.Shared());
    connect(m_ui->okButton, &QPushButton::clicked, this, &SpecialNeedsDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

SpecialNeedsDialog::~SpecialNeedsDialog() = default;

void SpecialNeedsDialog::OnOk() {
    m_presenter.text = ToUtf8(m_ui->textEdit->text());
    m_presenter.deaf = m_ui->deafBox->isChecked();
    m_presenter.blind = m_ui->blindBox->isChecked();
    m_presenter.confined = m_ui->confinedBox->isChecked();
    const auto stored = m_presenter.Store();
    if (!stored) {
        m_context.prompter.Message(stored.error(), Severity::Warning);
        return;
    }
    m_stored = stored.value();
    accept();
}

std::optional<SpecialNeedsState> SpecialNeedsDialog::Run(QWidget* parent, RegistryContext& context,
                                                         const PublisherRecord& person) {
    SpecialNeedsDialog dialog(context, person, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_stored;
}

} // namespace vardo

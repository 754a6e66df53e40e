#include "gui/registry/ExtensionDialog.h"

#include "core/store/ExtensionFile.h"
#include "gui/app/QtText.h"
#include "ui_ExtensionDialog.h"

namespace vardo {

ExtensionDialog::ExtensionDialog(const ExtensionTexts& texts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ExtensionDialog>()) {
    m_ui->setupUi(this);
    m_ui->longNameEdit->setMaxLength(static_cast<int>(ExtensionRecord::kLongNameMax));
    m_ui->emailEdit->setMaxLength(static_cast<int>(ExtensionRecord::kEmailMax));
    m_ui->extraEdit->setMaxLength(static_cast<int>(ExtensionRecord::kExtraMax));
    m_ui->longNameEdit->setText(ToQt(texts.longName));
    m_ui->emailEdit->setText(ToQt(texts.email));
    m_ui->extraEdit->setText(ToQt(texts.extra));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ExtensionDialog::~ExtensionDialog() = default;

ExtensionTexts ExtensionDialog::Texts() const {
    return {ToUtf8(m_ui->longNameEdit->text()), ToUtf8(m_ui->emailEdit->text()), ToUtf8(m_ui->extraEdit->text())};
}

std::optional<ExtensionTexts> ExtensionDialog::Run(QWidget* parent, const ExtensionTexts& texts) {
    ExtensionDialog dialog(texts, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Texts();
}

} // namespace vardo

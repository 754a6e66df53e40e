#include "gui/registry/DeleteDialog.h"

#include "gui/app/QtText.h"
#include "ui_DeleteDialog.h"

namespace vardo {

DeleteDialog::DeleteDialog(const WorkingMonth& month, const std::string& personName, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DeleteDialog>()), m_choice(month) {
    m_ui->setupUi(this);
    m_ui->personLabel->setText(ToQt(personName));
    for (const auto& text : m_choice.MonthTexts())
        m_ui->monthCombo->addItem(ToQt(text));
    for (const auto& text : m_choice.YearTexts())
        m_ui->yearCombo->addItem(ToQt(text));
    m_ui->monthCombo->setMaxVisibleItems(13);
    connect(m_ui->permanentRadio, &QRadioButton::toggled, this, [this](bool on) {
        m_choice.SetPermanent(on);
        Show();
    });
    connect(m_ui->monthCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_choice.SetMonthEntry(index); });
    connect(m_ui->yearCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_choice.SetYearEntry(index); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->permanentRadio->setChecked(m_choice.Permanent());
    m_ui->temporaryRadio->setChecked(!m_choice.Permanent());
    Show();
}

DeleteDialog::~DeleteDialog() = default;

void DeleteDialog::Show() {
    const QSignalBlocker month(m_ui->monthCombo);
    const QSignalBlocker year(m_ui->yearCombo);
    m_ui->monthCombo->setCurrentIndex(m_choice.MonthEntry());
    m_ui->yearCombo->setCurrentIndex(m_choice.YearEntry());
    for (QWidget* w : {static_cast<QWidget*>(m_ui->dateLabel), static_cast<QWidget*>(m_ui->monthCombo),
                       static_cast<QWidget*>(m_ui->yearCombo)})
        w->setVisible(m_choice.DateVisible());
}

std::optional<RemovalChoice> DeleteDialog::Run(QWidget* parent, const WorkingMonth& month,
                                               const std::string& personName) {
    DeleteDialog dialog(month, personName, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace vardo

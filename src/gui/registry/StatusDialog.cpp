#include "gui/registry/StatusDialog.h"

#include "gui/app/QtText.h"
#include "ui_StatusDialog.h"

namespace vardo {

StatusDialog::StatusDialog(const StatusChoice& choice, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::StatusDialog>()), m_choice(choice) {
    m_ui->setupUi(this);
    for (const auto& text : m_choice.MonthTexts())
        m_ui->monthCombo->addItem(ToQt(text));
    const std::pair<QRadioButton*, StatusKind> radios[] = {
        {m_ui->newPublisherRadio, StatusKind::NewPublisher},
        {m_ui->regularMovedInRadio, StatusKind::RegularMovedIn},
        {m_ui->irregularMovedInRadio, StatusKind::IrregularMovedIn},
        {m_ui->reactivatedRadio, StatusKind::Reactivated},
        {m_ui->clearRadio, StatusKind::Clear},
    };
    for (const auto& [radio, kind] : radios) {
        const StatusKind k = kind;
        connect(radio, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) {
                m_choice.SetKind(k);
                Show();
            }
        });
    }
    connect(m_ui->monthCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_choice.SetMonthIndexChosen(index); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Show();
}

StatusDialog::~StatusDialog() = default;

void StatusDialog::Show() {
    const QSignalBlocker block(m_ui->monthCombo);
    m_ui->monthCombo->setCurrentIndex(m_choice.MonthIndexChosen());
    m_ui->monthCombo->setEnabled(m_choice.MonthEnabled());
    if (const auto kind = m_choice.Kind()) {
        QRadioButton* radios[] = {m_ui->newPublisherRadio, m_ui->regularMovedInRadio, m_ui->irregularMovedInRadio,
                                  m_ui->reactivatedRadio, m_ui->clearRadio};
        QRadioButton* radio = radios[static_cast<int>(*kind)];
        if (!radio->isChecked()) {
            const QSignalBlocker blockRadio(radio);
            radio->setChecked(true);
        }
    }
    m_ui->okButton->setEnabled(m_choice.Kind().has_value());
}

std::optional<StatusChoice> StatusDialog::Run(QWidget* parent, const StatusChoice& choice) {
    StatusDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace vardo

#include "gui/reports/CardOptionsDialog.h"

#include "ui_CardOptionsDialog.h"

namespace vardo {

CardOptionsDialog::CardOptionsDialog(const CardOptions& current, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CardOptionsDialog>()), m_presenter(current) {
    m_ui->setupUi(this);
    const CardOptions& v = m_presenter.Values();
    m_ui->showGroupsBox->setChecked(v.showGroups);
    m_ui->onePerPageBox->setChecked(v.onePerPage);
    m_ui->hideBirthDayBox->setChecked(v.hideBirthDay);
    connect(m_ui->showGroupsBox, &QCheckBox::toggled, this, [this](bool on) { m_presenter.SetShowGroups(on); });
    connect(m_ui->onePerPageBox, &QCheckBox::toggled, this, [this](bool on) { m_presenter.SetOnePerPage(on); });
    connect(m_ui->hideBirthDayBox, &QCheckBox::toggled, this, [this](bool on) { m_presenter.SetHideBirthDay(on); });

    const std::pair<QCheckBox*, CardHiddenPart> parts[] = {
        {m_ui->hideCurrentAveragesBox, CardHiddenPart::CurrentYearAverages},
        {m_ui->hidePreviousAveragesBox, CardHiddenPart::PreviousYearAverages},
        {m_ui->hideCurrentTotalsBox, CardHiddenPart::CurrentYearTotals},
        {m_ui->hidePreviousTotalsBox, CardHiddenPart::PreviousYearTotals},
    };
    for (const auto& [box, part] : parts) {
        box->setChecked(m_presenter.Hidden(part));
        const CardHiddenPart hidden = part;
        connect(box, &QCheckBox::toggled, this, [this, hidden](bool on) { m_presenter.SetHidden(hidden, on); });
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CardOptionsDialog::~CardOptionsDialog() = default;

std::optional<CardOptionsPresenter> CardOptionsDialog::Run(QWidget* parent, const CardOptions& current) {
    CardOptionsDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Presenter();
}

} // namespace vardo

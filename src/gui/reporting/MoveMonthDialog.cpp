#include "gui/reporting/MoveMonthDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_MoveMonthDialog.h"

namespace vardo {

MoveMonthDialog::MoveMonthDialog(const MoveMonthChoice& choice, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MoveMonthDialog>()), m_choice(choice) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(Str(StrId::ChooseMonthTitle)));
    m_ui->captionLabel->setText(ToQt(m_choice.Caption()));
    for (const std::string& month : m_choice.MonthTexts())
        m_ui->monthCombo->addItem(ToQt(month));
    m_ui->monthCombo->setCurrentIndex(m_choice.MonthEntry());
    m_ui->yearList->setVisible(m_choice.YearVisible());
    if (m_choice.YearVisible()) {
        for (const std::string& year : m_choice.YearTexts())
            m_ui->yearList->addItem(ToQt(year));
        m_ui->yearList->setCurrentRow(m_choice.YearEntry());
        m_ui->yearList->scrollToItem(m_ui->yearList->currentItem());
    }
    m_ui->regularBox->setVisible(m_choice.RegularVisible());
    m_ui->regularBox->setChecked(m_choice.Regular());
    connect(m_ui->monthCombo, &QComboBox::currentIndexChanged, this,
            [this](int entry) { m_choice.SetMonthEntry(entry); });
    connect(m_ui->yearList, &QListWidget::currentRowChanged, this, [this](int entry) {
        if (entry >= 0)
            m_choice.SetYearEntry(entry);
    });
    connect(m_ui->regularBox, &QCheckBox::toggled, this, [this](bool on) { m_choice.SetRegular(on); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->monthCombo->setFocus();
}

MoveMonthDialog::~MoveMonthDialog() = default;

std::optional<MoveMonthChoice> MoveMonthDialog::Run(QWidget* parent, const MoveMonthChoice& choice) {
    MoveMonthDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

MonthAsker MoveMonthDialog::Asker(QWidget* parent) {
    return [parent](const MoveMonthChoice& choice) { return Run(parent, choice); };
}

} // namespace vardo

#include "gui/exchange/CsvWizardDialog.h"

#include "gui/app/QtText.h"
#include "ui_CsvWizardDialog.h"

namespace vardo {

CsvWizardDialog::CsvWizardDialog(const ReportingContext& context, const DataFolder& folder, CsvTable table,
                                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CsvWizardDialog>()), m_wizard(context, folder, std::move(table)) {
    m_ui->setupUi(this);
    for (const std::string& column : m_wizard.SourceColumns())
        m_ui->sourceList->addItem(ToQt(column));
    m_ui->whenHoursCheck->setText(ToQt(CsvWizard::WhenHoursCaption()));
    m_ui->whenHoursCheck->setChecked(m_wizard.ParticipatedWhenHours());
    m_ui->pages->setCurrentIndex(0);
    ShowColumns();

    // A source column and a target chosen one after the other make a pair.
    auto pairChosen = [this] {
        const int source = m_ui->sourceList->currentRow();
        const int target = m_ui->targetList->currentRow();
        if (source < 0 || target < 0)
            return;
        m_wizard.Pair(source, static_cast<CsvTarget>(target));
        m_ui->sourceList->setCurrentRow(-1);
        ShowColumns();
    };
    connect(m_ui->sourceList, &QListWidget::itemClicked, this, pairChosen);
    connect(m_ui->targetList, &QListWidget::itemClicked, this, pairChosen);
    connect(m_ui->clearButton, &QPushButton::clicked, this, [this] {
        m_wizard.ClearPairs();
        ShowColumns();
    });
    connect(m_ui->whenHoursCheck, &QCheckBox::toggled, this,
            [this](bool on) { m_wizard.SetParticipatedWhenHours(on); });
    connect(m_ui->pairButton, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* name = m_ui->unmatchedList->currentItem();
        const QListWidgetItem* publisher = m_ui->publisherList->currentItem();
        if (!name || !publisher)
            return;
        m_wizard.PairName(ToUtf8(name->text()), publisher->data(Qt::UserRole).toInt());
        ShowNames();
    });
    connect(m_ui->clearNamesButton, &QPushButton::clicked, this, [this] {
        m_wizard.ClearNamePairs();
        ShowNames();
    });
    connect(m_ui->skipCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_wizard.SetSkipUnmatched(on);
        ShowNames();
    });
    connect(m_ui->continueButton, &QPushButton::clicked, this, &CsvWizardDialog::Next);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CsvWizardDialog::~CsvWizardDialog() = default;

void CsvWizardDialog::ShowColumns() {
    m_ui->targetList->clear();
    for (const std::string& line : m_wizard.TargetLines())
        m_ui->targetList->addItem(ToQt(line));
    m_ui->targetList->setCurrentRow(-1);
    m_ui->continueButton->setEnabled(m_wizard.CanContinue());
}

void CsvWizardDialog::ShowNames() {
    m_ui->unmatchedList->clear();
    for (const std::string& name : m_wizard.Unmatched())
        m_ui->unmatchedList->addItem(ToQt(name));
    m_ui->unmatchedLabel->setText(ToQt(m_wizard.UnmatchedText()));
    if (m_ui->publisherList->count() == 0)
        for (const auto& [record, name] : m_wizard.Publishers()) {
            auto* item = new QListWidgetItem(ToQt(name), m_ui->publisherList);
            item->setData(Qt::UserRole, record);
        }
    m_ui->continueButton->setEnabled(m_wizard.CanFinish());
}

void CsvWizardDialog::Next() {
    if (m_ui->pages->currentIndex() == 0) {
        if (!m_wizard.Continue())
            return;
        m_ui->pages->setCurrentIndex(1);
        ShowNames();
        return;
    }
    m_reports = m_wizard.Finish();
    accept();
}

std::optional<CsvReports> CsvWizardDialog::Run(QWidget* parent, const ReportingContext& context,
                                               const DataFolder& folder, CsvTable table) {
    CsvWizardDialog dialog(context, folder, std::move(table), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Reports();
}

} // namespace vardo

#include "gui/reports/ReportGroupDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_ReportGroupDialog.h"

namespace vardo {

ReportGroupDialog::ReportGroupDialog(std::vector<std::string> groupNames, int current, bool printButtons,
                                     QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportGroupDialog>()) {
    m_ui->setupUi(this);
    m_choice.groupCount = static_cast<int>(groupNames.size());
    for (const auto& name : groupNames)
        m_ui->groupList->addItem(ToQt(name));

    const bool offerPrint = printButtons && m_choice.groupCount > 1;
    m_ui->printAllButton->setVisible(offerPrint);
    m_ui->printSelectedButton->setVisible(offerPrint);
    m_ui->printAllButton->setText(ToQt("Drukuj" + FormatPrintf(" 1 - %d", m_choice.groupCount)));

    connect(m_ui->groupList, &QListWidget::currentRowChanged, this, &ReportGroupDialog::Select);
    connect(m_ui->groupList, &QListWidget::itemDoubleClicked, this,
            [this] { Finish(ReportGroupChoice::Action::Show); });
    connect(m_ui->okButton, &QPushButton::clicked, this, [this] { Finish(ReportGroupChoice::Action::Show); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->printAllButton, &QPushButton::clicked, this, [this] { Finish(ReportGroupChoice::Action::PrintAll); });
    connect(m_ui->printSelectedButton, &QPushButton::clicked, this,
            [this] { Finish(ReportGroupChoice::Action::PrintSelected); });

    const int row = current >= 1 && current <= m_choice.groupCount ? current - 1 : (m_choice.groupCount > 0 ? 0 : -1);
    m_ui->groupList->setCurrentRow(row);
    Select(row);
    m_ui->groupList->setFocus();
}

ReportGroupDialog::~ReportGroupDialog() = default;

void ReportGroupDialog::Select(int row) {
    m_choice.group = row >= 0 ? row + 1 : 0;
    const bool chosen = m_choice.group > 0;
    m_ui->okButton->setEnabled(chosen);
    m_ui->printSelectedButton->setEnabled(chosen);
    m_ui->printSelectedButton->setText(chosen ? ToQt("Drukuj" + FormatPrintf(" %s %d", "#", m_choice.group))
                                              : QStringLiteral("Drukuj"));
}

void ReportGroupDialog::Finish(ReportGroupChoice::Action action) {
    if (action != ReportGroupChoice::Action::PrintAll && m_choice.group == 0)
        return;
    m_choice.action = action;
    accept();
}

std::optional<ReportGroupChoice> ReportGroupDialog::Run(QWidget* parent, std::vector<std::string> groupNames,
                                                        int current, bool printButtons) {
    ReportGroupDialog dialog(std::move(groupNames), current, printButtons, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace vardo

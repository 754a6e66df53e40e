#include "gui/registry/GroupChooserDialog.h"

#include "gui/app/QtText.h"
#include "ui_GroupChooserDialog.h"

namespace vardo {

GroupChooserDialog::GroupChooserDialog(const RegistryContext& context, int currentGroup, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::GroupChooserDialog>()), m_chooser(context, currentGroup) {
    m_ui->setupUi(this);
    for (const auto& number : GroupChooser::Numbers())
        m_ui->numberList->addItem(ToQt(number));
    m_ui->numberList->setCurrentRow(m_chooser.Selection());
    connect(m_ui->numberList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_chooser.Select(row);
        Show();
    });
    connect(m_ui->numberList, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // A list that gets the focus without a current row makes its first row current; without a group the
    // dialog must open with none chosen.
    if (m_chooser.Selection() < 0)
        m_ui->cancelButton->setFocus();
    else
        m_ui->numberList->setFocus();
    Show();
}

GroupChooserDialog::~GroupChooserDialog() = default;

void GroupChooserDialog::Show() {
    m_ui->memberList->clear();
    for (const auto& name : m_chooser.Members())
        m_ui->memberList->addItem(ToQt(name));
    m_ui->overseerLabel->setText(ToQt(m_chooser.OverseerText()));
    m_ui->placeLabel->setText(ToQt(m_chooser.PlaceText()));
    m_ui->okButton->setEnabled(m_chooser.Chosen().has_value());
}

std::optional<int> GroupChooserDialog::Run(QWidget* parent, const RegistryContext& context, int currentGroup) {
    GroupChooserDialog dialog(context, currentGroup, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chooser().Chosen();
}

} // namespace vardo

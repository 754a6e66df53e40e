#include "gui/registry/PersonPickerDialog.h"

#include <algorithm>

#include "gui/app/QtText.h"
#include "ui_PersonPickerDialog.h"

namespace vardo {

PersonPickerDialog::PersonPickerDialog(const std::string& title, std::vector<PickerItem> items,
                                       const std::vector<std::string>& legend, QWidget* parent, bool many)
    : QDialog(parent), m_ui(std::make_unique<Ui::PersonPickerDialog>()), m_items(std::move(items)), m_many(many) {
    m_ui->setupUi(this);
    if (m_many) {
        m_ui->itemList->setSelectionMode(QAbstractItemView::MultiSelection);
        connect(m_ui->itemList, &QListWidget::itemSelectionChanged, this, [this] {
            for (int row = 0; row < m_ui->itemList->count(); ++row) {
                const PublisherId id = m_shown[static_cast<std::size_t>(row)].id;
                const auto it = std::find(m_chosen.begin(), m_chosen.end(), id);
                if (m_ui->itemList->item(row)->isSelected() && it == m_chosen.end())
                    m_chosen.push_back(id);
                else if (!m_ui->itemList->item(row)->isSelected() && it != m_chosen.end())
                    m_chosen.erase(it);
            }
        });
    }
    setWindowTitle(ToQt(title));
    std::string legendText;
    for (const std::string& line : legend)
        legendText += (legendText.empty() ? "" : "\n") + line;
    m_ui->legendLabel->setText(ToQt(legendText));
    m_ui->legendLabel->setVisible(!legend.empty());
    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, [this] { Fill(); });
    if (!m_many)
        connect(m_ui->itemList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_ui->itemList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_ui->okButton->setEnabled(row >= 0); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
    m_ui->filterEdit->setFocus();
}

PersonPickerDialog::~PersonPickerDialog() = default;

void PersonPickerDialog::Fill() {
    m_shown = FilterItems(m_items, ToUtf8(m_ui->filterEdit->text()));
    const QSignalBlocker block(m_ui->itemList);
    m_ui->itemList->clear();
    for (const PickerItem& item : m_shown) {
        m_ui->itemList->addItem(ToQt(item.text));
        if (m_many && std::find(m_chosen.begin(), m_chosen.end(), item.id) != m_chosen.end())
            m_ui->itemList->item(m_ui->itemList->count() - 1)->setSelected(true);
    }
    if (m_many) {
        m_ui->okButton->setEnabled(true);
        return;
    }
    m_ui->itemList->setCurrentRow(m_shown.empty() ? -1 : 0);
    m_ui->okButton->setEnabled(!m_shown.empty());
}

std::optional<PublisherId> PersonPickerDialog::Chosen() const {
    const int row = m_ui->itemList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return std::nullopt;
    return m_shown[static_cast<std::size_t>(row)].id;
}

std::vector<PublisherId> PersonPickerDialog::ChosenMany() const {
    std::vector<PublisherId> ids;
    for (const PickerItem& item : m_items)
        if (std::find(m_chosen.begin(), m_chosen.end(), item.id) != m_chosen.end())
            ids.push_back(item.id);
    return ids;
}

std::optional<std::vector<PublisherId>> PersonPickerDialog::RunMany(QWidget* parent, const std::string& title,
                                                                    std::vector<PickerItem> items) {
    PersonPickerDialog dialog(title, std::move(items), {}, parent, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenMany();
}

std::optional<PublisherId> PersonPickerDialog::Run(QWidget* parent, const std::string& title,
                                                   std::vector<PickerItem> items,
                                                   const std::vector<std::string>& legend) {
    PersonPickerDialog dialog(title, std::move(items), legend, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

} // namespace vardo

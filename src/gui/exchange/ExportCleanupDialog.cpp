#include "gui/exchange/ExportCleanupDialog.h"

#include "gui/app/QtText.h"
#include "ui_ExportCleanupDialog.h"

namespace vardo {

ExportCleanupDialog::ExportCleanupDialog(ExportCleanup cleanup, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ExportCleanupDialog>()), m_cleanup(std::move(cleanup)) {
    m_ui->setupUi(this);
    m_ui->textLabel->setText(ToQt(ExportCleanup::Text()));
    for (std::size_t i = 0; i < m_cleanup.Files().size(); ++i) {
        auto* item = new QListWidgetItem(ToQt(m_cleanup.Files()[i]), m_ui->fileList);
        item->setSelected(m_cleanup.IsSelected(i));
    }
    connect(m_ui->fileList, &QListWidget::itemSelectionChanged, this, [this] {
        for (int row = 0; row < m_ui->fileList->count(); ++row)
            m_cleanup.SetSelected(static_cast<std::size_t>(row), m_ui->fileList->item(row)->isSelected());
        m_ui->okButton->setEnabled(m_cleanup.SelectedCount() > 0);
    });
    m_ui->okButton->setEnabled(m_cleanup.SelectedCount() > 0);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ExportCleanupDialog::~ExportCleanupDialog() = default;

} // namespace vardo

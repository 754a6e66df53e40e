#include "gui/exchange/DataExportDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_DataExportDialog.h"

namespace vardo {

DataExportDialog::DataExportDialog(const WorkingMonth& month, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DataExportDialog>()), m_choice(month) {
    m_ui->setupUi(this);
    for (const std::string& item : m_choice.MonthItems())
        m_ui->monthCombo->addItem(ToQt(item));
    m_ui->monthCombo->setCurrentIndex(m_choice.monthItem);
    m_ui->commaRadio->setChecked(!m_choice.tab);
    m_ui->tabRadio->setChecked(m_choice.tab);
    m_ui->headerBox->setChecked(m_choice.header);
    connect(m_ui->tabRadio, &QRadioButton::toggled, this, [this](bool on) {
        m_choice.tab = on;
        ShowFile();
    });
    connect(m_ui->monthCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_choice.monthItem = index;
        ShowFile();
    });
    connect(m_ui->headerBox, &QCheckBox::toggled, this, [this](bool on) { m_choice.header = on; });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ShowFile();
}

DataExportDialog::~DataExportDialog() = default;

void DataExportDialog::ShowFile() {
    m_ui->fileLabel->setText(ToQt(std::string(kExportsFolder) + "/" + m_choice.FileName()));
}

} // namespace vardo

#include "gui/reporting/EntryListDialog.h"

#include <QSignalBlocker>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Prompter.h"
#include "gui/app/QtText.h"
#include "gui/reporting/ReportDialog.h"
#include "ui_EntryListDialog.h"

namespace vardo {

EntryListDialog::EntryListDialog(CVardoDoc& doc, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EntryListDialog>()), m_doc(doc), m_prompter(prompter),
      m_context(doc.MakeReportingContext(prompter)) {
    m_ui->setupUi(this);
    {
        // Opening the list marks the month two after the working month as not initialised; that is a change
        // of the register like any other, made only when the state really changes.
        const HeaderRecord& header = doc.Database().Header();
        const MonthIndex later = (doc.GetWorkingMonth().monthIndex + 2) % kMonthsPerYear;
        const std::uint8_t before = header.MonthStateByte(later);
        DocumentChange change(doc.Changes(), "Lista sprawozdań");
        change.Touch(DataArea::Register);
        m_list = std::make_unique<EntryList>(m_context, doc.Side().groups, doc.GetMonthCycle().lastEnteredId);
        if (header.MonthStateByte(later) != before)
            change.Commit();
    }
    setWindowTitle(ToQt(m_list->Title()));
    for (const std::string& item : m_list->GroupItems())
        m_ui->groupCombo->addItem(ToQt(item));
    m_ui->groupCombo->setCurrentIndex(0);
    m_ui->closeMonthButton->setText(ToQt(m_list->CloseButtonText()));

    connect(m_ui->groupCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_list->SetGroupChoice(index);
        ShowRows();
    });
    connect(m_ui->missingBox, &QCheckBox::toggled, this, [this](bool on) {
        m_list->SetMissingOnly(on);
        ShowRows();
    });
    connect(m_ui->personList, &QListWidget::currentRowChanged, this, [this](int row) { m_list->Select(row); });
    // Enter in the list reaches the dialog's default button (OK); a double click opens the same way.
    connect(m_ui->personList, &QListWidget::itemDoubleClicked, this, [this] { OpenReport(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, [this] { OpenReport(); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->closeMonthButton, &QPushButton::clicked, this, [this] { CloseMonth(); });
    ShowRows();
    m_ui->personList->setFocus();
}

EntryListDialog::~EntryListDialog() = default;

void EntryListDialog::ShowRows() {
    const QSignalBlocker blocker(m_ui->personList);
    m_ui->personList->clear();
    for (const EntryList::Item& item : m_list->Items())
        m_ui->personList->addItem(ToQt(item.name));
    m_ui->personList->setCurrentRow(m_list->Selection());
    if (QListWidgetItem* current = m_ui->personList->currentItem())
        m_ui->personList->scrollToItem(current);
    m_ui->okButton->setEnabled(m_list->Selection() >= 0);
    m_ui->lastEnteredLabel->setText(ToQt(m_list->LastEnteredName()));
}

void EntryListDialog::OpenReport() {
    const RecordNumber record = m_list->SelectedRecord();
    if (record == 0)
        return;
    (void)ReportDialog::Run(this, m_context, record);
    m_list->SetLastEntered(m_doc.GetMonthCycle().lastEnteredId);
    m_list->AfterReport();
    ShowRows();
    m_ui->personList->setFocus();
}

void EntryListDialog::CloseMonth() {
    if (const Status closed = m_doc.CloseWorkingMonth(); !closed) {
        m_prompter.Message(closed.message(), Severity::Warning);
        return;
    }
    accept();
}

void EntryListDialog::Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter) {
    EntryListDialog dialog(doc, prompter, parent);
    dialog.exec();
}

} // namespace vardo

#include "gui/reporting/EntryListDialog.h"

#include <QSignalBlocker>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/app/QtText.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/reporting/ReportDialog.h"
#include "ui_EntryListDialog.h"

namespace vardo {

namespace {

const Clock& SystemTime() {
    static const SystemClock clock;
    return clock;
}

} // namespace

EntryListDialog::EntryListDialog(CVardoDoc& doc, Prompter& prompter, QWidget* parent, const Clock* clock)
    : QDialog(parent), m_ui(std::make_unique<Ui::EntryListDialog>()), m_doc(doc), m_prompter(prompter),
      m_clock(clock != nullptr ? *clock : SystemTime()), m_context(doc.MakeReportingContext(prompter)) {
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
    connect(m_ui->groupFileButton, &QPushButton::clicked, this, [this] {
        OpenGroupReport(this, m_doc, m_prompter, m_clock, GroupForFile());
        ShowRows();
    });
    connect(m_ui->groupImportButton, &QPushButton::clicked, this, [this] {
        if (ImportGroupFile(this, m_doc, m_prompter, m_clock))
            AfterImport();
    });
    connect(m_ui->xmlImportButton, &QPushButton::clicked, this, [this] {
        if (ImportXmlReports(this, m_doc, m_prompter, m_clock))
            AfterImport();
    });
    connect(m_ui->csvImportButton, &QPushButton::clicked, this, [this] {
        if (ImportCsvReports(this, m_doc, m_prompter, m_clock))
            AfterImport();
    });
    m_ui->groupFileButton->setEnabled(doc.Side().groups.Count() > 0);
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

int EntryListDialog::GroupForFile() const {
    if (m_list->GroupChoice() > 0)
        return m_list->GroupChoice();
    if (const RecordNumber record = m_list->SelectedRecord();
        record != 0 && m_doc.Database().Record(record).Group() > 0)
        return m_doc.Database().Record(record).Group();
    return 1;
}

void EntryListDialog::AfterImport() {
    m_list->AfterReport();
    ShowRows();
}

void EntryListDialog::CloseMonth() {
    if (const Status closed = m_doc.CloseWorkingMonth(); !closed) {
        m_prompter.Message(closed.message(), Severity::Warning);
        return;
    }
    accept();
}

void EntryListDialog::Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock* clock) {
    EntryListDialog dialog(doc, prompter, parent, clock);
    dialog.exec();
}

} // namespace vardo

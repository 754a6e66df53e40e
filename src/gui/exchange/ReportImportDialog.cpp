#include "gui/exchange/ReportImportDialog.h"

#include <QHeaderView>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_ReportImportDialog.h"

namespace vardo {

ReportImportDialog::ReportImportDialog(const ReportingContext& context, ImportSource kind,
                                       std::vector<IncomingPerson> persons, const std::string& source, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportImportDialog>()), m_context(context),
      m_import(context, kind, std::move(persons)) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(source + "  -  " + std::string(MonthName(context.month.monthIndex))));
    m_ui->previewTable->setHorizontalHeaderLabels({ToQt(Str(StrId::ParticipatedColumn)), ToQt(Str(StrId::StudiesLabel)),
                                                   ToQt(Str(StrId::HoursLabel)), ToQt(Str(StrId::RemarksColumn))});
    m_ui->previewTable->setVerticalHeaderLabels({ToQt(Str(StrId::ImportNewData)), ToQt(Str(StrId::ImportReplacing))});
    QHeaderView* header = m_ui->previewTable->horizontalHeader();
    for (int c = 0; c < 3; ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    m_ui->previewTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ui->previewTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Two rows and the header, nothing below them.
    m_ui->previewTable->setFixedHeight(header->sizeHint().height() +
                                       2 * m_ui->previewTable->verticalHeader()->defaultSectionSize() +
                                       2 * m_ui->previewTable->frameWidth());
    m_ui->hintLabel->setText(ToQt(ReportImport::HintText()));
    FillList();
    ShowPreview(-1);
    // A list that gets the focus makes its first row current; the dialog opens with the hint instead.
    m_ui->importButton->setFocus();

    connect(m_ui->entryList, &QListWidget::currentRowChanged, this, &ReportImportDialog::ShowPreview);
    connect(m_ui->entryList, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { ShowPreview(m_ui->entryList->row(item)); });
    connect(m_ui->entryList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_import.SetSelected(static_cast<std::size_t>(m_ui->entryList->row(item)), item->checkState() == Qt::Checked);
        m_ui->importButton->setEnabled(m_import.SelectedCount() > 0);
    });
    connect(m_ui->selectAllButton, &QPushButton::clicked, this, [this] {
        m_import.SelectAll();
        FillList();
    });
    connect(m_ui->clearAllButton, &QPushButton::clicked, this, [this] {
        m_import.ClearAll();
        FillList();
    });
    connect(m_ui->importButton, &QPushButton::clicked, this, &ReportImportDialog::ImportSelected);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

ReportImportDialog::~ReportImportDialog() = default;

void ReportImportDialog::FillList() {
    const QSignalBlocker blocker(m_ui->entryList);
    const int current = m_ui->entryList->currentRow();
    m_ui->entryList->clear();
    for (const ImportListEntry& entry : m_import.Entries()) {
        auto* item = new QListWidgetItem(ToQt(entry.label), m_ui->entryList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.selected ? Qt::Checked : Qt::Unchecked);
        if (entry.replacesValues || entry.replacesRemark)
            item->setToolTip(ToQt(Str(StrId::ImportReplacing)));
    }
    m_ui->entryList->setCurrentRow(current);
    m_ui->countLabel->setText(ToQt(m_import.CountText()));
    m_ui->importButton->setEnabled(m_import.SelectedCount() > 0);
}

void ReportImportDialog::ShowPreview(int row) {
    const bool shown = row >= 0 && static_cast<std::size_t>(row) < m_import.Entries().size();
    m_ui->previewTable->setVisible(shown);
    m_ui->nameLabel->setVisible(shown);
    m_ui->lateLabel->setVisible(shown);
    m_ui->hintLabel->setVisible(!shown);
    if (!shown)
        return;
    const ImportPreview preview = m_import.Preview(static_cast<std::size_t>(row));
    m_ui->nameLabel->setText(ToQt(preview.name));
    m_ui->lateLabel->setText(ToQt(preview.lateText));
    int r = 0;
    for (const ImportPreviewRow* values : {&preview.incoming, &preview.existing}) {
        int c = 0;
        for (const std::string* text : {&values->participated, &values->studies, &values->hours, &values->remark})
            m_ui->previewTable->setItem(r, c++, new QTableWidgetItem(ToQt(*text)));
        ++r;
    }
}

void ReportImportDialog::ImportSelected() {
    const Result<int> stored = m_import.Import();
    if (!stored) {
        m_context.prompter.Message(stored.error(), Severity::Error);
        return;
    }
    m_stored = stored.value();
    accept();
}

std::optional<int> ReportImportDialog::Run(QWidget* parent, const ReportingContext& context, ImportSource kind,
                                           std::vector<IncomingPerson> persons, const std::string& source) {
    ReportImportDialog dialog(context, kind, std::move(persons), source, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Stored();
}

} // namespace vardo

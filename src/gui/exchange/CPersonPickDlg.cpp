#include "gui/exchange/CPersonPickDlg.h"

#include <QSignalBlocker>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_CPersonPickDlg.h"

namespace vardo {

CPersonPickDlg::CPersonPickDlg(PersonPick pick, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CPersonPickDlg>()), m_pick(std::move(pick)) {
    m_ui->setupUi(this);
    const bool importing = m_pick.GetMode() == PersonPick::Mode::Import;
    setWindowTitle(ToQt(importing ? Str(StrId::XmlImportOpenTitle) : Str(StrId::PickExportTitle)));
    m_ui->updateRadio->setText(ToQt(Str(StrId::PickUpdateExisting)));
    m_ui->createRadio->setText(ToQt(Str(StrId::PickCreateNew)));
    m_ui->updateRadio->setChecked(m_pick.updateDuplicates);
    m_ui->createRadio->setChecked(!m_pick.updateDuplicates);
    for (const PublistKind kind : {PublistKind::Active, PublistKind::Inactive, PublistKind::NonPublishers}) {
        QRadioButton* radio = RadioOf(kind);
        radio->setEnabled(m_pick.HasList(kind));
        radio->setChecked(m_pick.Kind() == kind);
        connect(radio, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (!on)
                return;
            m_pick.SetKind(kind);
            ShowList();
        });
    }
    connect(m_ui->personList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_pick.SetPicked(static_cast<std::size_t>(m_ui->personList->row(item)), item->checkState() == Qt::Checked);
        ShowCounts();
    });
    connect(m_ui->pickAllButton, &QPushButton::clicked, this, [this] {
        m_pick.PickAll(true);
        ShowList();
    });
    connect(m_ui->clearAllButton, &QPushButton::clicked, this, [this] {
        m_pick.PickAll(false);
        ShowList();
    });
    connect(m_ui->updateRadio, &QRadioButton::toggled, this, [this](bool on) { m_pick.updateDuplicates = on; });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ShowList();
}

CPersonPickDlg::~CPersonPickDlg() = default;

QRadioButton* CPersonPickDlg::RadioOf(PublistKind kind) const {
    switch (kind) {
    case PublistKind::Active:
        return m_ui->activeRadio;
    case PublistKind::Inactive:
        return m_ui->inactiveRadio;
    case PublistKind::NonPublishers:
        break;
    }
    return m_ui->nonPublishersRadio;
}

void CPersonPickDlg::ShowList() {
    {
        const QSignalBlocker blocker(m_ui->personList);
        m_ui->personList->clear();
        for (const PersonPick::Item& item : m_pick.Items()) {
            auto* row = new QListWidgetItem(ToQt(item.label), m_ui->personList);
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(item.picked ? Qt::Checked : Qt::Unchecked);
        }
    }
    ShowCounts();
}

void CPersonPickDlg::ShowCounts() {
    m_ui->countLabel->setText(QStringLiteral("%1 / %2").arg(m_pick.PickedCount()).arg(m_pick.Items().size()));
    const bool duplicates = m_pick.GetMode() == PersonPick::Mode::Import && m_pick.PickedDuplicates() > 0;
    m_ui->duplicatesBox->setVisible(duplicates);
    m_ui->duplicatesBox->setTitle(ToQt(m_pick.DuplicatesText()));
    m_ui->okButton->setEnabled(m_pick.PickedCount() > 0);
}

} // namespace vardo

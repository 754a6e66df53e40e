#include "gui/reporting/PioneerListDialog.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_PioneerListDialog.h"

namespace vardo {
namespace {

void Fill(QListWidget* list, const std::vector<PioneerList::Item>& items) {
    const QSignalBlocker block(list);
    list->clear();
    for (const PioneerList::Item& item : items)
        list->addItem(ToQt(item.name));
    list->setCurrentRow(-1);
}

} // namespace

PioneerListDialog::PioneerListDialog(const ReportingContext& context, PioneerCode mode, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PioneerListDialog>()), m_list(context, mode) {
    m_ui->setupUi(this);
    Connect();
    Show();
    m_ui->othersList->setFocus();
}

PioneerListDialog::~PioneerListDialog() = default;

void PioneerListDialog::Run(QWidget* parent, const ReportingContext& context, PioneerCode mode) {
    PioneerListDialog dialog(context, mode, parent);
    dialog.exec();
}

void PioneerListDialog::Connect() {
    Ui::PioneerListDialog& ui = *m_ui;
    connect(ui.yearList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_list.SetYearChoice(row);
            Show();
        }
    });
    connect(ui.monthCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            m_list.SetMonthChoice(m_ui->monthCombo->itemData(index).toInt());
            Show();
        }
    });
    connect(ui.specialBox, &QCheckBox::toggled, this, [this](bool on) {
        m_list.SetSpecial(on);
        Show();
    });
    connect(ui.holdersList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_list.SelectHolder(row);
            ShowSelection();
        }
    });
    connect(ui.othersList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_list.SelectOther(row);
            ShowSelection();
        }
    });
    connect(ui.moveButton, &QPushButton::clicked, this, &PioneerListDialog::Move);
    connect(ui.closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void PioneerListDialog::Show() {
    Ui::PioneerListDialog& ui = *m_ui;
    setWindowTitle(ToQt(m_list.Title()));
    {
        const QSignalBlocker block(ui.yearList);
        ui.yearList->clear();
        for (const std::string& year : m_list.YearItems())
            ui.yearList->addItem(ToQt(year));
        ui.yearList->setCurrentRow(m_list.YearChoice());
    }
    {
        const QSignalBlocker block(ui.monthCombo);
        ui.monthCombo->clear();
        for (const MonthIndex month : m_list.MonthItems()) {
            ui.monthCombo->addItem(ToQt(MonthName(month)), month);
            if (month == m_list.MonthChoice())
                ui.monthCombo->setCurrentIndex(ui.monthCombo->count() - 1);
        }
    }
    {
        const QSignalBlocker block(ui.specialBox);
        ui.specialBox->setChecked(m_list.Mode() == PioneerCode::Special);
    }
    ui.specialBox->setVisible(m_list.SpecialBoxVisible());
    Fill(ui.holdersList, m_list.Holders());
    Fill(ui.othersList, m_list.Others());
    ShowSelection();
}

void PioneerListDialog::ShowSelection() {
    Ui::PioneerListDialog& ui = *m_ui;
    const PioneerList::Side side = m_list.Selected();
    // One selection at a time: the list that does not hold it shows none.
    QListWidget* selected = side == PioneerList::Side::Holders  ? ui.holdersList
                            : side == PioneerList::Side::Others ? ui.othersList
                                                                : nullptr;
    for (QListWidget* list : {ui.holdersList, ui.othersList}) {
        const QSignalBlocker block(list);
        list->setCurrentRow(list == selected ? m_list.SelectedRow() : -1);
    }
    ui.moveButton->setText(ToQt(m_list.ButtonText()));
    ui.moveButton->setEnabled(side != PioneerList::Side::None);
    ui.nameLabel->setText(ToQt(m_list.SelectedName()));
}

void PioneerListDialog::Move() {
    const PioneerList::Side side = m_list.Selected();
    if (!m_list.Move())
        return;
    Show();
    // After an add, or when no code holder is left, the right list; else the left one.
    const bool right = side == PioneerList::Side::Others || m_list.Holders().empty();
    (right ? m_ui->othersList : m_ui->holdersList)->setFocus();
}

void PioneerListDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == m_ui->closeButton)
            accept();
        else
            Move();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vardo

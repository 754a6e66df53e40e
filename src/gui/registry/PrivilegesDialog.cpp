#include "gui/registry/PrivilegesDialog.h"

#include "gui/app/QtText.h"
#include "gui/registry/DatePickerWidget.h"
#include "ui_PrivilegesDialog.h"

namespace vardo {

PrivilegesDialog::PrivilegesDialog(const PrivilegesInput& input, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrivilegesDialog>()), m_presenter(input) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(m_presenter.Caption(ToUtf8(windowTitle()))));
    m_rows = {{
        {m_ui->servantBox, m_ui->servantStart, m_ui->servantEnd},
        {m_ui->elderBox, m_ui->elderStart, m_ui->elderEnd},
        {m_ui->regularPioneerBox, m_ui->regularPioneerStart, m_ui->regularPioneerEnd},
        {m_ui->continuousAuxiliaryBox, m_ui->continuousAuxiliaryStart, m_ui->continuousAuxiliaryEnd},
        {m_ui->specialPioneerBox, m_ui->specialPioneerStart, m_ui->specialPioneerEnd},
    }};
    for (int i = 0; i < kPrivilegeRows; ++i) {
        const auto row = static_cast<PrivilegeRow>(i);
        const Row& widgets = m_rows[static_cast<std::size_t>(i)];
        widgets.start->SetYears(m_presenter.Years());
        widgets.end->SetYears(m_presenter.Years());
        connect(widgets.box, &QCheckBox::toggled, this, [this, row](bool on) {
            m_presenter.SetBox(row, on);
            Show();
        });
        connect(widgets.start, &DatePickerWidget::Changed, this, [this, row, start = widgets.start] {
            m_presenter.SetStart(row, start->Date());
            Show();
        });
        connect(widgets.end, &DatePickerWidget::Changed, this, [this, row, end = widgets.end] {
            m_presenter.SetEnd(row, end->Date());
            Show();
        });
    }
    connect(m_ui->specialFullTimeBox, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter.SetSpecialFullTime(on);
        Show();
    });
    connect(m_ui->fieldMissionaryBox, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter.SetFieldMissionary(on);
        Show();
    });
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Show();
}

PrivilegesDialog::~PrivilegesDialog() = default;

void PrivilegesDialog::Show() {
    for (int i = 0; i < kPrivilegeRows; ++i) {
        const auto row = static_cast<PrivilegeRow>(i);
        const Row& widgets = m_rows[static_cast<std::size_t>(i)];
        const QSignalBlocker block(widgets.box);
        widgets.box->setChecked(m_presenter.Box(row));
        const bool enabled = m_presenter.RowEnabled(row);
        widgets.box->setEnabled(enabled);
        widgets.start->setEnabled(enabled);
        widgets.end->setEnabled(enabled);
        widgets.start->SetDate(m_presenter.Start(row));
        widgets.end->SetDate(m_presenter.End(row));
        // Hidden pickers keep their place in the grid, so the rows do not jump.
        QSizePolicy policy = widgets.end->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widgets.end->setSizePolicy(policy);
        widgets.end->setVisible(m_presenter.EndVisible(row));
    }
    const QSignalBlocker special(m_ui->specialFullTimeBox);
    const QSignalBlocker missionary(m_ui->fieldMissionaryBox);
    m_ui->specialFullTimeBox->setChecked(m_presenter.SpecialFullTime());
    m_ui->fieldMissionaryBox->setChecked(m_presenter.FieldMissionary());
}

std::optional<PrivilegesPresenter> PrivilegesDialog::Run(QWidget* parent, const PrivilegesInput& input) {
    PrivilegesDialog dialog(input, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Presenter();
}

} // namespace vardo

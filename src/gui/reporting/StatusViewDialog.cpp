#include "gui/reporting/StatusViewDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>

#include "core/platform/Strings.h"
#include "core/reports/StatusReport.h"
#include "gui/app/QtText.h"
#include "ui_StatusViewDialog.h"

namespace vardo {
namespace {

// Fills a choice list and shows it (with its label) only when it has entries.
void Fill(QComboBox* combo, QWidget* label, const std::vector<std::string>& texts, int current) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& text : texts)
        combo->addItem(ToQt(text));
    combo->setCurrentIndex(texts.empty() ? -1 : current);
    combo->setVisible(!texts.empty());
    label->setVisible(!texts.empty());
}

QString Text(StrId id) {
    return ToQt(Str(id));
}

} // namespace

StatusViewDialog::StatusViewDialog(StatusViewPresenter presenter, Actions actions, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::StatusViewDialog>()), m_presenter(std::move(presenter)),
      m_actions(std::move(actions)) {
    m_ui->setupUi(this);
    Ui::StatusViewDialog& ui = *m_ui;
    ui.kindLabel->setText(Text(StrId::StatusKindLabel));
    ui.periodLabel->setText(Text(StrId::StatusPeriodLabel));
    ui.monthLabel->setText(Text(StrId::StatusMonthLabel));
    ui.groupLabel->setText(Text(StrId::StatusGroupLabel));
    ui.classLabel->setText(Text(StrId::StatusClassLabel));
    ui.privilegeLabel->setText(Text(StrId::StatusPrivilegeLabel));
    ui.lineList->setHeaderLabels(
        {Text(StrId::StatusColumnName), Text(StrId::StatusColumnDetail), Text(StrId::StatusColumnReason)});
    ui.copyButton->setText(Text(StrId::StatusCopyToClipboard));
    ui.printButton->setText(Text(StrId::StatusPrintButton));
    ui.closeButton->setText(Text(StrId::Close));
    for (const StatusViewPresenter::KindEntry& kind : m_presenter.Kinds())
        ui.kindCombo->addItem(ToQt(kind.text));
    Connect();
    Show();
}

StatusViewDialog::~StatusViewDialog() = default;

void StatusViewDialog::Run(QWidget* parent, StatusViewPresenter presenter, StatusViewKind kind, Actions actions) {
    presenter.SetKind(kind);
    StatusViewDialog dialog(std::move(presenter), std::move(actions), parent);
    dialog.exec();
}

void StatusViewDialog::Connect() {
    Ui::StatusViewDialog& ui = *m_ui;
    const auto onIndex = [this](QComboBox* combo, void (StatusViewPresenter::*set)(int)) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, set](int index) {
            if (index < 0)
                return;
            (m_presenter.*set)(index);
            Show();
        });
    };
    onIndex(ui.kindCombo, &StatusViewPresenter::SetKindIndex);
    onIndex(ui.periodCombo, &StatusViewPresenter::SetPeriodIndex);
    onIndex(ui.monthCombo, &StatusViewPresenter::SetMonthIndex);
    onIndex(ui.groupCombo, &StatusViewPresenter::SetGroupIndex);
    onIndex(ui.classCombo, &StatusViewPresenter::SetClassIndex);
    onIndex(ui.privilegeCombo, &StatusViewPresenter::SetPrivilegeIndex);
    connect(ui.lineList, &QTreeWidget::currentItemChanged, this, [this] { ShowContact(); });
    connect(ui.copyButton, &QPushButton::clicked, this, &StatusViewDialog::CopyToClipboard);
    connect(ui.printButton, &QPushButton::clicked, this, &StatusViewDialog::Print);
    connect(ui.dialButton, &QPushButton::clicked, this, &StatusViewDialog::Dial);
    connect(ui.closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void StatusViewDialog::Show() {
    Ui::StatusViewDialog& ui = *m_ui;
    {
        const QSignalBlocker block(ui.kindCombo);
        for (int i = 0; i < ui.kindCombo->count() && i < static_cast<int>(m_presenter.Kinds().size()); ++i)
            ui.kindCombo->setItemText(i, ToQt(m_presenter.Kinds()[static_cast<std::size_t>(i)].text));
        ui.kindCombo->setCurrentIndex(m_presenter.KindIndex());
    }
    Fill(ui.periodCombo, ui.periodLabel, m_presenter.PeriodTexts(), m_presenter.PeriodIndex());
    Fill(ui.monthCombo, ui.monthLabel, m_presenter.MonthTexts(), m_presenter.MonthIndexChosen());
    Fill(ui.groupCombo, ui.groupLabel, m_presenter.GroupTexts(), m_presenter.GroupIndex());
    Fill(ui.classCombo, ui.classLabel, m_presenter.ClassTexts(), m_presenter.ClassIndex());
    Fill(ui.privilegeCombo, ui.privilegeLabel, m_presenter.PrivilegeTexts(), m_presenter.PrivilegeIndex());
    setWindowTitle(ToQt(m_presenter.Caption()));
    ShowLines();
}

void StatusViewDialog::ShowLines() {
    Ui::StatusViewDialog& ui = *m_ui;
    {
        const QSignalBlocker block(ui.lineList);
        ui.lineList->clear();
        for (const StatusLine& line : m_presenter.Lines()) {
            auto* item =
                new QTreeWidgetItem(ui.lineList, {ToQt(line.name), ToQt(DetailText(line.detail)), ToQt(line.reason)});
            for (int column = 0; column < 3; ++column)
                item->setToolTip(column, ToQt(line.reason));
        }
        for (int column = 0; column < 2; ++column)
            ui.lineList->resizeColumnToContents(column);
        if (ui.lineList->topLevelItemCount() > 0)
            ui.lineList->setCurrentItem(ui.lineList->topLevelItem(0));
    }
    ui.copyButton->setEnabled(m_presenter.CanCopy());
    ui.printButton->setEnabled(static_cast<bool>(m_actions.print));
    ui.noteLabel->clear();
    ShowContact();
}

void StatusViewDialog::ShowContact() {
    Ui::StatusViewDialog& ui = *m_ui;
    const int row =
        ui.lineList->currentItem() != nullptr ? ui.lineList->indexOfTopLevelItem(ui.lineList->currentItem()) : -1;
    const bool missingReports = m_presenter.Kind() == StatusViewKind::NoReport;
    ui.contactLabel->setVisible(missingReports);
    ui.dialButton->setVisible(missingReports);
    const std::optional<StatusViewPresenter::Contact> contact = m_presenter.ContactOf(row);
    if (!contact) {
        ui.contactLabel->clear();
        ui.dialButton->setText(ToQt(FormatArgs(Str(StrId::MailCallSection), {""})).trimmed());
        ui.dialButton->setEnabled(false);
        return;
    }
    QStringList parts;
    if (!contact->phones.empty())
        parts << ToQt(FormatArgs(Str(StrId::StatusContactPhones), {contact->phones}));
    if (!contact->email.empty())
        parts << ToQt(FormatArgs(Str(StrId::StatusContactEmail), {contact->email}));
    ui.contactLabel->setText(parts.isEmpty() ? Text(StrId::StatusNoContact) : parts.join(QStringLiteral("   ")));
    ui.dialButton->setText(contact->dialText.empty() ? ToQt(FormatArgs(Str(StrId::MailCallSection), {""})).trimmed()
                                                     : ToQt(contact->dialText));
    ui.dialButton->setEnabled(!contact->dialNumber.empty() && static_cast<bool>(m_actions.dial));
    ui.dialButton->setToolTip(contact->dialNumber.empty() ? Text(StrId::StatusNoPhoneToDial) : QString());
}

void StatusViewDialog::Print() {
    if (!m_actions.print)
        return;
    const StatusQuery query = m_presenter.Query();
    accept();
    m_actions.print(query);
}

void StatusViewDialog::CopyToClipboard() {
    if (!m_presenter.CanCopy())
        return;
    QGuiApplication::clipboard()->setText(ToQt(m_presenter.ClipboardText()));
    m_ui->noteLabel->setText(ToQt(FormatArgs(Str(StrId::StatusCopied), {std::to_string(m_presenter.Lines().size())})));
}

void StatusViewDialog::Dial() {
    QTreeWidgetItem* item = m_ui->lineList->currentItem();
    if (item == nullptr || !m_actions.dial)
        return;
    const int row = m_ui->lineList->indexOfTopLevelItem(item);
    const std::optional<StatusViewPresenter::Contact> contact = m_presenter.ContactOf(row);
    if (!contact || contact->dialNumber.empty())
        return;
    m_actions.dial(contact->dialNumber, m_presenter.Lines()[static_cast<std::size_t>(row)].name);
}

} // namespace vardo

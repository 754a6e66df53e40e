#include "gui/registry/PublisherChooserDialog.h"

#include <algorithm>

#include "core/registry/Family.h"
#include "gui/app/QtText.h"
#include "gui/registry/AddPublisherDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "ui_PublisherChooserDialog.h"

namespace vardo {

PublisherChooserDialog::PublisherChooserDialog(RegistryContext& context, PublisherChooser::Mode mode,
                                               PublisherCategory category, const RegistryHooks& hooks, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PublisherChooserDialog>()), m_context(context),
      m_chooser(context, mode, category), m_hooks(hooks) {
    m_ui->setupUi(this);
    m_ui->openButton->setText(ToQt(m_chooser.OpenButtonText()));
    m_ui->closeButton->setText(ToQt(m_chooser.CloseButtonText()));
    m_ui->addButton->setVisible(m_chooser.AddVisible());
    if (category == PublisherCategory::NonPublisher && mode == PublisherChooser::Mode::Edit) {
        setWindowTitle(ToQt(m_chooser.Caption()));
        m_ui->addButton->setText(ToQt(m_chooser.AddButtonText()));
    }
    connect(m_ui->openButton, &QPushButton::clicked, this, &PublisherChooserDialog::OnOpen);
    connect(m_ui->addButton, &QPushButton::clicked, this, &PublisherChooserDialog::OnAdd);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->personList, &QListWidget::itemDoubleClicked, this, &PublisherChooserDialog::OnOpen);
    connect(m_ui->personList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(m_rows.size()))
            m_chooser.Select(m_rows[static_cast<std::size_t>(row)]);
    });
    // Find as you type: a part of the first or the last name, anywhere in it.
    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, [this] { Fill(); });
    Fill();
    m_ui->personList->setFocus();
}

PublisherChooserDialog::~PublisherChooserDialog() = default;

void PublisherChooserDialog::Fill() {
    const QSignalBlocker block(m_ui->personList);
    m_ui->personList->clear();
    m_rows.clear();
    const std::string filter = ToUtf8(m_ui->filterEdit->text());
    const std::vector<std::string> names = m_chooser.Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!MatchesFilter(names[i], filter))
            continue;
        m_rows.push_back(static_cast<int>(i));
        m_ui->personList->addItem(ToQt(names[i]));
    }
    const auto selected = std::find(m_rows.begin(), m_rows.end(), m_chooser.Selection());
    int row = selected != m_rows.end() ? static_cast<int>(selected - m_rows.begin()) : -1;
    if (row < 0 && !m_rows.empty()) {
        row = 0;
        m_chooser.Select(m_rows.front());
    }
    m_ui->personList->setCurrentRow(row);
    if (m_chooser.GetMode() == PublisherChooser::Mode::Pick)
        m_ui->openButton->setEnabled(!m_rows.empty());
}

void PublisherChooserDialog::OpenEditor(std::optional<int> position) {
    if (PublisherEditorDialog::Run(this, m_context, m_chooser, position, m_hooks))
        m_changed = true;
    m_chooser.Refill();
    Fill();
}

void PublisherChooserDialog::OnOpen() {
    // Nothing the filter shows: nothing to open or choose.
    if (m_rows.empty() && m_chooser.Count() > 0)
        return;
    if (m_chooser.GetMode() == PublisherChooser::Mode::Pick) {
        if (m_chooser.Count() == 0)
            return;
        m_picked = m_chooser.IdAt(m_chooser.Selection());
        accept();
        return;
    }
    if (m_chooser.Count() == 0)
        OpenEditor(std::nullopt);
    else
        OpenEditor(m_chooser.Selection());
}

void PublisherChooserDialog::OnAdd() {
    if (m_chooser.AddNeedsChoice()) {
        const auto choice = AddPublisherDialog::Run(this, m_chooser.HasNonPublishers(), m_chooser.HasInactive(),
                                                    static_cast<bool>(m_hooks.addFromInterested),
                                                    static_cast<bool>(m_hooks.addFromInactive));
        if (!choice)
            return;
        if (*choice == AddPublisherDialog::Choice::FromInterested ||
            *choice == AddPublisherDialog::Choice::FromInactive) {
            const auto& move = *choice == AddPublisherDialog::Choice::FromInterested ? m_hooks.addFromInterested
                                                                                     : m_hooks.addFromInactive;
            if (move && move(this, m_context))
                m_changed = true;
            m_chooser.Refill();
            Fill();
            return;
        }
    }
    OpenEditor(std::nullopt);
}

bool PublisherChooserDialog::Edit(QWidget* parent, RegistryContext& context, const RegistryHooks& hooks) {
    PublisherChooserDialog dialog(context, PublisherChooser::Mode::Edit, PublisherCategory::Publisher, hooks, parent);
    dialog.exec();
    return dialog.Changed();
}

bool PublisherChooserDialog::EditInterested(QWidget* parent, RegistryContext& context, const RegistryHooks& hooks) {
    PublisherChooserDialog dialog(context, PublisherChooser::Mode::Edit, PublisherCategory::NonPublisher, hooks,
                                  parent);
    dialog.exec();
    return dialog.Changed();
}

std::optional<PublisherId> PublisherChooserDialog::Pick(QWidget* parent, RegistryContext& context,
                                                        PublisherCategory category) {
    PublisherChooserDialog dialog(context, PublisherChooser::Mode::Pick, category, {}, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Picked();
}

} // namespace vardo

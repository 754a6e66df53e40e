#include "gui/app/MainPanel.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "ui_MainPanel.h"

namespace vardo {
namespace {

struct ButtonCommand {
    int button;
    int command;
};

// Panel buttons and the commands they send; the menus send the same ids.
constexpr ButtonCommand kButtonCommands[] = {
    {106, cmd::kMissingReports},
    {108, cmd::kTimeAccounting},
    {109, cmd::kAuxiliaryPioneers},
    {110, cmd::kExit},
    {111, cmd::kQuickResults},
    {112, cmd::kAttendance},
    {113, cmd::kCongregationAnalysisPioneers},
    {114, cmd::kPublishers},
    {115, cmd::kIrregular},
    {116, cmd::kStatistics},
    {117, cmd::kGroupAnalysis},
    {118, cmd::kFieldServiceGroups},
    {119, cmd::kCongregationSummary},
    {120, cmd::kInactiveEdit},
    {121, cmd::kMovedEdit},
    {122, cmd::kNewPublishers},
    {123, cmd::kReactivated},
    {124, cmd::kRecordCard},
    {125, cmd::kRecentlyBaptized},
    {126, cmd::kAttendanceSinceYearStart},
    {127, cmd::kPhoneList},
    {128, cmd::kHistory},
    {129, cmd::kReturnToWorkingMonth},
};

} // namespace

MainPanel::MainPanel(CommandRouter& router, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::MainPanel>()), m_router(router) {
    m_ui->setupUi(this);
    QFont title = m_ui->titleLabel->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    m_ui->titleLabel->setFont(title);

    for (const auto& [buttonId, commandId] : kButtonCommands) {
        auto* button = findChild<QPushButton*>(QStringLiteral("button%1").arg(buttonId));
        if (!button)
            continue;
        m_bindings.push_back({button, commandId});
        const int id = commandId;
        connect(button, &QPushButton::clicked, this, [this, id] { m_router.Execute(id); });
    }
    UpdateButtons();
}

MainPanel::~MainPanel() = default;

int MainPanel::CommandOfButton(int buttonId) {
    for (const auto& [button, command] : kButtonCommands)
        if (button == buttonId)
            return command;
    return 0;
}

QPushButton* MainPanel::ButtonFor(int commandId) const {
    for (const auto& binding : m_bindings)
        if (binding.commandId == commandId)
            return binding.button;
    return nullptr;
}

void MainPanel::SetTitle(const QString& title) {
    m_ui->titleLabel->setText(title);
}

void MainPanel::UpdateButtons() {
    for (const auto& [button, commandId] : m_bindings) {
        const CommandState state = m_router.StateOf(commandId);
        button->setEnabled(state.enabled);
        if (commandId == cmd::kReturnToWorkingMonth) {
            button->setVisible(state.visible && state.enabled);
            if (state.text)
                button->setText(*state.text);
        }
    }
}

} // namespace vardo

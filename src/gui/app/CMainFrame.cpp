#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Strings.h"
#include "core/registry/Password.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRules.h"
#include "gui/app/MainPanel.h"
#include "gui/app/MenuLayout.h"
#include "gui/app/PasswordDialog.h"
#include "gui/app/QtText.h"
#include "gui/app/SaveWaitWindow.h"
#include "gui/registry/CircuitOverseerDialog.h"
#include "gui/registry/GroupDialogs.h"
#include "gui/exchange/ExportCommands.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/UserCategoryDialog.h"
#include "gui/reports/CVardoView.h"

// The icons are compiled into the static GUI library, whose resources must be registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(icons);
}

namespace vardo {
namespace {

// Width of a status pane for its text: the text's extent and two pixels on each side.
int PaneWidth(const QLabel* label, const QString& text) {
    return label->fontMetrics().horizontalAdvance(text) + 4;
}

} // namespace

CMainFrame::CMainFrame(CVardoDoc& doc, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_prompter(prompter), m_router(new CommandRouter(this)),
      m_panel(new MainPanel(*m_router, this)), m_centre(new QStackedWidget(this)), m_pane0(new QLabel(this)),
      m_pane1(new QLabel(this)) {
    InitResources();
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vardo.svg")));
    m_centre->addWidget(m_panel);
    setCentralWidget(m_centre);
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    RegisterDocumentCommands();
    connect(m_router, &CommandRouter::StatesChanged, this, &CMainFrame::UpdateCommands);
    // Every change to the data, its save and its reload reach the window through the document's change path.
    m_changeSubscription = m_doc.Changes().Subscribe([this](const ChangeEvent&) { RefreshFromDocument(); });
    UpdateTitle();
    UpdateCommands();
    resize(1000, 640);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus() {
    QMenu* top = nullptr;
    std::function<void(QMenu*, const std::vector<MenuEntry>&)> fill = [&](QMenu* menu,
                                                                          const std::vector<MenuEntry>& entries) {
        for (const MenuEntry& entry : entries) {
            if (entry.IsSeparator()) {
                menu->addSeparator();
            } else if (entry.IsSubmenu()) {
                fill(menu->addMenu(QString::fromUtf8(entry.text)), entry.children);
            } else {
                QAction* action = menu->addAction(QString::fromUtf8(entry.text));
                action->setCheckable(entry.checkable);
                if (entry.shortcut)
                    action->setShortcut(QKeySequence(QString::fromUtf8(entry.shortcut)));
                action->setData(entry.id);
                action->setObjectName(QStringLiteral("command%1").arg(entry.id));
                action->setProperty("menuText", action->text());
                const int id = entry.id;
                connect(action, &QAction::triggered, this, [this, id] { m_router->Execute(id); });
                m_actions[id] = action;
                m_menuOfCommand[id] = top;
            }
        }
    };
    for (const MenuEntry& entry : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.text));
        top = menu;
        fill(menu, entry.children);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    }
}

void CMainFrame::BuildToolBar() {
    QToolBar* toolBar = addToolBar(ToQt(Str(StrId::ToolBarTitle)));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const std::pair<int, QStyle::StandardPixmap> buttons[] = {
        {cmd::kSave, QStyle::SP_DialogSaveButton},
        {0, QStyle::SP_CustomBase},
        {cmd::kPublishers, QStyle::SP_FileDialogDetailedView},
        {cmd::kTimeAccounting, QStyle::SP_FileDialogContentsView},
        {cmd::kAttendance, QStyle::SP_FileDialogListView},
        {0, QStyle::SP_CustomBase},
        {cmd::kPrint, QStyle::SP_FileIcon},
        {cmd::kPrintPreview, QStyle::SP_FileDialogInfoView},
        {0, QStyle::SP_CustomBase},
        {cmd::kAbout, QStyle::SP_MessageBoxInformation},
    };
    for (const auto& [id, icon] : buttons) {
        if (id == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(id);
        action->setIcon(style()->standardIcon(icon));
        toolBar->addAction(action);
    }
}

void CMainFrame::BuildStatusBar() {
    m_pane0->setObjectName(QStringLiteral("statusPane0"));
    m_pane1->setObjectName(QStringLiteral("statusPane1"));
    statusBar()->addWidget(m_pane0, 1);
    statusBar()->addPermanentWidget(m_pane1);
    m_pane1->setFixedWidth(PaneWidth(m_pane1, ToQt(Str(StrId::WorkingMonthPaneSample))));
    SetStatusPaneText(0, ToQt(Str(StrId::StatusReady)));
}

void CMainFrame::RegisterDocumentCommand(int id, std::function<void()> run) {
    m_router->Register(id, std::move(run), [this, id] {
        CommandState state;
        if (!m_doc.IsLoaded())
            return state;
        const PublisherDatabase& database = m_doc.Database();
        DocumentFacts facts;
        facts.pastMonthMode = m_doc.PastMonthMode();
        facts.modified = m_doc.IsModified();
        facts.persons = database.PersonCount();
        facts.deletedPersons = static_cast<int>(database.List(PublisherCategory::Deleted).size());
        state.enabled = DocumentCommandEnabled(id, facts);
        return state;
    });
}

void CMainFrame::RegisterToggle(int id, const std::uint8_t& setting, std::function<void()> toggle) {
    const std::uint8_t* value = &setting;
    m_router->Register(id, std::move(toggle), [this, value] {
        CommandState state;
        state.enabled = m_doc.IsLoaded();
        state.checked = *value != 0;
        return state;
    });
}

void CMainFrame::RegisterDocumentCommands() {
    RegisterDocumentCommand(cmd::kSave, [this] { SaveCommand(); });
    RegisterDocumentCommand(cmd::kPassword, [this] { ChangePassword(); });
    RegisterDocumentCommand(cmd::kPublishers, [this] { EditPublishers(); });
    RegisterDocumentCommand(cmd::kFieldServiceGroups, [this] {
        RegistryContext context = MakeRegistryContext();
        GroupListDialog::Run(this, context);
    });
    RegisterDocumentCommand(cmd::kCircuitOverseer, [this] {
        // Viewing a past month is read-only.
        if (m_doc.PastMonthMode()) {
            m_prompter.Message(Str(StrId::PastMonthReadOnly), Severity::Information);
            return;
        }
        RegistryContext context = MakeRegistryContext();
        (void)CircuitOverseerDialog::Run(this, context);
    });
    RegisterDocumentCommand(cmd::kContactExport,
                            [this] { RunTabularExport(this, m_doc, m_prompter, TabularExport::Contacts); });
    RegisterDocumentCommand(cmd::kCardHeaderExport,
                            [this] { RunTabularExport(this, m_doc, m_prompter, TabularExport::CardHeaders); });
    RegisterDocumentCommand(cmd::kSummaryExport,
                            [this] { RunTabularExport(this, m_doc, m_prompter, TabularExport::Summary); });
    m_router->Register(cmd::kExit, [this] { close(); });
    m_router->Register(cmd::kAbout, [this] { ShowAbout(); });

    Settings& settings = m_doc.GetSettings();
    RegisterToggle(cmd::kStartupNoteOff, settings.noStartupNote, [this] { m_doc.ToggleStartupNote(); });
    RegisterToggle(cmd::kAutoCap, settings.autoCapitalize, [this] { m_doc.ToggleAutoCapitalize(); });
    RegisterToggle(cmd::kFirstNameFirst, settings.firstNameFirst, [this] { m_doc.ToggleFirstNameFirst(m_prompter); });

    // Shown only while the user category is enabled, under its own name; its view comes with the status
    // lists.
    m_router->Register(cmd::kUserCategoryView, nullptr, [this] {
        CommandState state;
        state.visible = m_doc.GetSettings().userCategoryEnabled != 0;
        state.text = ToQt(m_doc.GetSettings().userCategoryLabel);
        return state;
    });
    // Its caption comes from the special needs present; hidden until the status lists provide it.
    m_router->Register(cmd::kSpecialNeedsView, nullptr, [] {
        CommandState state;
        state.visible = false;
        return state;
    });
    // The user-category command shows the switch as its check mark.
    m_router->Register(
        cmd::kUserCategory,
        [this] {
            RegistryContext context = MakeRegistryContext();
            UserCategoryDialog::Run(this, context);
        },
        [this] {
            CommandState state;
            state.enabled = m_doc.IsLoaded() && !m_doc.PastMonthMode();
            state.checked = m_doc.GetSettings().userCategoryEnabled != 0;
            return state;
        });
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* CMainFrame::MenuOf(int commandId) const {
    const auto it = m_menuOfCommand.find(commandId);
    return it == m_menuOfCommand.end() ? nullptr : it->second;
}

void CMainFrame::RefreshFromDocument() {
    UpdateTitle();
    ShowWorkingMonth();
    UpdateCommands();
}

void CMainFrame::SetStatusPaneText(int pane, const QString& text) {
    if (pane == 1) {
        m_pane1->setFixedWidth(PaneWidth(m_pane1, text));
        m_pane1->setText(text);
    } else {
        m_pane0->setText(text);
    }
}

QString CMainFrame::StatusPaneText(int pane) const {
    return pane == 1 ? m_pane1->text() : m_pane0->text();
}

void CMainFrame::ShowWorkingMonth() {
    if (m_doc.IsLoaded())
        SetStatusPaneText(1, ToQt(WorkingMonthStatusText(m_doc.GetWorkingMonth())));
}

void CMainFrame::UpdateCommands() {
    for (const auto& [id, action] : m_actions) {
        const CommandState state = m_router->StateOf(id);
        action->setEnabled(state.enabled);
        action->setVisible(state.visible);
        if (action->isCheckable())
            action->setChecked(state.checked);
        action->setText(state.text ? *state.text : action->property("menuText").toString());
    }
    m_panel->UpdateButtons();
}

void CMainFrame::UpdateTitle() {
    QString title = QStringLiteral("Vardo");
    if (m_doc.IsLoaded()) {
        const std::string& congregation = m_doc.GetSettings().congregationName;
        const QString name = congregation.empty() ? QString::fromStdString(m_doc.Folder().Root().filename().string())
                                                  : ToQt(congregation);
        if (!name.isEmpty())
            title = name + QStringLiteral(" - Vardo");
        m_panel->SetTitle(congregation.empty() ? QStringLiteral("Vardo") : ToQt(congregation));
    }
    setWindowTitle(title);
}

bool CMainFrame::OpenDocument(const DataFolder& folder, const Clock& clock, bool showStartupNote,
                              std::function<bool(std::string_view)> checkPassword) {
    StartupOptions options;
    options.showStartupNote = showStartupNote;
    options.checkPassword = checkPassword ? std::move(checkPassword) : [](std::string_view stored) {
        return PasswordDialog::Check(nullptr, std::string(stored), false);
    };
    const Status loaded = m_doc.Load(folder, clock, m_prompter, options);
    // A refused password has been answered by the password dialog already.
    if (!loaded && loaded.code() != Failure::Refused)
        m_prompter.Message(loaded.message(), Severity::Error);
    RefreshFromDocument();
    return loaded.ok();
}

void CMainFrame::AttachView(CVardoView& view) {
    view.RegisterCommands(*m_router);
    SetViewWidget(&view);
    connect(&view, &CVardoView::ModeChanged, this, [this](ViewMode mode) {
        if (mode == ViewMode::Report)
            ShowView();
        else
            ShowMainPanel();
        UpdateCommands();
    });
    if (QMenu* options = MenuOf(cmd::kReportSettings)) {
        options->addSeparator();
        options->addMenu(view.CreateFontMenu(options));
    }
    if (QMenu* file = MenuOf(cmd::kPrintSetup)) {
        if (QAction* setup = Action(cmd::kPrintSetup)) {
            const QList<QAction*> actions = file->actions();
            const auto at = actions.indexOf(setup);
            file->insertAction(at + 1 < actions.size() ? actions[at + 1] : nullptr, view.SaveAsPdfAction());
        }
    }
    CVardoView* attached = &view;
    SetPreviewActive([attached] { return attached->PreviewActive(); });
    SetBeforeClose([attached] { attached->SaveReportFonts(); });
    UpdateCommands();
}

void CMainFrame::SetViewWidget(QWidget* view) {
    if (m_centre->indexOf(view) < 0)
        m_centre->addWidget(view);
}

void CMainFrame::ShowMainPanel() {
    m_centre->setCurrentWidget(m_panel);
}

void CMainFrame::ShowView() {
    if (m_centre->count() > 1) {
        m_centre->setCurrentIndex(1);
        m_centre->currentWidget()->setFocus();
    }
}

void CMainFrame::SaveCommand() {
    if (!m_doc.CanSave())
        return;
    Status saved = Status::Ok();
    {
        SaveWaitWindow wait(this);
        saved = m_doc.Save(m_prompter);
    }
    if (!saved)
        m_prompter.Message(saved.message(), Severity::Error);
    UpdateCommands();
}

void CMainFrame::ChangePassword() {
    HeaderRecord& header = m_doc.Database().Header();
    if (!PasswordDialog::Check(this, header.Password(), true))
        return;
    const auto confirmed = PasswordChangeDialog::Run(this);
    if (const auto password = ApplyPasswordChange(confirmed, m_prompter)) {
        if (const Status set = m_doc.SetPassword(*password); !set)
            m_prompter.Message(set.message(), Severity::Warning);
    }
}

RegistryContext CMainFrame::MakeRegistryContext() {
    return m_doc.MakeRegistryContext(m_prompter);
}

void CMainFrame::EditPublishers() {
    RegistryContext context = MakeRegistryContext();
    (void)PublisherChooserDialog::Edit(this, context, WithSafetyDialogs(m_registryHooks));
    UpdateCommands();
}

bool CMainFrame::DialNumber(const std::string& number, const std::string& calledParty) {
    return m_telephony.DialNumber(number, calledParty, m_prompter);
}

void CMainFrame::ShowAbout() {
    m_prompter.Message(FormatArgs(Str(StrId::AboutText), {VARDO_VERSION}));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_previewActive && m_previewActive()) {
        m_prompter.Message(Str(StrId::UseCloseButton));
        event->ignore();
        return;
    }
    if (!m_doc.ConfirmExit(m_prompter)) {
        event->ignore();
        return;
    }
    if (m_beforeClose && m_doc.IsLoaded())
        m_beforeClose();
    m_doc.Close();
    event->accept();
}

} // namespace vardo

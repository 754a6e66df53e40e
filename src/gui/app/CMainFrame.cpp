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
#include "gui/registry/PublisherChooserDialog.h"
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
    UpdateTitle();
    UpdateCommands();
    resize(1000, 640);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus() {
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
            }
        }
    };
    for (const MenuEntry& top : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.text));
        fill(menu, top.children);
        m_menus[QString::fromUtf8(top.text)] = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    }
}

void CMainFrame::BuildToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("Pasek narzędzi"));
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
    m_pane1->setFixedWidth(PaneWidth(m_pane1, ToQt(Str(59142))));
    SetStatusPaneText(0, QStringLiteral("Gotowy"));
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

void CMainFrame::RegisterToggle(int id, std::uint8_t& setting) {
    std::uint8_t* value = &setting;
    m_router->Register(
        id,
        [this, value] {
            *value = *value != 0 ? 0 : 1;
            m_doc.SetModified();
        },
        [this, value] {
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
    m_router->Register(cmd::kExit, [this] { close(); });
    m_router->Register(cmd::kAbout, [this] { ShowAbout(); });

    Settings& settings = m_doc.GetSettings();
    RegisterToggle(cmd::kStartupNoteOff, settings.noStartupNote);
    RegisterToggle(cmd::kAutoCap, settings.autoCapitalize);
    m_router->Register(
        cmd::kFirstNameFirst, [this] { ToggleFirstNameFirst(); },
        [this] {
            CommandState state;
            state.enabled = m_doc.IsLoaded();
            state.checked = m_doc.GetSettings().firstNameFirst != 0;
            return state;
        });

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
    // The user-category switch shows its check mark even while its dialog is not there.
    m_router->Register(cmd::kUserCategory, nullptr, [this] {
        CommandState state;
        state.checked = m_doc.GetSettings().userCategoryEnabled != 0;
        return state;
    });
}

void CMainFrame::ToggleFirstNameFirst() {
    Settings& settings = m_doc.GetSettings();
    settings.firstNameFirst = settings.firstNameFirst != 0 ? 0 : 1;
    SideTables& side = m_doc.Side();
    if (settings.firstNameFirst != 0)
        side.namesOption.SetLastNameFirst(false);
    PublisherDatabase& database = m_doc.Database();
    NameOrder order = database.GetNameOrder();
    order.allLastNameFirst = side.namesOption.LastNameFirst();
    order.firstNameFirstOrder = settings.firstNameFirst != 0;
    database.SetNameOrder(order);
    database.SortRecords();
    database.RebuildIndex(&m_prompter);
    m_doc.SetModified();
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* CMainFrame::Menu(const QString& title) const {
    const auto it = m_menus.find(title);
    return it == m_menus.end() ? nullptr : it->second;
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

bool CMainFrame::OpenDocument(const DataFolder& folder, const Clock& clock, bool showStartupNote) {
    bool passwordRefused = false;
    StartupOptions options;
    options.showStartupNote = showStartupNote;
    options.checkPassword = [this, &passwordRefused](std::string_view stored) {
        const bool ok = PasswordDialog::Check(nullptr, std::string(stored), false);
        passwordRefused = !ok;
        return ok;
    };
    const Status loaded = m_doc.Load(folder, clock, m_prompter, options);
    if (!loaded) {
        if (!passwordRefused && !loaded.message().empty())
            m_prompter.Message(loaded.message(), Severity::Error);
        return false;
    }
    UpdateTitle();
    ShowWorkingMonth();
    UpdateCommands();
    return true;
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
    // A new congregation name shows at once in the title and the main panel's heading.
    connect(&view, &CVardoView::ReportOptionsChanged, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    if (QMenu* options = Menu(QStringLiteral("Op&cje"))) {
        options->addSeparator();
        options->addMenu(view.CreateFontMenu(options));
    }
    if (QMenu* file = Menu(QStringLiteral("&Plik"))) {
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
        header.SetPassword(*password);
        m_doc.SetModified();
    }
}

RegistryContext CMainFrame::MakeRegistryContext() {
    SideTables& side = m_doc.Side();
    CVardoDoc* doc = &m_doc;
    return RegistryContext{m_doc.Database(),
                           side.appointments,
                           side.extensions,
                           side.groups,
                           m_doc.GetSettings(),
                           m_doc.GetWorkingMonth(),
                           m_doc.Folder(),
                           m_prompter,
                           m_doc.LanguageTag(),
                           [doc] { doc->SetModified(); },
                           [doc, this](PublisherId id) {
                               if (const Status cleared = doc->Side().remarks.ClearPersonRemarks(doc->Folder(), id);
                                   !cleared)
                                   m_prompter.Message(cleared.message(), Severity::Warning);
                           }};
}

void CMainFrame::EditPublishers() {
    RegistryContext context = MakeRegistryContext();
    const bool changed = PublisherChooserDialog::Edit(this, context, m_registryHooks);
    m_doc.Database().RebuildIndex(&m_prompter);
    if (m_afterEditPublishers)
        m_afterEditPublishers(changed);
    UpdateCommands();
}

bool CMainFrame::DialNumber(const std::string& number, const std::string& calledParty) {
    return m_telephony.DialNumber(number, calledParty, m_prompter);
}

void CMainFrame::ShowAbout() {
    m_prompter.Message("Vardo " VARDO_VERSION "\n\nKartoteka głosicieli zboru i ich miesięcznych sprawozdań ze "
                       "służby polowej.");
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_previewActive && m_previewActive()) {
        m_prompter.Message("Use Close Button");
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

#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include <QMainWindow>

#include "core/registry/RegistryContext.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/Telephony.h"
#include "gui/registry/RegistryHooks.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;

namespace vardo {

class CVardoDoc;
class CVardoView;
class Clock;
class MainPanel;
class Prompter;

/// The program's main window: menus, toolbar, the main panel and the status bar with the working month.
/// Commands are routed by id: the document's commands are registered here, the report view registers its
/// own through Router(); a command without a handler shows disabled.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CVardoDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// The document start-up on a data folder, with the password gate and the start-up note. False when the
    /// program is to end (the reason has been shown, except for a refused password). `checkPassword` replaces
    /// the password dialog of the gate (a reload after a restore whose password was just given).
    bool OpenDocument(const DataFolder& folder, const Clock& clock, bool showStartupNote = true,
                      std::function<bool(std::string_view)> checkPassword = {});

    CommandRouter& Router() { return *m_router; }
    MainPanel& Panel() { return *m_panel; }
    /// The menu or toolbar action of a command; nullptr when no menu has it.
    QAction* Action(int id) const;
    /// The top-level menu that holds the command `commandId` (menus are found by a command they hold, never
    /// by their displayed title), for the modules that add entries; nullptr when no menu has it.
    QMenu* MenuOf(int commandId) const;

    /// Status pane 0 (stretching) or 1 (sized to its text): the text shown.
    void SetStatusPaneText(int pane, const QString& text);
    QString StatusPaneText(int pane) const;
    /// ShowWorkingMonth: pane 1 shows "  Miesiąc roboczy = <month>".
    void ShowWorkingMonth();
    /// Re-reads the state of every action and panel button.
    void UpdateCommands();

    /// Takes the report view in: its commands go into the router, it shares the window's centre with the
    /// main panel (switching with its mode), its font menu joins the Options menu and "Zapisz jako PDF…" the
    /// File menu, closing is refused during its print preview, and its fonts are saved at exit.
    void AttachView(CVardoView& view);
    /// The report view shares the window's centre with the main panel.
    void SetViewWidget(QWidget* view);
    void ShowMainPanel();
    void ShowView();

    /// SaveCommand: saves behind the wait window; failures are shown.
    void SaveCommand();
    /// ChangePassword: the old password, the new one twice, and the message of the outcome.
    void ChangePassword();
    /// EditPublishers: the chooser with the editor.
    void EditPublishers();
    /// DialNumber through the desktop's handler of tel: links.
    bool DialNumber(const std::string& number, const std::string& calledParty);

    /// The rules of the people-editing dialogs over the document's data.
    RegistryContext MakeRegistryContext();
    /// Brings every part of the window up to date with the document (title, working month, commands, panel).
    void RefreshFromDocument();
    void SetRegistryHooks(RegistryHooks hooks) { m_registryHooks = std::move(hooks); }
    const RegistryHooks& GetRegistryHooks() const { return m_registryHooks; }
    void SetTelephony(Telephony telephony) { m_telephony = std::move(telephony); }
    /// Tells whether the report view shows a print preview (closing is then refused).
    void SetPreviewActive(std::function<bool()> previewActive) { m_previewActive = std::move(previewActive); }
    /// Runs when the program closes, after the exit question and before the data is released.
    void SetBeforeClose(std::function<void()> beforeClose) { m_beforeClose = std::move(beforeClose); }
    /// Registers a document command under the enabling rules of the document's commands (past-month view,
    /// persons present, modified data), for the modules that bring their commands.
    void RegisterDocumentCommand(int id, std::function<void()> run);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void RegisterDocumentCommands();
    void RegisterToggle(int id, const std::uint8_t& setting, std::function<void()> toggle);
    void ShowAbout();
    void UpdateTitle();

    CVardoDoc& m_doc;
    Prompter& m_prompter;
    CommandRouter* m_router;
    MainPanel* m_panel;
    QStackedWidget* m_centre;
    QLabel* m_pane0;
    QLabel* m_pane1;
    std::map<int, QAction*> m_actions;
    std::map<int, QMenu*> m_menuOfCommand;
    ChangeHub::Subscription m_changeSubscription;
    RegistryHooks m_registryHooks;
    Telephony m_telephony;
    std::function<bool()> m_previewActive;
    std::function<void()> m_beforeClose;
};

} // namespace vardo

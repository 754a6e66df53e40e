#pragma once

#include <memory>
#include <vector>

#include <QWidget>

class QPushButton;

namespace Ui {
class MainPanel;
}

namespace vardo {

class CommandRouter;

/// The main panel: a button for each everyday task. Each button sends a command id through the router,
/// which also decides whether the button is enabled.
class MainPanel : public QWidget {
    Q_OBJECT

public:
    MainPanel(CommandRouter& router, QWidget* parent = nullptr);
    ~MainPanel() override;

    /// Re-reads every button's state from the router.
    void UpdateButtons();
    /// Sets the title line above the buttons (the congregation's name, or the program's).
    void SetTitle(const QString& title);
    /// The button that sends `commandId`; nullptr when the panel has none.
    QPushButton* ButtonFor(int commandId) const;
    /// The command id a panel button (by its resource number 106..129) sends.
    static int CommandOfButton(int buttonId);

private:
    struct Binding {
        QPushButton* button;
        int commandId;
    };

    std::unique_ptr<Ui::MainPanel> m_ui;
    CommandRouter& m_router;
    std::vector<Binding> m_bindings;
};

} // namespace vardo

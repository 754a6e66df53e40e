#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QObject>
#include <QString>

namespace vardo {

/// How a command shows in menus, toolbar and panel.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool visible = true;
    /// A caption set at run time; nullopt keeps the menu's own text.
    std::optional<QString> text;
};

/// Maps command ids to their handlers. The main frame registers the document's commands; the report view
/// registers its own. A command without a handler shows disabled.
class CommandRouter : public QObject {
    Q_OBJECT

public:
    using Run = std::function<void()>;
    using State = std::function<CommandState()>;

    explicit CommandRouter(QObject* parent = nullptr) : QObject(parent) {}

    /// Registers (or replaces) the handler of a command. Without `state` the command is always enabled.
    void Register(int id, Run run, State state = {});
    void Unregister(int id);
    bool Has(int id) const { return m_handlers.count(id) != 0; }

    /// The command's state; disabled when no handler is registered.
    CommandState StateOf(int id) const;
    /// Runs the command when it is registered and enabled; returns whether it ran.
    bool Execute(int id);

signals:
    /// A command ran or a handler was (un)registered: states may have changed.
    void StatesChanged();

private:
    struct Handler {
        Run run;
        State state;
    };
    std::map<int, Handler> m_handlers;
};

} // namespace vardo

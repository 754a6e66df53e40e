#include "gui/app/CommandRouter.h"

namespace vardo {

void CommandRouter::Register(int id, Run run, State state) {
    m_handlers[id] = Handler{std::move(run), std::move(state)};
    emit StatesChanged();
}

void CommandRouter::Unregister(int id) {
    if (m_handlers.erase(id) != 0)
        emit StatesChanged();
}

CommandState CommandRouter::StateOf(int id) const {
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end())
        return CommandState{};
    if (!it->second.state)
        return CommandState{true, false, true, std::nullopt};
    return it->second.state();
}

bool CommandRouter::Execute(int id) {
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !StateOf(id).enabled || !it->second.run)
        return false;
    // Copy: the handler may re-register commands while it runs.
    const Run run = it->second.run;
    run();
    emit StatesChanged();
    return true;
}

} // namespace vardo

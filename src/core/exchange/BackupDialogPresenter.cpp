#include "core/exchange/BackupDialogPresenter.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "core/exchange/Backup.h"
#include "core/exchange/BackupFileSet.h"
#include "core/exchange/Restore.h"
#include "core/platform/CodePage.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

constexpr std::string_view kCancelText = "Anuluj";

bool EndsInSeparator(std::string_view path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

std::string WithSeparator(std::string_view path) {
    std::string result(path);
    if (!EndsInSeparator(result))
        result += '/';
    return result;
}

std::string WithoutSeparator(std::string_view path) {
    while (path.size() > 1 && EndsInSeparator(path))
        path.remove_suffix(1);
    return std::string(path);
}

// The parent folder of `path`, with a final '/'.
std::string ParentOf(std::string_view path) {
    const std::string trimmed = WithoutSeparator(path);
    const std::size_t cut = trimmed.find_last_of("/\\");
    if (cut == std::string::npos)
        return WithSeparator(trimmed);
    return trimmed.substr(0, cut + 1);
}

std::string LastComponent(std::string_view path) {
    const std::string trimmed = WithoutSeparator(path);
    const std::size_t cut = trimmed.find_last_of("/\\");
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

bool IsFolder(std::string_view path) {
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(std::string(path)), ec);
}

// The C library's ctime form: "Wed Jun 30 21:49:08 1993\n".
std::string CtimeText(std::filesystem::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[32] = {};
    std::strftime(buffer, sizeof buffer, "%a %b %d %H:%M:%S %Y\n", &local);
    return buffer;
}

} // namespace

BackupDialogPresenter::BackupDialogPresenter(Mode mode, const DataFolder& data, const IniFile& settings,
                                             const Clock& clock, int workingMonthIndex, std::uint16_t snapshotMask,
                                             BackupHost& host, Prompter& prompter)
    : m_mode(mode), m_data(data), m_clock(clock), m_workingMonthIndex(workingMonthIndex), m_snapshotMask(snapshotMask),
      m_host(host), m_prompter(prompter) {
    const std::string dataPath = data.Root().string();
    std::string initial = LastBackupDestination(settings);
    if (initial.empty())
        initial = dataPath;
    initial = WithSeparator(initial);
    if (!IsFolder(initial))
        initial = WithSeparator(dataPath);
    m_initialPath = initial;
    m_currentPath = initial;

    m_history = BackupHistory::Load(data);
    m_historyAvailable = !m_history.ValidIndexes().empty();
    m_historyListMode = m_historyAvailable;
    if (m_mode == Mode::Restore) {
        m_useLastBackup = m_historyAvailable;
        m_undo = false;
        FillList();
    }
    Update();
}

void BackupDialogPresenter::FillList() {
    m_view.listItems.clear();
    m_itemData.clear();
    m_view.selectedItem = -1;
    if (m_historyListMode) {
        for (const int index : m_history.ValidIndexes()) {
            m_view.listItems.push_back(m_history.Entry(index).text);
            m_itemData.push_back(index);
        }
        return;
    }
    if (IsBackupSetPath(m_currentPath))
        return;
    const DataFolder folder{std::filesystem::path(m_currentPath)};
    const auto names = folder.List();
    if (!names)
        return;
    for (const std::string& name : names.value())
        if (codepage::CaseFold(name.substr(0, 3)) == "vd9" && folder.IsFolder(name))
            m_view.listItems.push_back("[" + name + "]");
}

std::string BackupDialogPresenter::UndoDescription() const {
    const auto time = m_data.Sub(kUndoRestoreFolder).ModificationTime("tdat9.bin");
    return FormatPrintf("%s : %s", std::string(Str(StrId::UndoRestoreText)).c_str(),
                        time ? CtimeText(time.value()).c_str() : "");
}

void BackupDialogPresenter::Update() {
    BackupDialogView& v = m_view;
    v.cancelText = std::string(m_done ? Str(StrId::Close) : kCancelText);
    if (m_mode == Mode::Backup) {
        v.caption = std::string(Str(StrId::BackupCaption));
        v.spaceVisible = true;
        v.spaceText = FormatPrintf("%s: %llu bytes", std::string(Str(StrId::SpaceNeeded)).c_str(),
                                   static_cast<unsigned long long>(FileSetSize(m_data) * 7));
        v.pathGroupText = std::string(Str(StrId::BackupDestGroup));
        v.pathText = m_currentPath;
        v.prompt = m_statusLine.empty() ? FormatArgs(Str(StrId::ClickOkToBackup), {m_currentPath}) : m_statusLine;
        v.historyRadioVisible = v.folderRadioVisible = v.useLastVisible = v.undoVisible = false;
        v.listVisible = false;
        v.browseVisible = !m_done;
        v.okVisible = true;
        return;
    }

    v.caption = std::string(Str(StrId::RestoreCaption));
    v.spaceVisible = false;
    const bool undoAvailable = CanUndoRestore(m_data);
    if (!undoAvailable)
        m_undo = false;
    v.undoVisible = undoAvailable && !m_done;
    v.undoChecked = m_undo;
    v.historyListMode = m_historyListMode;
    v.historyRadioEnabled = m_historyAvailable;
    v.useLastChecked = m_useLastBackup;
    if (m_undo) {
        m_currentPath = m_data.Resolve(kUndoRestoreFolder).string();
        v.pathGroupText.clear();
        v.pathText.clear();
        v.browseVisible = v.useLastVisible = v.historyRadioVisible = v.folderRadioVisible = v.listVisible = false;
        v.prompt = m_statusLine.empty() ? UndoDescription() : m_statusLine;
        v.okVisible = !m_done;
        return;
    }
    v.historyRadioVisible = v.folderRadioVisible = !m_done;
    if (m_historyListMode) {
        v.pathGroupText.clear();
        v.pathText.clear();
        v.browseVisible = false;
        v.useLastVisible = !m_done;
        if (m_useLastBackup && !m_itemData.empty()) {
            v.selectedItem = 0;
            m_currentPath = m_history.Entry(m_itemData.front()).path;
        }
        v.prompt = m_currentPath.size() < 5 ? std::string() : FormatArgs(Str(StrId::ClickOkToRestore), {m_currentPath});
        v.okVisible = !m_done;
    } else {
        v.pathGroupText = std::string(Str(StrId::RestoreSourceGroup));
        v.pathText = m_currentPath;
        v.browseVisible = !m_done;
        v.useLastVisible = false;
        const bool isSet = IsBackupSetPath(m_currentPath);
        v.prompt = isSet ? FormatArgs(Str(StrId::ClickOkToRestore), {m_currentPath}) : std::string();
        v.okVisible = isSet && !m_done;
    }
    if (!m_statusLine.empty())
        v.prompt = m_statusLine;
    v.listVisible = !v.listItems.empty() && !m_done;
}

void BackupDialogPresenter::ChooseHistoryList() {
    if (m_mode != Mode::Restore || !m_historyAvailable)
        return;
    m_statusLine.clear();
    m_historyListMode = true;
    FillList();
    Update();
}

void BackupDialogPresenter::ChooseFolderSearch() {
    if (m_mode != Mode::Restore)
        return;
    m_statusLine.clear();
    m_historyListMode = false;
    m_useLastBackup = false;
    m_currentPath = m_initialPath;
    FillList();
    Update();
}

void BackupDialogPresenter::SetUseLastBackup(bool on) {
    m_statusLine.clear();
    m_useLastBackup = on && m_historyListMode;
    Update();
}

void BackupDialogPresenter::SetUndoLastRestore(bool on) {
    m_statusLine.clear();
    const bool was = m_undo;
    m_undo = on && CanUndoRestore(m_data);
    if (was && !m_undo) {
        // Back to the choice the user had before.
        m_currentPath = m_historyListMode ? std::string() : m_initialPath;
        FillList();
    }
    Update();
}

void BackupDialogPresenter::SelectItem(int item) {
    if (item < 0 || item >= static_cast<int>(m_view.listItems.size()) || m_done)
        return;
    m_statusLine.clear();
    if (m_historyListMode) {
        m_currentPath = m_history.Entry(m_itemData[static_cast<std::size_t>(item)]).path;
        m_useLastBackup = false;
        Update();
        m_view.selectedItem = item;
        return;
    }
    std::string name = m_view.listItems[static_cast<std::size_t>(item)];
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    std::string base = WithSeparator(m_currentPath);
    if (IsBackupSetPath(base))
        base = ParentOf(base);
    m_currentPath = base + name + "/";
    Update();
    m_view.selectedItem = item;
}

void BackupDialogPresenter::Browse(std::string_view folder) {
    if (m_done || folder.empty())
        return;
    m_statusLine.clear();
    if (m_mode == Mode::Backup) {
        if (IsBackupSetPath(folder)) {
            m_prompter.Message(FormatArgs(Str(StrId::NotABackupPlace), {LastComponent(folder)}), Severity::Warning);
            m_currentPath = ParentOf(folder);
        } else {
            m_currentPath = WithSeparator(folder);
        }
        Update();
        return;
    }
    m_historyListMode = false;
    m_useLastBackup = false;
    m_currentPath = WithSeparator(folder);
    FillList();
    Update();
}

BackupDialogPresenter::After BackupDialogPresenter::Ok() {
    if (m_done)
        return After::Close;
    m_statusLine.clear();
    if (m_mode == Mode::Backup) {
        const DateTime now = m_clock.Now();
        m_host.SaveAll();
        BackupRequest request;
        request.data = m_data;
        request.destination = m_currentPath;
        request.now = now;
        request.workingMonthIndex = m_workingMonthIndex;
        request.snapshotMask = m_snapshotMask;
        request.progress = [&](std::string_view name) {
            m_view.prompt = FormatArgs(Str(StrId::BackingUpFile), {name});
            m_host.Progress(m_view.prompt);
        };
        const BackupOutcome outcome = MakeBackup(request);
        switch (outcome.kind) {
        case BackupOutcome::Kind::FolderExists:
            m_statusLine = std::string(Str(StrId::RetryInOneMinute));
            break;
        case BackupOutcome::Kind::Failed:
            m_statusLine = outcome.message;
            m_prompter.Message(outcome.message, Severity::Error);
            break;
        case BackupOutcome::Kind::Created:
            m_done = true;
            m_statusLine = std::string(Str(StrId::BackupCreated));
            m_host.RecordBackup(m_currentPath, now.date);
            if (!outcome.message.empty())
                m_prompter.Message(outcome.message, Severity::Warning);
            break;
        }
        Update();
        return After::Stay;
    }

    RestoreRequest request;
    request.data = m_data;
    request.source = m_currentPath;
    request.workingMonthIndex = m_workingMonthIndex;
    request.checkPassword = [&](std::string_view stored) { return m_host.CheckPassword(stored); };
    request.progress = [&](std::string_view name) {
        m_view.prompt = FormatArgs(Str(StrId::RestoringFile), {name});
        m_host.Progress(m_view.prompt);
    };
    const RestoreOutcome outcome = RestoreBackup(request);
    switch (outcome.kind) {
    case RestoreOutcome::Kind::Restored:
        m_done = true;
        m_host.ReloadAll();
        return After::Close;
    case RestoreOutcome::Kind::WrongPassword:
        m_statusLine = outcome.message;
        break;
    case RestoreOutcome::Kind::NoDatabase:
    case RestoreOutcome::Kind::Failed:
        m_statusLine = outcome.message;
        m_prompter.Message(outcome.message, Severity::Error);
        break;
    }
    Update();
    return After::Stay;
}

} // namespace vardo

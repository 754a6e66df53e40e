#pragma once

// The behaviour of the backup and restore dialog (dialog 185): what each control shows and what its buttons
// do. The Qt dialog binds its widgets to this class and adds only layout.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/BackupHistory.h"
#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "core/platform/IniFile.h"
#include "core/platform/Prompter.h"

namespace vardo {

/// What the dialog needs from the document.
class BackupHost {
public:
    virtual ~BackupHost() = default;
    /// Saves every file of the document (nothing while a past month is viewed).
    virtual void SaveAll() = 0;
    /// Records a successful backup: "Ścieżka" = destination, "Last" = date, in the document's settings and
    /// in the settings file on disk.
    virtual void RecordBackup(std::string_view destination, const Date& date) = 0;
    /// The password dialog (120) for a protected backup; true when the right password was typed.
    virtual bool CheckPassword(std::string_view storedPassword) = 0;
    /// Reloads the document from the restored data folder (the working month stored with the data applies).
    virtual void ReloadAll() = 0;
    /// The prompt line changed while copying; the dialog repaints it at once.
    virtual void Progress(std::string_view /*line*/) {}
};

/// What dialog 185 shows. Texts are UTF-8.
struct BackupDialogView {
    std::string caption;
    bool spaceVisible = false;        ///< static 1152 and group box 1161
    std::string spaceText;            ///< static 1152
    std::string pathGroupText;        ///< group box 1162
    std::string pathText;             ///< static 1046
    std::string prompt;               ///< static 1155
    bool historyRadioVisible = false; ///< radio 1047
    bool historyRadioEnabled = false;
    bool folderRadioVisible = false; ///< radio 1049
    bool historyListMode = false;    ///< 1047 checked (else 1049)
    bool browseVisible = false;      ///< button 1151
    bool listVisible = false;        ///< list box 1160 and group box 1163
    std::vector<std::string> listItems;
    int selectedItem = -1;
    bool useLastVisible = false; ///< check box 1050
    bool useLastChecked = false;
    bool undoVisible = false; ///< check box 1048
    bool undoChecked = false;
    bool okVisible = true;
    std::string cancelText; ///< "Anuluj", "Zamknij" after success
};

class BackupDialogPresenter {
public:
    enum class Mode { Backup, Restore };
    enum class After { Stay, Close };

    /// Opens the dialog: the initial path from `settings` (the data folder when missing or not a folder), the
    /// history of the data folder. `workingMonthIndex` and `snapshotMask` choose the snapshots copied.
    BackupDialogPresenter(Mode mode, const DataFolder& data, const IniFile& settings, const Clock& clock,
                          int workingMonthIndex, std::uint16_t snapshotMask, BackupHost& host, Prompter& prompter);

    const BackupDialogView& View() const { return m_view; }
    Mode GetMode() const { return m_mode; }
    bool Done() const { return m_done; }
    const std::string& CurrentPath() const { return m_currentPath; }
    const BackupHistory& History() const { return m_history; }

    /// Radio 1047 / 1049.
    void ChooseHistoryList();
    void ChooseFolderSearch();
    /// Check boxes 1050 and 1048.
    void SetUseLastBackup(bool on);
    void SetUndoLastRestore(bool on);
    /// A click in the list (index of the shown item).
    void SelectItem(int item);
    /// The folder the picker of button 1151 returned.
    void Browse(std::string_view folder);
    /// The OK button: makes the backup or restores. Stay keeps the dialog open (the view says why).
    After Ok();

private:
    void FillList();
    void Update();
    std::string UndoDescription() const;

    Mode m_mode;
    DataFolder m_data;
    const Clock& m_clock;
    int m_workingMonthIndex;
    std::uint16_t m_snapshotMask;
    BackupHost& m_host;
    Prompter& m_prompter;

    bool m_done = false;
    std::string m_currentPath;
    std::string m_initialPath;
    bool m_historyAvailable = false;
    bool m_historyListMode = false;
    bool m_useLastBackup = false;
    bool m_undo = false;
    BackupHistory m_history;
    std::vector<int> m_itemData; ///< per list item: the history index (history mode)
    std::string m_statusLine;    ///< a result shown in the prompt line instead of the usual text
    BackupDialogView m_view;
};

} // namespace vardo

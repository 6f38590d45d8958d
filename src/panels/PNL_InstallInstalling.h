#pragma once
#include <string>
#include <vector>

#include "app/FramePanel.h"
#include "lib/Sequence.h"
#include "lib/UninstallListText.h"
#include "panels/InstallChoices.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// Carries out a new installation as soon as it is in view: settles the
// installation and data folders, unpacks the client, the uninstaller and (if
// chosen) the toolbar installer, makes the shortcuts, writes both data files
// and the uninstall list, registers the uninstaller, and moves on to the
// finished panel. It puts no buttons on the bar, so nothing can interrupt
// it; a failure of an essential step runs out to the error panel, after the
// uninstall list and entry were written for what was done so far: the user
// can always remove a failed installation from the system's list.
class TPNLInstallInstalling : public TFramePanel {
public:
    explicit TPNLInstallInstalling(Navigator& navigator);

    ui::Label Label12;
    ui::ProgressBar ProgressBar1;

    // The empty bar and "0% complete".
    void BeforeShow() override;
    // The whole install sequence, ending on "PNLInstallReady".
    void AfterShow() override;
    bool WorksWhenShown() const override { return true; }

    // Moves the bar, shows its percentage (rounded half to even) followed by
    // "% complete" and lets pending window messages run.
    void SetProgress(int position);
    // Writes a client data file at `path`, moving the bar through 94 to 99 %.
    // A write failure raises EInOutError (112 for a full disk).
    void WriteDataFile(const std::string& path);
    // Makes the folder with every missing parent; an existing folder and a
    // bare drive root ("C:\") count as success without anything being made.
    // Raises EInOutError with the number of the first refused creation when
    // the folder still does not exist.
    void EnsureFolder(const std::string& path);
    // A shell link; the icon is the target's for an index of 0 or more.
    void CreateShortcut(const std::string& target, const std::string& linkFile,
                        const std::string& description, int iconIndex,
                        const std::string& arguments);
    // The uninstall entry below HKEY_LOCAL_MACHINE: its name, its command
    // and the digest of the list `listText`. False when any could not be
    // written.
    bool WriteUninstallEntry(const std::string& listText);

    // The install sequence, step by step (lib/Sequence.h), over the choices
    // the install state holds now. The steps read those choices and settle
    // the folders of this run; AfterShow writes the folders back once.
    std::vector<SequenceStep> Steps();
    // The steps that record what was done, run last, and also after an
    // essential step failed: the uninstall list, then the entry beside it.
    std::vector<SequenceStep> RecordingSteps();
    // The quiet steps that failed in the last run of the sequence.
    std::vector<QuietFailure> QuietFailures;

private:
    // SetProgress at `percent` of the bar's maximum.
    void SetPercent(int percent);
    // `file` is being written: the list names it if it is there afterwards.
    std::string Writing(const layout::InstalledFile& file);
    // What the list names: the settled folders, the files written and there.
    InstalledSoFar WhatIsInstalled();

    InstallChoices choices_;
    SettledFolders folders_;
    std::vector<const layout::InstalledFile*> writing_;
    bool folderSettled_ = false;
    bool dataFolderSettled_ = false;
    bool startMenuGroup_ = false;
    bool desktopShortcut_ = false;
    std::string listText_;
    bool listWritten_ = false;
};

}  // namespace torvane

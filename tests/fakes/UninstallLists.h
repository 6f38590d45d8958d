#pragma once
// The lists and paths the uninstaller's unit tests share: a typical
// installation as the setup's list describes it, and small helpers.
#include <string>
#include <vector>

#include "base/Text.h"
#include "fakes/FakeUninstallSystem.h"
#include "uninstall/Run.h"

namespace torvane::uninstall {

inline const std::string kData = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
inline const std::string kInstall = "C:\\Program Files\\Torvane P2P";
inline const std::string kSelf = kInstall + "\\Uninstall.Exe";
inline const std::string kKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
inline const std::string kPrograms =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
inline const std::string kDesktop = "C:\\Users\\me\\Desktop";
inline const std::string kDownloads = "C:\\Users\\me\\Downloads\\Torvane";

// The list the setup writes: product name and 17 lines (18 in all).
inline std::vector<std::string> TypicalLines() {
    return {"Torvane P2P",
            "<P" + kData + "\\*.DAT>",
            "<P" + kData + "\\*.TMP>",
            "<P" + kData + "\\*.BAK>",
            "<P" + kData + "\\*.LOG>",
            "<P" + kData + "\\*.TXT>",
            "<E" + kData + ">",
            "<F" + kInstall + "\\Torvane.Exe>",
            "<F" + kData + "\\Torvane.Dat>",
            "<F" + kInstall + "\\QVInst.Dat>",
            "<F" + kSelf + ">",
            "<F" + kInstall + "\\Uninstall.Dat>",
            "<E" + kInstall + ">",
            "<E" + kData + ">",
            "<R" + kKey + ">",
            "<STorvane P2P>",
            "<TTorvane P2P.Lnk>"};
}

inline std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

inline std::string Lower(std::string text) { return LowerCase(text); }

using testing::kAfter;
using testing::kBefore;
using testing::kListWritten;
using FakeSystem = testing::FakeUninstallSystem;

inline const Item* FindItem(const RunResult& r, const std::string& what) {
    for (const Item& item : r.items)
        if (item.what == what) return &item;
    return nullptr;
}

}  // namespace torvane::uninstall

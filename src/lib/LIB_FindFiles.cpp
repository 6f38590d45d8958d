#include "lib/LIB_FindFiles.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_set>

#include "base/Text.h"
#include "platform/FileSystem.h"

namespace torvane {

namespace {

// Progress runs on a scale of 0 to 1,000,000; callers see it in percent.
constexpr std::int32_t kScale = 1000000;
constexpr std::int32_t kSetUpDone = 10000;
constexpr std::int32_t kWalkStart = 1000;
constexpr std::int32_t kWalkSpan = 998000;
constexpr std::int32_t kWalkDone = 999000;

bool DriveTypeInMode(platform::DriveType type, std::uint8_t mode) {
    using platform::DriveType;
    switch (type) {
        case DriveType::Fixed:
            return mode >= 1 && mode <= 3;
        case DriveType::Removable:
        case DriveType::RamDisk:
            return mode == 2 || mode == 3;
        case DriveType::Remote:
        case DriveType::CdRom:
            return mode == 3;
        default:
            return false;
    }
}

// Round half to even of a value computed in floating point, as the bounds
// of each start folder are.
std::int32_t RoundBound(double value) { return static_cast<std::int32_t>(std::nearbyint(value)); }

// The ";"-separated list split into its entries, blanks around each removed
// and empty ones left out.
std::vector<std::string> SplitSearchList(const std::string& text) {
    std::vector<std::string> entries;
    std::string rest = Trim(text) + ";";
    for (std::size_t end = rest.find(';'); end != std::string::npos; end = rest.find(';')) {
        const std::string entry = Trim(rest.substr(0, end));
        rest.erase(0, end + 1);
        if (!entry.empty()) entries.push_back(entry);
    }
    return entries;
}

// One call's working state: nothing of it outlives FindFiles.
class Search {
public:
    Search(const FindFilesServices& services, const TFindProgress& onProgress,
           const TFindFile& onFile, std::int32_t maxCount)
        : services_(services), onProgress_(onProgress), onFile_(onFile), maxCount_(maxCount) {}

    std::vector<std::string> masks;
    std::vector<std::string> startFolders;

    void Report(std::int32_t value) {
        if (onProgress_) stop_ = onProgress_(static_cast<std::uint8_t>(value / 10000));
    }

    void WalkStartFolders() {
        if (startFolders.empty()) return;
        const double share =
            static_cast<double>(kWalkSpan) / static_cast<double>(startFolders.size());
        for (std::size_t i = 1; i <= startFolders.size() && !stop_; ++i) {
            const std::int32_t lower = RoundBound(share * static_cast<double>(i - 1)) + kWalkStart;
            const std::int32_t upper = RoundBound(share * static_cast<double>(i));
            Walk(startFolders[i - 1], lower, upper);
        }
    }

    std::vector<std::string> TakeSortedResult() {
        platform::FileSearch& search = services_.search;
        std::stable_sort(result_.begin(), result_.end(),
                         [&search](const std::string& a, const std::string& b) {
                             return search.CompareTextIgnoringCase(a, b) < 0;
                         });
        return std::move(result_);
    }

private:
    bool Full() const {
        return maxCount_ != 0 && static_cast<std::int64_t>(result_.size()) >= maxCount_;
    }

    void Offer(const std::string& path, const std::string& name) {
        if (name == "." || name == ".." || IsUnspellableName(name, services_.isLead)) return;
        // A set of the lower-cased paths answers "already listed?" exactly as
        // a scan of the list would, without growing slower as it fills.
        // Only A to Z: the test for "the same file" is this and nothing more.
        std::string key = LowerCase(path);
        if (seen_.count(key)) return;
        if (onFile_ && !onFile_(path)) return;
        seen_.insert(std::move(key));
        result_.push_back(path);
    }

    // `folder` ends with a backslash; the walk of it and everything below
    // reports progress between `lower` and `upper`.
    void Walk(const std::string& folder, std::int32_t lower, std::int32_t upper) {
        platform::FoundEntry entry;
        for (const std::string& mask : masks) {
            std::unique_ptr<platform::FileEnumeration> files =
                services_.search.Enumerate(folder + mask);
            // Folders named like the mask come too: the listing admits every
            // attribute.
            while (!Full() && files->Next(entry)) Offer(folder + entry.name, entry.name);
        }

        // Each subfolder gets an eighth of what is left of the span, so the
        // bar moves on in ever smaller steps however many there are.
        std::int32_t position = lower;
        std::int32_t rest = upper - lower;
        {
            std::unique_ptr<platform::FileEnumeration> folders =
                services_.search.Enumerate(folder + "*.*");
            while (!stop_ && folders->Next(entry)) {
                if (entry.attributes & platform::kAttributeHidden)
                    continue;  // hidden folders are not entered
                // Nor junctions and links: one to an ancestor would make the
                // walk go round until the path grows too long, and one to
                // elsewhere leads to folders the walk reaches by their own
                // path anyway. Without them (NTFS has no hard links of
                // folders) one walk enters no folder twice.
                if (entry.attributes & platform::kAttributeReparsePoint) continue;
                if (!(entry.attributes & platform::kAttributeDirectory)) continue;
                if (entry.name == "." || entry.name == "..") continue;
                if (IsUnspellableName(entry.name, services_.isLead)) continue;
                const std::int32_t subLower = position;
                const std::int32_t step = rest / 8;
                position += step;
                rest -= step;
                if (position > upper) position = upper;
                Walk(folder + entry.name + "\\", subLower, position);
            }
        }
        Report(upper);
    }

    const FindFilesServices& services_;
    const TFindProgress& onProgress_;
    const TFindFile& onFile_;
    const std::int32_t maxCount_;
    bool stop_ = false;
    std::vector<std::string> result_;
    std::unordered_set<std::string> seen_;
};

}  // namespace

std::vector<std::string> FindFiles(const FindFilesServices& services, const std::string& FileMasks,
                                   std::uint8_t DriveMode, const std::string& ExtraFolders,
                                   const TFindProgress& OnProgress, const TFindFile& OnFile,
                                   std::int32_t MaxCount) {
    Search search(services, OnProgress, OnFile, MaxCount);

    for (const std::string& mask : SplitSearchList(FileMasks))
        search.masks.push_back(mask == "*" ? "*.*" : mask);
    if (search.masks.empty()) search.masks.push_back("*.*");

    if (DriveMode == 0) {
        search.startFolders.push_back(services.search.CurrentDirectory().substr(0, 3));
    } else if (DriveMode <= 3) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string root = std::string(1, letter) + ":\\";
            if (DriveTypeInMode(services.drives.TypeOf(root), DriveMode))
                search.startFolders.push_back(root);
        }
    }
    for (const std::string& folder : SplitSearchList(ExtraFolders))
        search.startFolders.push_back(WithBackslash(folder, services.isLead));
    search.Report(kSetUpDone);

    search.WalkStartFolders();

    search.masks.clear();
    search.startFolders.clear();
    search.Report(kWalkDone);
    std::vector<std::string> result = search.TakeSortedResult();
    search.Report(kScale);
    return result;
}

}  // namespace torvane

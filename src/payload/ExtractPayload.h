#pragma once
#include <string>

#include "payload/PayloadTable.h"
#include "platform/FileSystem.h"
#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// What an extraction needs from around it: the file system and the message
// pump that keeps the window alive while it works.
struct PayloadServices {
    platform::FileSystem& files;
    ui::Application& app;
};

// One step of progress: moves the bar (if any) to `position`, sets the label
// (if a bar and a label were given) to the bar's percentage, rounded half to
// even, followed by "% complete", and lets pending window messages run.
void ReportProgress(int position, ui::ProgressBar* bar, ui::Label* label, ui::Application& app);

// The label text for a bar: "<percent>% complete".
std::string PercentComplete(const ui::ProgressBar& bar);

// Rebuilds the compressed stream from its chunks (progress 1024, 2048, ...
// per chunk), then inflates it into `target` in blocks of at most 1024 bytes
// (progress compressed size + bytes done per block).
//
// The file is written beside the target and moved over it only when it is
// complete and the stream's end and checksum have been confirmed, so a
// failure never leaves a truncated program where a good one stood. Raises:
// - EFCreateError for the target when it cannot be created or replaced (a
//   running program cannot be replaced);
// - EDecompressionError when the stream is damaged, ends early, runs on past
//   the inflated size or fails its Adler-32 check;
// - EInOutError when writing fails (112 for a full disk).
void ExtractChunkedPayload(const PayloadTable& table, const std::string& target, ui::ProgressBar* bar,
                           ui::Label* label, const PayloadServices& services);

}  // namespace torvane

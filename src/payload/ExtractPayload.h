#pragma once
#include <functional>
#include <string>

#include "payload/PayloadTable.h"
#include "platform/FileSystem.h"

namespace torvane {

// Where an extraction reports how far it is: a position on the payload's
// scale (see ExtractChunkedPayload). A panel moves its bar and lets window
// messages run there, which keeps the window alive while the work goes on.
using ProgressSink = std::function<void(int position)>;

// What an extraction needs from around it: the file system and the sink
// (empty: progress goes nowhere).
struct PayloadServices {
    platform::FileSystem& files;
    ProgressSink progress;
};

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
void ExtractChunkedPayload(const PayloadTable& table, const std::string& target,
                           const PayloadServices& services);

// The two halves of the above, for a caller that retries only the second:
// the file beside `target` that an extraction writes first;
std::string StagedPath(const std::string& target);
// the inflated and checked payload written there (raising as above, and
// leaving nothing behind on failure; progress as above);
void StageChunkedPayload(const PayloadTable& table, const std::string& target,
                         const PayloadServices& services);
// the staged file moved over `target`. Raises EFCreateError when the target
// cannot be replaced; the staged file then stays for another try, and the
// caller removes it when it gives up.
void ReplaceWithStaged(platform::FileSystem& files, const std::string& target);

}  // namespace torvane

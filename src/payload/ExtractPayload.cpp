#include "payload/ExtractPayload.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/Exceptions.h"
#include "lib/BufferedWriter.h"

namespace torvane {

namespace {

void Report(const PayloadServices& services, int position) {
    if (services.progress) services.progress(position);
}

// Owns a zlib inflate stream and reads it in blocks of any size. It inflates
// 64 KiB at a time into a buffer of its own: zlib copies every output into
// its window when the output buffer is small, which made 1 KiB reads cost a
// third more than the inflating itself.
class Inflater {
public:
    Inflater(const std::uint8_t* data, std::size_t size) : pending_(kBatch) {
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = static_cast<uInt>(size);
        if (inflateInit(&stream_) != Z_OK) throw EDecompressionError("cannot start inflating");
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Up to `want` bytes; fewer only at the end of the stream.
    std::size_t Read(std::uint8_t* out, std::size_t want) {
        std::size_t got = 0;
        while (got < want) {
            if (start_ == end_ && !Refill()) break;
            const std::size_t take = std::min(want - got, end_ - start_);
            std::copy(pending_.begin() + start_, pending_.begin() + start_ + take, out + got);
            start_ += take;
            got += take;
        }
        return got;
    }

    // After the last block: the stream must end here, with its checksum
    // verified, and hold nothing more.
    void ConfirmEnd() {
        std::uint8_t extra;
        if (Read(&extra, 1) != 0) throw EDecompressionError("the data runs on past its size");
        if (!ended_) throw EDecompressionError("the compressed data ends early");
    }

private:
    static constexpr std::size_t kBatch = 64 * 1024;

    bool Refill() {
        if (ended_) return false;
        stream_.next_out = pending_.data();
        stream_.avail_out = static_cast<uInt>(kBatch);
        const int result = inflate(&stream_, Z_NO_FLUSH);
        if (result == Z_STREAM_END)
            ended_ = true;
        else if (result == Z_BUF_ERROR)
            throw EDecompressionError("the compressed data ends early");
        else if (result != Z_OK)
            throw EDecompressionError(stream_.msg ? stream_.msg : "damaged data");
        start_ = 0;
        end_ = kBatch - stream_.avail_out;
        return end_ > 0 || !ended_;
    }

    z_stream stream_{};
    std::vector<std::uint8_t> pending_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

// Removes the half-written file unless told the work succeeded.
class PartialFile {
public:
    PartialFile(platform::FileSystem& files, std::string path)
        : files_(files), path_(std::move(path)) {}
    ~PartialFile() {
        if (!kept_) files_.DeleteFile(path_);
    }
    void Keep() { kept_ = true; }
    const std::string& Path() const { return path_; }

private:
    platform::FileSystem& files_;
    std::string path_;
    bool kept_ = false;
};

}  // namespace

std::string StagedPath(const std::string& target) { return target + ".new"; }

void StageChunkedPayload(const PayloadTable& table, const std::string& target,
                         const PayloadServices& services) {
    std::vector<std::uint8_t> buffer;
    buffer.reserve(static_cast<std::size_t>(table.chunkCount) * kPayloadChunkSize);
    for (int i = 1; i <= table.chunkCount; ++i) {
        buffer.insert(buffer.end(), table.chunks[i - 1], table.chunks[i - 1] + kPayloadChunkSize);
        Report(services, i * kPayloadChunkSize);
    }

    Inflater inflater(buffer.data(), buffer.size());

    PartialFile partial(services.files, StagedPath(target));
    platform::ClearReadOnly(services.files, partial.Path());  // left by someone else
    std::unique_ptr<platform::WritableFile> file;
    try {
        file = services.files.CreateFile(partial.Path());
    } catch (const EFCreateError& e) {
        throw EFCreateError(target, e.Reason());
    }
    {
        // Large blocks to the disk; the 1 KiB steps are for the progress display.
        BufferedWriter out(*file, 64 * 1024);
        std::uint8_t block[kPayloadChunkSize];
        std::uint32_t done = 0;
        std::size_t got;
        do {
            const std::size_t want =
                std::min<std::uint32_t>(table.inflatedSize - done, kPayloadChunkSize);
            got = inflater.Read(block, want);
            out.Write(block, got);
            done += static_cast<std::uint32_t>(got);
            Report(services, static_cast<int>(table.compressedSize + done));
        } while (got == kPayloadChunkSize);
        if (done != table.inflatedSize) throw EDecompressionError("the compressed data ends early");
        inflater.ConfirmEnd();
        out.Flush();
    }
    file->Close();
    file.reset();
    partial.Keep();
}

void ReplaceWithStaged(platform::FileSystem& files, const std::string& target) {
    // A read-only target (copied so from a CD, or marked so by its user)
    // would refuse to be replaced, though nothing holds it: the new file
    // takes its place as a plain one. A refusal here is left for the
    // replacement to report.
    platform::ClearReadOnly(files, target);
    if (const int error = files.ReplaceFile(StagedPath(target), target))
        throw EFCreateError(target, files.ErrorText(error));
}

void ExtractChunkedPayload(const PayloadTable& table, const std::string& target,
                           const PayloadServices& services) {
    StageChunkedPayload(table, target, services);
    PartialFile staged(services.files, StagedPath(target));
    ReplaceWithStaged(services.files, target);
    staged.Keep();
}

}  // namespace torvane

#include "payload/ExtractPayload.h"

#include <zlib.h>

#include <memory>
#include <vector>

#include "lib/BufferedWriter.h"
#include "lib/Exceptions.h"
#include "lib/Rounding.h"

namespace torvane {

std::string PercentComplete(const ui::ProgressBar& bar) {
    const std::int64_t range = bar.Max();
    const std::int64_t percent = range > 0 ? RoundHalfEven(100LL * bar.Position(), range) : 0;
    return std::to_string(percent) + "% complete";
}

void ReportProgress(int position, ui::ProgressBar* bar, ui::Label* label, ui::Application& app) {
    if (bar) {
        bar->SetPosition(position);
        if (label) label->SetCaption(PercentComplete(*bar));
    }
    app.ProcessMessages();
}

namespace {

// Owns a zlib inflate stream.
class Inflater {
public:
    Inflater(const std::uint8_t* data, std::size_t size) {
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = static_cast<uInt>(size);
        if (inflateInit(&stream_) != Z_OK) throw EDecompressionError("cannot start inflating");
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Up to `want` bytes; fewer only at the end of the stream.
    std::size_t Read(std::uint8_t* out, std::size_t want) {
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(want);
        while (stream_.avail_out > 0 && !ended_) {
            const int result = inflate(&stream_, Z_NO_FLUSH);
            if (result == Z_STREAM_END) ended_ = true;
            else if (result == Z_BUF_ERROR) throw EDecompressionError("the compressed data ends early");
            else if (result != Z_OK) throw EDecompressionError(stream_.msg ? stream_.msg : "damaged data");
        }
        return want - stream_.avail_out;
    }

    // After the last block: the stream must end here, with its checksum
    // verified, and hold nothing more.
    void ConfirmEnd() {
        std::uint8_t extra;
        if (Read(&extra, 1) != 0) throw EDecompressionError("the data runs on past its size");
        if (!ended_) throw EDecompressionError("the compressed data ends early");
    }

private:
    z_stream stream_{};
    bool ended_ = false;
};

// Removes the half-written file unless told the work succeeded.
class PartialFile {
public:
    PartialFile(platform::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
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

void ExtractChunkedPayload(const PayloadTable& table, const std::string& target, ui::ProgressBar* bar,
                           ui::Label* label, const PayloadServices& services) {
    std::vector<std::uint8_t> buffer;
    buffer.reserve(static_cast<std::size_t>(table.chunkCount) * kPayloadChunkSize);
    for (int i = 1; i <= table.chunkCount; ++i) {
        buffer.insert(buffer.end(), table.chunks[i - 1], table.chunks[i - 1] + kPayloadChunkSize);
        ReportProgress(i * kPayloadChunkSize, bar, label, services.app);
    }

    Inflater inflater(buffer.data(), buffer.size());

    PartialFile partial(services.files, target + ".new");
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
            const std::size_t want = std::min<std::uint32_t>(table.inflatedSize - done, kPayloadChunkSize);
            got = inflater.Read(block, want);
            for (std::size_t i = 0; i < got; ++i) out.Put(block[i]);
            done += static_cast<std::uint32_t>(got);
            ReportProgress(static_cast<int>(table.compressedSize + done), bar, label, services.app);
        } while (got == kPayloadChunkSize);
        if (done != table.inflatedSize) throw EDecompressionError("the compressed data ends early");
        inflater.ConfirmEnd();
        out.Flush();
    }
    file->Close();
    file.reset();

    if (const int error = services.files.ReplaceFile(partial.Path(), target))
        throw EFCreateError(target, services.files.ErrorText(error));
    partial.Keep();
}

}  // namespace torvane

#include <gtest/gtest.h>
#include <zlib.h>

#include "base/Exceptions.h"
#include "fakes/HeadlessHost.h"
#include "fakes/MemoryFileSystem.h"
#include "panels/ProgressControls.h"
#include "payload/ExtractPayload.h"
#include "payload/GB_Payloads.h"
#include "ui/Form.h"

namespace torvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A payload table built in the test from data of its own, like the packer does.
struct TestPayload {
    explicit TestPayload(Bytes data) : original(std::move(data)) {
        uLongf size = compressBound(original.size());
        stream.resize(size);
        compress2(stream.data(), &size, original.data(), original.size(), Z_BEST_COMPRESSION);
        stream.resize(size);
        Rechunk();
    }
    void Rechunk() {
        chunks.assign((stream.size() + 1023) / 1024, {});
        for (std::size_t i = 0; i < stream.size(); ++i) chunks[i / 1024][i % 1024] = stream[i];
        table = {reinterpret_cast<const std::uint8_t(*)[1024]>(chunks.data()),
                 static_cast<int>(chunks.size()), static_cast<std::uint32_t>(stream.size()),
                 static_cast<std::uint32_t>(original.size())};
    }
    Bytes original;
    Bytes stream;
    std::vector<std::array<std::uint8_t, 1024>> chunks;
    PayloadTable table{};
};

Bytes SomeData(std::size_t size) {
    Bytes data(size);
    std::uint32_t s = 7;
    for (std::size_t i = 0; i < size; ++i) {
        s = s * 1664525u + 1013904223u;
        data[i] =
            (i % 7 == 0) ? static_cast<std::uint8_t>(s >> 24) : static_cast<std::uint8_t>(i / 13);
    }
    return data;
}

class Extraction : public ::testing::Test {
protected:
    Extraction() { bar.SetMax(7317410); }
    testing::HeadlessHost host;
    ui::Application app{host};
    ui::Form form{app};
    ui::ProgressBar bar{&form};
    ui::Label label{&form};
    testing::MemoryFileSystem files;
    // Progress as the panels show it: the bar and its label, when given, and
    // a message pump at every step.
    PayloadServices With(ui::ProgressBar* toBar, ui::Label* toLabel) {
        return {files, BarProgress(toBar, toLabel, app)};
    }
};

TEST_F(Extraction, WritesTheInflatedFileAndMovesTheBarToTheEnd) {
    TestPayload payload(SomeData(100000));
    std::vector<int> positions;
    host.onPump = [&] { positions.push_back(bar.Position()); };
    ExtractChunkedPayload(payload.table, "C:\\P\\Torvane.Exe", With(&bar, &label));

    EXPECT_EQ(files.Bytes("C:\\P\\Torvane.Exe"), payload.original);
    EXPECT_EQ(files.files.count("C:\\P\\Torvane.Exe.new"), 0u);
    const int chunks = payload.table.chunkCount;
    const int blocks = (100000 + 1023) / 1024;
    ASSERT_EQ(static_cast<int>(positions.size()), chunks + blocks);
    EXPECT_EQ(positions[0], 1024);
    EXPECT_EQ(positions[chunks - 1], chunks * 1024);
    EXPECT_EQ(positions[chunks], static_cast<int>(payload.stream.size()) + 1024);
    EXPECT_EQ(positions.back(), static_cast<int>(payload.stream.size()) + 100000);
    EXPECT_EQ(label.Caption(), PercentComplete(bar));
}

TEST_F(Extraction, WithoutBarOrLabelStillPumpsMessagesAndWritesTheSameFile) {
    TestPayload payload(SomeData(5000));
    label.SetCaption("untouched");
    ExtractChunkedPayload(payload.table, "a.exe", With(nullptr, &label));
    EXPECT_EQ(host.pumps, payload.table.chunkCount + 5);
    EXPECT_EQ(label.Caption(), "untouched");  // a label alone is not used
    EXPECT_EQ(files.Bytes("a.exe"), payload.original);

    ExtractChunkedPayload(payload.table, "b.exe", With(&bar, nullptr));
    EXPECT_EQ(bar.Position(), static_cast<int>(payload.stream.size()) + 5000);
    EXPECT_EQ(label.Caption(), "untouched");
}

TEST_F(Extraction, SizesThatAreWholeBlocksEndCleanly) {
    TestPayload payload(SomeData(4096));
    ExtractChunkedPayload(payload.table, "a.exe", With(&bar, &label));
    EXPECT_EQ(files.Bytes("a.exe"), payload.original);
}

TEST_F(Extraction, ReplacesAnExistingFileWithOneOfExactlyTheInflatedSize) {
    files.files["C:\\P\\Torvane.Exe"] = std::make_shared<testing::MemoryFile>();
    files.files["C:\\P\\Torvane.Exe"]->bytes.assign(500000, 0xAA);
    TestPayload payload(SomeData(3000));
    ExtractChunkedPayload(payload.table, "C:\\P\\Torvane.Exe", With(nullptr, nullptr));
    EXPECT_EQ(files.Bytes("C:\\P\\Torvane.Exe").size(), 3000u);
}

// The read-only attribute alone does not keep a program from being replaced:
// it is taken off, and the new file stands as a plain one. A left-over
// read-only partial file does not stop the extraction either.
TEST_F(Extraction, AReadOnlyTargetIsReplacedAndLeftWritable) {
    for (const char* readOnly : {"C:\\P\\Torvane.Exe", "C:\\P\\Torvane.Exe.new"}) {
        SCOPED_TRACE(readOnly);
        files.files.clear();
        files.readOnly = {readOnly};
        for (const char* path : {"C:\\P\\Torvane.Exe", readOnly}) {
            files.files[path] = std::make_shared<testing::MemoryFile>();
            files.files[path]->bytes.assign(10, 0xAA);
        }
        TestPayload payload(SomeData(3000));
        ExtractChunkedPayload(payload.table, "C:\\P\\Torvane.Exe", With(nullptr, nullptr));
        EXPECT_EQ(files.Bytes("C:\\P\\Torvane.Exe"), payload.original);
        EXPECT_EQ(files.Attributes("C:\\P\\Torvane.Exe"), 0x20u);
        EXPECT_EQ(files.files.count("C:\\P\\Torvane.Exe.new"), 0u);
    }
}

// A read-only target whose attribute cannot be changed is reported as the
// refused replacement, with the system's reason.
TEST_F(Extraction, AReadOnlyTargetThatStaysSoRaisesAccessDenied) {
    class Stubborn : public testing::MemoryFileSystem {
    public:
        int SetAttributes(const std::string&, std::uint32_t) override { return 5; }
    } stubborn;
    stubborn.files["t.exe"] = std::make_shared<testing::MemoryFile>();
    stubborn.readOnly = {"t.exe"};
    TestPayload payload(SomeData(3000));
    try {
        ExtractChunkedPayload(payload.table, "t.exe", {stubborn, {}});
        FAIL() << "a refused replacement was reported as success";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Reason(), "Error 5");
    }
    EXPECT_EQ(stubborn.files.count("t.exe.new"), 0u);
}

TEST_F(Extraction, DamagedStreamsRaiseAndLeaveTheOldFileAlone) {
    const Bytes old(1234, 0x55);
    struct Damage {
        const char* what;
        void (*apply)(TestPayload&);
    };
    const Damage damages[] = {
        {"a flipped byte in the middle",
         [](TestPayload& p) { p.stream[p.stream.size() / 2] ^= 0xFF; }},
        {"a wrong checksum", [](TestPayload& p) { p.stream.back() ^= 0x01; }},
        {"the stream cut short", [](TestPayload& p) { p.stream.resize(p.stream.size() / 2); }},
        {"a stated size too small",
         [](TestPayload& p) { p.original.resize(p.original.size() - 10); }},
        {"a stated size too large",
         [](TestPayload& p) { p.original.resize(p.original.size() + 10); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        files.files.clear();
        files.files["t.exe"] = std::make_shared<testing::MemoryFile>();
        files.files["t.exe"]->bytes = old;
        TestPayload payload(SomeData(20000));
        damage.apply(payload);
        payload.Rechunk();
        EXPECT_THROW(ExtractChunkedPayload(payload.table, "t.exe", With(&bar, &label)),
                     EDecompressionError);
        EXPECT_EQ(files.Bytes("t.exe"), old);
        EXPECT_EQ(files.files.count("t.exe.new"), 0u);
    }
}

TEST_F(Extraction, AFullDiskRaisesIOError112AndLeavesNoPartialProgram) {
    files.files["t.exe"] = std::make_shared<testing::MemoryFile>();
    files.files["t.exe"]->bytes.assign(10, 1);
    files.capacity = 70000;
    TestPayload payload(SomeData(200000));
    try {
        ExtractChunkedPayload(payload.table, "t.exe", With(&bar, &label));
        FAIL() << "a full disk was reported as success";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 112);
        EXPECT_STREQ(e.what(), "I/O error 112");
    }
    EXPECT_EQ(files.Bytes("t.exe"), Bytes(10, 1));
    EXPECT_EQ(files.files.count("t.exe.new"), 0u);
}

TEST_F(Extraction, ATargetThatCannotBeReplacedRaisesCannotCreateFile) {
    files.uncreatable.insert("C:\\P\\Torvane.Exe");
    TestPayload payload(SomeData(3000));
    try {
        ExtractChunkedPayload(payload.table, "C:\\P\\Torvane.Exe", With(nullptr, nullptr));
        FAIL() << "no failure";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "Cannot create file \"C:\\P\\Torvane.Exe\". The process cannot access the file because it is "
            "being used by another process");
    }
    EXPECT_EQ(files.files.count("C:\\P\\Torvane.Exe.new"), 0u);

    // A folder where nothing can be created at all gives the same message for the target.
    files.uncreatable.insert("C:\\RO\\a.exe.new");
    EXPECT_THROW(ExtractChunkedPayload(payload.table, "C:\\RO\\a.exe", With(nullptr, nullptr)),
                 EFCreateError);
}

TEST(ProgressLabel, RoundsHalvesToEven) {
    testing::HeadlessHost host;
    ui::Application app{host};
    ui::Form form{app};
    ui::ProgressBar bar(&form);
    ui::Label label(&form);
    struct Case {
        int max, position;
        const char* text;
    };
    const Case cases[] = {
        {7317410, 1024, "0% complete"},
        {7317410, 5586881, "76% complete"},
        {6652191, 5586881, "84% complete"},
        {200, 1, "0% complete"},
        {200, 3, "2% complete"},
        {200, 5, "2% complete"},
        {200, 7, "4% complete"},
        {7317410, 7317410, "100% complete"},
        {100, 150, "100% complete"},
    };
    for (const Case& c : cases) {
        bar.SetMax(c.max);
        ReportProgress(c.position, &bar, &label, app);
        EXPECT_EQ(label.Caption(), c.text) << c.position << "/" << c.max;
    }
    EXPECT_EQ(bar.Position(), 100);  // clamped to the maximum and read back
}

TEST(CarriedPayloads, SizesComeFromThePackedFilesAndExtractIntact) {
    // The generated units: the stream is a real zlib stream at best compression.
    for (const PayloadTable* table : {&GB_TorvaneP2P_exe::Payload, &GB_Uninstall_exe::Payload,
                                      &GB_torvane_toolbar_exe::Payload}) {
        EXPECT_EQ(table->chunks[0][0], 0x78);
        EXPECT_EQ(table->chunks[0][1], 0xDA);
        EXPECT_EQ(table->chunkCount, static_cast<int>((table->compressedSize + 1023) / 1024));
        Bytes inflated(table->inflatedSize);
        uLongf size = inflated.size();
        ASSERT_EQ(uncompress(inflated.data(), &size, table->chunks[0], table->compressedSize),
                  Z_OK);
        EXPECT_EQ(size, table->inflatedSize);
    }
    EXPECT_EQ(kPayloadProgressMaximum,
              GB_TorvaneP2P_exe::kCompressedSize + GB_TorvaneP2P_exe::kInflatedSize +
                  GB_Uninstall_exe::kCompressedSize + GB_Uninstall_exe::kInflatedSize);

    testing::HeadlessHost host;
    ui::Application app{host};
    testing::MemoryFileSystem files;
    GB_Uninstall_exe::ExtractPayload("u.exe",
                                     PayloadServices{files, BarProgress(nullptr, nullptr, app)});
    EXPECT_EQ(files.Bytes("u.exe").size(), GB_Uninstall_exe::kInflatedSize);
}

}  // namespace
}  // namespace torvane

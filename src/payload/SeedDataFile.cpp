#include "payload/SeedDataFile.h"

#include <cmath>

#include "base/PathNames.h"
#include "payload/DataFileHeader.h"
#include "payload/GB_TORVANE_DAT.h"
#include "payload/LIB_Data1_ReadWrite.h"
#include "payload/SeedTables.h"

namespace torvane {

int ConnectionFigure(int connectionType) {
    static const int kFigures[] = {6, 10, 45, 80, 90, 90, 90, 90, 77};
    if (connectionType < 0 || connectionType > 8) return 77;
    return kFigures[connectionType];
}

namespace {
// Clears DataWriter however the writing ends.
struct CurrentWriter {
    explicit CurrentWriter(TLibData1_ReadWrite& writer) { DataWriter = &writer; }
    ~CurrentWriter() { DataWriter = nullptr; }
};
}  // namespace

std::string WriteDataFile(const std::string& path, const DataFileInputs& inputs,
                          const DataFileServices& services) {
    // Inflated before the file is made: damaged tables leave no file behind.
    const SeedTables tables = LoadSeedTables();
    TLibData1_ReadWrite writer;
    std::unique_ptr<platform::WritableFile> file = services.files.CreateFile(path);
    BufferedWriter out(*file);
    const double now = services.clock.LocalNow();
    const double today = std::floor(now);

    DataFileHeader header;
    header.workDir = inputs.workDir;
    header.downloadDir = inputs.downloadDir;
    header.sourceCode = inputs.sourceCode;
    header.expiry = today + 25;
    header.guid = GuidText(services.guids.NewGuid());
    header.installerUrl = WebServerUrl("/Install_Torvane.exe");
    header.mirrorInstallerUrl = MirrorServerUrl("/Install_Torvane.exe");
    header.dayNumber = IntOfFloat(services.clock.LocalNow() - 100);
    header.connectionFigure = ConnectionFigure(inputs.connectionType);

    writer.WriteByte(out, 0);
    writer.WritePlainText(out, MakeDataKey());
    WriteDataFileHeader(writer, out, header);
    services.progress(94);

    CurrentWriter current(writer);
    std::string downloadDir = inputs.downloadDir;
    if (EndsWithBackslash(downloadDir, services.files.LeadBytes())) downloadDir.pop_back();
    writer.WriteTag(out, tags::DownloadFolder);
    writer.WriteInt(out, 1);
    writer.WriteTag(out, tags::DownloadFolder);
    writer.WriteText(out, downloadDir);
    writer.WriteBool(out, true);
    writer.WriteBool(out, true);
    writer.WriteTag(out, tags::End);

    services.progress(95);
    writer.WriteTag(out, tags::NodeListAOpen);
    writer.WriteTag(out, tags::NodeListAHeader);
    WriteNodeListA(out, tables, services.clock);

    services.progress(96);
    writer.WriteTag(out, tags::End);
    writer.WriteTag(out, tags::Separator);
    WriteNodeListB(out, tables, services.clock);

    services.progress(98);
    writer.WriteTag(out, tags::End);
    WriteSettingsList(out, tables);

    services.progress(99);
    writer.WriteTag(out, tags::End);
    WriteHashList(out, tables);

    writer.WriteTag(out, tags::End);
    out.Flush();
    file->Close();
    return downloadDir;
}

}  // namespace torvane

#include "payload/GB_TORVANE_DAT.h"

#include "generated/BuildConfig.h"
#include "payload/LIB_qvURL.h"

namespace torvane {

std::string WebServerUrl(const std::string& path) { return config::kWebServer + path; }
std::string MirrorServerUrl(const std::string& path) { return config::kMirrorServer + path; }
std::string CounterServerUrl(const std::string& path) { return config::kCounterServer + path; }

namespace {
TNodeAddress AddressOf(const SeedNode& node) {
    TNodeAddress a;
    a.w = node.w;
    a.x = node.x;
    a.y = node.y;
    a.z = node.z;
    a.port = node.port;
    return a;
}

void WriteSettings(BufferedWriter& file, const char* name, const std::vector<std::string>& values) {
    for (const std::string& value : values) WriteSetting(file, name, value);
}
}  // namespace

void WriteNodeListA(BufferedWriter& file, const SeedTables& tables, platform::Clock& clock) {
    TLibData1_ReadWrite& w = *DataWriter;
    w.WriteTag(file, tags::NodeA);
    for (const SeedNode& node : tables.nodeListA) {
        w.WriteTag(file, tags::NodeA);
        w.WriteNodeAddress(file, AddressOf(node));
        w.WriteDateTime(file, clock.LocalNow() - 1);
        w.WriteDateTime(file, clock.LocalNow() - 1);
        w.WriteInt(file, 0);
        w.WriteDateTime(file, clock.LocalNow() - 1);
        w.WriteFloat(file, 0);
        w.WriteFloat(file, 0);
        w.WriteFloat(file, 0);
        w.WriteUInt(file, 0);
        w.WriteUInt(file, 0);
        w.WriteTag(file, tags::End);
        w.WriteDateTime(file, 0);
    }
    w.WriteTag(file, tags::End);
}

void WriteNodeListB(BufferedWriter& file, const SeedTables& tables, platform::Clock& clock) {
    TLibData1_ReadWrite& w = *DataWriter;
    w.WriteTag(file, tags::NodeB);
    for (const SeedNode& node : tables.nodeListB) {
        w.WriteTag(file, tags::NodeB);
        w.WriteNodeAddress(file, AddressOf(node));
        w.WriteDateTime(file, clock.LocalNow() - 1);
    }
    w.WriteTag(file, tags::End);
}

void WriteSetting(BufferedWriter& file, const std::string& name, const std::string& value) {
    DataWriter->WriteTag(file, tags::Setting);
    DataWriter->WriteText(file, name);
    DataWriter->WriteText(file, value);
}

void WriteSettingsList(BufferedWriter& file, const SeedTables& tables) {
    TLibData1_ReadWrite& w = *DataWriter;
    w.WriteTag(file, tags::Setting);

    // The remote-settings block.
    const std::string remoteSettings = WebServerUrl("/REMSET/");
    w.WritePlainText(file, ToText(ScrambleUrl(remoteSettings)));
    w.WritePlainText(file, ToText(ScrambleUrl(remoteSettings)));
    w.WritePlainText(file, ToText(ScrambleUrl("")));
    w.WritePlainText(file, ToText(ScrambleUrl("torvane.rms")));
    w.WriteInt(file, 10);
    w.WriteInt(file, 7200);
    w.WriteInt(file, 15);
    w.WriteDateTime(file, 0);
    w.WriteDateTime(file, 0);
    w.WriteInt(file, 10);

    WriteSetting(file, "VerLatestVersion", "4.38");
    WriteSetting(file, "VerLatestExpired", "4.21");
    WriteSetting(file, "RemSetPath1", MirrorServerUrl("/REMSET/"));
    WriteSetting(file, "PathDownloadLocation2", MirrorServerUrl("/Install_Torvane.exe"));
    WriteSetting(file, "CntInstallPath", CounterServerUrl("/TEL/INSTALL/CNTINST"));
    WriteSetting(file, "CntSuspendedTill", "01/01/1900");
    WriteSetting(file, "CntUsePath", CounterServerUrl("/TEL/GEBRUIK/CNTUSE"));
    WriteSetting(file, "CntUseTreshold", "120");
    WriteSetting(file, "PathDownloadLocation1", WebServerUrl("/Install_Torvane.exe"));
    WriteSetting(file, "RemSetDelay", "10");
    WriteSetting(file, "RemSetFile", "torvane.rms");
    WriteSetting(file, "RemSetInterval", "7200");
    WriteSetting(file, "RemSetPath2", remoteSettings);
    WriteSetting(file, "RemSetPath3", "");
    WriteSetting(file, "RemSetRetryInterval", "15");
    WriteSetting(file, "RemSetSuspendedTill", "01/01/1900");
    WriteSettings(file, "QQNodeVesk", tables.qqNodeVesk);
    WriteSettings(file, "QNodeIP", tables.qNodeIP);
    WriteSettings(file, "QNodeGnu", tables.qNodeGnu);
    WriteSettings(file, "QQNodeCurVesk", tables.qqNodeCurVesk);
    WriteSettings(file, "QNodeVesk", tables.qNodeVesk);
    WriteSettings(file, "QBlockedNode", tables.qBlockedNode);
    w.WriteTag(file, tags::End);
}

void WriteHashList(BufferedWriter& file, const SeedTables& tables) {
    TLibData1_ReadWrite& w = *DataWriter;
    w.WriteTag(file, tags::Hash);
    for (const SeedHash& entry : tables.hashList) {
        w.WriteTag(file, tags::Hash);
        w.WriteText(file, entry.hash);
        w.WriteUInt(file, entry.size);
    }
    w.WriteTag(file, tags::End);
}

}  // namespace torvane

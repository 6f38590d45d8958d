#include "payload/DataFileDecoder.h"

#include "payload/GB_TORVANE_DAT.h"
#include "payload/LIB_qvURL.h"

namespace torvane {

namespace {

void ExpectInt(Data1Reader& r, std::int32_t expected, const char* what) {
    const std::size_t at = r.Position();
    const std::int32_t value = r.ReadInt();
    if (value != expected)
        throw DataFormatError(std::string(what) + " is " + std::to_string(value) + ", not " +
                                  std::to_string(expected),
                              at);
}

void ExpectBool(Data1Reader& r, bool expected, const char* what) {
    const std::size_t at = r.Position();
    if (r.ReadBool() != expected)
        throw DataFormatError(std::string(what) + " has the wrong value", at);
}

std::string ReadScrambled(Data1Reader& r) {
    const std::string bytes = r.ReadPlainText();
    return UnscrambleUrl(ByteString(bytes.begin(), bytes.end()));
}

}  // namespace

DataFileContents DecodeDataFile(std::vector<std::uint8_t> bytes) {
    Data1Reader r(std::move(bytes));
    DataFileContents c;

    if (r.ReadByte() != 0) throw DataFormatError("The file does not start with 0", 0);
    c.keySeed = r.ReadPlainText();
    r.SetKey(DeriveDataKey(c.keySeed));
    static_cast<DataFileHeader&>(c) = ReadDataFileHeader(r);

    r.ExpectTag(tags::DownloadFolder);
    ExpectInt(r, 1, "download folder count");
    r.ExpectTag(tags::DownloadFolder);
    c.downloadFolder = r.ReadText();
    ExpectBool(r, true, "download folder flag");
    ExpectBool(r, true, "download folder flag");
    r.ExpectTag(tags::End);

    r.ExpectTag(tags::NodeListAOpen);
    r.ExpectTag(tags::NodeListAHeader);
    r.ExpectTag(tags::NodeA);
    while (true) {
        const std::uint8_t tag = r.ReadTag();
        if (tag == tags::End) break;
        if (tag != tags::NodeA) throw DataFormatError("Bad tag in node list A", r.Position());
        c.nodesA.push_back(r.ReadNodeAddress());
        c.nodeAStamps.push_back(r.ReadFloat());
        r.ReadFloat();
        ExpectInt(r, 0, "node A count");
        r.ReadFloat();
        for (int i = 0; i < 3; ++i) r.ReadFloat();
        r.ReadUInt();
        r.ReadUInt();
        r.ExpectTag(tags::End);
        r.ReadFloat();
    }

    r.ExpectTag(tags::End);
    r.ExpectTag(tags::Separator);
    r.ExpectTag(tags::NodeB);
    while (true) {
        const std::uint8_t tag = r.ReadTag();
        if (tag == tags::End) break;
        if (tag != tags::NodeB) throw DataFormatError("Bad tag in node list B", r.Position());
        c.nodesB.push_back(r.ReadNodeAddress());
        r.ReadFloat();
    }

    r.ExpectTag(tags::End);
    r.ExpectTag(tags::Setting);
    for (int i = 0; i < 4; ++i) c.remoteSettings.push_back(ReadScrambled(r));
    ExpectInt(r, 10, "remote-settings delay");
    ExpectInt(r, 7200, "remote-settings interval");
    ExpectInt(r, 15, "remote-settings retry");
    r.ReadFloat();
    r.ReadFloat();
    ExpectInt(r, 10, "remote-settings record 10");
    while (true) {
        const std::uint8_t tag = r.ReadTag();
        if (tag == tags::End) break;
        if (tag != tags::Setting) throw DataFormatError("Bad tag in the settings", r.Position());
        std::string name = r.ReadText();
        c.settings.emplace_back(std::move(name), r.ReadText());
    }

    r.ExpectTag(tags::End);
    r.ExpectTag(tags::Hash);
    while (true) {
        const std::uint8_t tag = r.ReadTag();
        if (tag == tags::End) break;
        if (tag != tags::Hash) throw DataFormatError("Bad tag in the hash list", r.Position());
        std::string hash = r.ReadText();
        c.hashes.emplace_back(std::move(hash), r.ReadUInt());
    }
    r.ExpectTag(tags::End);
    if (!r.AtEnd()) throw DataFormatError("Data after the end", r.Position());
    return c;
}

}  // namespace torvane

#pragma once
#include <cstdint>
#include <string>

#include "payload/LIB_Data1_ReadWrite.h"
#include "platform/Clock.h"

// The seed lists of the client's first data file. The tables are generated at
// build time by tools/seedgen; the routines write them through DataWriter.
namespace torvane {

struct SeedNode {
    std::uint8_t w, x, y, z;
    std::uint16_t port;
};

struct SeedHash {
    const char* hash;  // 32 base32 characters (A-Z, 2-7), a 160-bit value
    std::uint32_t size;
};

extern const SeedNode NodeListA[500];
extern const SeedNode NodeListB[500];
extern const char* const QQNodeVesk[1770];
extern const char* const QNodeIP[1];
extern const char* const QNodeGnu[50];
extern const char* const QQNodeCurVesk[6];
extern const char* const QNodeVesk[25];
extern const char* const QBlockedNode[250];
extern const SeedHash HashList[1168];

// Tag numbers of the sections.
namespace tags {
constexpr std::uint8_t End = 0;
constexpr std::uint8_t NodeA = 3;
constexpr std::uint8_t DownloadFolder = 8;
constexpr std::uint8_t NodeListAOpen = 22;
constexpr std::uint8_t NodeListAHeader = 32;
constexpr std::uint8_t Separator = 27;
constexpr std::uint8_t NodeB = 30;
constexpr std::uint8_t Hash = 44;
constexpr std::uint8_t Setting = 203;
}  // namespace tags

// Each writes its section through DataWriter: its own opening tag, the
// entries, and a closing Tag 0. The node lists stamp entries with "now less
// a day", asking the clock for each stamp, so stamps may differ in their
// last digits.
void WriteNodeListA(BufferedWriter& file, platform::Clock& clock);
void WriteNodeListB(BufferedWriter& file, platform::Clock& clock);
void WriteSettingsList(BufferedWriter& file);
void WriteHashList(BufferedWriter& file);
void WriteSetting(BufferedWriter& file, const std::string& name, const std::string& value);

// Addresses of the build's servers, as the data file names them.
std::string WebServerUrl(const std::string& path);
std::string MirrorServerUrl(const std::string& path);
std::string CounterServerUrl(const std::string& path);

}  // namespace torvane

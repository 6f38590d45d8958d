#pragma once
#include <cstdint>
#include <string>

#include "payload/LIB_Data1_ReadWrite.h"
#include "payload/SeedTables.h"
#include "platform/Clock.h"

// The seed lists' sections of the client's first data file, written through
// DataWriter from the tables the program carries (payload/SeedTables.h).
namespace torvane {

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
void WriteNodeListA(BufferedWriter& file, const SeedTables& tables, platform::Clock& clock);
void WriteNodeListB(BufferedWriter& file, const SeedTables& tables, platform::Clock& clock);
void WriteSettingsList(BufferedWriter& file, const SeedTables& tables);
void WriteHashList(BufferedWriter& file, const SeedTables& tables);
void WriteSetting(BufferedWriter& file, const std::string& name, const std::string& value);

// Addresses of the build's servers, as the data file names them.
std::string WebServerUrl(const std::string& path);
std::string MirrorServerUrl(const std::string& path);
std::string CounterServerUrl(const std::string& path);

}  // namespace torvane

#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "payload/SeedTables.h"

// Writes the seed lists as the program carries them: the tables of
// payload/SeedTables.h as one zlib stream.
namespace torvane::tools {

// The inflated stream, column by column: the row count of a table is a
// column of its own.
using SeedColumns = std::vector<std::vector<std::uint8_t>>;

// The columns of the tables. A text that is not in the form of its table (so that
// the program could not give it back as it stands) raises
// std::invalid_argument naming it, as does a table of more than 65535 rows.
SeedColumns EncodeSeedColumns(const SeedTables& tables);

// One zlib stream of the columns, in order, at best compression.
std::vector<std::uint8_t> DeflateSeedColumns(const SeedColumns& columns);

// The C++ source that defines kSeedStream, kSeedStreamSize and
// kSeedInflatedSize for the tables.
std::string SeedStreamSource(const SeedTables& tables);

}  // namespace torvane::tools

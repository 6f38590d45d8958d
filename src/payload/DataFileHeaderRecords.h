#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "payload/DataFileHeader.h"

// The table of the header records that the writer and the decoder both walk
// (DataFileHeaderRecords.cpp); for DataFileHeaderWriter.cpp (the writer's
// walk) and DataFileHeader.cpp (the decoder's) only. Each walk has a file of
// its own so that a program carries only the one it uses.
namespace torvane::header_records {

// One header record: either a field of the installation's or a fixed value.
struct HeaderRecord {
    enum class Type { Text, Int, Bool, Float };
    Type type;
    // For messages about a fixed record that differs ("header record 5").
    int number;
    std::string DataFileHeader::*text = nullptr;
    std::int32_t DataFileHeader::*integer = nullptr;
    double DataFileHeader::*real = nullptr;
    // The value of a fixed record.
    std::int32_t fixedInt = 0;
    bool fixedBool = false;

    bool IsFixed() const { return text == nullptr && integer == nullptr && real == nullptr; }
};

// The records in file order, and how many there are.
extern const HeaderRecord kHeader[];
extern const std::size_t kHeaderCount;

}  // namespace torvane::header_records

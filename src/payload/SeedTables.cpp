#include "payload/SeedTables.h"

#include <zlib.h>

#include "base/Exceptions.h"

namespace torvane {

namespace {

using namespace seed_layout;

// Walks the inflated tables; no read passes the end.
class ColumnReader {
public:
    explicit ColumnReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    // The next table's row count and its `width` columns of that many bytes.
    std::size_t Table(std::size_t width) {
        const std::uint8_t* count = Take(2);
        rows_ = count[0] | std::size_t(count[1]) << 8;
        columns_ = Take(rows_ * width);
        return rows_;
    }
    // Field `column` (counted in bytes) of row `row` of the current table.
    std::uint8_t At(std::size_t column, std::size_t row) const {
        return columns_[column * rows_ + row];
    }
    std::uint16_t Word(std::size_t column, std::size_t row) const {
        return static_cast<std::uint16_t>(At(column, row) | At(column + 1, row) << 8);
    }
    void ConfirmEnd() const {
        if (at_ != bytes_.size()) throw EDecompressionError("the seed lists run on past their end");
    }

private:
    const std::uint8_t* Take(std::size_t n) {
        if (n > bytes_.size() - at_) throw EDecompressionError("the seed lists end early");
        const std::uint8_t* start = bytes_.data() + at_;
        at_ += n;
        return start;
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
    std::size_t rows_ = 0;
    const std::uint8_t* columns_ = nullptr;
};

void AppendDigits(std::string& text, unsigned value, int digits) {
    char out[5];
    for (int i = digits - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    text.append(out, static_cast<std::size_t>(digits));
}

int DigitCount(unsigned value) {
    int digits = 1;
    while (value >= 10) value /= 10, ++digits;
    return digits;
}

SeedNode NodeAt(const ColumnReader& reader, std::size_t row) {
    return SeedNode{reader.At(0, row), reader.At(1, row), reader.At(2, row), reader.At(3, row),
                    reader.Word(4, row)};
}

std::vector<SeedNode> ReadNodes(ColumnReader& reader) {
    std::vector<SeedNode> nodes(reader.Table(kNodeColumns));
    for (std::size_t row = 0; row < nodes.size(); ++row) nodes[row] = NodeAt(reader, row);
    return nodes;
}

// "ddd.ddd.ddd.ddd:port".
std::vector<std::string> ReadNodeTexts(ColumnReader& reader) {
    std::vector<std::string> texts(reader.Table(kNodeColumns));
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const SeedNode node = NodeAt(reader, row);
        std::string& text = texts[row];
        for (std::uint8_t octet : {node.w, node.x, node.y, node.z}) {
            if (!text.empty()) text += '.';
            AppendDigits(text, octet, 3);
        }
        text += ':';
        AppendDigits(text, node.port, DigitCount(node.port));
    }
    return texts;
}

std::vector<std::string> ReadRanges(ColumnReader& reader) {
    std::vector<std::string> ranges(reader.Table(kRangeGroups));
    for (std::size_t row = 0; row < ranges.size(); ++row)
        for (std::size_t group = 0; group < kRangeGroups; ++group)
            AppendDigits(ranges[row], reader.At(group, row), 3);
    return ranges;
}

std::vector<SeedHash> ReadHashes(ColumnReader& reader) {
    std::vector<SeedHash> hashes(reader.Table(kHashColumns));
    for (std::size_t row = 0; row < hashes.size(); ++row) {
        // Five bits a character, the highest first.
        unsigned bits = 0, pending = 0;
        for (std::size_t i = 0; i < kHashBytes; ++i) {
            bits = (bits << 8 | reader.At(i, row)) & 0xFFF;
            for (pending += 8; pending >= 5; pending -= 5)
                hashes[row].hash += kBase32[(bits >> (pending - 5)) & 31];
        }
        hashes[row].size =
            reader.Word(kHashBytes, row) | std::uint32_t(reader.Word(kHashBytes + 2, row)) << 16;
    }
    return hashes;
}

}  // namespace

SeedTables DecodeSeedTables(const std::uint8_t* stream, std::size_t size,
                            std::size_t inflatedSize) {
    std::vector<std::uint8_t> bytes(inflatedSize);
    uLongf inflated = static_cast<uLongf>(inflatedSize);
    uLong used = static_cast<uLong>(size);
    if (uncompress2(bytes.data(), &inflated, stream, &used) != Z_OK || inflated != inflatedSize ||
        used != size)
        throw EDecompressionError("the seed lists do not inflate to their size");

    ColumnReader reader(bytes);
    SeedTables tables;
    tables.nodeListA = ReadNodes(reader);
    tables.nodeListB = ReadNodes(reader);
    for (auto table : kNodeTextTables) tables.*table = ReadNodeTexts(reader);
    tables.qBlockedNode = ReadRanges(reader);
    tables.hashList = ReadHashes(reader);
    reader.ConfirmEnd();
    return tables;
}

SeedTables LoadSeedTables() {
    return DecodeSeedTables(kSeedStream, kSeedStreamSize, kSeedInflatedSize);
}

}  // namespace torvane

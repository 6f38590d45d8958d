#include "SeedEncoder.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "common/ByteArrayText.h"

namespace torvane::tools {

namespace {

using namespace seed_layout;

// Lays out the tables column by column, each after its 16-bit row count.
class ColumnWriter {
public:
    void Table(std::size_t rows, std::size_t width) {
        if (rows > 0xFFFF) throw std::invalid_argument("a seed table has more than 65535 rows");
        columns.push_back({static_cast<std::uint8_t>(rows), static_cast<std::uint8_t>(rows >> 8)});
        first_ = columns.size();
        columns.resize(first_ + width, std::vector<std::uint8_t>(rows));
    }
    void Set(std::size_t column, std::size_t row, std::uint8_t value) {
        columns[first_ + column][row] = value;
    }
    void SetWord(std::size_t column, std::size_t row, std::uint16_t value) {
        Set(column, row, static_cast<std::uint8_t>(value));
        Set(column + 1, row, static_cast<std::uint8_t>(value >> 8));
    }

    SeedColumns columns;

private:
    std::size_t first_ = 0;
};

[[noreturn]] void Refuse(const char* what, const std::string& text) {
    throw std::invalid_argument(std::string("not ") + what + " of the seed lists: \"" + text +
                                "\"");
}

void SetNode(ColumnWriter& out, std::size_t row, const SeedNode& node) {
    out.Set(0, row, node.w);
    out.Set(1, row, node.x);
    out.Set(2, row, node.y);
    out.Set(3, row, node.z);
    out.SetWord(4, row, node.port);
}

void WriteNodes(ColumnWriter& out, const std::vector<SeedNode>& nodes) {
    out.Table(nodes.size(), kNodeColumns);
    for (std::size_t row = 0; row < nodes.size(); ++row) SetNode(out, row, nodes[row]);
}

// The node of a text, if the text is the one the program makes of that node.
SeedNode ParseNodeText(const std::string& text) {
    unsigned w, x, y, z, port;
    if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u:%5u", &w, &x, &y, &z, &port) == 5 && w <= 255 &&
        x <= 255 && y <= 255 && z <= 255 && port <= 0xFFFF) {
        char again[32];
        std::snprintf(again, sizeof again, "%03u.%03u.%03u.%03u:%u", w, x, y, z, port);
        if (text == again)
            return SeedNode{std::uint8_t(w), std::uint8_t(x), std::uint8_t(y), std::uint8_t(z),
                            std::uint16_t(port)};
    }
    Refuse("a node text", text);
}

void WriteNodeTexts(ColumnWriter& out, const std::vector<std::string>& texts) {
    out.Table(texts.size(), kNodeColumns);
    for (std::size_t row = 0; row < texts.size(); ++row)
        SetNode(out, row, ParseNodeText(texts[row]));
}

void WriteRanges(ColumnWriter& out, const std::vector<std::string>& ranges) {
    out.Table(ranges.size(), kRangeGroups);
    for (std::size_t row = 0; row < ranges.size(); ++row) {
        const std::string& range = ranges[row];
        if (range.size() != 3 * kRangeGroups ||
            range.find_first_not_of("0123456789") != std::string::npos)
            Refuse("a blocked range", range);
        for (std::size_t group = 0; group < kRangeGroups; ++group) {
            const int value = std::stoi(range.substr(3 * group, 3));
            if (value > 255) Refuse("a blocked range", range);
            out.Set(group, row, static_cast<std::uint8_t>(value));
        }
    }
}

void WriteHashes(ColumnWriter& out, const std::vector<SeedHash>& hashes) {
    out.Table(hashes.size(), kHashColumns);
    for (std::size_t row = 0; row < hashes.size(); ++row) {
        const std::string& hash = hashes[row].hash;
        if (hash.size() != 32 || hash.find_first_not_of(kBase32) != std::string::npos)
            Refuse("a base32 hash", hash);
        // Five bits a character, the highest first.
        unsigned bits = 0, pending = 0;
        std::size_t column = 0;
        for (char c : hash) {
            bits = (bits << 5 | static_cast<unsigned>(std::strchr(kBase32, c) - kBase32)) & 0xFFF;
            pending += 5;
            if (pending >= 8) {
                pending -= 8;
                out.Set(column++, row, static_cast<std::uint8_t>(bits >> pending));
            }
        }
        out.SetWord(kHashBytes, row, static_cast<std::uint16_t>(hashes[row].size));
        out.SetWord(kHashBytes + 2, row, static_cast<std::uint16_t>(hashes[row].size >> 16));
    }
}

}  // namespace

SeedColumns EncodeSeedColumns(const SeedTables& tables) {
    ColumnWriter out;
    WriteNodes(out, tables.nodeListA);
    WriteNodes(out, tables.nodeListB);
    for (auto table : kNodeTextTables) WriteNodeTexts(out, tables.*table);
    WriteRanges(out, tables.qBlockedNode);
    WriteHashes(out, tables.hashList);
    return out.columns;
}

std::vector<std::uint8_t> DeflateSeedColumns(const SeedColumns& columns) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib cannot start compressing");
    std::vector<std::uint8_t> packed;
    std::uint8_t buffer[16384];
    auto run = [&](const std::vector<std::uint8_t>& input, int flush) {
        stream.next_in = const_cast<Bytef*>(input.data());
        stream.avail_in = static_cast<uInt>(input.size());
        int result;
        do {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            result = deflate(&stream, flush);
            packed.insert(packed.end(), buffer, buffer + (sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        return result;
    };
    // Each column ends a deflate block, so that each gets Huffman codes of
    // its own: the ports and first octets are few values, the hashes any.
    for (const std::vector<std::uint8_t>& column : columns) run(column, Z_BLOCK);
    const int result = run({}, Z_FINISH);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("zlib cannot compress the seed lists");
    return packed;
}

std::string SeedStreamSource(const SeedTables& tables) {
    const SeedColumns columns = EncodeSeedColumns(tables);
    const std::vector<std::uint8_t> stream = DeflateSeedColumns(columns);
    std::size_t inflatedSize = 0;
    for (const std::vector<std::uint8_t>& column : columns) inflatedSize += column.size();
    std::string out =
        "// Generated by tools/seedgen. Do not edit.\n#include \"payload/SeedTables.h\"\n\n"
        "namespace torvane {\n\nconst std::uint8_t kSeedStream[] = {";
    out += ByteArrayText(stream);
    out += "};\nconst std::size_t kSeedStreamSize = sizeof kSeedStream;\n";
    out += "const std::size_t kSeedInflatedSize = " + std::to_string(inflatedSize) + ";\n\n";
    out += "}  // namespace torvane\n";
    return out;
}

}  // namespace torvane::tools

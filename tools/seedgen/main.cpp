// Generates the seed lists the installer writes into the client's first data
// file: two node lists, the node and range settings, and the hash list, as
// the one compressed stream the program carries (SeedEncoder.h). The
// values are made up but have the counts, ports and repeats the client's file
// is meant to start with. Every host address and every range that is not a
// whole first-octet block lies in the blocks set aside for documentation
// (192.0.2.0/24, 198.51.100.0/24, 203.0.113.0/24) and benchmarking
// (198.18.0.0/15): a client starting from these lists contacts nobody's real
// host. The generator is deterministic, so every build carries the same lists.
//
// Usage: seedgen <output.cpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "SeedEncoder.h"

using namespace torvane;

namespace {

class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high].
    std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
        return low + static_cast<std::uint32_t>(Next() % (std::uint64_t(high) - low + 1));
    }
    template <class T>
    void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Next() % i]);
    }

private:
    std::uint64_t state_;
};

struct Node {
    int w, x, y, z;
    int port;
};

// The reserved blocks the made-up hosts come from: the first octet and the
// lowest and highest value of the other three octets as one 24-bit number.
struct ReservedBlock {
    int first;
    std::uint32_t low, high;
};
constexpr ReservedBlock kReservedBlocks[] = {
    {192, 0x000200, 0x0002FF},  // 192.0.2.0/24, TEST-NET-1
    {198, 0x336400, 0x3364FF},  // 198.51.100.0/24, TEST-NET-2
    {203, 0x007100, 0x0071FF},  // 203.0.113.0/24, TEST-NET-3
    {198, 0x120000, 0x13FFFF},  // 198.18.0.0/15, benchmarking
};

// The three small blocks hold 254 hosts each and the lists need up to 1462
// distinct ones, so each small block gets one draw in eight and the large
// one the rest.
const ReservedBlock& DrawBlock(SplitMix& rng) {
    const std::uint32_t draw = rng.Between(0, 7);
    return kReservedBlocks[draw < 3 ? draw : 3];
}

// A host in a reserved block; the host part never ends in 0 or 255.
Node ReservedAddress(SplitMix& rng, int port) {
    const ReservedBlock& block = DrawBlock(rng);
    while (true) {
        const std::uint32_t rest = rng.Between(block.low, block.high);
        if ((rest & 255) == 0 || (rest & 255) == 255) continue;
        return Node{block.first, static_cast<int>(rest >> 16), static_cast<int>((rest >> 8) & 255),
                    static_cast<int>(rest & 255), port};
    }
}

std::vector<int> Ports(const std::vector<std::pair<int, int>>& counted) {
    std::vector<int> ports;
    for (auto [port, count] : counted) ports.insert(ports.end(), count, port);
    return ports;
}

std::vector<int> UniquePorts(SplitMix& rng, int count, int low, int high, std::set<int> taken) {
    std::vector<int> ports;
    while (static_cast<int>(ports.size()) < count) {
        int port = static_cast<int>(rng.Between(low, high));
        if (taken.insert(port).second) ports.push_back(port);
    }
    return ports;
}

std::vector<Node> NodesWithPorts(SplitMix& rng, std::vector<int> ports) {
    rng.Shuffle(ports);
    std::vector<Node> nodes;
    std::set<std::uint32_t> seen;
    for (int port : ports) {
        Node n;
        do n = ReservedAddress(rng, port);
        while (!seen.insert(std::uint32_t(n.w) << 24 | n.x << 16 | n.y << 8 | n.z).second);
        nodes.push_back(n);
    }
    return nodes;
}

std::string NodeText(const Node& n) {
    char text[32];
    std::snprintf(text, sizeof text, "%03d.%03d.%03d.%03d:%d", n.w, n.x, n.y, n.z, n.port);
    return text;
}

std::vector<SeedNode> SeedNodes(const std::vector<Node>& nodes) {
    std::vector<SeedNode> seeds;
    for (const Node& n : nodes)
        seeds.push_back(SeedNode{std::uint8_t(n.w), std::uint8_t(n.x), std::uint8_t(n.y),
                                 std::uint8_t(n.z), std::uint16_t(n.port)});
    return seeds;
}

// "QQNodeVesk": 1770 texts of which 257 values stand more than once, 308 rows
// being repeats (206 values twice, 51 three times).
std::vector<std::string> VeskNodes(SplitMix& rng) {
    std::vector<int> ports = Ports({{6346, 1761 - 308},
                                    {1024, 2},
                                    {2001, 1},
                                    {6347, 1},
                                    {6356, 1},
                                    {6666, 1},
                                    {10099, 1},
                                    {16350, 1},
                                    {52508, 1}});
    std::vector<Node> distinct = NodesWithPorts(rng, ports);
    std::vector<Node> port6346;
    for (const Node& n : distinct)
        if (n.port == 6346) port6346.push_back(n);
    std::vector<std::string> texts;
    for (const Node& n : distinct) texts.push_back(NodeText(n));
    for (int i = 0; i < 257; ++i) {
        const int extra = i < 206 ? 1 : 2;
        for (int r = 0; r < extra; ++r) texts.push_back(NodeText(port6346[i]));
    }
    rng.Shuffle(texts);
    return texts;
}

std::vector<std::string> BlockedRanges(SplitMix& rng) {
    std::set<int> wholeBlocks = {0, 10, 127, 100};
    for (int b = 224; b <= 255; ++b) wholeBlocks.insert(b);
    std::vector<std::string> ranges;
    char text[32];
    for (int first : wholeBlocks) {
        std::snprintf(text, sizeof text, "000000000255255255%03d", first);
        ranges.push_back(text);
    }
    // The other ranges lie inside one reserved block each: up to 64 hosts in
    // a small block, up to 65536 in the large one.
    while (ranges.size() < 250) {
        const ReservedBlock& block = DrawBlock(rng);
        const std::uint32_t span = block.high - block.low < 0xFFFF ? 63 : 0xFFFF;
        const std::uint32_t start = rng.Between(block.low, block.high);
        const std::uint32_t end = std::min<std::uint32_t>(start + rng.Between(0, span), block.high);
        std::snprintf(text, sizeof text, "%03u%03u%03u%03u%03u%03u%03d", start >> 16,
                      (start >> 8) & 255, start & 255, end >> 16, (end >> 8) & 255, end & 255,
                      block.first);
        ranges.push_back(text);
    }
    rng.Shuffle(ranges);
    return ranges;
}

std::string Base32Hash(SplitMix& rng) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    std::string hash;
    for (int i = 0; i < 32; ++i) hash += kAlphabet[rng.Next() % 32];
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: seedgen <output.cpp>\n";
        return 2;
    }
    SplitMix rng(0x70A7A9E5EEDull);

    std::vector<int> portsA = Ports({{6348, 40}, {6346, 23}, {6349, 2}});
    std::vector<int> ownA = UniquePorts(rng, 435, 2155, 51753, {6346, 6348, 6349});
    ownA.front() = 2155;  // the range's ends occur
    ownA.back() = 51753;
    portsA.insert(portsA.end(), ownA.begin(), ownA.end());
    const std::vector<Node> listA = NodesWithPorts(rng, portsA);
    const std::vector<Node> listB =
        NodesWithPorts(rng, Ports({{6346, 496}, {4662, 1}, {6097, 1}, {6350, 1}, {64050, 1}}));

    const std::vector<std::string> vesk = VeskNodes(rng);
    const std::vector<std::string> ip = {NodeText(ReservedAddress(rng, 5287))};
    std::vector<int> gnuPorts = Ports({{6348, 4}, {6346, 2}});
    std::vector<int> ownGnu = UniquePorts(rng, 44, 1025, 65535, {6346, 6348});
    gnuPorts.insert(gnuPorts.end(), ownGnu.begin(), ownGnu.end());
    std::vector<std::string> gnu, curVesk, plainVesk;
    for (const Node& n : NodesWithPorts(rng, gnuPorts)) gnu.push_back(NodeText(n));
    for (const Node& n : NodesWithPorts(rng, Ports({{6346, 6}}))) curVesk.push_back(NodeText(n));
    for (const Node& n : NodesWithPorts(rng, Ports({{6346, 25}}))) plainVesk.push_back(NodeText(n));
    const std::vector<std::string> blocked = BlockedRanges(rng);

    std::vector<std::pair<std::string, std::uint32_t>> hashes;
    for (int i = 0; i < 1167; ++i) hashes.emplace_back(Base32Hash(rng), rng.Between(22, 918393628));
    hashes[0].second = 22;
    hashes[1].second = 918393628;
    hashes.push_back(hashes[500]);  // one hash stands twice
    rng.Shuffle(hashes);

    SeedTables tables;
    tables.nodeListA = SeedNodes(listA);
    tables.nodeListB = SeedNodes(listB);
    tables.qqNodeVesk = vesk;
    tables.qNodeIP = ip;
    tables.qNodeGnu = gnu;
    tables.qqNodeCurVesk = curVesk;
    tables.qNodeVesk = plainVesk;
    tables.qBlockedNode = blocked;
    for (auto& [hash, size] : hashes) tables.hashList.push_back(SeedHash{hash, size});

    std::string source;
    try {
        source = tools::SeedStreamSource(tables);
    } catch (const std::exception& e) {
        std::cerr << "seedgen: " << e.what() << "\n";
        return 1;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << source;
    return file ? 0 : 1;
}

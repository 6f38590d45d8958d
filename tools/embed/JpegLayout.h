#pragma once
#include <string>
#include <vector>

namespace torvane::tools {

// The setup decodes its pictures with a libjpeg built for baseline pictures
// only, to keep the download small. Returns why `bytes` is not a JPEG that
// decoder takes (progressive, arithmetic-coded, lossless or hierarchical
// coding, several scans, or a damaged file), or an empty text when it is a
// sequential Huffman-coded JPEG in one interleaved scan.
std::string WhyNotSequentialJpeg(const std::vector<unsigned char>& bytes);

}  // namespace torvane::tools

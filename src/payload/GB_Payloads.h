#pragma once
#include <cstdint>
#include <string>

#include "generated/GB_TorvaneP2P_exe_Sizes.h"
#include "generated/GB_Uninstall_exe_Sizes.h"
#include "generated/GB_torvane_toolbar_exe_Sizes.h"
#include "payload/ExtractPayload.h"
#include "payload/PayloadTable.h"

// The three files the setup carries, one unit each: the client program, its
// uninstaller and the toolbar's installer. Their sizes come from the files
// themselves, packed at build time.
namespace torvane {

namespace GB_TorvaneP2P_exe {
extern const PayloadTable Payload;
void ExtractPayload(const std::string& target, const PayloadServices& services);
// Only the first half: inflated and checked beside the target
// (StageChunkedPayload); ReplaceWithStaged puts it in place.
void StagePayload(const std::string& target, const PayloadServices& services);
}  // namespace GB_TorvaneP2P_exe

namespace GB_Uninstall_exe {
extern const PayloadTable Payload;
void ExtractPayload(const std::string& target, const PayloadServices& services);
}  // namespace GB_Uninstall_exe

namespace GB_torvane_toolbar_exe {
extern const PayloadTable Payload;
void ExtractPayload(const std::string& target, const PayloadServices& services);
}  // namespace GB_torvane_toolbar_exe

// Where the install and upgrade bars start from: the compressed and inflated
// sizes of the client program and the uninstaller, the two files both
// sequences extract.
constexpr std::uint32_t kPayloadProgressMaximum =
    GB_TorvaneP2P_exe::kCompressedSize + GB_TorvaneP2P_exe::kInflatedSize +
    GB_Uninstall_exe::kCompressedSize + GB_Uninstall_exe::kInflatedSize;

}  // namespace torvane

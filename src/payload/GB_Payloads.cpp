#include "payload/GB_Payloads.h"

namespace torvane {

void GB_TorvaneP2P_exe::ExtractPayload(const std::string& target, const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, services);
}

void GB_TorvaneP2P_exe::StagePayload(const std::string& target, const PayloadServices& services) {
    StageChunkedPayload(Payload, target, services);
}

void GB_Uninstall_exe::ExtractPayload(const std::string& target, const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, services);
}

void GB_torvane_toolbar_exe::ExtractPayload(const std::string& target,
                                            const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, services);
}

}  // namespace torvane

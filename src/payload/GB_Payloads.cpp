#include "payload/GB_Payloads.h"

namespace torvane {

void GB_TorvaneP2P_exe::ExtractPayload(const std::string& target, ui::ProgressBar* bar, ui::Label* label,
                                       const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, bar, label, services);
}

void GB_Uninstall_exe::ExtractPayload(const std::string& target, ui::ProgressBar* bar, ui::Label* label,
                                      const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, bar, label, services);
}

void GB_torvane_toolbar_exe::ExtractPayload(const std::string& target, ui::ProgressBar* bar, ui::Label* label,
                                            const PayloadServices& services) {
    ExtractChunkedPayload(Payload, target, bar, label, services);
}

}  // namespace torvane

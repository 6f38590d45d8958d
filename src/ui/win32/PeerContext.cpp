#include "ui/win32/PeerContext.h"

namespace torvane::ui::win32 {

HICON PeerContext::ProgramIcon(bool small) {
    platform::win32::UniqueIcon& icon = small ? smallIcon_ : largeIcon_;
    if (!icon) {
        const int size = ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
        icon.Reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON,
                                                   size, size, LR_DEFAULTCOLOR)));
    }
    return icon.Get();
}

Oleacc* PeerContext::Accessibility() {
    if (!oleaccTried_) {
        oleaccTried_ = true;
        oleacc_ = Oleacc::Load();
    }
    return oleacc_.get();
}

}  // namespace torvane::ui::win32

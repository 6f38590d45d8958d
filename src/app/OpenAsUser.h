#pragma once
#include <string>

#include "app/Navigator.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

// Opens a web page or a "mailto:" address for the user. The setup may run
// elevated; the browser and the mail program read from the network and must
// run with the user's own rights. When they could only have run with the
// setup's administrator rights, nothing is opened and the user is told
// `notOpened`, which says what to do by hand. Any other outcome is not
// examined, as a click on a link shows nothing when it fails.
inline void OpenAsUser(Navigator& nav, const std::string& what, const std::string& notOpened) {
    if (nav.Platform().shell.Open(what, true) == platform::StartResult::WouldBeElevated)
        nav.App().ShowMessage(notOpened);
}

// The support address, opened in the mail program.
inline void MailSupportAsUser(Navigator& nav, const std::string& address) {
    OpenAsUser(nav, "mailto:" + address,
               "The mail program was not opened, as it would have run with administrator "
               "rights.\rPlease write to " +
                   address + ".");
}

}  // namespace torvane

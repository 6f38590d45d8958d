#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "app/Appl_Globals.h"
#include "app/ErrorReport.h"
#include "app/PNL_Error.h"
#include "base/Exceptions.h"
#include "fakes/ReportQuery.h"
#include "fakes/WizardFixture.h"
#include "generated/BuildConfig.h"

namespace torvane {
namespace {

using testing::QueryValue;
using testing::Wizard;

// The reports the fetches asked the fake internet for, once `count` have
// arrived (the fetch runs on its own thread).
std::vector<std::string> Reports(Wizard& wizard, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (wizard.http->Locked([&] { return wizard.http->urls.size(); }) < count &&
           std::chrono::steady_clock::now() < deadline) {
        wizard.app.ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return wizard.http->Locked([&] { return wizard.http->urls; });
}

template <typename Failure>
void Fail(Wizard& wizard, const Failure& failure) {
    wizard.app.Dispatch([&] { throw failure; });
}

TEST(ErrorPanel, ShowsDiskFullOnlyForTheExactMessageInAnyCase) {
    Wizard wizard;
    const std::pair<const char*, const char*> cases[] = {
        {"I/O error 112", "Disk Full"},
        {"i/o ERROR 112", "Disk Full"},
        {"I/O Error 112", "Disk Full"},
        {"I/O error 1120", "I/O error 1120"},
        {"I/O error 11", "I/O error 11"},
        {" I/O error 112", " I/O error 112"},
        {"I/O error 112.", "I/O error 112."},
        {"I/O error 32", "I/O error 32"},
        {"", ""},
    };
    for (const auto& [message, shown] : cases) {
        PnlError->SetMessage(message);
        EXPECT_EQ(PnlError->StaticText1.Caption(), shown) << message;
    }
}

TEST(AppException, ReportsTheUnchangedMessageWithTheHeaderAndFoldersAndShowsTheErrorPanel) {
    Wizard wizard;
    InstallDir = "C:\\Program Files\\Torvane P2P\\";
    DownloadDir = "D:\\My Downloads & more\\";
    WorkDir = "C:\\Program Files\\Torvane P2P\\";
    UserDataDir = "C:\\users\\test\\AppData\\Local\\Torvane P2P\\";
    Fail(wizard, EInOutError(112));

    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(wizard.header(), "Error");
    EXPECT_EQ(PnlError->StaticText1.Caption(), "Disk Full");
    const auto reports = Reports(wizard, 1);
    ASSERT_EQ(reports.size(), 1u);
    const std::string& url = reports[0];
    EXPECT_EQ(url.rfind(ReportBaseUrl() + "T=Torvane&V=3&A=", 0), 0u) << url;
    EXPECT_EQ(QueryValue(url, "A"), "\"Welcome\"");
    EXPECT_EQ(QueryValue(url, "B"), "\"C:\\Program Files\\Torvane P2P\\\"");
    EXPECT_EQ(QueryValue(url, "C"), "\"D:\\My Downloads & more\\\"");
    EXPECT_EQ(QueryValue(url, "D"), "\"C:\\Program Files\\Torvane P2P\\\"");
    EXPECT_EQ(QueryValue(url, "E"), "\"C:\\users\\test\\AppData\\Local\\Torvane P2P\\\"");
    EXPECT_EQ(QueryValue(url, "F"), "\"I/O error 112\"");

    EXPECT_TRUE(wizard.bar().LeftButton(1).Visible());
    EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    EXPECT_EQ(wizard.bar().RightButton(1).Caption(), "&Restart");
    EXPECT_FALSE(wizard.bar().RightButton(2).Visible()) << "no way back into the wizard";
}

TEST(AppException, SilentAbortsSendNoReport) {
    Wizard wizard;
    wizard.app.Dispatch([] { throw EAbort(); });
    wizard.app.Dispatch([] { throw EInOutError(5); });
    EXPECT_EQ(Reports(wizard, 1).size(), 1u);
    EXPECT_EQ(QueryValue(Reports(wizard, 1)[0], "F"), "\"I/O error 5\"");
}

TEST(ErrorPanel, CopiesTheTextShownToTheClipboard) {
    Wizard wizard;
    Fail(wizard, EInOutError(112));
    PnlError->btnClipboard.Click();
    EXPECT_EQ(wizard.clipboard.text, "Disk Full");
}

TEST(ErrorPanel, AFailureOnTheErrorPanelReportsAgainAndSlidesThePanelInAgain) {
    Wizard wizard;
    Fail(wizard, std::runtime_error("first"));
    ASSERT_FALSE(wizard.form().Sliding);
    bool slid = false;
    wizard.host.onPump = [&] {
        wizard.clock.Advance(5);
        slid = slid || wizard.form().Sliding;
    };
    wizard.clipboard.refuse = true;
    wizard.app.Dispatch([&] { PnlError->btnClipboard.Click(); });
    EXPECT_TRUE(slid);
    EXPECT_FALSE(wizard.form().Sliding);
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(PnlError->StaticText1.Caption(), "Cannot open clipboard");
    const auto reports = Reports(wizard, 2);
    ASSERT_EQ(reports.size(), 2u);
    // The second report was made on the error panel: its header is "Error".
    std::vector<std::string> failures{QueryValue(reports[0], "F"), QueryValue(reports[1], "F")};
    std::sort(failures.begin(), failures.end());
    EXPECT_EQ(failures, (std::vector<std::string>{"\"Cannot open clipboard\"", "\"first\""}));
}

TEST(ErrorPanel, RestartOpensTheOwnExecutableAndEndsWithZero) {
    Wizard wizard;
    Fail(wizard, std::runtime_error("boom"));
    wizard.click("&Restart");
    EXPECT_EQ(wizard.shell.opened, std::vector<std::string>{wizard.processes.ownPath});
    EXPECT_EQ(wizard.processes.exitCode, 0);
    EXPECT_FALSE(wizard.form().Closed());
}

TEST(ErrorPanel, RestartAndExitDoNothingWhileThePanelSlidesIn) {
    Wizard wizard;
    bool clicked = false;
    wizard.host.onPump = [&] {
        wizard.clock.Advance(5);
        if (!clicked && wizard.form().Sliding && wizard.activePanel() == "PnlError") {
            clicked = true;
            PnlError->RestartClick();
            PnlError->ExitClick();
        }
    };
    Fail(wizard, std::runtime_error("boom"));
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(wizard.shell.opened.empty());
    EXPECT_FALSE(wizard.processes.exitCode.has_value());
    EXPECT_FALSE(wizard.form().Closed());
}

// As the signed-in user, never with the setup's administrator rights: where
// that cannot be, nothing opens and the user is told.
TEST(ErrorPanel, TheAddressLinkOpensAMailToTheSupportAddressAsTheUser) {
    for (const bool refused : {false, true}) {
        Wizard wizard;
        wizard.shell.refuseElevated = refused;
        PnlError->Label5.Click();
        EXPECT_EQ(wizard.shell.opened, std::vector<std::string>{std::string("(as user) mailto:") +
                                                                config::kSupportEmail});
        const std::string told = std::string(
                                     "The mail program was not opened, as it would have "
                                     "run with administrator rights.\rPlease write to ") +
                                 config::kSupportEmail + ".";
        EXPECT_EQ(wizard.host.messages,
                  refused ? std::vector<std::string>{told} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace torvane

#include <string>
#include <doctest/doctest.h>

#include "fixtures/AnsweringUser.h"
#include "fixtures/TempFolder.h"
#include "payments/InitialPath.h"
#include "payments/VirtualStore.h"
#include "payments/VirtualStoreTesting.h"

namespace {

std::string Text(const CString& text) {
    return text.Text();
}

const char InvalidPathText[] =
    "The default payment directory (C:\\No Such Folder) specified does not exist.  Please correct "
    "this within configuration for the specified banking component. The root directory (C:\\) "
    "will be used in the mean time.";

} // namespace

TEST_CASE("EnsureTrailingBackslash adds exactly one backslash") {
    CHECK(Text(EnsureTrailingBackslash("C:\\Payments")) == "C:\\Payments\\");
    CHECK(Text(EnsureTrailingBackslash("C:\\Payments\\")) == "C:\\Payments\\");
    CHECK(Text(EnsureTrailingBackslash("")) == "\\");
}

TEST_CASE("the initial path joins an existing default directory and the default file name") {
    AnsweringUser user;
    TempFolder folder;
    CHECK(Text(BuildInitialPath("pay.csv", folder.Path().c_str())) == folder / "pay.csv");
    CHECK(Text(BuildInitialPath("pay.csv", (folder.Path() + "\\").c_str())) == folder / "pay.csv");
    // Only the root of the current drive: an empty directory.
    CHECK(Text(BuildInitialPath("pay.csv", "")) == "\\pay.csv");
    CHECK(user.messages.empty());
}

TEST_CASE("a missing default directory is reported and the root of drive C: used") {
    AnsweringUser user;
    CHECK(Text(BuildInitialPath("pay.csv", "C:\\No Such Folder")) == "C:\\pay.csv");
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].text == InvalidPathText);
    CHECK(user.messages[0].caption == "Invalid default path");
    CHECK(user.messages[0].style == 0x10u);
}

TEST_CASE("the root of drive A: is never reported missing") {
    AnsweringUser user;
    CHECK(Text(BuildInitialPath("pay.csv", "a:")) == "a:\\pay.csv");
    CHECK(Text(BuildInitialPath("pay.csv", "A:\\")) == "A:\\pay.csv");
    CHECK(user.messages.empty());
    // Another folder on drive A: is.
    CHECK(Text(BuildInitialPath("pay.csv", "A:\\Payments")) == "C:\\pay.csv");
    CHECK(user.messages.size() == 1);
}

TEST_CASE("administrative rights are those who may open HKEY_USERS\\S-1-5-19") {
    CHECK_FALSE(HasAdministrativeRights());
    {
        AdministrativeRightsKey rights;
        CHECK(HasAdministrativeRights());
    }
    CHECK_FALSE(HasAdministrativeRights());
}

TEST_CASE("the redirected path is the chosen path, less its drive, in the virtual store") {
    CHECK(Text(RedirectedPath("C:\\Program Files\\Payments\\pay.csv")) ==
          LocalAppDataFolder() + "\\virtualstore\\Program Files\\Payments\\pay.csv");
    CHECK(Text(RedirectedPath("d:\\pay.csv")) == LocalAppDataFolder() + "\\virtualstore\\pay.csv");
    // A network path has no virtual store.
    CHECK(Text(RedirectedPath("\\\\server\\share\\pay.csv")).empty());
    CHECK(Text(RedirectedPath("")).empty());
}

TEST_CASE("the payment file opens where chosen, emptying what was there") {
    TempFolder folder;
    const std::string path = folder / "pay.csv";
    WriteFileBytes(path, "old contents");
    {
        PaymentFile file = OpenPaymentFile(path.c_str(), CString(), false);
        REQUIRE(file);
        std::fputs("one\n", file.Get());
        CHECK(file.Close());
    }
    CHECK(ReadFileBytes(path) == "one\r\n");
}

TEST_CASE("without administrative rights an unwritable path falls back to the virtual store") {
    TempFolder store(VirtualStoreFolder());
    const std::string chosen = "C:\\" + store.Name() + "\\pay.csv";
    const CString redirected = RedirectedPath(chosen.c_str());
    CHECK(Text(redirected) == store / "pay.csv");
    {
        PaymentFile file = OpenPaymentFile(chosen.c_str(), redirected, false);
        REQUIRE(file);
        std::fputs("line\n", file.Get());
    }
    CHECK(ReadFileBytes(store / "pay.csv") == "line\r\n");
    CHECK_FALSE(FileExists(chosen));
}

TEST_CASE("with administrative rights, or without a virtual-store folder, the open fails") {
    TempFolder store(VirtualStoreFolder());
    const std::string chosen = "C:\\" + store.Name() + "\\pay.csv";
    CHECK_FALSE(OpenPaymentFile(chosen.c_str(), RedirectedPath(chosen.c_str()), true));
    CHECK_FALSE(FileExists(store / "pay.csv"));

    const std::string elsewhere = "C:\\" + store.Name() + "-missing\\pay.csv";
    CHECK_FALSE(OpenPaymentFile(elsewhere.c_str(), RedirectedPath(elsewhere.c_str()), false));
}

TEST_CASE("the redirect notice tells where the file went when one is there") {
    TempFolder store(VirtualStoreFolder());
    const CString redirected((store / "pay.csv").c_str());
    AnsweringUser user;

    ShowRedirectNotice(redirected, false);
    CHECK(user.messages.empty());

    WriteFileBytes(store / "pay.csv", "line\r\n");
    ShowRedirectNotice(redirected, true);
    CHECK(user.messages.empty());

    user.messageAnswer = IDNO;
    ShowRedirectNotice(redirected, false);
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].owner == nullptr);
    CHECK(user.messages[0].caption == "Windows Redirect");
    CHECK(user.messages[0].style == 0x4u);
    CHECK(user.messages[0].text ==
          "Due to Windows Redirect your file was saved to: " + store / "pay.csv" +
              "\n\nWould you like to open the directory?");
    // The notice only looks: the file is left as it was.
    CHECK(ReadFileBytes(store / "pay.csv") == "line\r\n");
}

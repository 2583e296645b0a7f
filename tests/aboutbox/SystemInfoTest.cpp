// Finding and starting the system information tool through the registry and the shell.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "password/RegistryKeyValue.h"
#include "password/SystemInfoLauncher.h"
#include "platform/registry/ScopedKey.h"
#include "platform/ui/Shell.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

namespace {

const char *const toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char *const foldersKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

class RegistryValues : public TemporaryRegistry {
protected:
    // Stores `size` bytes of `data` as `name` in a key below HKEY_LOCAL_MACHINE.
    void store(const char *key, const char *name, DWORD type, const std::string &data, DWORD size)
    {
        registry::ScopedKey handle;
        handle.handle = createKey(key, HKEY_LOCAL_MACHINE);
        ASSERT_EQ(RegSetValueExA(handle.handle, name, 0, type,
                                 reinterpret_cast<const BYTE *>(data.data()), size),
                  ERROR_SUCCESS);
    }
    void storeText(const char *key, const char *name, const std::string &text)
    {
        store(key, name, REG_SZ, text, static_cast<DWORD>(text.size() + 1));
    }

    // GetKeyValue's answer for the test key's value, or nothing when it fails; a failure must
    // leave no earlier text behind.
    std::optional<QString> read(const char *name)
    {
        QString text = QStringLiteral("earlier text");
        if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Test"),
                        QString::fromLatin1(name), text))
            return text;
        EXPECT_EQ(text, "");
        return std::nullopt;
    }
};

TEST_F(RegistryValues, StringsComeWithoutTheirFinalNulWholeWithoutOneAndOtherValuesEmpty)
{
    storeText("SOFTWARE\\Test", "Terminated", "/opt/info/tool");
    // "tool!" offered as four bytes is stored as "tool" with no terminator.
    store("SOFTWARE\\Test", "Unterminated", REG_SZ, "tool!", 4);
    storeText("SOFTWARE\\Test", "Fills", std::string(1023, 'a'));
    store("SOFTWARE\\Test", "Empty", REG_SZ, "", 0);
    store("SOFTWARE\\Test", "Number", REG_DWORD, std::string("\x2A\0\0\0", 4), 4);
    EXPECT_EQ(read("Terminated"), "/opt/info/tool");
    EXPECT_EQ(read("Unterminated"), "tool");
    EXPECT_EQ(read("Fills"), QString(1023, 'a'));
    EXPECT_EQ(read("Empty"), "");
    EXPECT_EQ(read("Number"), "");
}

TEST_F(RegistryValues, MissingKeysMissingValuesAndValuesOver1024BytesFail)
{
    EXPECT_EQ(read("Anything"), std::nullopt);
    storeText("SOFTWARE\\Test", "Other", "x");
    EXPECT_EQ(read("Absent"), std::nullopt);
    storeText("SOFTWARE\\Test", "Long", std::string(1024, 'a'));
    EXPECT_EQ(read("Long"), std::nullopt);
}

TEST_F(RegistryValues, AStoreThatCannotBeOpenedCountsAsNothingRegistered)
{
    setenv("EMBERCOFFER_REGISTRY", folder.c_str(), 1); // a folder is no store
    MessageRecorder messages;
    StartSysInfo(nullptr);
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, unavailable);
}

// One arrangement of the two registry places and the shell's answers, and what must follow.
struct LaunchCase {
    const char *name;
    std::optional<std::string> toolPath;   // the first place, as stored text
    std::optional<std::string> toolFolder; // the second place
    bool fileFound;
    bool starts;
    std::vector<std::pair<platform::ShellAction, QString>> expectedCalls;
    bool reported;
};

class SystemInfoLaunch : public RegistryValues, public testing::WithParamInterface<LaunchCase> {
protected:
    void SetUp() override
    {
        RegistryValues::SetUp();
        platform::setShellHandler([this](const platform::ShellCall &call) {
            calls.emplace_back(call.action, call.path);
            return call.action == platform::ShellAction::FileExists ? GetParam().fileFound
                                                                    : GetParam().starts;
        });
    }
    void TearDown() override
    {
        platform::setShellHandler({});
        RegistryValues::TearDown();
    }

    std::vector<std::pair<platform::ShellAction, QString>> calls;
    MessageRecorder messages;
};

TEST_P(SystemInfoLaunch, StartsTheToolOrReportsItUnavailable)
{
    const LaunchCase &c = GetParam();
    // An empty path is stored as a value with no data at all.
    if (c.toolPath)
        store(toolKey, "PATH", REG_SZ, *c.toolPath,
              c.toolPath->empty() ? 0 : DWORD(c.toolPath->size() + 1));
    if (c.toolFolder)
        storeText(foldersKey, "MSINFO", *c.toolFolder);

    StartSysInfo(nullptr);

    EXPECT_EQ(calls, c.expectedCalls);
    ASSERT_EQ(messages.calls().size(), c.reported ? 1u : 0u);
    if (c.reported) {
        EXPECT_EQ(messages.calls()[0].text, unavailable);
        EXPECT_EQ(messages.calls()[0].title, "VantrelPassword");
        EXPECT_EQ(messages.calls()[0].icon, platform::MessageIcon::None);
    }
}

using platform::ShellAction;
const QString inFolder = QStringLiteral("/opt/tools/MSINFO32.EXE");

INSTANTIATE_TEST_SUITE_P(
    Branches, SystemInfoLaunch,
    testing::Values(
        // The registered path is started as it stands, with no file test.
        LaunchCase{"RegisteredPathStarts",
                   "/opt/info",
                   "/opt/tools",
                   true,
                   true,
                   {{ShellAction::StartProgram, "/opt/info"}},
                   false},
        LaunchCase{"RegisteredPathFailsToStart",
                   "/missing/info",
                   "/opt/tools",
                   true,
                   false,
                   {{ShellAction::StartProgram, "/missing/info"}},
                   true},
        LaunchCase{"FolderWithTheProgram",
                   std::nullopt,
                   "/opt/tools",
                   true,
                   true,
                   {{ShellAction::FileExists, inFolder}, {ShellAction::StartProgram, inFolder}},
                   false},
        LaunchCase{"FolderWithoutTheProgram",
                   std::nullopt,
                   "/opt/tools",
                   false,
                   true,
                   {{ShellAction::FileExists, inFolder}},
                   true},
        // A first value too long for the buffer counts as missing.
        LaunchCase{"OversizedPathFallsBackToFolder",
                   std::string(1500, 'p'),
                   "/opt/tools",
                   true,
                   true,
                   {{ShellAction::FileExists, inFolder}, {ShellAction::StartProgram, inFolder}},
                   false},
        LaunchCase{"NothingRegistered", std::nullopt, std::nullopt, true, true, {}, true},
        // An empty path names no program: nothing is handed to the shell.
        LaunchCase{"EmptyRegisteredPath", "", "/opt/tools", true, true, {}, true},
        LaunchCase{"EmptyFolder", std::nullopt, "", true, true, {}, true}),
    [](const testing::TestParamInfo<LaunchCase> &info) { return std::string(info.param.name); });

} // namespace

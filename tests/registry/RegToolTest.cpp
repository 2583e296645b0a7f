// The reg tool: its argument parser, and its commands run against a temporary store.
#include "platform/registry/tool/RegTool.h"
#include "platform/registry/tool/RegArguments.h"
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

namespace {

RegArguments parsed(const std::vector<std::string> &words)
{
    const RegParseResult result = parseRegArguments(words);
    EXPECT_TRUE(result.arguments) << result.error;
    return result.arguments.value_or(RegArguments{});
}

std::string parseError(const std::vector<std::string> &words)
{
    const RegParseResult result = parseRegArguments(words);
    EXPECT_FALSE(result.arguments);
    return result.error;
}

TEST(RegArguments, KeysSwitchesAndTheirSpellings)
{
    RegArguments add = parsed(
        {"ADD", "hkcu\\Software\\Test\\", "-V", "Size", "/t", "reg_dword", "-d", "0x10", "/F"});
    EXPECT_EQ(add.operation, RegOperation::Add);
    EXPECT_EQ(add.root, HKEY_CURRENT_USER);
    EXPECT_EQ(add.rootName, "HKEY_CURRENT_USER");
    EXPECT_EQ(add.path, "Software\\Test");
    EXPECT_EQ(add.valueName, "Size");
    EXPECT_EQ(add.data, (std::vector<BYTE>{0x10, 0, 0, 0}));
    EXPECT_TRUE(add.force);

    EXPECT_EQ(parsed({"query", "HKEY_LOCAL_MACHINE"}).root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(parsed({"delete", "HKU\\x", "/ve"}).valueName, "");
    EXPECT_FALSE(parsed({"delete", "HKCR\\x"}).valueName);
    // Data after /d is taken as it is, even when it looks like a switch.
    const RegArguments text = parsed({"add", "HKLM\\k", "/v", "p", "/d", "/f"});
    EXPECT_EQ(text.data, (std::vector<BYTE>{'/', 'f', 0}));
    EXPECT_FALSE(text.force);
    EXPECT_EQ(parsed({"add", "HKLM\\k", "/d", "x"}).valueName, "");
    EXPECT_NE(parsed({"add", "-?"}).usage.find("REG_BINARY"), std::string::npos);
}

TEST(RegArguments, DataIsConvertedByType)
{
    auto data = [](const std::string &type, const std::string &text) {
        return parsed({"add", "HKCU\\k", "/v", "n", "/t", type, "/d", text}).data;
    };
    EXPECT_EQ(data("REG_DWORD", "4294967295"), (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(data("REG_DWORD", "258"), (std::vector<BYTE>{2, 1, 0, 0}));
    EXPECT_EQ(data("REG_BINARY", "00aBfF"), (std::vector<BYTE>{0, 0xAB, 0xFF}));
    EXPECT_EQ(data("REG_SZ", "é"), (std::vector<BYTE>{0xC3, 0xA9, 0}));
    for (const std::string bad : {"4294967296", "-1", "0x", "12a", ""})
        EXPECT_NE(parseError({"add", "HKCU\\k", "/v", "n", "/t", "REG_DWORD", "/d", bad})
                      .find("REG_DWORD"),
                  std::string::npos)
            << bad;
    for (const std::string bad : {"0g", "1"})
        EXPECT_NE(parseError({"add", "HKCU\\k", "/v", "n", "/t", "REG_BINARY", "/d", bad})
                      .find("REG_BINARY"),
                  std::string::npos)
            << bad;
}

TEST(RegArguments, MistakesGiveOneLineErrors)
{
    const std::string syntax = "ERROR: Invalid syntax. Type \"reg add /?\" for usage.";
    for (const std::vector<std::string> &words :
         std::vector<std::vector<std::string>>{{"add", "HKCU\\k", "/v"},
                                               {"add", "HKCU\\k", "/v", "a", "/ve"},
                                               {"add", "HKCU\\k", "/f", "/f"},
                                               {"add", "/v", "a"},
                                               {"add"}})
        EXPECT_EQ(parseError(words), syntax) << words.size();
    EXPECT_EQ(parseError({"query", "HKCU\\k", "/t", "REG_SZ"}),
              "ERROR: Invalid syntax. Type \"reg query /?\" for usage.");
    EXPECT_EQ(parseError({"copy", "HKCU\\a"}), "ERROR: Invalid syntax. Type \"reg /?\" for usage.");
    for (const std::string bad : {"HKXX\\a", "\\\\machine\\HKLM\\a", "HKCU\\\\a"})
        EXPECT_EQ(parseError({"query", bad}), "ERROR: Invalid key name.") << bad;
    EXPECT_NE(parseError({"add", "HKCU\\k", "/v", "n", "/t", "REG_MULTI_SZ"}).find("REG_MULTI_SZ"),
              std::string::npos);
}

class RegCommands : public TemporaryRegistry {
protected:
    int run(const std::vector<std::string> &words, std::optional<bool> answer = std::nullopt)
    {
        out.str({});
        err.str({});
        questions.clear();
        const RegParseResult result = parseRegArguments(words);
        EXPECT_TRUE(result.arguments) << result.error;
        return runReg(*result.arguments, out, err, [&](const std::string &question) {
            questions.push_back(question);
            return answer;
        });
    }

    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> questions;
};

TEST_F(RegCommands, QueryShowsValuesThenSubkeys)
{
    ASSERT_EQ(run({"add", "HKLM\\Software\\Test", "/v", "Name", "/d", "Ember"}), 0);
    EXPECT_EQ(out.str(), "The operation completed successfully.\n");
    ASSERT_EQ(run({"add", "HKLM\\Software\\Test", "/v", "Count", "/t", "REG_DWORD", "/d", "26"}),
              0);
    ASSERT_EQ(run({"add", "HKLM\\Software\\Test", "/v", "Raw", "/t", "REG_BINARY", "/d", "0aff"}),
              0);
    ASSERT_EQ(run({"add", "HKLM\\Software\\Test", "/ve", "/d", "main"}), 0);
    ASSERT_EQ(run({"add", "HKLM\\Software\\Test\\Sub"}), 0);

    EXPECT_EQ(run({"query", "HKLM\\Software\\Test"}), 0);
    EXPECT_EQ(out.str(), "\nHKEY_LOCAL_MACHINE\\Software\\Test\n"
                         "    Name    REG_SZ    Ember\n"
                         "    Count    REG_DWORD    0x1a\n"
                         "    Raw    REG_BINARY    0AFF\n"
                         "    (Default)    REG_SZ    main\n"
                         "\n"
                         "HKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n");
    EXPECT_EQ(run({"query", "HKLM\\Software\\Test", "/v", "count"}), 0);
    EXPECT_EQ(out.str(),
              "\nHKEY_LOCAL_MACHINE\\Software\\Test\n    count    REG_DWORD    0x1a\n\n");

    const std::string notFound =
        "ERROR: The system was unable to find the specified registry key or value.\n";
    EXPECT_EQ(run({"query", "HKLM\\Software\\Test", "/v", "missing"}), 1);
    EXPECT_EQ(err.str(), notFound);
    EXPECT_EQ(run({"query", "HKLM\\Software\\Nothing"}), 1);
    EXPECT_EQ(err.str(), notFound);
    EXPECT_EQ(out.str(), "");
}

TEST_F(RegCommands, AddingOverAValueAsksFirst)
{
    ASSERT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "old"}), 0);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(run({"add", "HKCU\\App", "/v", "password", "/d", "new"}, false), 0);
    EXPECT_EQ(questions, std::vector<std::string>{"Value password exists, overwrite(Yes/No)? "});
    EXPECT_EQ(out.str(), "The operation was canceled by the user.\n");
    EXPECT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "new"}), 1);
    EXPECT_NE(err.str().find("/f"), std::string::npos);
    ASSERT_EQ(run({"query", "HKCU\\App", "/v", "Password"}), 0);
    EXPECT_NE(out.str().find("REG_SZ    old"), std::string::npos);

    EXPECT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "new"}, true), 0);
    EXPECT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "newer", "/f"}), 0);
    EXPECT_TRUE(questions.empty());
    ASSERT_EQ(run({"query", "HKCU\\App", "/v", "Password"}), 0);
    EXPECT_NE(out.str().find("REG_SZ    newer"), std::string::npos);
}

TEST_F(RegCommands, DeletingAsksAndRemovesWholeTrees)
{
    ASSERT_EQ(run({"add", "HKCU\\Tree\\A\\Deep", "/v", "v", "/d", "x"}), 0);
    ASSERT_EQ(run({"add", "HKCU\\Tree\\B"}), 0);
    EXPECT_EQ(run({"delete", "HKCU\\Tree"}), 1);
    EXPECT_EQ(run({"delete", "HKCU\\Tree"}, false), 0);
    EXPECT_EQ(questions, std::vector<std::string>{"Permanently delete the registry key "
                                                  "HKEY_CURRENT_USER\\Tree (Yes/No)? "});
    EXPECT_EQ(run({"query", "HKCU\\Tree\\A\\Deep"}), 0);

    EXPECT_EQ(run({"delete", "HKCU\\Tree\\A\\Deep", "/v", "v"}, true), 0);
    EXPECT_EQ(questions, std::vector<std::string>{"Delete the registry value v (Yes/No)? "});
    EXPECT_EQ(run({"delete", "HKCU\\Tree\\A\\Deep", "/v", "v", "/f"}), 1);
    EXPECT_EQ(run({"delete", "HKCU\\Tree", "/f"}), 0);
    EXPECT_EQ(run({"query", "HKCU\\Tree"}), 1);
    EXPECT_EQ(run({"delete", "HKCU\\Tree", "/f"}), 1);
    EXPECT_EQ(run({"delete", "HKCU", "/f"}), 1);
    EXPECT_EQ(run({"query", "HKCU"}), 0);
}

// A store edited by hand: a subkey with an empty name (which, opened by name, is its parent
// again) holding keys and values of its own, and a subkey whose lookup name disagrees with its
// spelling, so that it cannot be opened by name at all.
TEST_F(RegCommands, DeletesWholeTreesOfHandEditedStores)
{
    ASSERT_EQ(run({"add", "HKCU\\Odd\\Normal\\Deep", "/v", "v", "/d", "x"}), 0);
    ASSERT_EQ(run({"add", "HKCU\\Kept"}), 0);
    editStore("INSERT INTO registry_keys(parent, name, folded) "
              "  SELECT id, '', '' FROM registry_keys WHERE name = 'Odd';"
              "INSERT INTO registry_keys(parent, name, folded) "
              "  SELECT id, 'inner', 'INNER' FROM registry_keys WHERE name = '';"
              "INSERT INTO registry_values(key, name, folded, type, data) "
              "  SELECT id, 'w', 'W', 1, x'7900' FROM registry_keys WHERE name = '';"
              "INSERT INTO registry_keys(parent, name, folded) "
              "  SELECT id, 'Mismatch', 'OTHER' FROM registry_keys WHERE name = 'Odd';");
    ASSERT_EQ(run({"query", "HKCU\\Odd"}), 0);
    EXPECT_NE(out.str().find("HKEY_CURRENT_USER\\Odd\\\n"), std::string::npos);

    EXPECT_EQ(run({"delete", "HKCU\\Odd", "/f"}), 0) << err.str();
    EXPECT_EQ(run({"query", "HKCU\\Odd"}), 1);
    EXPECT_EQ(run({"query", "HKCU\\Kept"}), 0);
    EXPECT_EQ(queryStore("SELECT group_concat(name) FROM registry_keys WHERE parent IS NOT NULL"),
              "Kept");
    EXPECT_EQ(queryStore("SELECT count(*) FROM registry_values"), "0");
}

TEST_F(RegCommands, ProgramRefusesToAskWithoutATerminal)
{
    ASSERT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "old"}), 0);
    const std::filesystem::path errors = folder / "errors.txt";
    const std::string command = std::string(REG_PROGRAM) + " delete 'HKCU\\App' -v Password " +
                                "</dev/null 2>" + errors.string() + " >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream in(errors);
    const std::string message{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(message.rfind("ERROR: ", 0), 0u);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    EXPECT_EQ(run({"query", "HKCU\\App", "/v", "Password"}), 0);
}

// A store on a full disk is reported as such; an empty store variable names no store at all,
// rather than the user's own one.
TEST_F(RegCommands, FullDiskAndEmptyStoreVariableAreNamed)
{
    const char *previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("EMBERCOFFER_REGISTRY", "", 1);
    EXPECT_EQ(run({"add", "HKCU\\App", "/v", "Password", "/d", "x"}), 1);
    EXPECT_NE(err.str().find("EMBERCOFFER_REGISTRY is set but empty"), std::string::npos)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(folder / "config"));
    if (previous != nullptr)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");

    const std::filesystem::path small = folder / "small";
    std::filesystem::create_directory(small);
    const std::filesystem::path errors = folder / "errors.txt";
    // A user namespace cannot be made inside a chroot, for example: then there is no small
    // file system either.
    const std::string command =
        "unshare -rm true 2>/dev/null || exit 77; "
        "unshare -rm sh -c 'mount -t tmpfs -o size=64k none " +
        small.string() + " || exit 77; EMBERCOFFER_REGISTRY=" + small.string() + "/registry.db " +
        REG_PROGRAM + " add \"HKCU\\Big\" /v Data /d " + std::string(100000, 'a') + " 2>" +
        errors.string() + " >/dev/null' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream in(errors);
    const std::string message{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(message.find("not enough space on the disk"), std::string::npos) << message;
}

} // namespace

// The probe of the registry differential against Windows' answers, kept in
// differential/expected.txt: the reviewed output of a run against Windows' own library under
// Wine, with the cases where Wine is known to differ from Windows corrected to Windows'
// answers. Cases where this project knowingly differs from Windows ("own:") are not held to it.
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

class RegistryProbe : public TemporaryRegistry {};

std::vector<std::string> linesOf(std::FILE *stream)
{
    std::vector<std::string> lines(1);
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, stream) != nullptr) {
        lines.back() += chunk;
        if (lines.back().ends_with('\n')) {
            lines.back().pop_back();
            lines.emplace_back();
        }
    }
    lines.pop_back();
    return lines;
}

bool knowinglyDifferent(const std::string &line) { return line.compare(4, 4, "own:") == 0; }

TEST_F(RegistryProbe, AnswersAsWindowsDoes)
{
    std::FILE *expectedFile = std::fopen(REGISTRY_PROBE_EXPECTED, "r");
    ASSERT_NE(expectedFile, nullptr);
    const std::vector<std::string> expected = linesOf(expectedFile);
    std::fclose(expectedFile);
    std::FILE *probe = popen(REGISTRY_PROBE, "r");
    ASSERT_NE(probe, nullptr);
    const std::vector<std::string> actual = linesOf(probe);
    EXPECT_EQ(pclose(probe), 0);

    ASSERT_GT(expected.size(), 150u);
    ASSERT_EQ(actual.size(), expected.size()) << "the probe stopped after: " << actual.back();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (knowinglyDifferent(expected[i]))
            continue;
        EXPECT_EQ(actual[i], expected[i]);
    }
}

} // namespace

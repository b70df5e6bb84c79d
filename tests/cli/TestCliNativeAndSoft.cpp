// levora-tax-cli prints the same bytes whether the x87 or the software extended
// format evaluates the formulas: level bounds, amounts whose last digits the
// evaluation decides, results beyond a Double, and a sweep of amounts of every size.

#include <gtest/gtest.h>

#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Output
{
    int status;
    std::string out;
};

// Started directly rather than through a shell: this test starts hundreds.
Output RunCli(const std::string& program, const std::vector<std::string>& args)
{
    Output r{-1, {}};
    int out[2];
    if (pipe(out) != 0)
        return r;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<std::string> strings = {program};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(strings.size() + 1);
    for (std::string& a : strings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
        r.out.append(buf, std::size_t(n));
    close(out[0]);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        r.status = WEXITSTATUS(status);
    return r;
}

struct Command
{
    const char* name;
    int amounts;
};

const Command Commands[] = {{"wage", 2}, {"bonus", 3}, {"anti-tax", 2}, {"anti-after-tax", 2}};

// Amounts worth a look on their own, then cent amounts from one cent to 10^15
// yuan and beyond.
std::vector<std::string> Amounts()
{
    std::vector<std::string> amounts = {
        "0",        "0.01",      "0.12",      "-3",        "1000",     "1455",     "1455.01",
        "1500",     "1500.01",   "3500",      "3500.01",   "4734.25",  "4800",     "4800.01",
        "5428.39",  "8000",      "18000",     "22495",     "22495.01", "57505.01", "80000",
        "80000.01", "108000.12", "420000.12", "660000.12", "1e15",     "1.7e308",  "-1.7e308",
    };
    std::mt19937_64 rng(2011);
    for (int digits = 1; digits <= 17; ++digits)
        for (int i = 0; i < 3; ++i) {
            unsigned long long cents = 1;
            for (int d = 1; d < digits; ++d)
                cents = cents * 10 + rng() % 10;
            amounts.push_back(std::to_string(cents / 100) + "." + std::to_string(cents % 100 / 10) +
                              std::to_string(cents % 10));
        }
    return amounts;
}

class CliNativeAndSoft : public ::testing::TestWithParam<Command>
{
};

TEST_P(CliNativeAndSoft, JsonIsTheSameByteForByte)
{
    const Command& command = GetParam();
    const std::vector<std::string> amounts = Amounts();
    // Each amount once, in turn in each place, beside neighbours from the list.
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        std::vector<std::string> args = {command.name, "--json"};
        if (i % 2 == 1)
            args.emplace_back("--foreign");
        args.emplace_back("--");
        const int place = int(i % command.amounts);
        for (int k = 0; k < command.amounts; ++k)
            args.push_back(
                k == place ? amounts[i]
                           : amounts[(i * 7 + static_cast<std::size_t>(k) * 13) % amounts.size()]);
        const Output native = RunCli(LEVORA_CLI, args);
        const Output soft = RunCli(LEVORA_CLI_SOFT, args);
        std::string call;
        for (const std::string& a : args)
            call += " " + a;
        ASSERT_EQ(native.status, soft.status) << call;
        ASSERT_EQ(native.out, soft.out) << call;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, CliNativeAndSoft, ::testing::ValuesIn(Commands),
                         [](const ::testing::TestParamInfo<Command>& info) {
                             std::string name = info.param.name;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace

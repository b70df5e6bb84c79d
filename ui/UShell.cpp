#include "UShell.h"

#include <utility>

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

static_assert(TShell::ShowNormal == SW_SHOWNORMAL && TShell::Show == SW_SHOW);

#else

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#endif

namespace {

TShell::THandler& CurrentHandler()
{
    static TShell::THandler handler;
    return handler;
}

#ifndef _WIN32

// Stand-ins for Explorer.exe (which passes a web address on to the browser),
// calc.exe and notepad, in order of preference.
constexpr std::array<const char*, 1> UrlOpeners{"xdg-open"};
constexpr std::array<const char*, 6> Calculators{"gnome-calculator", "kcalc",         "galculator",
                                                 "mate-calc",        "qalculate-gtk", "xcalc"};
constexpr std::array<const char*, 5> TextEditors{"gedit", "kate", "mousepad", "pluma", "xed"};

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase)
{
    if (text.size() != lowerCase.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != lowerCase[i])
            return false;
    }
    return true;
}

// The first of the programs that PATH holds as an executable file, by
// preference first and PATH order second.
std::optional<std::string> FindOnPath(std::span<const char* const> programs)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return std::nullopt;
    for (const char* program : programs) {
        std::string_view rest(path);
        while (true) {
            const std::size_t colon = rest.find(':');
            const std::string_view directory = rest.substr(0, colon);
            std::filesystem::path candidate(directory.empty() ? std::string_view(".") : directory);
            candidate /= program;
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error) &&
                access(candidate.c_str(), X_OK) == 0)
                return candidate.string();
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    return std::nullopt;
}

// Starts the program without waiting for it. The double fork hands it to init,
// so it never becomes our zombie; the go-between exits at once and is reaped.
void StartDetached(const std::string& executable, std::vector<std::string> arguments,
                   const std::optional<std::string>& directory)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const char* workingDirectory = directory && !directory->empty() ? directory->c_str() : nullptr;

    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        // Other threads may hold locks: only async-signal-safe calls until exec.
        setsid();
        if (fork() == 0) {
            if (workingDirectory == nullptr || chdir(workingDirectory) == 0)
                execv(executable.c_str(), argv.data());
        }
        _exit(0);
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

#endif

} // namespace

void TShell::Execute(const TRequest& request)
{
    if (const THandler& handler = CurrentHandler())
        handler(request);
    else
        ExecuteOnPlatform(request);
}

TShell::THandler TShell::SetHandler(THandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

#ifdef _WIN32

void TShell::ExecuteOnPlatform(const TRequest& request)
{
    const auto pointer = [](const std::optional<std::string>& text) {
        return text ? text->c_str() : nullptr;
    };
    ShellExecuteA(nullptr, pointer(request.Verb), pointer(request.File),
                  pointer(request.Parameters), pointer(request.Directory), request.ShowCommand);
}

#else

// Every verb opens, and the show command has no counterpart here. Windows
// hands the parameters to a program as its command line; here they become its
// one argument.
void TShell::ExecuteOnPlatform(const TRequest& request)
{
    if (!request.File)
        return;
    const std::string& file = *request.File;

    std::span<const char* const> programs = UrlOpeners;
    bool startsProgram = true;
    if (EqualsIgnoringCase(file, "calc.exe") || EqualsIgnoringCase(file, "calc"))
        programs = Calculators;
    else if (EqualsIgnoringCase(file, "notepad.exe") || EqualsIgnoringCase(file, "notepad"))
        programs = TextEditors;
    else if (!EqualsIgnoringCase(file, "explorer.exe") && !EqualsIgnoringCase(file, "explorer"))
        startsProgram = false;

    std::vector<std::string> arguments;
    if (!startsProgram)
        // A web address or a document, which the desktop opens with its handler.
        arguments.push_back(file);
    else if (request.Parameters)
        arguments.push_back(*request.Parameters);

    const std::optional<std::string> executable = FindOnPath(programs);
    if (!executable)
        return;
    arguments.insert(arguments.begin(), std::filesystem::path(*executable).filename().string());
    StartDetached(*executable, std::move(arguments), request.Directory);
}

#endif

#pragma once

// Free of Qt so that the Windows build can compile it on its own.

#include <functional>
#include <optional>
#include <string>

// The desktop shell: opens a document or web address, or starts a program, and
// returns at once without looking at the outcome.
class TShell
{
public:
    // One shell request. A missing string stands for a null pointer, which the
    // Windows shell treats differently from an empty string.
    struct TRequest
    {
        std::optional<std::string> Verb;
        std::optional<std::string> File;
        std::optional<std::string> Parameters;
        std::optional<std::string> Directory;
        int ShowCommand = ShowNormal;

        bool operator==(const TRequest&) const = default;
    };

    using THandler = std::function<void(const TRequest&)>;

    // The Windows show commands SW_SHOWNORMAL and SW_SHOW.
    static constexpr int ShowNormal = 1;
    static constexpr int Show = 5;

    TShell() = delete;

    // Hands the request to the current handler.
    static void Execute(const TRequest& request);

    // Replaces the process-wide handler and returns the one before; an empty
    // handler restores the platform's. UI thread only.
    static THandler SetHandler(THandler handler);

    // The platform's handler: ShellExecuteA on Windows, elsewhere the desktop's
    // URL opener or the first suitable program found on PATH. Never waits and
    // never fails; a program that cannot be started is ignored.
    static void ExecuteOnPlatform(const TRequest& request);
};

// The desktop actions against a recording shell, the clipboard, and the POSIX
// shell starting stand-in programs from a private PATH.

#include "UDeployment.h"
#include "UShell.h"
#include "UUtils.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>
#endif

using TRequest = TShell::TRequest;

void PrintTo(const TRequest& request, std::ostream* out)
{
    const auto print = [out](const std::optional<std::string>& text) {
        if (text)
            *out << '"' << *text << '"';
        else
            *out << "null";
    };
    *out << "{verb ";
    print(request.Verb);
    *out << ", file ";
    print(request.File);
    *out << ", parameters ";
    print(request.Parameters);
    *out << ", directory ";
    print(request.Directory);
    *out << ", show " << request.ShowCommand << '}';
}

namespace {

// Swaps a recording shell in for the duration of a test.
class RecordingShell : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous =
            TShell::SetHandler([this](const TRequest& request) { requests.push_back(request); });
    }
    void TearDown() override { TShell::SetHandler(std::move(previous)); }

    std::vector<TRequest> requests;
    TShell::THandler previous;
};

std::string QQChatAddress()
{
    return std::string("http://") + Deployment::QQChatHost +
           "/msgrd?v=3&uin=" + Deployment::QQNumber + "&site=qq&menu=yes";
}

std::string WangWangChatAddress()
{
    return std::string("http://") + Deployment::WangWangChatHost +
           "/msg.aw?v=2&uid=" + Deployment::WangWangAccount + "&site=cntaobao&s=1&charset=utf-8";
}

struct ActionCase
{
    const char* name;
    void (*action)();
    TRequest expected;
};

class ActionRequests : public RecordingShell
{
};

TEST_F(ActionRequests, EachActionMakesOneRequestPerCall)
{
    const std::string quoted = "http://www.levora-tax.example/ads/taobao.htm?a=1&b=\"x y\"";
    const ActionCase cases[] = {
        {"OpenUrl",
         [] { TUtils::OpenUrl(QStringLiteral("http://www.levora-tax.example/download.aspx")); },
         {"Open", "Explorer.exe", "http://www.levora-tax.example/download.aspx", std::nullopt, 1}},
        {"OpenUrl with an empty address",
         [] { TUtils::OpenUrl(QString()); },
         {"Open", "Explorer.exe", "", std::nullopt, 1}},
        {"OpenUrl with blanks and quotes, unquoted",
         [] {
             TUtils::OpenUrl(
                 QStringLiteral("http://www.levora-tax.example/ads/taobao.htm?a=1&b=\"x y\""));
         },
         {"Open", "Explorer.exe", quoted, std::nullopt, 1}},
        {"OpenQQ", [] { TUtils::OpenQQ(); }, {"open", QQChatAddress(), "", "", 5}},
        {"OpenWangWang",
         [] { TUtils::OpenWangWang(); },
         {"Open", WangWangChatAddress(), "", "", 5}},
        {"OpenNotepad",
         [] { TUtils::OpenNotepad(); },
         {"open", "notepad", std::nullopt, std::nullopt, 1}},
        {"OpenCalc",
         [] { TUtils::OpenCalc(); },
         {"open", "calc.exe", std::nullopt, std::nullopt, 1}},
    };
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.name);
        requests.clear();
        // Nothing checks for a program already running: each call starts one.
        c.action();
        c.action();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0], c.expected);
        EXPECT_EQ(requests[1], c.expected);
    }
}

// Swaps in a shell that fails with whatever throwError throws.
class ShellFailures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = TShell::SetHandler([this](const TRequest&) { throwError(); });
    }
    void TearDown() override { TShell::SetHandler(std::move(previous)); }

    std::function<void()> throwError;
    TShell::THandler previous;
};

TEST_F(ShellFailures, OpenUrlDropsWhateverTheShellRaises)
{
    throwError = [] { throw std::runtime_error("shell failed"); };
    EXPECT_NO_THROW(TUtils::OpenUrl(QStringLiteral("http://www.levora-tax.example")));
    throwError = [] { throw 42; };
    EXPECT_NO_THROW(TUtils::OpenUrl(QStringLiteral("http://www.levora-tax.example")));
}

TEST_F(ShellFailures, TheOtherActionsLetTheErrorThrough)
{
    throwError = [] { throw std::runtime_error("shell failed"); };
    for (void (*action)() :
         {&TUtils::OpenQQ, &TUtils::OpenWangWang, &TUtils::OpenNotepad, &TUtils::OpenCalc})
        EXPECT_THROW(action(), std::runtime_error);
}

TEST(CopyToClipboard, ReplacesEverythingWithTheTextUnchanged)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const QString& text : {QStringLiteral("6755"), QString(), QStringLiteral(" 245元\t")}) {
        SCOPED_TRACE(text.toStdString());
        auto* before = new QMimeData;
        before->setText(QStringLiteral("earlier"));
        before->setHtml(QStringLiteral("<b>earlier</b>"));
        clipboard->setMimeData(before);

        TUtils::CopyToClipboard(text);

        EXPECT_EQ(clipboard->text(), text);
        EXPECT_FALSE(clipboard->mimeData()->hasHtml());
    }
}

#ifndef _WIN32

// Each stand-in program waits for a release file before it writes its name,
// working directory and arguments, so that a caller that waits for it shows
// up as output written too early instead of as a hang.
constexpr char StandInScript[] = R"(#!/bin/sh
PATH=/usr/bin:/bin
i=0
while [ ! -e "$LEVORA_TEST_OUT/release" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
{ echo "${0##*/}"; pwd; for a in "$@"; do echo "[$a]"; done; } > "$LEVORA_TEST_OUT/out.tmp"
mv "$LEVORA_TEST_OUT/out.tmp" "$LEVORA_TEST_OUT/out"
)";

class PosixShell : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programs.isValid() && output.isValid());
        if (const char* path = std::getenv("PATH"))
            savedPath = path;
        setenv("PATH", QFile::encodeName(programs.path()).constData(), 1);
        setenv("LEVORA_TEST_OUT", QFile::encodeName(output.path()).constData(), 1);
    }
    void TearDown() override
    {
        if (savedPath)
            setenv("PATH", savedPath->c_str(), 1);
        else
            unsetenv("PATH");
        unsetenv("LEVORA_TEST_OUT");
    }

    void AddProgram(const QString& name, bool executable = true)
    {
        QFile file(programs.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(StandInScript);
        file.close();
        if (executable)
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::optional<QStringList> WaitForOutput()
    {
        QFile file(output.filePath(QStringLiteral("out")));
        for (int i = 0; i < 200 && !file.exists(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    void Release()
    {
        QFile release(output.filePath(QStringLiteral("release")));
        ASSERT_TRUE(release.open(QIODevice::WriteOnly));
    }

    static bool HasChildren() { return !(waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD); }

    QTemporaryDir programs;
    QTemporaryDir output;
    std::optional<std::string> savedPath;
};

struct PlatformCase
{
    const char* name;
    QStringList executables;
    QStringList notExecutables;
    TRequest request;
    QStringList started; // program name and arguments
};

TEST_F(PosixShell, StartsTheStandInAndReturnsAtOnce)
{
    const std::string chat = "http://wpa.qq.com/msgrd?v=3&uin=123456789&site=qq&menu=yes";
    const PlatformCase cases[] = {
        {"a web address through Explorer, as one argument",
         {"xdg-open", "gnome-calculator"},
         {},
         {"Open", "Explorer.exe", "http://a.example/x y?a=1&b=2", std::nullopt, 1},
         {"xdg-open", "[http://a.example/x y?a=1&b=2]"}},
        {"an empty address through Explorer",
         {"xdg-open"},
         {},
         {"Open", "Explorer.exe", "", std::nullopt, 1},
         {"xdg-open", "[]"}},
        {"a chat address as the file",
         {"xdg-open"},
         {},
         {"open", chat, "", "", 5},
         {"xdg-open", "[" + QString::fromStdString(chat) + "]"}},
        {"the preferred calculator",
         {"xcalc", "kcalc", "gnome-calculator", "gedit"},
         {},
         {"open", "calc.exe", std::nullopt, std::nullopt, 1},
         {"gnome-calculator"}},
        {"a calculator further down the list",
         {"xcalc", "qalculate-gtk"},
         {},
         {"open", "calc.exe", std::nullopt, std::nullopt, 1},
         {"qalculate-gtk"}},
        {"a calculator that is not executable is passed over",
         {"galculator"},
         {"kcalc"},
         {"open", "calc.exe", std::nullopt, std::nullopt, 1},
         {"galculator"}},
        {"a text editor",
         {"xed", "kate", "kcalc"},
         {},
         {"open", "notepad", std::nullopt, std::nullopt, 1},
         {"kate"}},
    };
    for (const PlatformCase& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(programs.path()).removeRecursively();
        QDir().mkpath(programs.path());
        QFile::remove(output.filePath(QStringLiteral("out")));
        QFile::remove(output.filePath(QStringLiteral("release")));
        for (const QString& name : c.executables)
            AddProgram(name);
        for (const QString& name : c.notExecutables)
            AddProgram(name, false);
        // A directory of a preferred name is no program either.
        QDir(programs.path()).mkdir(QStringLiteral("mate-calc"));

        TShell::ExecuteOnPlatform(c.request);

        EXPECT_FALSE(QFile::exists(output.filePath(QStringLiteral("out"))))
            << "the shell waited for the program";
        EXPECT_FALSE(HasChildren()) << "the program was left as our child";
        Release();
        const std::optional<QStringList> lines = WaitForOutput();
        ASSERT_TRUE(lines) << "nothing was started";
        ASSERT_GE(lines->size(), 2);
        QStringList started = *lines;
        started.removeAt(1); // the working directory
        EXPECT_EQ(started, c.started);
    }
}

TEST_F(PosixShell, RunsTheProgramInTheGivenDirectory)
{
    AddProgram(QStringLiteral("kcalc"));
    Release();
    TShell::ExecuteOnPlatform({"open", "calc", std::nullopt, output.path().toStdString(), 1});
    const std::optional<QStringList> lines = WaitForOutput();
    ASSERT_TRUE(lines && lines->size() >= 2);
    EXPECT_EQ(QDir(lines->at(1)).canonicalPath(), QDir(output.path()).canonicalPath());
}

TEST_F(PosixShell, IgnoresAProgramThatIsNotThere)
{
    const TRequest requests[] = {
        {"open", "calc.exe", std::nullopt, std::nullopt, 1},
        {"open", "notepad", std::nullopt, std::nullopt, 1},
        {"Open", "Explorer.exe", "http://a.example", std::nullopt, 1},
        {"open", "http://a.example", "", "", 5},
        {"open", std::nullopt, std::nullopt, std::nullopt, 1},
    };
    for (const TRequest& request : requests) {
        SCOPED_TRACE(::testing::PrintToString(request));
        EXPECT_NO_THROW(TShell::ExecuteOnPlatform(request));
        EXPECT_FALSE(HasChildren());
    }
}

#endif

} // namespace

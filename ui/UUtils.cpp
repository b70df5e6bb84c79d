#include "UUtils.h"

#include "UClipboardError.h"
#include "UDeployment.h"
#include "UShell.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <string>

namespace {

// The shell takes 8-bit text in the system's code page.
std::string ToShellText(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

void TUtils::CopyToClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        throw EClipboardError("无法打开剪贴板");
    clipboard->setText(text);
}

void TUtils::OpenUrl(const QString& url)
{
    try {
        TShell::Execute(
            {"Open", "Explorer.exe", ToShellText(url), std::nullopt, TShell::ShowNormal});
    } catch (...) {
        // A link that cannot be opened is not worth an error box.
    }
}

void TUtils::OpenQQ()
{
    TShell::Execute({"open", ToShellText(Deployment::QQChatUrl()), "", "", TShell::Show});
}

void TUtils::OpenWangWang()
{
    TShell::Execute({"Open", ToShellText(Deployment::WangWangChatUrl()), "", "", TShell::Show});
}

void TUtils::OpenNotepad()
{
    TShell::Execute({"open", "notepad", std::nullopt, std::nullopt, TShell::ShowNormal});
}

void TUtils::OpenCalc()
{
    TShell::Execute({"open", "calc.exe", std::nullopt, std::nullopt, TShell::ShowNormal});
}

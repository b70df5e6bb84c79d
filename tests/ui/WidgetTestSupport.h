#pragma once

// Stand-ins that widget tests put in place of the shell and the error box.

#include "UApplication.h"
#include "UShell.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

#include <vector>

// Records every shell request while it lives.
class TRecordingShell
{
public:
    TRecordingShell()
        : previous(TShell::SetHandler(
              [this](const TShell::TRequest& request) { requests.push_back(request); }))
    {
    }
    ~TRecordingShell() { TShell::SetHandler(std::move(previous)); }
    TRecordingShell(const TRecordingShell&) = delete;
    TRecordingShell& operator=(const TRecordingShell&) = delete;

    std::vector<TShell::TRequest> requests;

private:
    TShell::THandler previous;
};

// Collects what would be shown in the error box while it lives.
class TErrorCapture
{
public:
    TErrorCapture()
        : previous(TApplication::SetErrorReporter(
              [this](const QString& message) { messages.append(message); }))
    {
    }
    ~TErrorCapture() { TApplication::SetErrorReporter(std::move(previous)); }
    TErrorCapture(const TErrorCapture&) = delete;
    TErrorCapture& operator=(const TErrorCapture&) = delete;

    QStringList messages;

private:
    TApplication::TErrorReporter previous;
};

// Records the modal dialogs shown while it lives, instead of failing the test.
class TDialogCapture
{
public:
    struct TShown
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    TDialogCapture() : previous(current) { current = this; }
    ~TDialogCapture() { current = previous; }
    TDialogCapture(const TDialogCapture&) = delete;
    TDialogCapture& operator=(const TDialogCapture&) = delete;

    static TDialogCapture* Current() { return current; }

    std::vector<TShown> shown;

private:
    TDialogCapture* previous;
    static inline TDialogCapture* current = nullptr;
};

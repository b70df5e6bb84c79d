#include "UApplication.h"

#include <QMessageBox>
#include <QString>

#include <exception>
#include <utility>

namespace {

TApplication::TErrorReporter& CurrentReporter()
{
    static TApplication::TErrorReporter reporter;
    return reporter;
}

// The message of the exception being handled.
QString CurrentErrorMessage()
{
    try {
        throw;
    } catch (const std::exception& exception) {
        return QString::fromUtf8(exception.what());
    } catch (...) {
        return QStringLiteral("未知错误");
    }
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Also the caption of the main window, so that no platform appends it there.
    setApplicationDisplayName(QStringLiteral("Levora个人所得税计算器 V3.01"));
    // Lets the desktop match the window to the installed entry and its icon.
    setDesktopFileName(QStringLiteral(LEVORA_APP_ID));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // The box waits for the user, so it is shown only after the exception is gone.
    QString error;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        error = CurrentErrorMessage();
    }
    ReportError(error);
    return false;
}

void TApplication::RunHandler(const std::function<void()>& handler)
{
    // As in notify: the box waits for the user, so it comes after the exception.
    QString error;
    try {
        handler();
        return;
    } catch (...) {
        error = CurrentErrorMessage();
    }
    ReportError(error);
}

TApplication::TErrorReporter TApplication::SetErrorReporter(TErrorReporter reporter)
{
    return std::exchange(CurrentReporter(), std::move(reporter));
}

void TApplication::ShowErrorBox(const QString& message)
{
    QMessageBox::critical(activeWindow(), applicationDisplayName(), message);
}

void TApplication::ReportError(const QString& message)
{
    if (const TErrorReporter& reporter = CurrentReporter())
        reporter(message);
    else
        ShowErrorBox(message);
}

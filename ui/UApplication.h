#pragma once

#include <QApplication>

#include <functional>

class QString;

// The application object. An error that escapes an event handler ends up in
// one standard error box, and the program goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    using TErrorReporter = std::function<void(const QString& message)>;

    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Replaces the process-wide reporter of escaped errors and returns the one
    // before; an empty reporter restores ShowErrorBox.
    static TErrorReporter SetErrorReporter(TErrorReporter reporter);

    // The standard error box: modal, critical icon, the program's caption.
    static void ShowErrorBox(const QString& message);

private:
    static void ReportError(const QString& message);
};

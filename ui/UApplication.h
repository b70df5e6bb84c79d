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

    // The last resort for errors raised inside event delivery. Qt is built without
    // exceptions and skips its own clean-up on the way here, so the forms' handlers
    // are connected through Connect and never let an error reach this far.
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a handler; what it raises goes to the error box before it could unwind
    // into the Qt code that called the handler.
    static void RunHandler(const std::function<void()>& handler);

    // connect() for a form's event handler: it runs through RunHandler.
    template <class TSender, class TSignal, class TReceiver, class... TArgs>
    static QMetaObject::Connection Connect(const TSender* sender, TSignal signal,
                                           TReceiver* receiver,
                                           void (TReceiver::*handler)(TArgs...))
    {
        return QObject::connect(sender, signal, receiver, [receiver, handler](TArgs... args) {
            RunHandler([&] { (receiver->*handler)(args...); });
        });
    }

    // Replaces the process-wide reporter of escaped errors and returns the one
    // before; an empty reporter restores ShowErrorBox.
    static TErrorReporter SetErrorReporter(TErrorReporter reporter);

    // The standard error box: modal, critical icon, the program's caption.
    static void ShowErrorBox(const QString& message);

private:
    static void ReportError(const QString& message);
};

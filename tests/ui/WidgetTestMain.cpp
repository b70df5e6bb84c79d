// Entry point of the widget tests: the program's TApplication on the offscreen
// platform with a fixed locale, and watches that fail the running test at once
// when a modal dialog appears, an error reaches the error box or a request
// reaches the shell that the test did not expect (a test that expects one swaps
// in its own reporter or shell handler, see WidgetTestSupport.h).

#include "UApplication.h"
#include "UShell.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLocale>
#include <QTimer>

#include <cstdlib>

namespace {

class ModalDialogWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isModal()) {
                if (TDialogCapture* capture = TDialogCapture::Current()) {
                    auto* box = qobject_cast<QMessageBox*>(dialog);
                    capture->shown.push_back({dialog->windowTitle(), box ? box->text() : QString(),
                                              box ? box->icon() : QMessageBox::NoIcon});
                } else {
                    ADD_FAILURE() << "unexpected modal dialog: "
                                  << dialog->windowTitle().toStdString();
                }
                QTimer::singleShot(0, dialog, &QDialog::reject);
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    TApplication app(argc, argv);
    TApplication::SetErrorReporter([](const QString& message) {
        ADD_FAILURE() << "unexpected error box: " << message.toStdString();
    });
    // No test starts a browser or a calculator by accident.
    TShell::SetHandler([](const TShell::TRequest& request) {
        ADD_FAILURE() << "unexpected shell request: " << request.File.value_or("(null)");
    });
    ModalDialogWatch watch;
    app.installEventFilter(&watch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Entry point of the widget tests: a QApplication on the offscreen platform with
// a fixed locale, and a watch that fails the running test at once when a modal
// dialog appears that the test did not expect.

#include <gtest/gtest.h>

#include <QApplication>
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
                ADD_FAILURE() << "unexpected modal dialog: "
                              << dialog->windowTitle().toStdString();
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
    QApplication app(argc, argv);
    ModalDialogWatch watch;
    app.installEventFilter(&watch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

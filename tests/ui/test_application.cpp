// Errors escaping event handlers. Runs under its own TApplication, on the
// offscreen platform with a fixed locale; a modal dialog that a test does not
// expect fails it at once.

#include "UApplication.h"
#include "UClipboardError.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace {

struct ShownDialog
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class ModalDialogWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isModal()) {
                if (expected) {
                    auto* box = qobject_cast<QMessageBox*>(dialog);
                    expected->push_back({dialog->windowTitle(), box ? box->text() : QString(),
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

    // Where the dialogs that a test expects are recorded, or null.
    static inline std::vector<ShownDialog>* expected = nullptr;
};

// Records what reaches the error box instead of showing it.
class EscapedErrors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = TApplication::SetErrorReporter(
            [this](const QString& message) { reported.push_back(message); });
        button.show();
    }
    void TearDown() override { TApplication::SetErrorReporter(std::move(previous)); }

    void Click() { QTest::mouseClick(&button, Qt::LeftButton); }

    QPushButton button;
    QStringList reported;
    TApplication::TErrorReporter previous;
};

TEST_F(EscapedErrors, ReachTheBoxOnceAndTheProgramGoesOn)
{
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&clicks] {
        if (++clicks == 1)
            throw std::overflow_error("浮点溢出");
    });

    Click();
    Click();

    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(reported, QStringList{QStringLiteral("浮点溢出")});
}

TEST_F(EscapedErrors, CarryTheirMessage)
{
    struct Case
    {
        const char* name;
        std::function<void()> raise;
        QString message;
    };
    const Case cases[] = {
        {"clipboard", [] { throw EClipboardError("无法打开剪贴板"); },
         QStringLiteral("无法打开剪贴板")},
        {"standard",
         [] { throw std::invalid_argument("'abc' is not a valid floating point value"); },
         QStringLiteral("'abc' is not a valid floating point value")},
        {"not a standard exception", [] { throw 42; }, QStringLiteral("未知错误")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        QMetaObject::Connection connection =
            QObject::connect(&button, &QPushButton::clicked, &button, c.raise);
        Click();
        QObject::disconnect(connection);
        EXPECT_EQ(reported, QStringList{c.message});
    }
}

TEST_F(EscapedErrors, AreNotCaughtTwiceAcrossNestedEvents)
{
    // The handler sends an event of its own, which throws inside the nested
    // delivery; only the innermost delivery reports it.
    QPushButton inner;
    inner.show();
    QObject::connect(&inner, &QPushButton::clicked, &inner,
                     [] { throw std::runtime_error("inner"); });
    bool continued = false;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] {
        QTest::mouseClick(&inner, Qt::LeftButton);
        continued = true;
    });

    Click();

    EXPECT_TRUE(continued);
    EXPECT_EQ(reported, QStringList{QStringLiteral("inner")});
}

TEST(ErrorBox, IsOneCriticalBoxWithTheProgramsCaption)
{
    std::vector<ShownDialog> shown;
    ModalDialogWatch::expected = &shown;
    const TApplication::TErrorReporter previous = TApplication::SetErrorReporter({});
    QPushButton button;
    button.show();
    QObject::connect(&button, &QPushButton::clicked, &button,
                     [] { throw EClipboardError("无法打开剪贴板"); });

    QTest::mouseClick(&button, Qt::LeftButton);

    TApplication::SetErrorReporter(previous);
    ModalDialogWatch::expected = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Levora个人所得税计算器 V3.01"));
    EXPECT_EQ(shown[0].text, QStringLiteral("无法打开剪贴板"));
    EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    TApplication app(argc, argv);
    ModalDialogWatch watch;
    app.installEventFilter(&watch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

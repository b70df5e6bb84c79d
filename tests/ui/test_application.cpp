// Errors escaping event handlers reach one error box and the program goes on.
// The handlers are connected as the forms connect theirs, through TApplication.

#include "UApplication.h"
#include "UClipboardError.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <stdexcept>

namespace {

class EscapedErrors : public ::testing::Test
{
protected:
    void SetUp() override { button.show(); }

    void Click() { QTest::mouseClick(&button, Qt::LeftButton); }

    static QMetaObject::Connection OnClick(QPushButton* button,
                                           const std::function<void()>& handler)
    {
        return QObject::connect(button, &QPushButton::clicked, button,
                                [handler] { TApplication::RunHandler(handler); });
    }

    QPushButton button;
    TErrorCapture errors;
    QStringList& reported = errors.messages;
};

TEST_F(EscapedErrors, ReachTheBoxOnceAndTheProgramGoesOn)
{
    int clicks = 0;
    OnClick(&button, [&clicks] {
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
        QMetaObject::Connection connection = OnClick(&button, c.raise);
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
    OnClick(&inner, [] { throw std::runtime_error("inner"); });
    bool continued = false;
    OnClick(&button, [&] {
        QTest::mouseClick(&inner, Qt::LeftButton);
        continued = true;
    });

    Click();

    EXPECT_TRUE(continued);
    EXPECT_EQ(reported, QStringList{QStringLiteral("inner")});
}

TEST(ErrorBox, IsOneCriticalBoxWithTheProgramsCaption)
{
    TDialogCapture dialogs;
    const TApplication::TErrorReporter previous = TApplication::SetErrorReporter({});

    TApplication::RunHandler([] { throw EClipboardError("无法打开剪贴板"); });

    TApplication::SetErrorReporter(previous);
    const auto& shown = dialogs.shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Levora个人所得税计算器 V3.01"));
    EXPECT_EQ(shown[0].text, QStringLiteral("无法打开剪贴板"));
    EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
}

} // namespace

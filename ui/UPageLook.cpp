#include "UPageLook.h"

#include "UDeployment.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStatusBar>

namespace PageLook {

std::string DecimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

void SetUp(QFrame* body, QStatusBar* statusBar)
{
    QPalette white = body->palette();
    white.setColor(QPalette::Window, Qt::white);
    body->setPalette(white);
    body->setAutoFillBackground(true);

    auto* notice =
        new QLabel(QStringLiteral("  软件不断更新升级中，请及时下载最新版本，如有问题请咨询QQ:") +
                       Deployment::SupportQQNumber() +
                       QStringLiteral("，免费咨询，个税计算软件可根据您的需要定制开发。"),
                   statusBar);
    notice->setObjectName(QStringLiteral("StatusPanel"));
    notice->setFrameStyle(QFrame::Panel | QFrame::Raised);
    statusBar->addWidget(notice, 1);
}

void SetLargeFont(QLineEdit* edit)
{
    QFont font = edit->font();
    font.setPixelSize(16);
    edit->setFont(font);
}

void SetShadowText(QLabel* label)
{
    label->setForegroundRole(QPalette::Shadow);
}

void TabToSelected(QRadioButton* first, QRadioButton* second)
{
    const auto fix = [first, second] {
        for (QRadioButton* b : {first, second})
            b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(first, &QAbstractButton::toggled, first, fix);
    QObject::connect(second, &QAbstractButton::toggled, second, fix);
    fix();
}

void SetGrowingText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->resize(label->sizeHint().width(), label->height());
}

void NameAfterCaption(QLabel* caption, QWidget* box)
{
    QString name = caption->text().trimmed();
    while (name.endsWith(QChar(u'：')) || name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    caption->setBuddy(box);
    box->setAccessibleName(name);
}

void SetMessage(QLabel* label, QWidget* box, const QString& text)
{
    SetGrowingText(label, text);
    box->setAccessibleDescription(text);
    if (!text.isEmpty()) {
        QAccessibleEvent alert(label, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

} // namespace PageLook

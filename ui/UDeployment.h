#pragma once

// The values that belong to a deployment rather than to the program: the
// product web site and the support contacts. The QQ number and the WangWang
// account are placeholders until the real ones are known.

#include <QLatin1String>
#include <QString>

namespace Deployment {

inline constexpr char ProductSiteHost[] = "www.levora-tax.example";
inline constexpr char QQNumber[] = "123456789";
inline constexpr char WangWangAccount[] = "levora-support-example";
inline constexpr char QQChatHost[] = "wpa.qq.com";
inline constexpr char WangWangChatHost[] = "amos.im.alisoft.com";

static_assert(sizeof(QQNumber) == 9 + 1, "the support QQ number has nine digits");

// Shown on the wage page and carried by the QQ chat address.
inline QString SupportQQNumber()
{
    return QLatin1String(QQNumber);
}

inline QString SupportWangWangAccount()
{
    return QLatin1String(WangWangAccount);
}

inline QString ProductSiteUrl(const char* path)
{
    return QLatin1String("http://") + QLatin1String(ProductSiteHost) + QLatin1String(path);
}

inline QString HomePageUrl()
{
    return ProductSiteUrl("");
}

inline QString DownloadPageUrl()
{
    return ProductSiteUrl("/download.aspx");
}

inline QString ExcelPageUrl()
{
    return ProductSiteUrl("/excel.aspx");
}

inline QString TaobaoAdUrl()
{
    return ProductSiteUrl("/ads/taobao.htm");
}

inline QString DangdangAdUrl()
{
    return ProductSiteUrl("/ads/dangdang.htm");
}

inline QString AmazonAdUrl()
{
    return ProductSiteUrl("/ads/amazon.htm");
}

inline QString QQChatUrl()
{
    return QLatin1String("http://") + QLatin1String(QQChatHost) + QLatin1String("/msgrd?v=3&uin=") +
           QLatin1String(QQNumber) + QLatin1String("&site=qq&menu=yes");
}

inline QString WangWangChatUrl()
{
    return QLatin1String("http://") + QLatin1String(WangWangChatHost) +
           QLatin1String("/msg.aw?v=2&uid=") + QLatin1String(WangWangAccount) +
           QLatin1String("&site=cntaobao&s=1&charset=utf-8");
}

} // namespace Deployment

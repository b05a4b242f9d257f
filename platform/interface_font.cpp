#include "platform/interface_font.h"

#include <QApplication>
#include <QFont>

namespace tallyra {

void ApplyInterfaceFont()
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    // Fallbacks where Noto is missing: the faces Chinese desktops ship with.
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei UI"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("PingFang SC"), QStringLiteral("SimSun")});
    font.setPixelSize(12); // 9 pt at 96 dpi; scales with the device pixel ratio
    QApplication::setFont(font);
}

} // namespace tallyra

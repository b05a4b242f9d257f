// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/interface_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tallyra {
namespace {

// The first of the faces that is installed. Naming one face rather than the whole list keeps
// Qt from working out, with every font it loads, a fallback list for each of the faces named.
QString FirstInstalled(const QStringList& faces)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : faces) {
        if (installed.contains(face, Qt::CaseInsensitive))
            return face;
    }
    return {};
}

// Noto first; where it is missing, the faces Chinese desktops ship with. On Windows the face
// of Chinese Windows itself comes first.
QStringList ChineseFaces()
{
    QStringList faces = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei UI"),
                         QStringLiteral("Microsoft YaHei"),  QStringLiteral("WenQuanYi Micro Hei"),
                         QStringLiteral("PingFang SC"),      QStringLiteral("SimSun")};
#ifdef Q_OS_WIN
    faces.move(faces.indexOf(QStringLiteral("Microsoft YaHei")), 0);
#endif
    return faces;
}

} // namespace

QFont InterfaceFont()
{
    const QStringList faces = ChineseFaces();
    QFont font(faces.first());
    if (const QString face = FirstInstalled(faces); !face.isEmpty())
        font.setFamily(face);
    else
        font.setFamilies(faces); // none installed: leave the choice to the font matching
    font.setPixelSize(12);       // 9 pt at 96 dpi; scales with the device pixel ratio
    return font;
}

void ApplyInterfaceFont()
{
    QApplication::setFont(InterfaceFont());
}

void AddChineseFace()
{
    QFont font = QApplication::font();
    const QString face = FirstInstalled(ChineseFaces());
    if (face.isEmpty() ||
        QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::SimplifiedChinese))
        return; // the user's face has Chinese glyphs of its own, or there is none to add
    // The Chinese face first: nearly every text is Chinese, and a face that lacks its glyphs
    // sends each text through the font fallback. The user's face stays behind it.
    font.setFamilies({face, font.family()});
    QApplication::setFont(font);
}

} // namespace tallyra

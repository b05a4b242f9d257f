#include "about/about_layout.h"

#include "ui/app_icon.h"
#include "ui/twips.h"

#include <algorithm>
#include <array>
#include <map>

namespace tallyra {
namespace {

constexpr unsigned kGrey = 0x808080;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kNoColour = 0;

using K = AboutControlKind;

// The two lines make an etched separator: the white one, two pixels thick, lies under the grey
// one, so a grey pixel row shows above a white one. Both run past the right edge.
// clang-format off
constexpr std::array<AboutControlSpec, 11> kControls = {{
    // name             kind          text                                   left  top   width height tab rgb
    {"picIcon",         K::Picture,   "",                                    240,  240,  540,  540,  1,  kNoColour},
    {"lblTitle",        K::Label,     "个人所得税计算器",                    1080, 240,  3285, 255,  5,  kNoColour},
    {"lblVersion",      K::Label,     "2.0",                                 1080, 540,  3405, 255,  7,  kNoColour},
    {"lblDescription",  K::Label,     "有关税率计算，工资计算！",            1080, 840,  2775, 255,  6,  kNoColour},
    {"Line1(0)",        K::Line,      "",                                    240,  1560, 5549, 30,   -1, kWhite},
    {"Line1(1)",        K::Line,      "",                                    0,    1560, 5564, 15,   -1, kGrey},
    {"lblDisclaimer",   K::Label,     "Tallyra 项目 · 开源个人所得税计算器", 135,  1800, 3630, 300,  3,  kNoColour},
    {"Label1",          K::Label,     "问题反馈：Tallyra 项目的问题跟踪页",  120,  2040, 3135, 255,  4,  kNoColour},
    {"Label2",          K::Label,     "交流：欢迎在项目问题跟踪页讨论",      120,  2280, 3135, 255,  8,  kNoColour},
    {"cmdOK",           K::Button,    "确定",                                3360, 1680, 1575, 375,  0,  kNoColour},
    {"cmdSysInfo",      K::Button,    "系统信息(&S)...",                     3360, 2160, 1575, 375,  2,  kNoColour},
}};
// clang-format on

// Lines keep their ends: the pixel width is the distance between the ends' pixel positions.
QRect pixelRect(const AboutControlSpec& entry)
{
    const int left = entry.left / kTwipsPerPixel;
    const int right = (entry.left + entry.width) / kTwipsPerPixel;
    return QRect(left, entry.top / kTwipsPerPixel, right - left,
                 std::max(entry.height / kTwipsPerPixel, 1));
}

QWidget* createLine(unsigned rgb, QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    line->setPalette(palette);
    return line;
}

QWidget* createWidget(const AboutControlSpec& entry, QWidget* parent)
{
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
    case K::Picture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(AppIcon().pixmap(QSize(32, 32)));
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case K::Label:
        return new QLabel(text, parent);
    case K::Button:
        return new QPushButton(text, parent);
    case K::Line:
        return createLine(entry.rgb, parent);
    }
    return nullptr;
}

template <class T> T* child(QWidget* box, const char* name)
{
    auto* widget = box->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(widget, "BuildAboutControls", name);
    return widget;
}

// Only controls that take the focus can be chained; labels and the picture keep their places
// in the table but are skipped when tabbing.
void chainTabOrder(QWidget* box)
{
    std::map<int, QWidget*> byTab;
    for (const AboutControlSpec& entry : kControls) {
        auto* widget = box->findChild<QWidget*>(QString::fromLatin1(entry.name));
        if (entry.tab >= 0 && widget->focusPolicy() != Qt::NoFocus)
            byTab[entry.tab] = widget;
    }
    QWidget* previous = nullptr;
    for (const auto& [tab, widget] : byTab) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void paintBlack(QLabel* label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

} // namespace

std::span<const AboutControlSpec> AboutControlTable()
{
    return kControls;
}

AboutControls BuildAboutControls(QWidget* box)
{
    for (const AboutControlSpec& entry : kControls) {
        QWidget* widget = createWidget(entry, box);
        widget->setObjectName(QString::fromLatin1(entry.name));
        widget->setGeometry(pixelRect(entry));
    }
    chainTabOrder(box);

    AboutControls c;
    c.picIcon = child<QLabel>(box, "picIcon");
    c.lblTitle = child<QLabel>(box, "lblTitle");
    c.lblVersion = child<QLabel>(box, "lblVersion");
    c.lblDescription = child<QLabel>(box, "lblDescription");
    c.lblDisclaimer = child<QLabel>(box, "lblDisclaimer");
    c.Label1 = child<QLabel>(box, "Label1");
    c.Label2 = child<QLabel>(box, "Label2");
    c.cmdOK = child<QPushButton>(box, "cmdOK");
    c.cmdSysInfo = child<QPushButton>(box, "cmdSysInfo");
    for (QLabel* label : {c.lblTitle, c.lblDescription, c.lblDisclaimer})
        paintBlack(label);
    return c;
}

} // namespace tallyra

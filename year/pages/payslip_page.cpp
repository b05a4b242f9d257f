// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/payslip_page.h"

#include "year/pages/figure_table.h"
#include "year/pages/gross_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tallyra::year {

PayslipPage::PayslipPage(QWidget* parent)
    : QWidget(parent)
    , monthBox_(new QComboBox)
    , view_(new QTextBrowser)
    , copyButton_(new QPushButton(QStringLiteral("复制(&R)")))
    , printButton_(new QPushButton(QStringLiteral("打印工资条…")))
    , pdfButton_(new QPushButton(QStringLiteral("导出工资条 PDF…")))
    , chart_(new GrossChart)
{
    monthBox_->setObjectName(QStringLiteral("payslipMonthBox"));
    monthBox_->setAccessibleName(QStringLiteral("工资条月份"));
    monthBox_->setAccessibleDescription(monthBox_->accessibleName());
    for (int m = 1; m <= 12; ++m)
        monthBox_->addItem(QStringLiteral("%1月").arg(m), m);
    view_->setObjectName(QStringLiteral("payslipView"));
    view_->setAccessibleName(QStringLiteral("工资条"));
    copyButton_->setObjectName(QStringLiteral("copyPayslipButton"));
    copyButton_->setToolTip(QStringLiteral("把工资条作为文字复制（Ctrl+C）"));
    printButton_->setObjectName(QStringLiteral("printPayslipButton"));
    pdfButton_->setObjectName(QStringLiteral("payslipPdfButton"));

    auto* caption = new QLabel(QStringLiteral("月份(&T)"));
    caption->setBuddy(monthBox_);
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addWidget(monthBox_);
    line->addStretch(1);
    line->addWidget(copyButton_);
    line->addWidget(printButton_);
    line->addWidget(pdfButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    auto* body = new QHBoxLayout;
    // The payslip is a narrow column of figures; the chart's legend names each slice with its
    // amount and needs the room.
    body->addWidget(view_, 2);
    body->addWidget(chart_, 3);
    layout->addLayout(body, 1);

    // Ctrl+C anywhere on the page copies the whole payslip, unless text is selected in it.
    auto* copyKeys =
        new QShortcut(QKeySequence::Copy, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copyKeys, &QShortcut::activated, this, [this] {
        if (view_->textCursor().hasSelection())
            view_->copy();
        else
            copy();
    });
    connect(copyButton_, &QPushButton::clicked, this, &PayslipPage::copy);
    connect(printButton_, &QPushButton::clicked, this, [this] {
        if (payslip_)
            emit printRequested(*payslip_);
    });
    connect(pdfButton_, &QPushButton::clicked, this, [this] {
        if (payslip_)
            emit pdfRequested(*payslip_);
    });
    connect(monthBox_, &QComboBox::currentIndexChanged, this, &PayslipPage::showMonth);
}

void PayslipPage::refresh(const PlannerState& state)
{
    input_ = state.inputs ? std::optional(state.inputs->plan) : std::nullopt;
    plan_ = state.plan;
    showMonth();
}

void PayslipPage::setMonth(int month)
{
    monthBox_->setCurrentIndex(monthBox_->findData(month));
}

void PayslipPage::copy()
{
    if (payslip_)
        QApplication::clipboard()->setText(payslip_->text);
}

void PayslipPage::showMonth()
{
    payslip_.reset();
    const int month = monthBox_->currentData().toInt();
    if (!input_ || !plan_)
        view_->setHtml(HtmlParagraph(QStringLiteral("左侧输入有误，暂不计算。")));
    else if (!plan_->months[std::size_t(month - 1)].employed)
        view_->setHtml(HtmlParagraph(QStringLiteral("%1月尚未入职，没有工资条。").arg(month)));
    else
        payslip_ = MakePayslip(*input_, *plan_, month);
    if (payslip_) {
        view_->setHtml(payslip_->html);
        chart_->showMonth(*input_, plan_->months[std::size_t(month - 1)]);
    } else {
        chart_->clear();
    }
    for (QPushButton* button : {copyButton_, printButton_, pdfButton_})
        button->setEnabled(payslip_.has_value());
}

} // namespace tallyra::year

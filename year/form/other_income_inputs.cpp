// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/other_income_inputs.h"

#include "law/payment_income.h"
#include "year/amount_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyra::year {

using law::Money;

namespace {

// The prepayment before the payer, so that it shows in the narrow pane without scrolling.
enum Column { MonthColumn, KindColumn, AmountColumn, PrepaymentColumn, PayerColumn };

QLineEdit* AmountEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(QStringLiteral("0"));
    return edit;
}

QComboBox* MonthBox()
{
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("paymentMonthBox"));
    for (int m = 1; m <= 12; ++m)
        box->addItem(QStringLiteral("%1月").arg(m), m);
    return box;
}

QComboBox* KindBox()
{
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("paymentKindBox"));
    for (law::PaymentKind kind : law::kPaymentKinds)
        box->addItem(QString::fromUtf8(law::PaymentKindName(kind)), static_cast<int>(kind));
    return box;
}

template <class T> T* Cell(QTableWidget* table, int row, Column column)
{
    return qobject_cast<T*>(table->cellWidget(row, column));
}

// A typed amount, or none with its reason added to the problems.
std::optional<Money> Amount(QLineEdit* edit, const QString& what, QStringList& problems)
{
    const AmountReading r = ReadAmount(edit->text(), Money());
    edit->setToolTip(r.reason);
    if (!r.value)
        problems << QStringLiteral("%1：%2").arg(what, r.reason);
    return r.value;
}

} // namespace

OtherIncomeInputs::OtherIncomeInputs(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* payments = new QGroupBox(QStringLiteral("其他综合所得（劳务报酬、稿酬、特许权使用费）"));
    auto* paymentsLayout = new QVBoxLayout(payments);
    table_ = new QTableWidget(0, 5);
    table_->setObjectName(QStringLiteral("paymentsTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("月份"), QStringLiteral("所得项目"),
                                       QStringLiteral("金额（元）"), QStringLiteral("预扣税额"),
                                       QStringLiteral("支付方")});
    table_->setAccessibleName(QStringLiteral("其他综合所得逐笔列表"));
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() * 4);
    paymentsLayout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    addButton_ = new QPushButton(QStringLiteral("添加一笔"));
    addButton_->setObjectName(QStringLiteral("addPaymentButton"));
    removeButton_ = new QPushButton(QStringLiteral("删除所选"));
    removeButton_->setObjectName(QStringLiteral("removePaymentButton"));
    buttons->addWidget(addButton_);
    buttons->addWidget(removeButton_);
    buttons->addStretch(1);
    paymentsLayout->addLayout(buttons);
    reason_ = new QLabel;
    reason_->setObjectName(QStringLiteral("paymentsReason"));
    reason_->setWordWrap(true);
    reason_->hide();
    paymentsLayout->addWidget(reason_);
    layout->addWidget(payments);

    auto* severance = new QGroupBox(QStringLiteral("离职补偿金"));
    // Plain captions, not buddies: the window's access keys are all taken; the boxes carry
    // their names for screen readers.
    auto* form = new QFormLayout(severance);
    severanceEdit_ = AmountEdit("severanceEdit");
    averageWageEdit_ = AmountEdit("localAverageWageEdit");
    severanceEdit_->setAccessibleName(QStringLiteral("离职补偿金"));
    averageWageEdit_->setAccessibleName(QStringLiteral("当地上年职工平均工资"));
    form->addRow(new QLabel(QStringLiteral("离职补偿金（元）")), severanceEdit_);
    form->addRow(new QLabel(QStringLiteral("当地上年职工平均工资（元/年）")), averageWageEdit_);
    layout->addWidget(severance);

    connect(addButton_, &QPushButton::clicked, this, [this] { addPayment(); });
    connect(removeButton_, &QPushButton::clicked, this, &OtherIncomeInputs::removeSelected);
    for (QLineEdit* edit : {severanceEdit_, averageWageEdit_})
        connect(edit, &QLineEdit::textChanged, this, [this] {
            if (!filling_)
                emit changed();
        });
}

void OtherIncomeInputs::addPayment(const law::OtherPayment& payment)
{
    const int row = table_->rowCount();
    table_->insertRow(row);
    QComboBox* month = MonthBox();
    month->setCurrentIndex(payment.month - 1);
    QComboBox* kind = KindBox();
    kind->setCurrentIndex(kind->findData(static_cast<int>(payment.kind)));
    QLineEdit* amount = AmountEdit("paymentAmountEdit");
    amount->setText(payment.amount.isZero() ? QString() : TypedAmount(payment.amount));
    auto* payer = new QLineEdit(QString::fromStdString(payment.payer));
    payer->setObjectName(QStringLiteral("paymentPayerEdit"));
    table_->setCellWidget(row, MonthColumn, month);
    table_->setCellWidget(row, KindColumn, kind);
    table_->setCellWidget(row, AmountColumn, amount);
    table_->setCellWidget(row, PayerColumn, payer);
    auto* prepayment = new QTableWidgetItem;
    prepayment->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    prepayment->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(row, PrepaymentColumn, prepayment);
    const auto notify = [this] {
        if (!filling_)
            emit changed();
    };
    connect(month, &QComboBox::currentIndexChanged, this, notify);
    connect(kind, &QComboBox::currentIndexChanged, this, notify);
    connect(amount, &QLineEdit::textChanged, this, notify);
    connect(payer, &QLineEdit::textChanged, this, notify);
    nameRows();
    notify();
}

// What a screen reader calls each box of a row: "第 2 笔 金额", numbered as the rows now are.
void OtherIncomeInputs::nameRows()
{
    const std::pair<Column, QString> boxes[] = {{MonthColumn, QStringLiteral("月份")},
                                                {KindColumn, QStringLiteral("所得项目")},
                                                {AmountColumn, QStringLiteral("金额")},
                                                {PayerColumn, QStringLiteral("支付方")}};
    for (int row = 0; row < table_->rowCount(); ++row)
        for (const auto& [column, what] : boxes) {
            QWidget* box = table_->cellWidget(row, column);
            const QString name = QStringLiteral("第 %1 笔 %2").arg(row + 1).arg(what);
            box->setAccessibleName(name);
            if (qobject_cast<QComboBox*>(box))
                box->setAccessibleDescription(name);
        }
}

void OtherIncomeInputs::removeSelected()
{
    const int row = table_->currentRow();
    if (row < 0)
        return;
    table_->removeRow(row);
    nameRows();
    if (!filling_)
        emit changed();
}

void OtherIncomeInputs::read(law::YearPlanInput& plan, QStringList& problems)
{
    plan.payments.clear();
    QStringList reasons;
    for (int row = 0; row < table_->rowCount(); ++row) {
        law::OtherPayment payment;
        payment.month = Cell<QComboBox>(table_, row, MonthColumn)->currentData().toInt();
        payment.kind = static_cast<law::PaymentKind>(
            Cell<QComboBox>(table_, row, KindColumn)->currentData().toInt());
        payment.payer = Cell<QLineEdit>(table_, row, PayerColumn)->text().trimmed().toStdString();
        const auto amount = Amount(Cell<QLineEdit>(table_, row, AmountColumn),
                                   QStringLiteral("其他综合所得第 %1 笔").arg(row + 1), reasons);
        payment.amount = amount.value_or(Money());
        const auto tax =
            law::PrepayOnPayment(payment.kind, {plan.year, payment.month}, payment.amount);
        table_->item(row, PrepaymentColumn)
            ->setText(amount && tax ? GroupedAmount(tax->tax) : QString());
        plan.payments.push_back(payment);
    }
    plan.severance =
        Amount(severanceEdit_, QStringLiteral("离职补偿金"), reasons).value_or(Money());
    plan.localAverageWage =
        Amount(averageWageEdit_, QStringLiteral("当地上年职工平均工资"), reasons).value_or(Money());
    reason_->setText(reasons.join(QLatin1Char('\n')));
    reason_->setVisible(!reasons.isEmpty());
    problems += reasons;
}

void OtherIncomeInputs::set(const law::YearPlanInput& plan)
{
    filling_ = true;
    table_->setRowCount(0);
    for (const law::OtherPayment& payment : plan.payments)
        addPayment(payment);
    severanceEdit_->setText(plan.severance.isZero() ? QString() : TypedAmount(plan.severance));
    averageWageEdit_->setText(plan.localAverageWage.isZero() ? QString()
                                                             : TypedAmount(plan.localAverageWage));
    filling_ = false;
}

} // namespace tallyra::year

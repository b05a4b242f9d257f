// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/csv_export.h"

#include "payroll/csv_writer.h"
#include "year/amount_text.h"

#include <QAbstractItemModel>
#include <QSaveFile>

namespace tallyra::year {

QString CsvField(const QString& text)
{
    std::string field;
    payroll::AppendCsvField(field, text.toStdString());
    return QString::fromStdString(field);
}

QString WriteCsv(const QString& path, const QAbstractItemModel& model, int columns, int exportRole,
                 const std::vector<QStringList>& trailer)
{
    payroll::CsvWriter csv;
    for (int c = 0; c < columns; ++c)
        csv.field(model.headerData(c, Qt::Horizontal, exportRole).toString().toStdString());
    csv.endRecord();
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c)
            csv.field(model.data(model.index(r, c), exportRole).toString().toStdString());
        csv.endRecord();
    }
    if (!trailer.empty())
        csv.endRecord();
    for (const QStringList& record : trailer) {
        for (const QString& field : record)
            csv.field(field.toStdString());
        csv.endRecord();
    }
    QSaveFile file(path);
    const auto size = static_cast<qint64>(csv.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.text().data(), size) != size ||
        !file.commit())
        return file.errorString();
    return {};
}

namespace {

QString Rate(const law::SeparateTax& t)
{
    return QStringLiteral("%1%").arg(t.bracket.ratePercent);
}

} // namespace

std::vector<QStringList> OtherIncomeRecords(const law::YearPlanInput& input,
                                            const law::YearPlan& plan)
{
    std::vector<QStringList> records;
    if (!input.payments.empty())
        records.push_back(
            {QStringLiteral("其他综合所得月份"), QStringLiteral("所得项目"), QStringLiteral("金额"),
             QStringLiteral("支付方"), QStringLiteral("减除费用"), QStringLiteral("应纳税所得额"),
             QStringLiteral("税率"), QStringLiteral("速算扣除数"), QStringLiteral("预扣税额")});
    for (std::size_t i = 0; i < input.payments.size(); ++i) {
        const law::OtherPayment& p = input.payments[i];
        const law::SeparateTax& t = plan.prepayments[i];
        records.push_back({QString::number(p.month),
                           QString::fromUtf8(law::PaymentKindName(p.kind)), PlainAmount(p.amount),
                           QString::fromStdString(p.payer), PlainAmount(t.deduction),
                           PlainAmount(t.taxable), Rate(t), PlainAmount(t.bracket.quickDeduction),
                           PlainAmount(t.tax)});
    }
    if (plan.severance) {
        const law::SeparateTax& t = *plan.severance;
        records.push_back({QStringLiteral("离职补偿金"), QStringLiteral("当地上年职工平均工资"),
                           QStringLiteral("免税部分"), QStringLiteral("应纳税所得额"),
                           QStringLiteral("税率"), QStringLiteral("速算扣除数"),
                           QStringLiteral("个税")});
        records.push_back({PlainAmount(t.income), PlainAmount(input.localAverageWage),
                           PlainAmount(t.deduction), PlainAmount(t.taxable), Rate(t),
                           PlainAmount(t.bracket.quickDeduction), PlainAmount(t.tax)});
    }
    return records;
}

} // namespace tallyra::year

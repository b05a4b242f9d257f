// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/year_table_model.h"

#include "year/amount_text.h"
#include "year/planner_colours.h"

#include <QFont>

#include <algorithm>

namespace tallyra::year {

using law::Money;

YearTableModel::YearTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void YearTableModel::setPlan(std::optional<law::YearPlan> plan, bool current)
{
    plan_ = std::move(plan);
    cliff_ = plan_ ? law::BonusCliffLossOf(*plan_) : std::nullopt;
    current_ = current;
    emit dataChanged(index(0, 0), index(kTotalsRow, AllColumns - 1));
}

void YearTableModel::setPalette(const QPalette& palette)
{
    palette_ = palette;
    emit dataChanged(index(0, 0), index(kTotalsRow, AllColumns - 1), {Qt::BackgroundRole});
}

int YearTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTotalsRow + 1;
}

int YearTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : AllColumns;
}

QString YearTableModel::header(int column)
{
    return shortHeader(column).remove(QLatin1Char('\n'));
}

// The header as the table shows it, on two lines where a column of figures is narrower.
QString YearTableModel::shortHeader(int column)
{
    static const char* const kHeaders[AllColumns] = {
        "月份",       "工资",         "年终奖",           "个人社保\n公积金", "累计应纳税\n所得额",
        "税率",       "本月\n预扣税", "年终奖\n单独计税", "税后\n收入",       "单位\n总成本",
        "个人\n养老", "个人\n医疗",   "个人\n失业",       "个人\n公积金",     "个人\n年金",
        "单位\n养老", "单位\n医疗",   "单位\n失业",       "单位\n工伤",       "单位\n公积金",
        "单位\n年金"};
    return QString::fromUtf8(kHeaders[column]);
}

bool YearTableModel::hasAnnuity() const
{
    return plan_ &&
           std::any_of(plan_->months.begin(), plan_->months.end(), [](const law::MonthPlan& m) {
               return !(m.contributions.annuity.isZero() &&
                        m.contributions.employerAnnuity.isZero());
           });
}

bool YearTableModel::employed(int row) const
{
    return plan_ && row < kTotalsRow && plan_->months[row].employed;
}

bool YearTableModel::stepsUp(int row) const
{
    return employed(row) && plan_->months[row].rateStepsUp;
}

// The amount of a money cell; none for the month and rate columns, months not employed and the
// totals row's cumulative figure (a year's cumulative income is December's, not a sum).
std::optional<Money> YearTableModel::amount(int row, int column) const
{
    if (!plan_)
        return std::nullopt;
    if (row == kTotalsRow) {
        const law::YearTotals& t = plan_->totals;
        switch (column) {
        case Wage:
            return t.wages;
        case Bonus:
            return t.bonus;
        case Contributions:
            return t.employeeContributions;
        case Withheld:
            return t.withheld;
        case BonusTax:
            return t.bonusTax;
        case TakeHome:
            return t.takeHome;
        case EmployerCost:
            return t.employerCost;
        default:
            break;
        }
        if (!isItemColumn(column))
            return std::nullopt;
        Money sum;
        for (const law::MonthPlan& m : plan_->months)
            if (m.employed)
                sum += *itemOf(m, column);
        return sum;
    }
    if (!employed(row))
        return std::nullopt;
    const law::MonthPlan& m = plan_->months[row];
    switch (column) {
    case Wage:
        return m.wage;
    case Bonus:
        return m.bonus;
    case Contributions:
        return m.contributions.employeeTotal();
    case CumulativeTaxable:
        return m.step.taxableIncome;
    case Withheld:
        return m.step.withheld;
    case BonusTax:
        return m.bonusTax;
    case TakeHome:
        return m.takeHome;
    case EmployerCost:
        return m.employerCost;
    default:
        return itemOf(m, column);
    }
}

std::optional<Money> YearTableModel::itemOf(const law::MonthPlan& month, int column)
{
    const law::Contributions& c = month.contributions;
    switch (column) {
    case Pension:
        return c.pension;
    case Medical:
        return c.medical;
    case Unemployment:
        return c.unemployment;
    case Fund:
        return c.employeeFund();
    case Annuity:
        return c.annuity;
    case EmployerPension:
        return c.employerPension;
    case EmployerMedical:
        return c.employerMedical;
    case EmployerUnemployment:
        return c.employerUnemployment;
    case EmployerInjury:
        return c.employerInjury;
    case EmployerFund:
        return c.employerFund();
    case EmployerAnnuity:
        return c.employerAnnuity;
    default:
        return std::nullopt;
    }
}

QString YearTableModel::text(int row, int column) const
{
    if (column == Month)
        return row == kTotalsRow ? QStringLiteral("全年合计") : QStringLiteral("%1月").arg(row + 1);
    if (plan_ && row < kTotalsRow && !employed(row))
        return column == Wage ? QStringLiteral("未入职") : QString();
    if (column == Rate) {
        if (!employed(row))
            return {};
        const QString rate = QStringLiteral("%1%").arg(plan_->months[row].step.bracket.ratePercent);
        return stepsUp(row) ? rate + QStringLiteral(" ↑") : rate;
    }
    const auto a = amount(row, column);
    // A month with no bonus shows nothing in the bonus columns rather than a row of zeros.
    if (a && a->isZero() && (column == Bonus || column == BonusTax) && row != kTotalsRow)
        return {};
    return a ? GroupedAmount(*a) : QString();
}

QString YearTableModel::exportText(int row, int column) const
{
    if (column == Rate)
        return employed(row)
                   ? QStringLiteral("%1%").arg(plan_->months[row].step.bracket.ratePercent)
                   : QString();
    if (column == Month || (plan_ && row < kTotalsRow && !employed(row)))
        return text(row, column);
    const auto a = amount(row, column);
    return a ? PlainAmount(*a) : QString();
}

QString YearTableModel::accessibleText(int row, int column) const
{
    const QString shown = text(row, column);
    if (column == Month)
        return shown + (stepsUp(row) ? QStringLiteral("，税率上升") : QString());
    const QString month = text(row, Month);
    if (shown.isEmpty())
        return month + QLatin1Char(' ') + header(column) + QStringLiteral(" 无");
    const QString unit = amount(row, column) ? QStringLiteral(" 元") : QString();
    return month + QLatin1Char(' ') + header(column) + QLatin1Char(' ') +
           QString(shown).remove(QStringLiteral(" ↑")) + unit +
           (column == Rate && stepsUp(row) ? QStringLiteral("，本月税率上升") : QString()) +
           (inCliff(row, column) ? QStringLiteral("，年终奖多发少得") : QString());
}

QVariant YearTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case Qt::EditRole:
        return column == Wage && employed(row) ? TypedAmount(plan_->months[row].wage)
                                               : text(row, column);
    case FenRole:
        if (column == Rate && employed(row))
            return plan_->months[row].step.bracket.ratePercent;
        if (const auto a = amount(row, column))
            return qint64(a->fen());
        return {};
    case ExportRole:
        return exportText(row, column);
    case Qt::AccessibleTextRole:
        return current_ || column == Month
                   ? accessibleText(row, column)
                   : accessibleText(row, column) + QStringLiteral("（上次的结果）");
    case Qt::ForegroundRole:
        if (!current_ && column != Month)
            return palette_.color(QPalette::PlaceholderText);
        return inCliff(row, column) ? QVariant(WarningText(palette_)) : QVariant();
    case Qt::TextAlignmentRole:
        return column == Month ? int(Qt::AlignLeft | Qt::AlignVCenter)
                               : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (row == kTotalsRow || (column == Rate && stepsUp(row)) || inCliff(row, column)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return stepsUp(row) ? QVariant(StepUpBackground(palette_)) : QVariant();
    case Qt::ToolTipRole:
        if (inCliff(row, column))
            return QStringLiteral("⚠ 年终奖 %1 元落在多发少得的区间（%2 元至 %3 元）：比只发 %2 元"
                                  "少到手 %4 元")
                .arg(ShortAmount(plan_->totals.bonus), ShortAmount(cliff_->cliff.start),
                     ShortAmount(cliff_->cliff.end), GroupedAmount(cliff_->loss));
        if (stepsUp(row))
            return QStringLiteral("本月累计应纳税所得额进入更高一级，税率由 %1% 升至 %2%")
                .arg(plan_->months[row - 1].step.bracket.ratePercent)
                .arg(plan_->months[row].step.bracket.ratePercent);
        if (column == Wage && employed(row))
            return QStringLiteral("按 F2 或双击修改本月工资");
        return {};
    default:
        return {};
    }
}

QVariant YearTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section < AllColumns) {
        if (role == Qt::DisplayRole)
            return shortHeader(section);
        if (role == ExportRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return header(section);
    }
    return {}; // no row headers: the month is the first column
}

bool YearTableModel::inCliff(int row, int column) const
{
    return cliff_ && current_ && row == cliff_->month - 1 &&
           (column == Bonus || column == BonusTax);
}

Qt::ItemFlags YearTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Wage && employed(index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool YearTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != Wage || !employed(index.row()))
        return false;
    const AmountReading reading = ReadAmount(value.toString());
    if (!reading.value) {
        emit wageRefused(index.row() + 1, reading.reason);
        return false;
    }
    emit wageEdited(index.row() + 1, *reading.value);
    return true;
}

} // namespace tallyra::year

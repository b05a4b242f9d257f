// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/year_table_model.h"

#include "year/amount_text.h"
#include "year/planner_colours.h"

#include <QFont>

namespace tallyra::year {

using law::Money;

YearTableModel::YearTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void YearTableModel::setPlan(std::optional<law::YearPlan> plan, bool current)
{
    plan_ = std::move(plan);
    current_ = current;
    emit dataChanged(index(0, 0), index(kTotalsRow, ColumnCount - 1));
}

void YearTableModel::setPalette(const QPalette& palette)
{
    palette_ = palette;
    emit dataChanged(index(0, 0), index(kTotalsRow, ColumnCount - 1), {Qt::BackgroundRole});
}

int YearTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTotalsRow + 1;
}

int YearTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString YearTableModel::header(int column)
{
    return shortHeader(column).remove(QLatin1Char('\n'));
}

// The header as the table shows it, on two lines where a column of figures is narrower.
QString YearTableModel::shortHeader(int column)
{
    static const char* const kHeaders[ColumnCount] = {
        "月份", "工资",         "年终奖",           "个人社保\n公积金", "累计应纳税\n所得额",
        "税率", "本月\n预扣税", "年终奖\n单独计税", "税后\n收入",       "单位\n总成本"};
    return QString::fromUtf8(kHeaders[column]);
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
            return std::nullopt;
        }
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
           (column == Rate && stepsUp(row) ? QStringLiteral("，本月税率上升") : QString());
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
        return current_ || column == Month ? QVariant() : palette_.color(QPalette::PlaceholderText);
    case Qt::TextAlignmentRole:
        return column == Month ? int(Qt::AlignLeft | Qt::AlignVCenter)
                               : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (row == kTotalsRow || (column == Rate && stepsUp(row))) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return stepsUp(row) ? QVariant(StepUpBackground(palette_)) : QVariant();
    case Qt::ToolTipRole:
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
    if (orientation == Qt::Horizontal && section < ColumnCount) {
        if (role == Qt::DisplayRole)
            return shortHeader(section);
        if (role == ExportRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return header(section);
    }
    return {}; // no row headers: the month is the first column
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

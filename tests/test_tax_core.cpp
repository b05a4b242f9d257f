// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tax_brackets.h"
#include "core/tax_formulas.h"
#include "tests/support/exact_compare.h"

#include <QTest>

#include <cmath>

using namespace tallyra;

namespace {

TaxInputs Inputs(float salary, float subsidy, FundsTotal funds, float threshold)
{
    const auto row = SelectBracket(salary - threshold);
    return {
        salary, subsidy, funds, threshold, row ? row->rate : 0.0, row ? row->quickDeduction : 0.0f};
}

} // namespace

class TestTaxCore : public QObject {
    Q_OBJECT

private slots:
    void selectsBracket_data()
    {
        QTest::addColumn<float>("income");
        QTest::addColumn<double>("rate");
        QTest::addColumn<float>("deduction");
        QTest::newRow("zero is row 1") << 0.0f << 0.05 << 0.0f;
        QTest::newRow("500 stays in row 1") << 500.0f << 0.05 << 0.0f;
        QTest::newRow("500.5 is row 2") << 500.5f << 0.10 << 25.0f;
        QTest::newRow("2000 stays in row 2") << 2000.0f << 0.10 << 25.0f;
        QTest::newRow("2100 is row 3") << 2100.0f << 0.15 << 125.0f;
        QTest::newRow("5000 stays in row 3") << 5000.0f << 0.15 << 125.0f;
        QTest::newRow("9200 is row 4") << 9200.0f << 0.20 << 375.0f;
        QTest::newRow("20000.5 is row 5") << 20000.5f << 0.25 << 1375.0f;
        QTest::newRow("40001 is row 6") << 40001.0f << 0.30 << 3375.0f;
        QTest::newRow("60001 is row 7") << 60001.0f << 0.35 << 6375.0f;
        QTest::newRow("100000 stays in row 8") << 100000.0f << 0.40 << 10375.0f;
        QTest::newRow("100000.5 is row 9") << 100000.5f << 0.45 << 15375.0f;
        QTest::newRow("250000 is row 9") << 250000.0f << 0.45 << 15375.0f;
    }
    void selectsBracket()
    {
        QFETCH(float, income);
        QFETCH(double, rate);
        QFETCH(float, deduction);
        const auto row = SelectBracket(income);
        QVERIFY(row.has_value());
        QCOMPARE(row->rate, rate);
        QCOMPARE(row->quickDeduction, deduction);
    }

    void negativeIncomeMatchesNoRow()
    {
        QVERIFY(!SelectBracket(-0.5f).has_value());
        QVERIFY(!SelectBracket(-1000.0f).has_value());
    }

    // The tax is continuous: at every shared bound both neighbouring rows give the same tax.
    void quickDeductionsMakeTheTaxContinuous()
    {
        const auto& table = BracketTable();
        for (size_t i = 1; i < table.size(); ++i) {
            const double bound = table[i].lowerBound;
            const double below = bound * table[i - 1].rate - table[i - 1].quickDeduction;
            const double above = bound * table[i].rate - table[i].quickDeduction;
            QVERIFY2(std::fabs(below - above) < 1e-6, qPrintable(QString::number(bound)));
        }
    }

    void forwardTax_data()
    {
        QTest::addColumn<float>("salary");
        QTest::addColumn<float>("subsidy");
        QTest::addColumn<float>("funds");
        QTest::addColumn<float>("threshold");
        QTest::addColumn<float>("tax");
        QTest::newRow("bound 500") << 1500.0f << 0.0f << 0.0f << 1000.0f << 25.0f;
        QTest::newRow("just above 500") << 1500.5f << 0.0f << 0.0f << 1000.0f << 25.05f;
        QTest::newRow("funds 300") << 3000.0f << 0.0f << 300.0f << 1000.0f << 145.0f;
        QTest::newRow("choice ignores funds") << 2900.0f << 0.0f << 300.0f << 800.0f << 145.0f;
        QTest::newRow("negative subsidy") << 3000.0f << -200.0f << 0.0f << 1000.0f << 155.0f;
        QTest::newRow("raw negative tax") << 1500.0f << -600.0f << 0.0f << 1000.0f << -5.0f;
    }
    void forwardTax()
    {
        QFETCH(float, salary);
        QFETCH(float, subsidy);
        QFETCH(float, funds);
        QFETCH(float, threshold);
        QFETCH(float, tax);
        const TaxInputs in = Inputs(salary, subsidy, FundsTotal::FromSingle(funds), threshold);
        QCOMPARE_EXACT(TaxFromPreTax(in), tax);
    }

    void inverseTax_data()
    {
        QTest::addColumn<float>("afterTax");
        QTest::addColumn<float>("funds");
        QTest::addColumn<float>("threshold");
        QTest::addColumn<float>("tax");
        QTest::newRow("2855 with funds 300") << 2855.0f << 300.0f << 1000.0f << 145.0f;
        QTest::newRow("10000 at threshold 800") << 10000.0f << 0.0f << 800.0f << 1831.25f;
    }
    void inverseTax()
    {
        QFETCH(float, afterTax);
        QFETCH(float, funds);
        QFETCH(float, threshold);
        QFETCH(float, tax);
        const TaxInputs in = Inputs(afterTax, 0.0f, FundsTotal::FromSingle(funds), threshold);
        QCOMPARE_EXACT(TaxFromAfterTax(in), tax);
    }

    // Within one row the inverse undoes the forward formula.
    void inverseUndoesForwardWithinARow()
    {
        for (float preTax : {1800.0f, 4321.5f, 12000.0f, 35000.0f, 150000.0f}) {
            const TaxInputs forward = Inputs(preTax, 0.0f, FundsTotal::FromSingle(0.0f), 1000.0f);
            const float tax = TaxFromPreTax(forward);
            TaxInputs inverse = forward;
            inverse.salary = preTax - tax; // same row: the rows are wide enough here
            QVERIFY(std::fabs(TaxFromAfterTax(inverse) - tax) <= tax * 1e-6f);
        }
    }

    // A total held as text enters at double precision, which changes the last digits.
    void textFundsTotalIsDoublePrecision()
    {
        const float salary = 300000.37f;
        const TaxInputs single = Inputs(salary, 0.0f, FundsTotal::FromSingle(0.435f), 1000.0f);
        TaxInputs text = single;
        text.threeFunds = FundsTotal::FromText(0.435);
        const float singleWay = (salary - 0.435f) - 1000.0f;
        const double textWay = (double(salary) - 0.435) - 1000.0;
        QCOMPARE_EXACT(TaxFromPreTax(single), float(double(singleWay) * 0.45 - 15375.0));
        QCOMPARE_EXACT(TaxFromPreTax(text), float(textWay * 0.45 - 15375.0));
        QVERIFY(TaxFromPreTax(text) != TaxFromPreTax(single));
    }

    void zeroIfNegative_data()
    {
        QTest::addColumn<float>("in");
        QTest::addColumn<float>("out");
        QTest::newRow("positive") << 12.5f << 12.5f;
        QTest::newRow("zero") << 0.0f << 0.0f;
        QTest::newRow("negative") << -0.01f << 0.0f;
        QTest::newRow("nan") << float(NAN) << 0.0f;
    }
    void zeroIfNegative()
    {
        QFETCH(float, in);
        QFETCH(float, out);
        QCOMPARE_EXACT(ZeroIfNegative(in), out);
    }

    void resultFigures_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("salary");
        QTest::addColumn<float>("subsidy");
        QTest::addColumn<float>("funds");
        QTest::addColumn<float>("tax");
        QTest::addColumn<QList<float>>("figures"); // pre-tax, tax, after-tax, cash
        // clang-format off
        QTest::newRow("forward 3000") << 0 << 3000.0f << 0.0f << 300.0f << 145.0f << QList<float>{3000, 145, 2855, 2555};
        QTest::newRow("inverse 2855") << 1 << 2855.0f << 0.0f << 300.0f << 145.0f << QList<float>{3000, 145, 2855, 2555};
        QTest::newRow("negative subsidy") << 0 << 3000.0f << -200.0f << 0.0f << 155.0f << QList<float>{3000, 155, 2845, 2645};
        QTest::newRow("negative cash shows 0") << 0 << 1000.0f << 0.0f << 1200.0f << 0.0f << QList<float>{1000, 0, 1000, 0};
        // A tax below zero counts as zero: after-tax never above pre-tax, and back.
        QTest::newRow("negative tax forward") << 0 << 1500.0f << -600.0f << 0.0f << -5.0f << QList<float>{1500, 0, 1500, 900};
        QTest::newRow("negative tax inverse") << 1 << 1500.0f << -600.0f << 0.0f << -5.0f << QList<float>{1500, 0, 1500, 900};
        // clang-format on
    }
    void resultFigures()
    {
        QFETCH(int, direction);
        QFETCH(float, salary);
        QFETCH(float, subsidy);
        QFETCH(float, funds);
        QFETCH(float, tax);
        QFETCH(QList<float>, figures);
        const Figures f =
            ResultFigures(direction == 0 ? Direction::FromPreTax : Direction::FromAfterTax, salary,
                          subsidy, FundsTotal::FromSingle(funds), tax);
        QCOMPARE((QList<float>{f.preTax, f.tax, f.afterTax, f.cash}), figures);
    }

    void overflowingFigureIsNotFinite()
    {
        const Figures f = ResultFigures(Direction::FromAfterTax, 3.0e38f, 0.0f,
                                        FundsTotal::FromSingle(0.0f), 1.0e38f);
        QVERIFY(!f.allFinite());
    }
};

QTEST_APPLESS_MAIN(TestTaxCore)
#include "test_tax_core.moc"

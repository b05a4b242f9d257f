// SPDX-License-Identifier: GPL-3.0-or-later
// Income taxed apart from the monthly wage: labour, authors' and royalty payments prepaid on
// their own, the annual bonus taxed on its own, severance pay, and the reconciliation that
// counts the payments again. Every expected figure is worked by hand from the documents cited in
// law/parameters_other_income.cpp; the comments show the working.
#include "law/bonus.h"
#include "law/payment_income.h"
#include "law/reconciliation.h"
#include "law/severance.h"
#include "law/year_plan.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <stdexcept>

using namespace tallyra::law;
using law_test::M;

Q_DECLARE_METATYPE(PaymentKind)

namespace {

Money Q(const QString& text)
{
    return M(text.toStdString());
}

struct Expected {
    QString deduction, taxable;
    int rate;
    QString quick, tax;
};

void CompareTax(const SeparateTax& t, const QString& income, const Expected& e)
{
    QCOMPARE(t.income, Q(income));
    QCOMPARE(t.deduction, Q(e.deduction));
    QCOMPARE(t.taxable, Q(e.taxable));
    QCOMPARE(t.bracket.ratePercent, e.rate);
    QCOMPARE(t.bracket.quickDeduction, Q(e.quick));
    QCOMPARE(t.tax, Q(e.tax));
    QCOMPARE(t.afterTax(), Q(income) - Q(e.tax));
}

void AddTaxColumns()
{
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("deduction");
    QTest::addColumn<QString>("taxable");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("quick");
    QTest::addColumn<QString>("tax");
}

Expected FetchExpected()
{
    QFETCH(QString, deduction);
    QFETCH(QString, taxable);
    QFETCH(int, rate);
    QFETCH(QString, quick);
    QFETCH(QString, tax);
    return {deduction, taxable, rate, quick, tax};
}

// Wages of 10,000 a month with nothing else deducted: taxable 120,000 − 60,000 = 60,000,
// withheld in the year 36,000 × 3 % + 24,000 × 10 % = 3,480.
ReconciliationInput TenThousandAMonth()
{
    ReconciliationInput in;
    in.year = 2026;
    in.income = M("120000");
    in.withheld = M("3480");
    return in;
}

} // namespace

class TestLawOtherIncome : public QObject {
    Q_OBJECT

private slots:
    void prepaysOnePayment_data()
    {
        QTest::addColumn<PaymentKind>("kind");
        AddTaxColumns();
        const auto L = PaymentKind::Labour, A = PaymentKind::Authors, R = PaymentKind::Royalty;
        // The tax authority's worked examples.
        QTest::newRow("labour 2,000 (example)") << L << "2000"
                                                << "800"
                                                << "1200" << 20 << "0"
                                                << "240";
        QTest::newRow("labour 30,000 (example)") << L << "30000"
                                                 << "6000"
                                                 << "24000" << 30 << "2000"
                                                 << "5200";
        // 40,000 − 8,000 = 32,000, at 70 %: 22,400, at 20 %: 4,480.
        QTest::newRow("authors 40,000 (example)") << A << "40000"
                                                  << "8000"
                                                  << "22400" << 20 << "0"
                                                  << "4480";
        // 800 up to and including 4,000; 20 % of 4,000.01 is 800.002 → 800.00.
        QTest::newRow("labour 4,000") << L << "4000"
                                      << "800"
                                      << "3200" << 20 << "0"
                                      << "640";
        QTest::newRow("labour 4,000.01") << L << "4000.01"
                                         << "800"
                                         << "3200.01" << 20 << "0"
                                         << "640";
        // 20 % of 4,000.03 is 800.006 → 800.01; 3,200.02 × 20 % = 640.004 → 640.00.
        QTest::newRow("labour 4,000.03") << L << "4000.03"
                                         << "800.01"
                                         << "3200.02" << 20 << "0"
                                         << "640";
        QTest::newRow("authors 4,000") << A << "4000"
                                       << "800"
                                       << "2240" << 20 << "0"
                                       << "448";
        // 3,200.01 × 70 % = 2,240.007 → 2,240.01 taxable; × 20 % = 448.002 → 448.00.
        QTest::newRow("authors 4,000.01") << A << "4000.01"
                                          << "800"
                                          << "2240.01" << 20 << "0"
                                          << "448";
        QTest::newRow("royalty 4,000.01") << R << "4000.01"
                                          << "800"
                                          << "3200.01" << 20 << "0"
                                          << "640";
        // Under 800 nothing is taxable: 0 %, no quick deduction.
        QTest::newRow("labour 0") << L << "0"
                                  << "800"
                                  << "0" << 0 << "0"
                                  << "0";
        QTest::newRow("labour 799.99") << L << "799.99"
                                       << "800"
                                       << "0" << 0 << "0"
                                       << "0";
        QTest::newRow("authors 500") << A << "500"
                                     << "800"
                                     << "0" << 0 << "0"
                                     << "0";
        QTest::newRow("labour 800") << L << "800"
                                    << "800"
                                    << "0" << 0 << "0"
                                    << "0";
        // 0.01 × 20 % = 0.002 → 0.00.
        QTest::newRow("labour 800.01") << L << "800.01"
                                       << "800"
                                       << "0.01" << 20 << "0"
                                       << "0";
        // Table 二 at each bound and a fen above: 25,000 leaves 20,000; 25,000.01 leaves
        // 20,000.01 (its 20 % is 5,000.002 → 5,000.00), × 30 % = 6,000.003 → 6,000.00 − 2,000.
        QTest::newRow("labour 25,000: 20,000 at 20 %") << L << "25000"
                                                       << "5000"
                                                       << "20000" << 20 << "0"
                                                       << "4000";
        QTest::newRow("labour 25,000.01: 20,000.01 at 30 %") << L << "25000.01"
                                                             << "5000"
                                                             << "20000.01" << 30 << "2000"
                                                             << "4000";
        QTest::newRow("labour 62,500: 50,000 at 30 %") << L << "62500"
                                                       << "12500"
                                                       << "50000" << 30 << "2000"
                                                       << "13000";
        // 50,000.01 × 40 % = 20,000.004 → 20,000.00 − 7,000.
        QTest::newRow("labour 62,500.01: 50,000.01 at 40 %") << L << "62500.01"
                                                             << "12500"
                                                             << "50000.01" << 40 << "7000"
                                                             << "13000";
        QTest::newRow("labour 100,000") << L << "100000"
                                        << "20000"
                                        << "80000" << 40 << "7000"
                                        << "25000";
        // Authors' and royalty income stay at 20 % however large.
        QTest::newRow("royalty 100,000") << R << "100000"
                                         << "20000"
                                         << "80000" << 20 << "0"
                                         << "16000";
        // 20 % of 12,345.67 is 2,469.134 → 2,469.13; 9,876.54 × 70 % = 6,913.578 → 6,913.58;
        // × 20 % = 1,382.716 → 1,382.72.
        QTest::newRow("authors 12,345.67") << A << "12345.67"
                                           << "2469.13"
                                           << "6913.58" << 20 << "0"
                                           << "1382.72";
        // 9,876.54 × 20 % = 1,975.308 → 1,975.31.
        QTest::newRow("labour 12,345.67") << L << "12345.67"
                                          << "2469.13"
                                          << "9876.54" << 20 << "0"
                                          << "1975.31";
    }
    void prepaysOnePayment()
    {
        QFETCH(PaymentKind, kind);
        QFETCH(QString, income);
        const auto tax = PrepayOnPayment(kind, {2026, 3}, Q(income));
        QVERIFY(tax);
        CompareTax(*tax, income, FetchExpected());
    }

    void noPrepaymentRuleBefore2019()
    {
        QVERIFY(!PrepayOnPayment(PaymentKind::Labour, {2018, 12}, M("2000")));
        QVERIFY(PrepayOnPayment(PaymentKind::Labour, {2019, 1}, M("2000")));
    }

    void kindsByName()
    {
        QVERIFY(PaymentKindNamed("劳务报酬") == PaymentKind::Labour);
        QVERIFY(PaymentKindNamed("稿酬所得") == PaymentKind::Authors);
        QVERIFY(PaymentKindNamed("特许权使用费所得") == PaymentKind::Royalty);
        QVERIFY(!PaymentKindNamed("劳务报酬所得 "));
        QVERIFY(!PaymentKindNamed("工资薪金"));
    }

    // The monthly table a bonus ÷ 12 chooses its row in, at every bound × 12 and a fen above;
    // bonus × rate − quick deduction, the product rounded to the fen.
    void bonusTaxedApart_data()
    {
        AddTaxColumns();
        QTest::newRow("0") << "0"
                           << "0"
                           << "0" << 0 << "0"
                           << "0";
        QTest::newRow("36,000") << "36000"
                                << "0"
                                << "36000" << 3 << "0"
                                << "1080";
        // 3,600.001 → 3,600.00 − 210.
        QTest::newRow("36,000.01") << "36000.01"
                                   << "0"
                                   << "36000.01" << 10 << "210"
                                   << "3390";
        QTest::newRow("144,000") << "144000"
                                 << "0"
                                 << "144000" << 10 << "210"
                                 << "14190";
        QTest::newRow("144,000.01") << "144000.01"
                                    << "0"
                                    << "144000.01" << 20 << "1410"
                                    << "27390";
        QTest::newRow("300,000") << "300000"
                                 << "0"
                                 << "300000" << 20 << "1410"
                                 << "58590";
        QTest::newRow("300,000.01") << "300000.01"
                                    << "0"
                                    << "300000.01" << 25 << "2660"
                                    << "72340";
        QTest::newRow("420,000") << "420000"
                                 << "0"
                                 << "420000" << 25 << "2660"
                                 << "102340";
        QTest::newRow("420,000.01") << "420000.01"
                                    << "0"
                                    << "420000.01" << 30 << "4410"
                                    << "121590";
        QTest::newRow("660,000") << "660000"
                                 << "0"
                                 << "660000" << 30 << "4410"
                                 << "193590";
        QTest::newRow("660,000.01") << "660000.01"
                                    << "0"
                                    << "660000.01" << 35 << "7160"
                                    << "223840";
        QTest::newRow("960,000") << "960000"
                                 << "0"
                                 << "960000" << 35 << "7160"
                                 << "328840";
        QTest::newRow("960,000.01") << "960000.01"
                                    << "0"
                                    << "960000.01" << 45 << "15160"
                                    << "416840";
    }
    void bonusTaxedApart()
    {
        QFETCH(QString, income);
        const auto tax = BonusTaxedApart(2027, Q(income));
        QVERIFY(tax);
        CompareTax(*tax, income, FetchExpected());
    }

    // From 2028 only the combined treatment, until a later entry extends the separate one.
    void noSeparateBonusIn2028()
    {
        QVERIFY(!BonusTaxedApart(2028, M("36000")));
        QVERIFY(!BonusTaxedApart(2018, M("36000")));
    }

    // Three times the average of 80,000 (240,000) is exempt; the rest on the annual table.
    void severance_data()
    {
        QTest::addColumn<QString>("average");
        AddTaxColumns();
        QTest::newRow("below three times") << "80000"
                                           << "200000"
                                           << "200000"
                                           << "0" << 0 << "0"
                                           << "0";
        QTest::newRow("at three times") << "80000"
                                        << "240000"
                                        << "240000"
                                        << "0" << 0 << "0"
                                        << "0";
        QTest::newRow("36,000 above") << "80000"
                                      << "276000"
                                      << "240000"
                                      << "36000" << 3 << "0"
                                      << "1080";
        // 36,000.01 × 10 % = 3,600.001 → 3,600.00 − 2,520.
        QTest::newRow("36,000.01 above") << "80000"
                                         << "276000.01"
                                         << "240000"
                                         << "36000.01" << 10 << "2520"
                                         << "1080";
        QTest::newRow("60,000 above") << "80000"
                                      << "300000"
                                      << "240000"
                                      << "60000" << 10 << "2520"
                                      << "3480";
        // 3 × 95,123.45 = 285,370.35 exempt; 214,629.65 × 20 % = 42,925.93 − 16,920.
        QTest::newRow("fen average") << "95123.45"
                                     << "500000"
                                     << "285370.35"
                                     << "214629.65" << 20 << "16920"
                                     << "26005.93";
    }
    void severance()
    {
        QFETCH(QString, average);
        QFETCH(QString, income);
        const auto tax = TaxSeverance(2026, Q(income), Q(average));
        QVERIFY(tax);
        CompareTax(*tax, income, FetchExpected());
        QVERIFY(!TaxSeverance(2018, Q(income), Q(average)));
    }

    void annualIncomeAmount_data()
    {
        QTest::addColumn<PaymentKind>("kind");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("amount");
        QTest::newRow("labour 30,000") << PaymentKind::Labour << "30000"
                                       << "24000";
        QTest::newRow("royalty 3,000: no 800 at the reconciliation")
            << PaymentKind::Royalty << "3000"
            << "2400";
        QTest::newRow("authors 40,000") << PaymentKind::Authors << "40000"
                                        << "22400";
        // 12,345.67 − 2,469.13 = 9,876.54; × 70 % = 6,913.578 → 6,913.58.
        QTest::newRow("authors 12,345.67") << PaymentKind::Authors << "12345.67"
                                           << "6913.58";
    }
    void annualIncomeAmount()
    {
        QFETCH(PaymentKind, kind);
        QFETCH(QString, income);
        QFETCH(QString, amount);
        QCOMPARE(AnnualIncomeAmount(kind, 2026, Q(income)), Q(amount));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, AnnualIncomeAmount(kind, 2018, Q(income)));
    }

    // Wages of 120,000 (3,480 withheld) and one labour payment of 30,000 (5,200 prepaid):
    // 120,000 + 24,000 = 144,000; taxable 84,000 × 10 % − 2,520 = 5,880; withheld 3,480 +
    // 5,200 = 8,680: 2,800 refunded, all of it the labour income's doing (the wages alone
    // balance to zero).
    void reconcilesLabourIncomeToARefund()
    {
        ReconciliationInput in = TenThousandAMonth();
        in.payments[IndexOf(PaymentKind::Labour)] = {M("30000"), M("5200")};
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.wageIncome, M("120000"));
        QCOMPARE(r.paymentIncomeAmount[IndexOf(PaymentKind::Labour)], M("24000"));
        QCOMPARE(r.income, M("144000"));
        QCOMPARE(r.taxableIncome, M("84000"));
        QCOMPARE(r.incomeTax, M("5880"));
        QCOMPARE(r.withheld, M("8680"));
        QCOMPARE(r.balance, M("-2800"));
        QCOMPARE(BalanceAddedBy(in, PaymentKind::Labour), M("-2800"));
    }

    // Wages of 240,000: taxable 180,000 × 20 % − 16,920 = 19,080, all withheld. Six labour
    // payments of 2,000 (240 prepaid each, 1,440): 收入额 9,600; taxable 189,600 × 20 % −
    // 16,920 = 21,000; withheld 20,520: 480 to pay, above 400 and on more than 120,000.
    void reconcilesLabourIncomeToAPayment()
    {
        ReconciliationInput in;
        in.year = 2026;
        in.income = M("240000");
        in.withheld = M("19080");
        in.payments[IndexOf(PaymentKind::Labour)] = {M("12000"), M("1440")};
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.income, M("249600"));
        QCOMPARE(r.incomeTax, M("21000"));
        QCOMPARE(r.withheld, M("20520"));
        QCOMPARE(r.balance, M("480"));
        QVERIFY(!r.paymentExempt);
        QCOMPARE(BalanceAddedBy(in, PaymentKind::Labour), M("480"));
    }

    // The 10,000-a-month wages with authors' income of 40,000 (4,480 prepaid, 收入额 22,400)
    // and royalties of 10,000 (1,600 prepaid, 收入额 8,000): 150,400, taxable 90,400 × 10 % −
    // 2,520 = 6,520; withheld 9,560: 3,040 refunded. Without the authors' income 128,000,
    // taxable 68,000: 4,280 against 5,080, 800 refunded — the authors' income adds 2,240 to the
    // refund; without the royalties 142,400, taxable 82,400: 5,720 against 7,960, 2,240
    // refunded — the royalties add 800.
    void eachKindAddsItsShare()
    {
        ReconciliationInput in = TenThousandAMonth();
        in.payments[IndexOf(PaymentKind::Authors)] = {M("40000"), M("4480")};
        in.payments[IndexOf(PaymentKind::Royalty)] = {M("10000"), M("1600")};
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.income, M("150400"));
        QCOMPARE(r.incomeTax, M("6520"));
        QCOMPARE(r.balance, M("-3040"));
        QCOMPARE(BalanceAddedBy(in, PaymentKind::Authors), M("-2240"));
        QCOMPARE(BalanceAddedBy(in, PaymentKind::Royalty), M("-800"));
        QCOMPARE(BalanceAddedBy(in, PaymentKind::Labour), Money());
    }

    // A planned year: 10,000 a month with no contributions (3,480 withheld), one labour payment
    // of 30,000 in March (5,200 prepaid) and royalties of 3,000 in May (2,200 × 20 % = 440
    // prepaid): the reconciliation counts 120,000 + 24,000 + 2,400 = 146,400, taxable 86,400 ×
    // 10 % − 2,520 = 6,120 against 9,120: 3,000 refunded. Without the labour income 122,400,
    // taxable 62,400: 3,720 against 3,920, 200 refunded — it adds 2,800; without the
    // royalties the refund is 2,800 — they add 200. Severance of 300,000 on an average of
    // 80,000 stays apart: 3,480.
    void plansTheYearWithOtherIncome()
    {
        YearPlanInput in;
        in.year = 2026;
        in.wages.fill(M("10000"));
        in.contributions.employee = {0, 0, 0, 0, 0, 0};
        in.payments = {{3, PaymentKind::Labour, M("30000"), "某咨询公司"},
                       {5, PaymentKind::Royalty, M("3000"), ""}};
        in.severance = M("300000");
        in.localAverageWage = M("80000");
        const YearPlan plan = PlanYear(in);
        QCOMPARE(plan.totals.withheld, M("3480"));
        QCOMPARE(plan.prepayments.size(), std::size_t(2));
        QCOMPARE(plan.prepayments[0].tax, M("5200"));
        QCOMPARE(plan.prepayments[1].tax, M("440"));
        QCOMPARE(plan.reconciliation.income, M("146400"));
        QCOMPARE(plan.reconciliation.incomeTax, M("6120"));
        QCOMPARE(plan.reconciliation.withheld, M("9120"));
        QCOMPARE(plan.reconciliation.balance, M("-3000"));
        QCOMPARE(plan.balanceAddedBy[IndexOf(PaymentKind::Labour)], M("-2800"));
        QCOMPARE(plan.balanceAddedBy[IndexOf(PaymentKind::Royalty)], M("-200"));
        QVERIFY(plan.severance);
        QCOMPARE(plan.severance->tax, M("3480"));
        in.payments.push_back({13, PaymentKind::Authors, M("1"), ""});
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
    }

    // The bonus taxed on its own stays outside the comprehensive income, with its own tax.
    void separateBonusStaysOutside()
    {
        ReconciliationInput in = TenThousandAMonth();
        in.payments[IndexOf(PaymentKind::Labour)] = {M("30000"), M("5200")};
        in.separateBonus = M("36000");
        in.withheld += M("1080");
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.income, M("144000"));
        QCOMPARE(r.bonusTax, M("1080"));
        QCOMPARE(r.balance, M("-2800"));
    }
};

QTEST_APPLESS_MAIN(TestLawOtherIncome)
#include "test_law_other_income.moc"

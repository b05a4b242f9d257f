// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tax_brackets.h"
#include "core/tax_formulas.h"
#include "law/laws.h"
#include "law/month_by_month.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <cmath>

using namespace tallyra;

// The 1994 law of the engine against the calculator window's own arithmetic, where both apply:
// a threshold of 800, no subsidy, no funds, whole-yuan wages from the threshold up.
//
// Where and why they differ: the window works in single precision, the engine counts whole fen.
// With whole yuan and whole-percent rates every tax is a whole number of fen, so the engine is
// exact, and for every wage below 2^24 = 16,777,216 yuan the window's tax is exactly that figure
// rounded to the nearest single (24 bits), within half a unit of its seventh significant digit
// (the largest gap, 0.25 yuan, is a single's own rounding of a tax of millions). From 2^24 on
// the window cannot hold the wage itself: it is rounded to a single before the table is
// consulted (16,777,217 becomes 16,777,216; at ten billion the step is 1,024 yuan), so the
// window taxes another wage and may leave the tolerance: 16,777,217 yuan shows 7,534,012
// against the exact 7,534,012.65.
namespace {

float WindowTax(float salary)
{
    constexpr float kThreshold = 800.0f;
    const auto row = SelectBracket(salary - kThreshold);
    const TaxInputs in{salary,
                       0.0f,
                       FundsTotal::FromSingle(0.0f),
                       kThreshold,
                       row ? row->rate : 0.0,
                       row ? row->quickDeduction : 0.0f};
    return TaxFromPreTax(in);
}

double EngineTax(long long wageYuan)
{
    const law::WageLaw* law = law::LawOn({1994, 1, 1});
    const law::Money tax = law::TaxMonthByMonth(*law, law::Money::Yuan(wageYuan), law::Money()).tax;
    return double(tax.fen()) / 100.0;
}

// Half a unit of the seventh significant digit of `value`.
double HalfSeventhDigit(double value)
{
    if (value == 0.0)
        return 0.0;
    return 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 6);
}

float Narrow(double value)
{
    return float(value);
}

struct Agreement {
    long long compared = 0;
    long long differing = 0;
    long long firstDifferent = 0;
    double largestDifference = 0.0;
};

Agreement Compare(long long from, long long to, long long step)
{
    Agreement a;
    for (long long wage = from; wage <= to; wage += step) {
        const double window = WindowTax(float(wage));
        const double engine = EngineTax(wage);
        const double difference = std::fabs(window - engine);
        ++a.compared;
        a.largestDifference = std::max(a.largestDifference, difference);
        if (float(window) != Narrow(engine) && a.differing++ == 0)
            a.firstDifferent = wage;
        if (difference > HalfSeventhDigit(engine)) {
            QTest::qFail(qPrintable(QStringLiteral("wage %1: window %2, engine %3")
                                        .arg(wage)
                                        .arg(window, 0, 'f', 4)
                                        .arg(engine, 0, 'f', 2)),
                         __FILE__, __LINE__);
            return a;
        }
    }
    return a;
}

} // namespace

class TestLawClassic : public QObject {
    Q_OBJECT

private slots:
    void agreesWithinTheWindowsPrecision_data()
    {
        QTest::addColumn<qlonglong>("from");
        QTest::addColumn<qlonglong>("to");
        QTest::addColumn<qlonglong>("step");
        QTest::addColumn<bool>("exact"); // the window's figure is the engine's, narrowed
        QTest::newRow("every yuan to 250,000") << 800LL << 250'000LL << 1LL << true;
        QTest::newRow("every 7 yuan to 2 million") << 250'001LL << 2'000'000LL << 7LL << true;
        QTest::newRow("every 61 yuan to 2^24") << 2'000'001LL << 16'777'215LL << 61LL << true;
        QTest::newRow("the last 1,000 yuan below 2^24")
            << 16'776'216LL << 16'777'215LL << 1LL << true;
    }
    void agreesWithinTheWindowsPrecision()
    {
        QFETCH(qlonglong, from);
        QFETCH(qlonglong, to);
        QFETCH(qlonglong, step);
        QFETCH(bool, exact);
        const Agreement a = Compare(from, to, step);
        if (exact)
            QCOMPARE(a.differing, 0LL);
        qInfo("%lld wages compared, %lld differ (first at %lld), largest difference %.4f",
              a.compared, a.differing, a.firstDifferent, a.largestDifference);
    }

    // Both take a shared bound into the lower row.
    void agreesAtEveryBound()
    {
        for (long long bound :
             {500LL, 2'000LL, 5'000LL, 20'000LL, 40'000LL, 60'000LL, 80'000LL, 100'000LL})
            for (long long wage : {800 + bound, 800 + bound + 1})
                QCOMPARE(WindowTax(float(wage)), Narrow(EngineTax(wage)));
    }

    // From 2^24 yuan the window taxes the wage rounded to a single: its figure is the engine's
    // for that wage, and no longer within the tolerance of the engine's for the wage typed.
    void windowRoundsWagesFrom2To24_data()
    {
        QTest::addColumn<qlonglong>("wage");
        QTest::addColumn<qlonglong>("heldAs");
        QTest::addColumn<bool>("outsideTolerance");
        // 7,534,012.65 against the window's 7,534,012 (its single of 16,777,216's 7,534,012.20).
        QTest::newRow("2^24 + 1") << 16'777'217LL << 16'777'216LL << true;
        QTest::newRow("2^24 + 3") << 16'777'219LL << 16'777'220LL << false;
        QTest::newRow("ten billion + 500") << 10'000'000'500LL << 10'000'000'000LL << false;
    }
    void windowRoundsWagesFrom2To24()
    {
        QFETCH(qlonglong, wage);
        QFETCH(qlonglong, heldAs);
        QFETCH(bool, outsideTolerance);
        QCOMPARE(qlonglong(float(wage)), heldAs);
        const double window = WindowTax(float(wage));
        QCOMPARE(float(window), Narrow(EngineTax(heldAs)));
        QCOMPARE(std::fabs(window - EngineTax(wage)) > HalfSeventhDigit(EngineTax(wage)),
                 outsideTolerance);
    }
};

QTEST_APPLESS_MAIN(TestLawClassic)
#include "test_law_classic.moc"

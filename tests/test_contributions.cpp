// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contributions.h"
#include "core/number_text.h"
#include "tests/support/exact_compare.h"

#include <QTest>

using namespace tallyra;

namespace {

QStringList Texts(const Contributions& c)
{
    QStringList out;
    for (const auto& fund : c.perFund)
        out << (fund ? QString::fromStdString(DoubleToText(fund->employee)) : QStringLiteral("-"));
    for (const auto& fund : c.perFund)
        out << (fund ? QString::fromStdString(DoubleToText(fund->employer)) : QStringLiteral("-"));
    out << QString::fromStdString(DoubleToText(c.employeeTotal))
        << QString::fromStdString(SingleToText(c.employerTotal))
        << QString::fromStdString(DoubleToText(c.grandTotal));
    return out;
}

} // namespace

class TestContributions : public QObject {
    Q_OBJECT

private slots:
    void contributions_data()
    {
        QTest::addColumn<float>("base");
        QTest::addColumn<QList<bool>>("ticked");
        QTest::addColumn<QStringList>("expected");
        const QList<bool> all{true, true, true, true};
        QTest::newRow("base 1200")
            << 1200.0f << all
            << QStringList{"84", "96", "24", "12", "84", "270", "144", "24", "216", "522", "738"};
        QTest::newRow("base 1234.5")
            << 1234.5f << all
            << QStringList{"86.415", "98.76", "24.69",  "12.345",   "86.415",          "277.7625",
                           "148.14", "24.69", "222.21", "537.0075", "759.217507324219"};
        QTest::newRow("unemployment only")
            << 1234.5f << QList<bool>{false, false, false, true}
            << QStringList{"-",     "-",      "-",     "12.345",          "-", "-", "-",
                           "24.69", "12.345", "24.69", "37.0350005340576"};
        QTest::newRow("nothing ticked")
            << 1234.5f << QList<bool>{false, false, false, false}
            << QStringList{"-", "-", "-", "-", "-", "-", "-", "-", "0", "0", "0"};
        QTest::newRow("negative base")
            << -1000.0f << all << QStringList{"-70",  "-80", "-20",  "-10",  "-70", "-225",
                                              "-120", "-20", "-180", "-435", "-615"};
    }
    void contributions()
    {
        QFETCH(float, base);
        QFETCH(QList<bool>, ticked);
        QFETCH(QStringList, expected);
        const Contributions c =
            ComputeContributions(base, {ticked[0], ticked[1], ticked[2], ticked[3]});
        QCOMPARE(Texts(c), expected);
    }

    // The employer's total is rounded to single after every addition, the employee's not.
    void employerTotalIsSinglePrecision()
    {
        const Contributions c = ComputeContributions(1234.5f, {true, true, true, true});
        QCOMPARE_EXACT(c.employerTotal, 537.0075f);
        QCOMPARE_EXACT(c.grandTotal, double(537.0075f) + c.employeeTotal);
    }
};

QTEST_APPLESS_MAIN(TestContributions)
#include "test_contributions.moc"

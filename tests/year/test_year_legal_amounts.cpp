// SPDX-License-Identifier: GPL-3.0-or-later
// The form's walk through the law's years: every amount it shows beside a deduction is the
// amount the engine deducts for that year, and a year without the deduction shows no amount.
#include "tests/year/year_driver.h"
#include "year/amount_text.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTest>

using namespace tallyra;
using law::Money;

namespace {

// The first amount in a legal line ("每人每月 2,000 元" → 2,000); none when it names none.
std::optional<Money> FirstAmount(const QString& text)
{
    static const QRegularExpression figure(QStringLiteral("[0-9][0-9,]*(\\.[0-9]+)?(?![0-9]*年)"));
    const QRegularExpressionMatch match = figure.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return year::ReadAmount(match.captured()).value;
}

// What the engine deducts for the item the row is about, with the item set as `set` does.
Money EngineAmount(const QString& item, const law::YearPlan& plan)
{
    const law::MonthPlan& january = plan.months[0];
    if (item == QLatin1String("childrenSpin"))
        return january.special.childEducation;
    if (item == QLatin1String("infantSpin"))
        return january.special.infantCare;
    if (item == QLatin1String("degreeCheck"))
        return january.special.continuingEducation;
    if (item.startsWith(QLatin1String("housingBox")))
        return january.special.housing;
    if (item == QLatin1String("elderlyBox"))
        return january.special.elderlySupport;
    if (item == QLatin1String("certificateCheck"))
        return january.certificate;
    if (item == QLatin1String("healthInsuranceEdit"))
        return january.otherDeduction;
    Money year; // the personal pension: its cap is the year's
    for (const law::MonthPlan& m : plan.months)
        year = year + m.otherDeduction;
    return year;
}

// Sets the item as a user claims it in full: one child, a loan, the largest payments.
void Claim(test::YearDriver& d, const QString& item)
{
    if (item == QLatin1String("childrenSpin") || item == QLatin1String("infantSpin"))
        d.setCount(item, 1);
    else if (item == QLatin1String("degreeCheck"))
        d.setChecked(item, true);
    else if (item == QLatin1String("certificateCheck")) {
        d.setChecked(item, true);
        d.choose(QStringLiteral("certificateMonthBox"), 1);
    } else if (item == QLatin1String("housingBoxLoan"))
        d.choose(QStringLiteral("housingBox"), int(law::Housing::Loan));
    else if (item.startsWith(QLatin1String("housingBoxRent"))) {
        d.choose(QStringLiteral("housingBox"), int(law::Housing::Rent));
        d.choose(QStringLiteral("rentTierBox"), item.right(1).toInt());
    } else if (item == QLatin1String("elderlyBox"))
        d.choose(item, 1);
    else
        d.type(item, QStringLiteral("100000"));
}

} // namespace

class TestYearLegalAmounts : public QObject {
    Q_OBJECT

private slots:
    void theFormShowsTheEnginesAmounts_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("item");
        for (int year : {2019, 2022, 2023, 2027})
            for (const char* item :
                 {"childrenSpin", "infantSpin", "degreeCheck", "certificateCheck", "housingBoxLoan",
                  "housingBoxRent1", "housingBoxRent2", "housingBoxRent3", "elderlyBox",
                  "healthInsuranceEdit", "personalPensionEdit"})
                QTest::addRow("%d %s", year, item) << year << QString::fromLatin1(item);
    }
    void theFormShowsTheEnginesAmounts()
    {
        QFETCH(int, year);
        QFETCH(QString, item);
        test::YearDriver d(QDate(2026, 12, 7));
        d.choose(QStringLiteral("yearBox"), year);
        Claim(d, item);
        QVERIFY2(d.window().plan().has_value(), qPrintable(d.window().problems().join(';')));
        const QString row =
            item.startsWith(QLatin1String("housingBox")) ? QStringLiteral("housingBox") : item;
        const QString shown = d.control<QLabel>(row + QStringLiteral("Legal"))->text();
        const Money engine = EngineAmount(item, *d.window().plan());
        QCOMPARE(FirstAmount(shown).value_or(Money()), engine);
        QVERIFY2(!engine.isZero() || !FirstAmount(shown), qPrintable(shown));
    }
};

QTEST_MAIN(TestYearLegalAmounts)
#include "test_year_legal_amounts.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The form's walk through the law's years: every amount it shows beside a deduction is the
// amount the engine deducts for that year, and a year without the deduction shows no amount.
#include "law/parameters.h"
#include "law/ten_thousands.h"
#include "law/withholding.h"
#include "tests/year/year_driver.h"
#include "year/amount_text.h"
#include "year/form/field_row.h"
#include "year/form/input_fields.h"
#include "year/form/input_summary.h"
#include "year/pages/month_explanation.h"
#include "year/pages/plan_texts.h"

#include <QCheckBox>
#include <QComboBox>
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

// "6万" for the law's 60,000: how the texts name an amount in ten thousands.
QString InTenThousands(Money amount)
{
    return QString::fromStdString(law::TenThousandYuan(amount)) + QStringLiteral("万");
}

// The amount a text names in ten thousands ("按全年6万元减除" → 60,000); none when it names none.
std::optional<Money> TenThousandAmount(const QString& text)
{
    static const QRegularExpression figure(QStringLiteral("([0-9]+(\\.[0-9]+)?) ?万元"));
    const QRegularExpressionMatch match = figure.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return year::ReadAmount(match.captured(1)).value.value().times(10'000);
}

QString LegalLine(test::YearDriver& d, const QString& row)
{
    return d.control<QLabel>(row + QStringLiteral("Legal"))->text();
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

    // The whole-year rule's line names the law's figures for the year chosen, or the year it
    // starts in before it does; the check box's own text names the amount the engine deducts.
    void theWholeYearRuleNamesTheYearsFigures_data()
    {
        QTest::addColumn<int>("year");
        for (int year : {2019, 2020, 2021, 2027})
            QTest::addRow("%d", year) << year;
    }
    void theWholeYearRuleNamesTheYearsFigures()
    {
        QFETCH(int, year);
        test::YearDriver d(QDate(2026, 12, 7));
        d.choose(QStringLiteral("yearBox"), year);
        const QString line = LegalLine(d, QStringLiteral("wholeYearCheck"));
        const auto* rule = law::WholeYearDeductionFor(year);
        if (!rule) {
            const int first = law::kWholeYearWithholdingDeduction.first().from.year;
            QVERIFY2(year < first, qPrintable(line));
            QVERIFY2(line.startsWith(QStringLiteral("%1年起").arg(first)), qPrintable(line));
            QVERIFY(!d.control<QCheckBox>(QStringLiteral("wholeYearCheck"))->isEnabled());
            return;
        }
        const QString limit = InTenThousands(rule->value.priorYearWageLimit);
        QVERIFY2(line.endsWith(QStringLiteral("工资不超过") + limit), qPrintable(line));
        QVERIFY(d.control<QLabel>(QStringLiteral("wholeYearCheckLegal"))
                    ->toolTip()
                    .endsWith(QStringLiteral("工资不超过") + limit + QStringLiteral("元")));

        auto* box = d.control<QCheckBox>(QStringLiteral("wholeYearCheck"));
        d.setChecked(QStringLiteral("wholeYearCheck"), true);
        QVERIFY2(d.window().plan().has_value(), qPrintable(d.window().problems().join(';')));
        const Money january = d.window().plan()->months[0].step.cumulative.basicDeduction;
        QCOMPARE(TenThousandAmount(box->text()), std::optional(january));
        const QString explained =
            year::ExplainMonth(d.window().inputs()->plan, *d.window().plan(), 1);
        QVERIFY2(explained.contains(
                     QStringLiteral("全年一次减除 %1 万元")
                         .arg(QString::fromStdString(law::TenThousandYuan(rule->value.deduction)))),
                 qPrintable(explained));
    }

    // Without the whole-year deduction a month is explained with the month's deduction of the
    // law of that month, times the months counted.
    void theMonthsExplanationNamesTheMonthlyDeduction_data()
    {
        QTest::addColumn<int>("year");
        for (int year : {2019, 2022, 2027})
            QTest::addRow("%d", year) << year;
    }
    void theMonthsExplanationNamesTheMonthlyDeduction()
    {
        QFETCH(int, year);
        test::YearDriver d(QDate(2026, 12, 7));
        d.choose(QStringLiteral("yearBox"), year);
        QVERIFY(d.window().plan().has_value());
        const QString explained =
            year::ExplainMonth(d.window().inputs()->plan, *d.window().plan(), 3);
        const Money monthly = law::kMonthlyBasicDeduction.inMonth({year, 3})->value;
        QVERIFY2(explained.contains(
                     QStringLiteral("（%1 元 × 3 个月）").arg(year::ShortAmount(monthly))),
                 qPrintable(explained));
        QCOMPARE(d.window().plan()->months[2].step.cumulative.basicDeduction, monthly.times(3));
    }

    // A small payment let go at the reconciliation: the page names the year's limits and filing
    // window from the law; a year after the exemption ends says there is none.
    void theReconciliationNamesTheYearsLimits_data()
    {
        QTest::addColumn<int>("year");
        for (int year : {2020, 2021, 2027, 2028})
            QTest::addRow("%d", year) << year;
    }
    void theReconciliationNamesTheYearsLimits()
    {
        QFETCH(int, year);
        test::YearDriver d(QDate(2026, 12, 7));
        d.choose(QStringLiteral("yearBox"), year);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("10000"));
        d.type(QStringLiteral("otherIncomeEdit"), QStringLiteral("1000")); // no tax withheld on it
        QVERIFY2(d.window().plan().has_value(), qPrintable(d.window().problems().join(';')));
        const law::YearPlan& plan = *d.window().plan();
        const QString html = year::DescribeReconciliation(d.window().inputs()->plan, plan);
        const law::FilingWindow& window = law::kReconciliationWindow.forTaxYear(year)->value;
        QVERIFY2(html.contains(QStringLiteral("%1年度汇算（次年%2月%3日至%4月%5日办理）")
                                   .arg(year)
                                   .arg(window.fromMonth)
                                   .arg(window.fromDay)
                                   .arg(window.untilMonth)
                                   .arg(window.untilDay)),
                 qPrintable(html));
        QVERIFY(plan.reconciliation.balance > Money());
        if (!law::SmallPaymentExemptionFor(year)) {
            QVERIFY(!plan.reconciliation.paymentExempt);
            QVERIFY2(html.contains(QStringLiteral("%1年尚无免予补税的规定").arg(year)),
                     qPrintable(html));
            return;
        }
        QVERIFY(plan.reconciliation.paymentExempt);
        const Money payment = law::kExemptPaymentLimit.forTaxYear(year)->value;
        const Money income = law::kExemptIncomeLimit.forTaxYear(year)->value;
        QVERIFY2(html.contains(QStringLiteral("补税不超过 %1 元，或全年综合所得收入不超过 %2 万元")
                                   .arg(year::ShortAmount(payment),
                                        QString::fromStdString(law::TenThousandYuan(income)))),
                 qPrintable(html));
        QVERIFY(plan.reconciliation.balance <= payment || plan.reconciliation.income <= income);
    }

    // The choices and captions that name a legal figure name the law's: the shares a split
    // deduction may take, the population parting the rent tiers, the infants' age.
    void theFormsChoicesNameTheLawsFigures_data()
    {
        QTest::addColumn<QString>("box");
        for (const char* box : {"childShareBox", "infantShareBox", "loanShareBox"})
            QTest::newRow(box) << QString::fromLatin1(box);
    }
    void theFormsChoicesNameTheLawsFigures()
    {
        QFETCH(QString, box);
        test::YearDriver d(QDate(2026, 12, 7));
        const law::DeductionShares shares = law::kDeductionShares.latest().value;
        auto* shareBox = d.control<QComboBox>(box);
        QCOMPARE(shareBox->count(), 2);
        QCOMPARE(shareBox->itemData(0).toInt(), shares.whole);
        QCOMPARE(shareBox->itemData(1).toInt(), shares.split);
        for (int i = 0; i < 2; ++i)
            QVERIFY2(shareBox->itemText(i).endsWith(
                         QStringLiteral(" %1%").arg(shareBox->itemData(i).toInt())),
                     qPrintable(shareBox->itemText(i)));

        auto* tiers = d.control<QComboBox>(QStringLiteral("rentTierBox"));
        const QString bound = QString::fromStdString(
            law::TenThousands(law::kHousingRentDeduction.latest().value.populationBound));
        QCOMPARE(tiers->itemText(1), QStringLiteral("户籍人口超过%1万的城市").arg(bound));
        QCOMPARE(tiers->itemText(2), QStringLiteral("户籍人口不超过%1万的城市").arg(bound));

        const QString infants =
            QStringLiteral("%1岁以下婴幼儿照护").arg(law::kInfantCareAgeLimit.latest().value);
        bool named = false;
        for (const QLabel* label : d.window().findChildren<QLabel*>())
            named = named || year::WithoutAccessKey(label->text()) == infants;
        QVERIFY2(named, qPrintable(infants));
    }

    // The printed summary names each input it shows alone by the declaration's caption, in the
    // declaration's order; the whole-year deduction's caption names the law's latest amount.
    void theSummaryNamesInputsAsDeclared()
    {
        test::YearDriver d(QDate(2026, 12, 7));
        const QStringList summary = year::InputSummary(*d.window().inputs());
        QStringList labels;
        for (const QString& line : summary)
            labels << line.section(QStringLiteral("："), 0, 0);
        QStringList declared;
        for (const year::InputField& field : year::InputFields()) {
            const QString caption = year::WithoutAccessKey(QString::fromUtf8(field.caption));
            if (labels.contains(caption))
                declared << caption;
        }
        QStringList shown;
        for (const QString& label : labels)
            if (declared.contains(label))
                shown << label;
        QCOMPARE(shown, declared);
        for (const char* name : {"firstMonthBox", "wageEdit", "bonusEdit", "socialBaseEdit",
                                 "fundBaseEdit", "wholeYearCheck"})
            QVERIFY2(declared.contains(year::WithoutAccessKey(
                         QString::fromUtf8(year::InputFieldNamed(name).caption))),
                     name);
        const Money whole = law::kWholeYearWithholdingDeduction.latest().value.deduction;
        QCOMPARE(year::WithoutAccessKey(
                     QString::fromUtf8(year::InputFieldNamed("wholeYearCheck").caption)),
                 QStringLiteral("全年减除") + InTenThousands(whole));
    }
};

QTEST_MAIN(TestYearLegalAmounts)
#include "test_year_legal_amounts.moc"

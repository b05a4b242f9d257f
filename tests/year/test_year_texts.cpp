// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's reading and writing of amounts, rates, profiles, CSV fields and colours,
// without a window.
#include "law/year_plan.h"
#include "tests/law/law_test_support.h"
#include "ui/contrast.h"
#include "year/amount_text.h"
#include "year/files/csv_export.h"
#include "year/files/profile_codec.h"
#include "year/form/field_row.h"
#include "year/pages/month_chart.h"
#include "year/planner_colours.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace tallyra;
using law::Money;
using law_test::M;

namespace {

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    return p;
}

QPalette LightPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(239, 239, 239));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(48, 140, 198));
    return p;
}

} // namespace

class TestYearTexts : public QObject {
    Q_OBJECT

private slots:
    // A caption as read aloud and listed: its access key taken out, as "(&W)" after Chinese or
    // as "&" before the letter.
    void takesTheAccessKeyOutOfACaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("plain");
        QTest::newRow("after Chinese") << "月工资(&W)" << "月工资";
        QTest::newRow("before a letter") << "&File" << "File";
        QTest::newRow("inside") << "Save &As" << "Save As";
        QTest::newRow("none") << "当地上年月平均工资" << "当地上年月平均工资";
        QTest::newRow("a last ampersand stays") << "R&" << "R&";
        QTest::newRow("two ampersands") << "a&&b" << "ab";
        QTest::newRow("a bracket without a key") << "(&)" << "()";
        QTest::newRow("an unclosed bracket") << "工资(&W" << "工资(W";
        QTest::newRow("empty") << "" << "";
    }
    void takesTheAccessKeyOutOfACaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, plain);
        QCOMPARE(year::WithoutAccessKey(caption), plain);
    }

    void readsAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // "" when refused
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("whole") << "25000" << "25000" << "";
        QTest::newRow("cents") << "25000.5" << "25000.50" << "";
        QTest::newRow("blanks around") << "  12 " << "12" << "";
        QTest::newRow("grouped") << "1,234,567.89" << "1234567.89" << "";
        QTest::newRow("full-width") << "２５０００．０５" << "25000.05" << "";
        QTest::newRow("Chinese comma") << "25，000" << "25000" << "";
        QTest::newRow("the largest") << "10000000000" << "10000000000" << "";
        QTest::newRow("a fen more") << "10000000000.01" << "" << "金额过大";
        QTest::newRow("beyond 64 bits") << "99999999999999999999" << "" << "金额过大";
        QTest::newRow("three decimals") << "1.005" << "" << "最多两位小数";
        QTest::newRow("negative") << "-1" << "" << "不能为负数";
        QTest::newRow("letters") << "12a" << "" << "“12a”不是金额";
        QTest::newRow("Chinese number") << "一万" << "" << "不是金额";
        QTest::newRow("exponent") << "1e5" << "" << "不是金额";
        QTest::newRow("stop alone") << "." << "" << "不是金额";
        QTest::newRow("empty") << "" << "" << "请填写金额";
        QTest::newRow("in 万") << "1.8万" << "18000" << "";
        QTest::newRow("in 万, blank before") << "3 万" << "30000" << "";
        QTest::newRow("in 万, full-width") << "１．８万" << "18000" << "";
        QTest::newRow("in 万 to the fen") << "1.23456万" << "12345.60" << "";
        QTest::newRow("in 万, grouped") << "1,000万" << "10000000" << "";
        QTest::newRow("in 万, stop last") << "2.万" << "20000" << "";
        QTest::newRow("in 万, the largest") << "1000000万" << "10000000000" << "";
        QTest::newRow("in 万, the fen") << "1.234567万" << "12345.67" << "";
        QTest::newRow("in 万, finer than a fen") << "1.2345678万" << "" << "最多两位小数";
        QTest::newRow("in 万, no whole part") << ".5万" << "5000" << "";
        QTest::newRow("in 万, too large") << "1000000.0001万" << "" << "金额过大";
        QTest::newRow("in 万, beyond 64 bits") << "99999999999999999万" << "" << "金额过大";
        QTest::newRow("万 alone") << "万" << "" << "“万”不是金额";
        QTest::newRow("万 twice") << "1万万" << "" << "不是金额";
        QTest::newRow("万 first") << "万5" << "" << "不是金额";
        QTest::newRow("in 万, negative") << "-1万" << "" << "不能为负数";
        // clang-format on
    }
    void readsAmounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        const year::AmountReading r = year::ReadAmount(text);
        if (value.isEmpty()) {
            QVERIFY(!r.value);
            QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
        } else {
            QCOMPARE(r.value, std::optional(M(value.toStdString())));
            QVERIFY(r.reason.isEmpty());
        }
    }

    void readsAnEmptyOptionalAmountAsItsDefault()
    {
        QCOMPARE(year::ReadAmount(QString(), Money()).value, std::optional(Money()));
        QCOMPARE(year::ReadAmount(QStringLiteral("  "), M("7")).value, std::optional(M("7")));
    }

    void readsRates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<bool>("alsoZero");
        QTest::addColumn<int>("points"); // -1 when refused
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("8") << "8" << 0 << 10000 << false << 800 << "";
        QTest::newRow("0.5 with a sign") << "0.5%" << 0 << 10000 << false << 50 << "";
        QTest::newRow("full-width sign") << "１２％" << 500 << 1200 << true << 1200 << "";
        QTest::newRow("fund at 5") << "5" << 500 << 1200 << true << 500 << "";
        QTest::newRow("fund at 4.99") << "4.99" << 500 << 1200 << true << -1 << "5% 到 12%";
        QTest::newRow("fund at 12.01") << "12.01" << 500 << 1200 << true << -1 << "不缴存填 0";
        QTest::newRow("fund not paid") << "0" << 500 << 1200 << true << 0 << "";
        QTest::newRow("0 where not allowed") << "0" << 500 << 1200 << false << -1 << "5% 到 12%";
        QTest::newRow("three decimals") << "0.125" << 0 << 10000 << false << -1 << "两位小数";
        QTest::newRow("negative") << "-1" << 0 << 10000 << false << -1 << "0% 到 100%";
        QTest::newRow("words") << "八" << 0 << 10000 << false << -1 << "不是百分比";
        QTest::newRow("empty") << "" << 0 << 10000 << false << -1 << "请填写比例";
        // clang-format on
    }
    void readsRates()
    {
        QFETCH(QString, text);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(bool, alsoZero);
        QFETCH(int, points);
        QFETCH(QString, reason);
        const year::RateReading r = year::ReadRate(text, lowest, highest, alsoZero);
        QCOMPARE(r.basisPoints.value_or(-1), points);
        QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
    }

    void writesAmounts_data()
    {
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shortText");
        QTest::newRow("zero") << qint64(0) << "0.00"
                              << "0"
                              << "0";
        QTest::newRow("a fen") << qint64(1) << "0.01"
                               << "0.01"
                               << "0.01";
        QTest::newRow("ten fen") << qint64(10) << "0.10"
                                 << "0.1"
                                 << "0.10";
        QTest::newRow("thousands") << qint64(2500000) << "25,000.00"
                                   << "25000"
                                   << "25,000";
        QTest::newRow("millions") << qint64(123456789) << "1,234,567.89"
                                  << "1234567.89"
                                  << "1,234,567.89";
        QTest::newRow("negative") << qint64(-123456) << "-1,234.56"
                                  << "-1234.56"
                                  << "-1,234.56";
        QTest::newRow("the least") << qint64(INT64_MIN) << "-92,233,720,368,547,758.08"
                                   << "-92233720368547758.08"
                                   << "-92,233,720,368,547,758.08";
    }
    void writesAmounts()
    {
        QFETCH(qint64, fen);
        QFETCH(QString, grouped);
        QFETCH(QString, typed);
        QFETCH(QString, shortText);
        QCOMPARE(year::GroupedAmount(Money::Fen(fen)), grouped);
        QCOMPARE(year::TypedAmount(Money::Fen(fen)), typed);
        QCOMPARE(year::ShortAmount(Money::Fen(fen)), shortText);
    }

    void writesRates()
    {
        QCOMPARE(year::RateText(800), QStringLiteral("8"));
        QCOMPARE(year::RateText(50), QStringLiteral("0.5"));
        QCOMPARE(year::RateText(1250), QStringLiteral("12.5"));
        QCOMPARE(year::RateText(16), QStringLiteral("0.16"));
        QCOMPARE(year::RateText(0), QStringLiteral("0"));
    }

    // Every input survives the way through a stored profile.
    void profilesKeepEveryInput()
    {
        year::PlannerInputs in = year::DefaultInputs(2024);
        law::YearPlanInput& p = in.plan;
        p.firstMonthEmployed = 3;
        in.wage = M("23456.78");
        in.wageEdited[4] = true;
        p.bonus = M("50000.01");
        p.bonusMonth = 6;
        p.bonusTreatment = law::BonusTreatment::Combined;
        p.contributions.socialInsuranceBase = {M("9000"), M("7000"), M("35000")};
        p.contributions.housingFundBase = {std::nullopt, M("2500"), M("36000")};
        p.contributions.employee = {750, 150, 25, 1200};
        p.contributions.employer = {1500, 900, 30, 45, 1100};
        p.special = {2,  50, 1,     50,        true,      true, 8, law::Housing::Rent,
                     50, 3,  false, M("1200"), M("33000")};
        p.other = {M("150"), M("1000"), M("10")};
        p.wholeYearDeduction = true;
        p.reconcileItemsForWholeYear = false;
        p.otherIncome = M("1");
        p.otherSpecialDeduction = M("2");
        p.otherWithheld = M("3");
        year::SpreadWage(in);
        p.wages[4] = M("30000");
        const QByteArray json = QJsonDocument(year::EncodeInputs(in)).toJson();
        const year::DecodedInputs back =
            year::DecodeInputs(QJsonDocument::fromJson(json).object(), 2026);
        QVERIFY2(back.damaged.isEmpty(), qPrintable(back.damaged.join(',')));
        QVERIFY(back.inputs == in);
        QVERIFY(!(back.inputs == year::DefaultInputs(2024)));
    }

    // A profile of 2020 that asks for the whole-year deduction (written by hand, or before the
    // rule was dated) plans its year without it, as the form does; 2021 keeps it.
    void profilesTakeTheWholeYearDeductionOnlyFrom2021_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("taken");
        QTest::newRow("2020") << 2020 << false;
        QTest::newRow("2021") << 2021 << true;
    }
    void profilesTakeTheWholeYearDeductionOnlyFrom2021()
    {
        QFETCH(int, year);
        QFETCH(bool, taken);
        QJsonObject json{{"year", year}, {"wage", "8000.00"}, {"wholeYearDeduction", true}};
        const year::DecodedInputs d = year::DecodeInputs(json, 2026);
        QVERIFY(d.damaged.isEmpty());
        QCOMPARE(d.inputs.plan.wholeYearDeduction, taken);
        const law::YearPlan plan = law::PlanYear(d.inputs.plan);
        QCOMPARE(plan.months[0].step.cumulative.basicDeduction, taken ? M("60000") : M("5000"));
    }

    // A hand-edited or damaged entry: each field that does not read keeps its default and is
    // named; the rest is read.
    void profilesReadWhatTheyCan_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("damaged");
        // clang-format off
        QTest::newRow("wage not an amount") << R"({"year":2025,"wage":"abc","bonus":"100"})" << "wage";
        QTest::newRow("wage a number") << R"({"year":2025,"wage":25000,"bonus":"100"})" << "wage";
        QTest::newRow("year before 2019") << R"({"year":2018,"wage":"1","bonus":"100"})" << "year";
        QTest::newRow("month 13") << R"({"year":2025,"firstMonth":13,"wage":"1","bonus":"100"})" << "firstMonth";
        QTest::newRow("share 70") << R"({"year":2025,"wage":"1","bonus":"100","special":{"childShare":70}})" << "special.childShare";
        QTest::newRow("fund rate 15") << R"({"year":2025,"wage":"1","bonus":"100","rates":{"housingFund":1500}})" << "rates.housingFund";
        QTest::newRow("housing unknown") << R"({"year":2025,"wage":"1","bonus":"100","special":{"housing":"boat"}})" << "special.housing";
        QTest::newRow("rates not an object") << R"({"year":2025,"wage":"1","bonus":"100","rates":[]})" << "rates";
        QTest::newRow("edited month 0") << R"({"year":2025,"wage":"1","bonus":"100","editedWages":{"0":"5"}})" << "editedWages.0";
        // clang-format on
    }
    void profilesReadWhatTheyCan()
    {
        QFETCH(QString, json);
        QFETCH(QString, damaged);
        const year::DecodedInputs d =
            year::DecodeInputs(QJsonDocument::fromJson(json.toUtf8()).object(), 2026);
        QCOMPARE(d.damaged, QStringList{damaged});
        QCOMPARE(d.inputs.plan.bonus, M("100"));
        QCOMPARE(d.inputs.plan.year, damaged == QLatin1String("year") ? 2026 : 2025);
        const year::PlannerInputs defaults = year::DefaultInputs(d.inputs.plan.year);
        if (damaged == QLatin1String("wage"))
            QCOMPARE(d.inputs.wage, defaults.wage);
        QCOMPARE(d.inputs.plan.contributions.employee.housingFund,
                 defaults.plan.contributions.employee.housingFund);
        QVERIFY(!d.inputs.wageEdited[0]);
    }

    void quotesCsvFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "1月"
                               << "1月";
        QTest::newRow("comma") << "a,b"
                               << "\"a,b\"";
        QTest::newRow("quote") << "say \"hi\""
                               << "\"say \"\"hi\"\"\"";
        QTest::newRow("line end") << "a\nb"
                                  << "\"a\nb\"";
    }
    void quotesCsvFields()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(year::CsvField(text), field);
    }

    void roundsChartAxes_data()
    {
        QTest::addColumn<double>("highest");
        QTest::addColumn<double>("top");
        QTest::newRow("nothing") << 0.0 << 1.0;
        QTest::newRow("97.5") << 97.5 << 100.0;
        QTest::newRow("1,062.5") << 1062.5 << 2000.0;
        QTest::newRow("5,790") << 5790.0 << 10000.0;
        QTest::newRow("exactly 2,000") << 2000.0 << 2000.0;
        QTest::newRow("73,772.5") << 73772.5 << 100000.0;
    }
    void roundsChartAxes()
    {
        QFETCH(double, highest);
        QFETCH(double, top);
        QCOMPARE(year::NiceCeiling(highest), top);
    }

    // Refusals and the step-up tint stay readable on light and dark palettes.
    void coloursKeepTheirContrast_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << LightPalette();
        QTest::newRow("dark") << DarkPalette();
    }
    void coloursKeepTheirContrast()
    {
        QFETCH(QPalette, palette);
        const QColor warning = year::WarningText(palette);
        QVERIFY(ContrastRatio(warning, palette.color(QPalette::Window)) >= 4.5);
        QVERIFY(ContrastRatio(warning, palette.color(QPalette::Base)) >= 4.5);
        const QColor tint = year::StepUpBackground(palette);
        QVERIFY(tint != palette.color(QPalette::Base));
        QVERIFY(ContrastRatio(palette.color(QPalette::Text), tint) >= 4.5);
        for (const QColor& series :
             {year::TaxSeriesColor(palette), year::TakeHomeSeriesColor(palette)})
            QVERIFY(ContrastRatio(series, palette.color(QPalette::Base)) >= 3);
        QCOMPARE(year::IsDarkPalette(palette), palette.color(QPalette::Window).lightness() < 128);
    }

    void contrastRatioOfKnownPairs()
    {
        QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white) * 100), 2100);
        QCOMPARE(ContrastRatio(Qt::red, Qt::red), 1.0);
    }
};

QTEST_MAIN(TestYearTexts)
#include "test_year_texts.moc"

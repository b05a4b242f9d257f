// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's other comprehensive income and severance pay, driven in the real window:
// payments typed into the list with their prepayment shown, the reconciliation counting them,
// the bonus page's severance, and all of it kept in a profile, the CSV and the printed year.
#include "tests/year/year_driver.h"
#include "year/pages/bonus_page.h"
#include "year/pages/plan_texts.h"
#include "year/pages/reconciliation_page.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;
using law::PaymentKind;

namespace {

QTableWidget* Payments(test::YearDriver& d)
{
    return d.control<QTableWidget>("paymentsTable");
}

// Adds a payment as a user does: the add button, then the row's boxes.
void AddPayment(test::YearDriver& d, int month, PaymentKind kind, const QString& amount,
                const QString& payer)
{
    d.control<QPushButton>("addPaymentButton")->click();
    QTableWidget* table = Payments(d);
    const int row = table->rowCount() - 1;
    auto* monthBox = qobject_cast<QComboBox*>(table->cellWidget(row, 0));
    monthBox->setCurrentIndex(monthBox->findData(month));
    auto* kindBox = qobject_cast<QComboBox*>(table->cellWidget(row, 1));
    kindBox->setCurrentIndex(kindBox->findData(static_cast<int>(kind)));
    auto* amountEdit = qobject_cast<QLineEdit*>(table->cellWidget(row, 2));
    amountEdit->selectAll();
    QTest::keyClicks(amountEdit, amount);
    // Chinese comes through an input method, not key by key.
    qobject_cast<QLineEdit*>(table->cellWidget(row, 4))->setText(payer);
}

QString PageText(test::YearDriver& d, int page)
{
    year::ResultTabs& tabs = *d.window().tabs();
    tabs.setCurrentIndex(page);
    QApplication::processEvents();
    return page == 2 ? tabs.builtPage<year::BonusPage>()->toPlainText()
                     : tabs.builtPage<year::ReconciliationPage>()->toPlainText();
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A year with a labour payment of 30,000 in March and severance of 300,000 on an average wage
// of 80,000.
void EnterOtherIncome(test::YearDriver& d)
{
    d.choose(QStringLiteral("yearBox"), 2026);
    AddPayment(d, 3, PaymentKind::Labour, QStringLiteral("30000"), QStringLiteral("某咨询公司"));
    d.type(QStringLiteral("severanceEdit"), QStringLiteral("300000"));
    d.type(QStringLiteral("localAverageWageEdit"), QStringLiteral("80000"));
}

} // namespace

class TestYearOtherIncome : public QObject {
    Q_OBJECT

private slots:
    // The tax authority's example: 30,000 less 20 % is 24,000, × 30 % − 2,000 = 5,200 prepaid,
    // shown in the list as typed and explained on the reconciliation page.
    void showsEachPaymentsPrepayment()
    {
        test::YearDriver d;
        EnterOtherIncome(d);
        QCOMPARE(Payments(d)->item(0, 3)->text(), QStringLiteral("5,200.00"));
        const law::YearPlanInput& in = d.window().inputs()->plan;
        QCOMPARE(in.payments.size(), std::size_t(1));
        QCOMPARE(in.payments[0].payer, std::string("某咨询公司"));
        const QString text = PageText(d, 3);
        for (const QString& part :
             {QStringLiteral("3月 劳务报酬 30,000 元（某咨询公司）：减除费用 6,000，应纳税所得额 "
                             "24,000；预扣 24,000 × 30% − 2,000 ＝ 5,200"),
              QStringLiteral("加：劳务报酬 30,000 × 80% 收入额"),
              QStringLiteral("劳务报酬：收入额 24,000 元，已预扣 5,200 元"),
              year::ReconciliationVerdict(d.window().plan()->reconciliation)})
            QVERIFY2(text.contains(part), qPrintable(part + QLatin1String(" | ") + text));
        // A second kind changes the year's figures, and the page follows.
        AddPayment(d, 5, PaymentKind::Authors, QStringLiteral("40000"), QString());
        QCOMPARE(Payments(d)->item(1, 3)->text(), QStringLiteral("4,480.00"));
        QVERIFY(PageText(d, 3).contains(QStringLiteral("按 70% 计，应纳税所得额 22,400")));
        // Removed again: the list and the year without it.
        Payments(d)->setCurrentCell(1, 3);
        d.control<QPushButton>("removePaymentButton")->click();
        QCOMPARE(d.window().inputs()->plan.payments.size(), std::size_t(1));
    }

    // 3 × 80,000 exempt; 60,000 on the annual table: × 10 % − 2,520 = 3,480.
    void showsSeveranceOnTheBonusPage()
    {
        test::YearDriver d;
        EnterOtherIncome(d);
        const QString text = PageText(d, 2);
        QVERIFY2(text.contains(QStringLiteral("离职补偿金")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("个税：按年度税率表 60,000 × 10% − 2,520 ＝ 3,480")),
                 qPrintable(text));
        // Without the average nothing is exempt: 300,000 × 20 % − 16,920 = 43,080.
        d.type(QStringLiteral("localAverageWageEdit"), QString());
        const QString without = PageText(d, 2);
        QVERIFY2(without.contains(QStringLiteral("未填当地上年职工平均工资")), qPrintable(without));
        QVERIFY2(without.contains(QStringLiteral("300,000 × 20% − 16,920 ＝ 43,080")),
                 qPrintable(without));
    }

    void keepsThemInAProfile()
    {
        test::YearDriver d;
        EnterOtherIncome(d);
        auto* box = d.control<QComboBox>("profileBox");
        box->setEditText(QStringLiteral("离职那年"));
        d.control<QPushButton>("saveProfileButton")->click();
        Payments(d)->setCurrentCell(0, 3);
        d.control<QPushButton>("removePaymentButton")->click();
        QCOMPARE(d.control<QLabel>("profileHint")->text(), QStringLiteral("已修改，尚未保存"));
        d.type(QStringLiteral("severanceEdit"), QString());
        QVERIFY(d.window().inputs()->plan.payments.empty());
        d.messages().scriptChoices({MessageBoxes::SaveChoice::Discard});
        const int index = box->findText(QStringLiteral("离职那年"));
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        emit box->activated(index);
        QCOMPARE(d.messages().shown, QStringList({QStringLiteral("保存对“离职那年”的修改吗？")}));
        const law::YearPlanInput& in = d.window().inputs()->plan;
        QCOMPARE(in.payments.size(), std::size_t(1));
        QVERIFY(in.payments[0].kind == PaymentKind::Labour && in.payments[0].month == 3);
        QCOMPARE(in.severance, law::Money::Fen(300'000'00));
        QCOMPARE(in.localAverageWage, law::Money::Fen(80'000'00));
        QCOMPARE(Payments(d)->item(0, 3)->text(), QStringLiteral("5,200.00"));
    }

    void writesThemToTheCsvAndThePrintedYear()
    {
        QTemporaryDir dir;
        test::YearDriver d;
        EnterOtherIncome(d);
        d.dialogs().nextFile = dir.filePath(QStringLiteral("year.csv"));
        d.control<QAction>("exportCsvAction")->trigger();
        QFile csv(d.dialogs().nextFile);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        QVERIFY2(text.contains(QStringLiteral("\r\n\r\n其他综合所得月份,所得项目,")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral(
            "\r\n3,劳务报酬,30000.00,某咨询公司,6000.00,24000.00,30%,2000.00,5200.00\r\n")));
        QVERIFY(text.contains(
            QStringLiteral("\r\n300000.00,80000.00,240000.00,60000.00,10%,2520.00,3480.00\r\n")));

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        d.dialogs().nextFile = dir.filePath(QStringLiteral("year.pdf"));
        d.control<QAction>("exportPdfAction")->trigger();
        const QString pdf =
            Run(QStringLiteral("pdftotext"), {d.dialogs().nextFile, QStringLiteral("-")})
                .normalized(QString::NormalizationForm_KC);
        for (const char* part :
             {"其他综合所得：3月 劳务报酬 30,000 元(某咨询公司)", "离职补偿金:300,000 元", "3,480"})
            QVERIFY2(
                pdf.contains(QString::fromUtf8(part).normalized(QString::NormalizationForm_KC)),
                part);
        QVERIFY(d.messages().shown.isEmpty());
    }
};

QTEST_MAIN(TestYearOtherIncome)
#include "test_year_other_income.moc"

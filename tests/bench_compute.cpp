// SPDX-License-Identifier: GPL-3.0-or-later
// Times one Compute request on an offscreen main window: read, check, recompute the funds,
// compute the tax and write the four result boxes. Run: QT_QPA_PLATFORM=offscreen ./bench_compute
#include "tests/support/form_driver.h"

#include <QTest>

using namespace tallyra;

class BenchCompute : public QObject {
    Q_OBJECT

private slots:
    void oneComputeRequest()
    {
        test::UseChineseLocale();
        test::FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("12345.67"));
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        QBENCHMARK
        {
            d.form().CmdExe_Click();
        }
        QCOMPARE(d.text(QStringLiteral("TxtSQ2")), QStringLiteral("12345.67"));
    }
};

QTEST_MAIN(BenchCompute)
#include "bench_compute.moc"

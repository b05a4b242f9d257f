// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTest>

// QCOMPARE treats floats fuzzily; figures here must match to the last bit.
#define QCOMPARE_EXACT(actual, expected)                                                           \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("%1 is not exactly %2")             \
                                                    .arg(double(actual), 0, 'g', 17)               \
                                                    .arg(double(expected), 0, 'g', 17)))

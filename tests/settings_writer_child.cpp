// SPDX-License-Identifier: GPL-3.0-or-later
// A helper for the settings fault tests: saves the three remembered inputs over and over through
// the settings store into a given INI file, so that the test can kill it in the middle of a save.
//
//   settings_writer_child <ini file> <first number>
//
// Round n saves, in this order, JSJS, BT and J3JS, each with the value WrittenValue(key, n), and
// then prints "saved <n>" on its own line. The value is long and self-describing, so that half
// of one can never pass for a whole one: "<n>." followed by a run of one repeated digit whose
// length and digit follow from n and the key. test_settings_faults.cpp checks it with the same
// rule.
#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const QStringList kKeys{"JSJS", "BT", "J3JS"};

QString WrittenValue(int keyIndex, qint64 n)
{
    const int length = 500 + int(n % 500);
    const char digit = char('1' + (n + keyIndex) % 9);
    return QString::number(n) + QLatin1Char('.') + QString(length, QLatin1Char(digit));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: settings_writer_child <ini file> <first number>\n", stderr);
        return 2;
    }
    tallyra::QtSettingsStore store(args.at(1));
    for (qint64 n = args.at(2).toLongLong();; ++n) {
        for (int k = 0; k < kKeys.size(); ++k) {
            if (!store.save(QStringLiteral("Settings"), kKeys.at(k), WrittenValue(k, n))) {
                std::fprintf(stderr, "saving %s failed in round %lld\n", qPrintable(kKeys.at(k)),
                             static_cast<long long>(n));
                return 1;
            }
        }
        std::printf("saved %lld\n", static_cast<long long>(n));
        std::fflush(stdout);
    }
}

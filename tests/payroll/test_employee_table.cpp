// SPDX-License-Identifier: GPL-3.0-or-later
// The table of employees' states: every 工号 finds its own state again, through the table's
// growth, with hashes that collide, and whether or not the file's order is the one it guesses.
#include "payroll/employee_table.h"
#include "payroll/record_batch.h"

#include <QTest>

#include <string>
#include <vector>

using namespace tallyra::payroll;

namespace {

struct Counted {
    int id = -1; // the employee it was made for
    int seen = 0;
};

enum class Hashing { Real, AllTheSame, SameSlotOtherTag };

std::uint64_t HashOf(const std::string& id, Hashing hashing)
{
    switch (hashing) {
    case Hashing::AllTheSame:
        return 42;
    case Hashing::SameSlotOtherTag: // the same slot, the high half differs
        return EmployeeHash(id) << 32;
    default:
        return EmployeeHash(id);
    }
}

} // namespace

class TestEmployeeTable : public QObject {
    Q_OBJECT

private slots:
    void findsEveryEmployeeAgain_data()
    {
        QTest::addColumn<int>("employees");
        QTest::addColumn<int>("hashing");
        QTest::addColumn<int>("stride"); // the order of each pass: i × stride modulo the count
        QTest::newRow("month by month, 5000") << 5000 << int(Hashing::Real) << 1;
        QTest::newRow("shuffled, 5000") << 5000 << int(Hashing::Real) << 1237;
        QTest::newRow("one slot for all, 1000") << 1000 << int(Hashing::AllTheSame) << 7;
        QTest::newRow("one slot, other tags, 1000") << 1000 << int(Hashing::SameSlotOtherTag) << 1;
        QTest::newRow("one employee") << 1 << int(Hashing::Real) << 1;
    }
    void findsEveryEmployeeAgain()
    {
        QFETCH(int, employees);
        QFETCH(int, hashing);
        QFETCH(int, stride);
        EmployeeTable<Counted> table;
        for (int pass = 0; pass < 3; ++pass)
            for (int i = 0; i < employees; ++i) {
                const int e = int((long(i) * stride) % employees);
                // 工号 of different lengths, one the start of another ("E1", "E10", "E100").
                // Appended, not "E" + …: GCC 12 at -O3 (the Windows build) takes a literal
                // put before a temporary string for an overlapping copy (-Wrestrict).
                std::string id = "E";
                id += std::to_string(e);
                bool added = false;
                Counted& state = table.find(id, HashOf(id, Hashing(hashing)), added);
                QCOMPARE(added, pass == 0);
                if (added)
                    state.id = e;
                QCOMPARE(state.id, e);
                QCOMPARE(state.seen, pass);
                ++state.seen;
            }
        QCOMPARE(table.size(), std::size_t(employees));
    }

    // One employee's lines together, as some files list them: the same state each time.
    void findsTheSameEmployeeInARow()
    {
        EmployeeTable<Counted> table;
        bool added = false;
        Counted* first = nullptr;
        for (int month = 1; month <= 12; ++month) {
            for (const std::string id : {"A", "AB", "ABC"}) {
                Counted& state = table.find(id, EmployeeHash(id), added);
                QCOMPARE(added, month == 1);
                if (id == "AB" && !first)
                    first = &state;
                if (id == "AB")
                    QCOMPARE(&state, first);
                ++state.seen;
            }
        }
        QCOMPARE(first->seen, 12);
        QCOMPARE(table.size(), std::size_t(3));
    }
};

QTEST_APPLESS_MAIN(TestEmployeeTable)
#include "test_employee_table.moc"

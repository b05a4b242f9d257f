// SPDX-License-Identifier: GPL-3.0-or-later
// The planner's declared inputs: what a profile takes the form takes, and every input goes
// through the form, a profile and the comparison of unsaved changes without loss.
#include "year/files/profile_codec.h"
#include "year/form/input_fields.h"
#include "year/form/input_form.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>

using namespace tallyra;
using law::Money;

namespace {

// Inputs in which every declared box is read as set: employed from March (so that the
// reconciliation's choice of months counts) with a certificate (so that its month counts).
year::PlannerInputs Base()
{
    year::PlannerInputs in = year::DefaultInputs(2025);
    in.plan.firstMonthEmployed = 3;
    in.plan.special.certificateObtained = true;
    return in;
}

// The inputs as the form gives them back after showing them; none when it refuses them.
std::optional<year::PlannerInputs> ThroughForm(const year::PlannerInputs& in)
{
    year::InputForm form(2027);
    form.setInputs(in);
    return form.read().inputs;
}

year::PlannerInputs ThroughProfile(const year::PlannerInputs& in, QStringList* damaged = nullptr)
{
    const QByteArray json = QJsonDocument(year::EncodeInputs(in)).toJson();
    year::DecodedInputs back = year::DecodeInputs(QJsonDocument::fromJson(json).object(), 2026);
    if (damaged)
        *damaged = back.damaged;
    return back.inputs;
}

// A value of the field other than the one `in` holds.
void ChangeField(const year::InputField& f, year::PlannerInputs& in)
{
    using K = year::FieldKind;
    switch (f.kind) {
    case K::Amount:
    case K::WageAmount:
        year::MemberOf<Money>(f, in) = year::MemberOf<Money>(f, in) + Money::Fen(1'234'56);
        break;
    case K::BaseAmount:
        year::MemberOf<std::optional<Money>>(f, in) = Money::Fen(2'345'00);
        break;
    case K::Flag:
        year::MemberOf<bool>(f, in) = !year::MemberOf<bool>(f, in);
        break;
    case K::Choice:
        year::SetInteger(f, in,
                         year::IntegerOf(f, in) == f.choices.back().value ? f.choices.front().value
                                                                          : f.choices.back().value);
        break;
    case K::Rate:
    case K::Count:
    case K::Month:
        year::SetInteger(f, in, year::IntegerOf(f, in) == f.highest ? f.lowest : f.highest);
        break;
    }
    year::SpreadWage(in);
}

} // namespace

class TestYearInputs : public QObject {
    Q_OBJECT

private slots:
    void everyInputGoesThroughFormAndProfile_data()
    {
        QTest::addColumn<QString>("name");
        for (const year::InputField& f : year::InputFields())
            QTest::newRow(f.objectName) << QString::fromLatin1(f.objectName);
    }
    void everyInputGoesThroughFormAndProfile()
    {
        QFETCH(QString, name);
        const year::InputField& f = year::InputFieldNamed(name.toLatin1().constData());
        year::PlannerInputs changed = Base();
        ChangeField(f, changed);
        QVERIFY2(!(changed == Base()), "the change is not seen as unsaved");
        QStringList damaged;
        QCOMPARE(ThroughProfile(changed, &damaged), changed);
        QVERIFY2(damaged.isEmpty(), qPrintable(damaged.join(',')));
        const std::optional<year::PlannerInputs> shown = ThroughForm(changed);
        QVERIFY(shown.has_value());
        QCOMPARE(*shown, changed);
    }

    // A whole number a profile may hold is one the form takes, and the other way round: a
    // housing fund of 4 % is refused by both.
    void profileTakesWhatTheFormTakes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value");
        for (const year::InputField& f : year::InputFields()) {
            const bool whole = f.kind == year::FieldKind::Rate ||
                               f.kind == year::FieldKind::Count ||
                               f.kind == year::FieldKind::Month ||
                               (f.kind == year::FieldKind::Choice && !f.choices[0].profileWord);
            if (!whole)
                continue;
            for (int value : {-1, 0,  1,   3,   4,   10,  11,   12,   13,    20,
                              50, 75, 100, 400, 499, 500, 1200, 1201, 10000, 10001})
                QTest::addRow("%s %d", f.objectName, value)
                    << QString::fromLatin1(f.objectName) << value;
        }
    }
    void profileTakesWhatTheFormTakes()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        const year::InputField& f = year::InputFieldNamed(name.toLatin1().constData());
        year::PlannerInputs in = Base();
        year::SetInteger(f, in, value);
        QStringList damaged;
        const year::PlannerInputs loaded = ThroughProfile(in, &damaged);
        const bool profileTakes = damaged.isEmpty() && year::IntegerOf(f, loaded) == value;
        const std::optional<year::PlannerInputs> shown = ThroughForm(in);
        const bool formTakes = shown && year::IntegerOf(f, *shown) == value;
        QCOMPARE(profileTakes, formTakes);
    }

    void aFourPercentFundIsRefusedByBoth()
    {
        const year::DecodedInputs d = year::DecodeInputs(
            QJsonDocument::fromJson(R"({"year":2025,"rates":{"housingFund":400}})").object(), 2026);
        QCOMPARE(d.damaged, QStringList{QStringLiteral("rates.housingFund")});
        year::InputForm form(2027);
        form.controls().fundRateEdit->setText(QStringLiteral("4"));
        const year::InputForm::Reading r = form.read();
        QVERIFY(!r.inputs);
        QCOMPARE(r.problems.size(), 1);
        QVERIFY2(r.problems[0].startsWith(QStringLiteral("住房公积金个人比例：")),
                 qPrintable(r.problems[0]));
    }
};

QTEST_MAIN(TestYearInputs)
#include "test_year_inputs.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// A long random session on the real window, as a payroll clerk in a hurry might run it: whatever
// is typed, pasted, chosen, ticked or pressed, every result box holds a figure, every message is
// one of the program's own, and the window keeps answering. Each seed replays exactly; a seed
// that ever finds a fault stays in the table below as an ordinary regression row.
#include "settings/settings_messages.h"
#include "tests/support/form_driver.h"
#include "window/window_messages.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace tallyra;
using test::FormDriver;

namespace {

constexpr int kActionsPerSeed = 3000;

const QStringList kInputBoxes{"TxtSQ", "TxtAdd", "CmbJs", "TxtInputSJJS"};
const QStringList kSalaryResults{"TxtSQ2", "TxtExe", "TxtSh", "txtSJXJ"};
const QStringList kFundBoxes{"TxtGJJ",   "TxtYLJ",   "TxtYLBX",   "TxtSYBX",
                             "TxtGSGJJ", "TxtGSYLJ", "TxtGSYLBX", "TxtGSSYBX"};
const QStringList kFundTotals{"Txt3J", "TxtCmp3J"};
// Enter computes in the salary and subsidy boxes, and presses the focused Compute button...
const QStringList kEnterComputes{"TxtSQ", "TxtAdd", "CmdExe"};
// ...and computes nothing anywhere else.
const QStringList kEnterComputesNothing{"Txt3J",          "TxtSQ2",   "TxtSh",
                                        "CmbJs",          "cmbIfSQ",  "TxtInputSJJS",
                                        "ChkAlwaysCal3J", "chkSj(2)", "OptSjType(0)"};
const QStringList kSaveCommands{"M_SaveJS", "M_Save3JJS", "M_SaveBT", "M_SaveAll"};

// A number text: no blanks, grouping or exponent, no zero ending the decimals. The grand total
// by a base is cut two places after the point and may end in a zero.
const QRegularExpression kNumberText(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
const QRegularExpression kCutNumberText(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?$"));

const QStringList kCalculationMessages{
    window_messages::SalaryFirst(),       window_messages::WrongDataType(),
    window_messages::FundsExceedSalary(), window_messages::MustNotBeNegative(),
    window_messages::ThresholdNegative(), window_messages::ChooseThreshold(),
    window_messages::FillInSalary(),      window_messages::ComputeFundsNow(),
    window_messages::FundsSalaryFirst(),  window_messages::FundsBaseInvalid(),
    window_messages::FigureTooLarge()};
const QString kSaved = settings_messages::Saved();
const QStringList kSaveMessages{kSaved,
                                settings_messages::TaxBaseNotNumeric(),
                                settings_messages::FundsBaseNotNumeric(),
                                settings_messages::SubsidyNotNumeric(),
                                settings_messages::NotWritten(settings_messages::TaxBase()),
                                settings_messages::NotWritten(settings_messages::FundsBase()),
                                settings_messages::NotWritten(settings_messages::Subsidy())};

// Printable for a failure report: short, control characters spelled out.
QString Describe(const QString& text)
{
    QString shown =
        text.size() > 40 ? text.left(20) + QStringLiteral("…(%1 chars)").arg(text.size()) : text;
    QString out;
    for (QChar c : shown) {
        if (c.isPrint() && !c.isSurrogate())
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// What a clipboard, a keyboard or a careless hand can put into a box.
class TextSource {
public:
    explicit TextSource(std::mt19937& rng)
        : rng_(rng)
    {
    }

    QString next()
    {
        // Long texts are few: laying out ten thousand characters is what costs the time.
        const int kind = below(40);
        if (kind < 15)
            return plausibleFigure();
        if (kind < 25)
            return edgeTexts().at(below(int(edgeTexts().size())));
        if (kind < 38)
            return randomChars(below(30));
        return longText();
    }

    // Mostly figures a salary, subsidy or threshold box would hold, so that many requests
    // get through every check and show results.
    QString plausibleFigure()
    {
        // Figures at the ends of the single range, which do pass every check.
        static const QStringList edges{"3.4028234e38", "340282346638528859811704183484516925440",
                                       "3.4e38",       "1.7e38",
                                       "1e38",         "-3.4e38",
                                       "1e-45",        "1.4e-45",
                                       "1e-40",        "1.1754942e-38",
                                       "16777217",     "999999.95"};
        if (below(5) == 0)
            return edges.at(below(int(edges.size())));
        const int magnitude = below(8);
        QString figure = QString::number(below(std::max(1, int(std::pow(10, magnitude)))));
        if (below(3) == 0)
            figure += QLatin1Char('.') + QString::number(below(100));
        if (below(12) == 0)
            figure.prepend(QLatin1Char('-'));
        if (below(15) == 0)
            figure = QLatin1Char(' ') + figure + QLatin1Char(' ');
        return figure;
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

private:
    static const QStringList& edgeTexts()
    {
        static const QStringList texts = [] {
            // clang-format off
            QStringList t{"3.4028234e38", "3.40282347e+38", "3.4028235e38", "3.5e38", "-3.4e38",
                          "340282346638528859811704183484516925440", "1e39", "1e308", "-1e308",
                          "1e-45", "1.4e-45", "-1e-45", "1e-40", "1.1754942e-38", "4.9e-324",
                          "1e-400", "0", "-0", "0.0", "000", ".5", "5.", "+7", "inf", "-inf",
                          "Infinity", "nan", "NaN", "-nan", " 1,234.5 ", "1,2,3", "1..2", "--1",
                          "1e", "e5", "0x10", "1_000", "", " ", "¥3000", "3000元", "1 000", "12%",
                          "三千", "'; DROP TABLE x;--", "%s%n%d",
                          "9999999999999999999999999999999999999999"};
            // clang-format on
            t << QStringLiteral("\u3000") << QStringLiteral("３０００")
              << QStringLiteral("－１２．５") << QStringLiteral("１，０００")
              << QStringLiteral("３．４０２８２３５ｅ３８") << QStringLiteral("\u0661\u0662\u0663")
              << QStringLiteral("\u0e53\u0e50\u0e50\u0e50") << QStringLiteral("\u202e0003")
              << QStringLiteral("\u200b1000") << QStringLiteral("\ufeff1000")
              << QStringLiteral("3000\n") << QStringLiteral("\t3000")
              << (QStringLiteral("30") + QChar(0) + QStringLiteral("00"))
              << QStringLiteral("\U0001F4B0") << (QString(QChar(0xD800)) + QStringLiteral("1"));
            return t;
        }();
        return texts;
    }

    QString randomChars(int length)
    {
        static const QString pool =
            QStringLiteral(
                "0123456789.,-+eE \u3000０１２３４５６７８９．，－＋ａｅ元¥三千万abcXYZ\t\n\r"
                "\u001b\u007f\u200b\u202e\ufeff\U0001F4B0") +
            QChar(0) + QChar(0xDC00);
        QString text;
        for (int i = 0; i < length; ++i)
            text += pool.at(below(int(pool.size())));
        return text;
    }

    QString longText()
    {
        constexpr int kLength = 10000;
        switch (below(5)) {
        case 0:
            return QString(kLength, QLatin1Char('9'));
        case 1:
            return QStringLiteral("0.") + QString(kLength - 3, QLatin1Char('0')) + QLatin1Char('1');
        case 2:
            return QLatin1Char('-') + QString(kLength - 1, QLatin1Char('1'));
        case 3:
            return QString(kLength, QChar(0xFF11)); // full-width ones
        default:
            return randomChars(kLength);
        }
    }

    std::mt19937& rng_;
};

enum class Expect { Quiet, Calculation, Save, Readme };

// One seeded session on one window; step() runs a random action and checks the window after it.
class Session {
public:
    Session(FormDriver& driver, quint32 seed)
        : d(driver)
        , rng_(seed)
        , texts_(rng_)
    {
    }

    // Empty when every check held; otherwise what broke.
    QString step();
    QString recentActions() const { return recent_.join(QStringLiteral("\n  ")); }

    int calculations = 0;
    int computed = 0;
    int questions = 0;
    int saves = 0;
    int failedWrites = 0;
    int messagesShown = 0;
    int tooLarge = 0; // figures refused as beyond the single range

private:
    int below(int n) { return texts_.below(n); }
    bool chance(int percent) { return below(100) < percent; }
    QWindow* window() { return d.form().windowHandle(); }
    bool focusOn(const QString& name);
    void typeKeys(const QString& text);
    void note(const QString& action);
    QString act(Expect& expect, bool& failingStore);
    QString checkBoxes() const;
    QString checkMessages(Expect expect, bool failingStore, const QString& command);
    QString checkFigures() const;

    FormDriver& d;
    std::mt19937 rng_;
    TextSource texts_;
    QStringList recent_;
    QString command_;
};

void Session::note(const QString& action)
{
    recent_.append(action);
    if (recent_.size() > 8)
        recent_.removeFirst();
}

bool Session::focusOn(const QString& name)
{
    QWidget* target = d.control(name);
    if (!target->isVisible() || !target->isEnabled())
        return false;
    target->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == target;
}

// Real key presses through the window, delivered to whichever control has the focus.
void Session::typeKeys(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        QString typed(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            typed += text.at(++i);
        const char16_t u = typed.at(0).unicode();
        Qt::Key key = Qt::Key_unknown;
        if (u > 0x20 && u < 0x7f)
            key = Qt::Key(QChar(u).toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, window(), key, typed, Qt::NoModifier);
    }
}

QString Session::act(Expect& expect, bool& failingStore)
{
    static const std::vector<int> weights{18, 10, 4, 3, 5, 5, 4, 4, 4, 10, 2, 4, 12, 3, 6, 1};
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    expect = Expect::Quiet;
    switch (pick(rng_)) {
    case 0: { // type into a box, replacing or adding to its text
        const QString box = kInputBoxes.at(below(4));
        const QString text =
            box == QLatin1String("TxtSQ") && chance(50) ? texts_.plausibleFigure() : texts_.next();
        if (text.size() > 64 || !focusOn(box)) {
            d.setText(box, text);
            note(QStringLiteral("set %1 to %2").arg(box, Describe(text)));
            return {};
        }
        const bool replace = chance(70);
        if (replace)
            QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
        typeKeys(text);
        note(QStringLiteral("type %1 into %2%3")
                 .arg(Describe(text), box, replace ? QStringLiteral(" (replacing)") : QString()));
        return {};
    }
    case 1: { // a text put in by the program's own means: restored, left over while hidden
        const QString box = kInputBoxes.at(below(4));
        const QString text = texts_.next();
        d.setText(box, text);
        note(QStringLiteral("set %1 to %2").arg(box, Describe(text)));
        return {};
    }
    case 2: { // paste whatever the clipboard holds
        const QString box = kInputBoxes.at(below(4));
        const QString text = texts_.next();
        if (!focusOn(box))
            return {};
        QApplication::clipboard()->setText(text);
        QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window(), Qt::Key_V, Qt::ControlModifier);
        note(QStringLiteral("paste %1 into %2").arg(Describe(text), box));
        return {};
    }
    case 3: { // the employee total is read-only: typing and pasting leave it as it is
        const QString before = d.text(QStringLiteral("Txt3J"));
        const QString text = texts_.next().left(64);
        if (!focusOn(QStringLiteral("Txt3J")))
            return QStringLiteral("Txt3J cannot take the focus");
        typeKeys(text);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(window(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(window(), Qt::Key_Backspace);
        note(QStringLiteral("type %1 into the read-only Txt3J").arg(Describe(text)));
        if (d.text(QStringLiteral("Txt3J")) != before)
            return QStringLiteral("typing changed the read-only Txt3J from %1 to %2")
                .arg(Describe(before), Describe(d.text(QStringLiteral("Txt3J"))));
        return {};
    }
    case 4:
    case 5: {
        const QString group = below(2) ? QStringLiteral("OptType") : QStringLiteral("OptSjType");
        const QString option = QStringLiteral("%1(%2)").arg(group).arg(below(2));
        d.click(option);
        note(QStringLiteral("choose ") + option);
        return {};
    }
    case 6: {
        const QString fund = QStringLiteral("chkSj(%1)").arg(below(4));
        d.click(fund);
        note(QStringLiteral("tick ") + fund);
        return {};
    }
    case 7:
        d.click(QStringLiteral("ChkAlwaysCal3J"));
        note(QStringLiteral("tick ChkAlwaysCal3J"));
        return {};
    case 8: {
        const int index = below(2);
        d.chooseDirection(index);
        note(QStringLiteral("choose direction %1").arg(index));
        return {};
    }
    case 9: { // Enter in the salary or the subsidy box, or on the Compute button, computes
        const QString box = kEnterComputes.at(below(int(kEnterComputes.size())));
        if (!focusOn(box))
            return QStringLiteral("%1 cannot take the focus").arg(box);
        const bool keypad = below(2);
        const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                   Qt::ControlModifier, Qt::AltModifier};
        Qt::KeyboardModifiers held = modifiers[below(4)];
        if (keypad)
            held |= Qt::KeypadModifier;
        ++calculations;
        expect = Expect::Calculation;
        QTest::keyClick(window(), keypad ? Qt::Key_Enter : Qt::Key_Return, held);
        note(QStringLiteral("press Enter in %1").arg(box));
        return {};
    }
    case 10: { // Enter on the window itself, no control focused
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        ++calculations;
        expect = Expect::Calculation;
        QTest::keyClick(window(), Qt::Key_Return);
        note(QStringLiteral("press Enter on the window"));
        return {};
    }
    case 11: { // Enter anywhere else computes nothing and says nothing
        const QString target = kEnterComputesNothing.at(below(int(kEnterComputesNothing.size())));
        if (!focusOn(target))
            return {};
        const QStringList before = d.results();
        QTest::keyClick(window(), below(2) ? Qt::Key_Enter : Qt::Key_Return);
        note(QStringLiteral("press Enter in ") + target);
        if (d.results() != before || !d.messages().shown.isEmpty())
            return QStringLiteral("Enter in %1 computed").arg(target);
        return {};
    }
    case 12:
        ++calculations;
        expect = Expect::Calculation;
        d.click(QStringLiteral("CmdExe"));
        note(QStringLiteral("click CmdExe"));
        return {};
    case 13:
        d.click(QStringLiteral("CmdReset"));
        note(QStringLiteral("click CmdReset"));
        for (const QString& box : kSalaryResults + QStringList{"TxtSQ", "TxtAdd", "Txt3J"}) {
            if (d.text(box) != QLatin1String("0"))
                return QStringLiteral("Reset left %1 in %2").arg(Describe(d.text(box)), box);
        }
        return {};
    case 14: {
        command_ = kSaveCommands.at(below(4));
        failingStore = chance(25);
        d.memoryStore().failWrites = failingStore;
        ++saves;
        failedWrites += failingStore;
        expect = Expect::Save;
        d.triggerMenu(command_);
        note(QStringLiteral("%1%2").arg(command_, failingStore ? QStringLiteral(" (store fails)")
                                                               : QString()));
        return {};
    }
    default:
        d.launcher().succeed = below(2);
        expect = Expect::Readme;
        d.triggerMenu(QStringLiteral("MC_readme"));
        note(QStringLiteral("MC_readme (%1)").arg(d.launcher().succeed ? "opens" : "fails"));
        return {};
    }
}

QString Session::checkMessages(Expect expect, bool failingStore, const QString& command)
{
    const QStringList shown = d.messages().shown;
    messagesShown += int(shown.size());
    questions += int(shown.count(window_messages::ComputeFundsNow()));
    tooLarge += int(shown.count(window_messages::FigureTooLarge()));
    if (d.messages().unexpectedQuestions != 0)
        return QStringLiteral("a question came with no answer scripted");
    if (shown.count(window_messages::ComputeFundsNow()) > 1)
        return QStringLiteral("one request computed more than once");
    const QString readmeFailed =
        window_messages::ReadmeCannotOpen(QDir::toNativeSeparators(d.programFiles().readmePath()));
    for (const QString& text : shown) {
        const bool own = (expect == Expect::Calculation && kCalculationMessages.contains(text)) ||
                         (expect == Expect::Save && kSaveMessages.contains(text)) ||
                         (expect == Expect::Readme && text == readmeFailed);
        if (!own)
            return QStringLiteral("unexpected message %1").arg(Describe(text));
        if (expect == Expect::Save && !failingStore && text.contains(QStringLiteral("保存失败")))
            return QStringLiteral("a write that worked was reported as failed");
        if (expect == Expect::Save && failingStore && text == kSaved && command != "M_SaveAll")
            return QStringLiteral("a write that failed was reported as saved");
    }
    if (expect == Expect::Readme && shown.isEmpty() != d.launcher().succeed)
        return QStringLiteral("the readme's failure was not reported, or a success was");
    return {};
}

QString Session::checkBoxes() const
{
    for (const QString& box : kSalaryResults + kFundTotals + kFundBoxes + QStringList{"TxtTol3J"}) {
        const QString text = d.text(box);
        if (text.isEmpty() && kFundBoxes.contains(box))
            continue; // the fund boxes are empty until the first fund calculation
        const auto& format = box == QLatin1String("TxtTol3J") ? kCutNumberText : kNumberText;
        if (!format.match(text).hasMatch())
            return QStringLiteral("%1 holds %2, not a number text").arg(box, Describe(text));
        if (kSalaryResults.contains(box) && text.startsWith(QLatin1Char('-')))
            return QStringLiteral("%1 shows a negative figure %2").arg(box, text);
    }
    return {};
}

// The figures of a calculation that got through agree with each other: the after-tax salary is
// the pre-tax salary less the tax (at least zero), and so never above the pre-tax salary.
QString Session::checkFigures() const
{
    const double preTax = d.text(QStringLiteral("TxtSQ2")).toDouble();
    const double tax = d.text(QStringLiteral("TxtExe")).toDouble();
    const double afterTax = d.text(QStringLiteral("TxtSh")).toDouble();
    const double rounding = 2e-6 * (preTax + tax); // seven significant digits in each text
    if (afterTax > preTax + rounding)
        return QStringLiteral("after-tax %1 above pre-tax %2").arg(afterTax).arg(preTax);
    if (std::fabs(afterTax - std::max(0.0, preTax - tax)) > rounding)
        return QStringLiteral("pre-tax %1 less tax %2 is not the after-tax %3")
            .arg(preTax)
            .arg(tax)
            .arg(afterTax);
    return {};
}

QString Session::step()
{
    if (d.messages().scripted.empty())
        d.messages().scriptAnswers({below(2) == 0});
    d.messages().shown.clear();
    command_.clear();
    Expect expect = Expect::Quiet;
    bool failingStore = false;
    if (QString broken = act(expect, failingStore); !broken.isEmpty())
        return broken;
    QApplication::processEvents();
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return QStringLiteral("a modal or popup window was left open");
    if (QString broken = checkMessages(expect, failingStore, command_); !broken.isEmpty())
        return broken;
    if (QString broken = checkBoxes(); !broken.isEmpty())
        return broken;
    const QStringList shown = d.messages().shown;
    const bool gotThrough = expect == Expect::Calculation &&
                            std::all_of(shown.begin(), shown.end(), [](const QString& text) {
                                return text == window_messages::ComputeFundsNow();
                            });
    if (!gotThrough)
        return {};
    ++computed;
    return checkFigures();
}

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UseChineseLocale(); }

    void randomSession_data()
    {
        QTest::addColumn<quint32>("seed");
        // Fixed seeds, so that every run and every failure replays exactly.
        for (quint32 seed : {5u, 2718281u, 20240601u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
        // Seeds that once failed: none yet.
        // More seeds for a longer search: TALLYRA_SESSION_SEEDS=5,6,7
        for (const QString& extra : qEnvironmentVariable("TALLYRA_SESSION_SEEDS")
                                        .split(QLatin1Char(','), Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(QStringLiteral("extra seed %1").arg(extra)))
                << extra.trimmed().toUInt();
    }
    void randomSession()
    {
        QFETCH(quint32, seed);
        FormDriver d;
        d.form().show();
        QApplication::setActiveWindow(&d.form());
        QVERIFY(QTest::qWaitForWindowActive(&d.form()));
        Session session(d, seed);
        for (int i = 0; i < kActionsPerSeed; ++i) {
            const QString broken = session.step();
            QVERIFY2(broken.isEmpty(),
                     qPrintable(QStringLiteral("seed %1, action %2: %3\n  after: %4")
                                    .arg(seed)
                                    .arg(i + 1)
                                    .arg(broken, session.recentActions())));
        }
        qInfo("seed %u: %d actions, %d calculations requested, %d with results, %d refused as "
              "too large, %d questions answered, %d saves (%d on a failing store), %d messages",
              seed, kActionsPerSeed, session.calculations, session.computed, session.tooLarge,
              session.questions, session.saves, session.failedWrites, session.messagesShown);
        // The session must really reach the figures, or the checks above prove little.
        QVERIFY2(session.computed >= kActionsPerSeed / 100,
                 qPrintable(QStringLiteral("seed %1: only %2 calculations got through")
                                .arg(seed)
                                .arg(session.computed)));
    }
};

QTEST_MAIN(TestRandomSession)
#include "test_random_session.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/year/year_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace tallyra::test {

bool ScriptedYearDialogs::choosePrinter(QWidget*, QPrinter& printer)
{
    if (printerFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printerFile);
    return true;
}

namespace {

// The offscreen platform cannot pass a window's size limits to a window manager and says so
// each time a layout sets them; that is no fault of the window.
QtMessageHandler nextHandler = nullptr;

void QuietSizeHintWarning(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.contains(QStringLiteral("does not support propagateSizeHints")))
        nextHandler(type, context, text);
}

} // namespace

YearDriver::YearDriver(QDate today)
{
    build(store_, today);
}

YearDriver::YearDriver(SettingsStore& store, QDate today)
{
    build(store, today);
}

YearDriver::~YearDriver()
{
    if (window_)
        window_->close();
}

void YearDriver::build(SettingsStore& store, QDate today)
{
    if (!nextHandler)
        nextHandler = qInstallMessageHandler(QuietSizeHintWarning);
    window_ = std::make_unique<year::YearWindow>(
        year::YearServices{&messages_, &store, &dialogs_, [today] { return today; }});
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get()))
        qFatal("the year planner was not shown");
}

void YearDriver::type(const QString& name, const QString& text)
{
    auto* edit = control<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    // Key by key; Chinese and full-width characters as an input method hands them over.
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void YearDriver::choose(const QString& name, int value)
{
    auto* box = control<QComboBox>(name);
    const int index = box->findData(value);
    if (index < 0)
        qFatal("%s has no entry %d", qPrintable(name), value);
    box->setCurrentIndex(index);
}

void YearDriver::setChecked(const QString& name, bool checked)
{
    control<QAbstractButton>(name)->setChecked(checked);
}

void YearDriver::setCount(const QString& name, int count)
{
    control<QSpinBox>(name)->setValue(count);
}

QString YearDriver::hint(const QString& name) const
{
    // The line below the row the box stands in.
    QWidget* row = control(name)->parentWidget();
    const QList<QLabel*> hints = row->findChildren<QLabel*>(
        QRegularExpression(QStringLiteral("Hint$")), Qt::FindDirectChildrenOnly);
    // The line is made when the row first has something to say.
    if (hints.isEmpty())
        return {};
    // As read: without the word joiners that keep a wrapped reason's end together.
    return hints[0]->isVisibleTo(window_.get()) ? hints[0]->text().remove(QChar(0x2060))
                                                : QString();
}

void YearDriver::showPageOf(QWidget* widget)
{
    QTabWidget* tabs = window_->tabs();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i) == widget || tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
}

void YearDriver::enterRealisticYear()
{
    type(QStringLiteral("wageEdit"), QStringLiteral("25000"));
    type(QStringLiteral("bonusEdit"), QStringLiteral("60000"));
    choose(QStringLiteral("bonusMonthBox"), 12);
    type(QStringLiteral("socialFloorEdit"), QStringLiteral("7460"));
    type(QStringLiteral("socialCapEdit"), QStringLiteral("37302"));
    type(QStringLiteral("fundFloorEdit"), QStringLiteral("2690"));
    type(QStringLiteral("fundCapEdit"), QStringLiteral("37302"));
    setCount(QStringLiteral("childrenSpin"), 2);
    choose(QStringLiteral("housingBox"), 1); // a housing loan
}

} // namespace tallyra::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/form_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QTest>

namespace tallyra::test {

FormDriver::FormDriver()
    : FormDriver(memoryStore_)
{
}

FormDriver::FormDriver(SettingsStore& store)
    : form_(std::make_unique<Form1>(
          FormServices{&messages_, &store, &launcher_, &programFiles_,
                       AboutServices{&messages_, &registry_, &files_, &launcher_}}))
{
}

FormDriver::~FormDriver() = default;

QString FormDriver::text(const QString& name) const
{
    if (auto* edit = control<QLineEdit>(name))
        return edit->text();
    if (auto* combo = control<QComboBox>(name))
        return combo->currentText();
    qFatal("no text control named %s", qPrintable(name));
}

void FormDriver::setText(const QString& name, const QString& text)
{
    if (auto* edit = control<QLineEdit>(name)) {
        edit->setText(text);
        return;
    }
    if (auto* combo = control<QComboBox>(name)) {
        combo->setEditText(text);
        return;
    }
    qFatal("no text control named %s", qPrintable(name));
}

void FormDriver::setChecked(const QString& name, bool checked)
{
    auto* button = control<QAbstractButton>(name);
    Q_ASSERT(button);
    button->setChecked(checked);
}

void FormDriver::click(const QString& name)
{
    auto* button = control<QAbstractButton>(name);
    Q_ASSERT(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void FormDriver::pressEnter(const QString& name, Qt::KeyboardModifiers modifiers)
{
    QWidget* widget = control<QWidget>(name);
    Q_ASSERT(widget);
    QTest::keyClick(widget, Qt::Key_Return, modifiers);
}

void FormDriver::triggerMenu(const QString& actionName)
{
    auto* action = form_->findChild<QAction*>(actionName);
    Q_ASSERT(action);
    action->trigger();
}

void FormDriver::chooseDirection(int index)
{
    control<QComboBox>(QStringLiteral("cmbIfSQ"))->setCurrentIndex(index);
}

void FormDriver::enterWithFixedFunds(const QString& salary, const QString& funds,
                                     const QString& subsidy)
{
    setChecked(QStringLiteral("ChkAlwaysCal3J"), false);
    setText(QStringLiteral("TxtSQ"), salary);
    setText(QStringLiteral("Txt3J"), funds);
    setText(QStringLiteral("TxtAdd"), subsidy);
}

QStringList FormDriver::results() const
{
    return {text(QStringLiteral("TxtSQ2")), text(QStringLiteral("TxtExe")),
            text(QStringLiteral("TxtSh")), text(QStringLiteral("txtSJXJ"))};
}

} // namespace tallyra::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Named profiles: the bar above the form, saving, loading, deleting, and the inputs and window
// kept from one run to the next.
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "year/form/input_form.h"
#include "year/pages/compare_page.h"
#include "year/pages/year_table_page.h"
#include "year/year_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tallyra::year {

namespace {

const QString kGeometry = QStringLiteral("Geometry");

} // namespace

QWidget* YearWindow::createProfileBar()
{
    auto* bar = new QWidget;
    profileBox_ = new QComboBox;
    profileBox_->setObjectName(QStringLiteral("profileBox"));
    profileBox_->setEditable(true);
    profileBox_->setInsertPolicy(QComboBox::NoInsert);
    profileBox_->setAccessibleName(QStringLiteral("方案名称"));
    profileBox_->setAccessibleDescription(profileBox_->accessibleName());
    profileBox_->lineEdit()->setPlaceholderText(QStringLiteral("如：上海 2026、offer A"));
    profileBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    profileBox_->setMinimumContentsLength(12);
    auto* save = new QPushButton(QStringLiteral("保存"));
    save->setObjectName(QStringLiteral("saveProfileButton"));
    save->setAccessibleName(QStringLiteral("保存方案"));
    auto* remove = new QPushButton(QStringLiteral("删除"));
    remove->setObjectName(QStringLiteral("deleteProfileButton"));
    remove->setAccessibleName(QStringLiteral("删除方案"));
    profileHint_ = new QLabel;
    profileHint_->setObjectName(QStringLiteral("profileHint"));
    profileHint_->setWordWrap(true);
    profileHint_->hide();
    auto* caption = new QLabel(QStringLiteral("方案(&N)"));
    caption->setBuddy(profileBox_);
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addWidget(profileBox_, 1);
    line->addWidget(save);
    line->addWidget(remove);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(9, 9, 9, 0);
    column->addLayout(line);
    column->addWidget(profileHint_);
    connect(save, &QPushButton::clicked, this, &YearWindow::saveProfile);
    connect(remove, &QPushButton::clicked, this, &YearWindow::deleteProfile);
    connect(profileBox_, &QComboBox::activated, this,
            [this](int index) { loadProfile(profileBox_->itemText(index)); });
    connect(profileBox_, &QComboBox::editTextChanged, this, &YearWindow::markModified);
    return bar;
}

// The inputs as the planner was left (or the last profile used, or the defaults), and the
// window's place on the screen.
void YearWindow::restoreState()
{
    const QString last = profiles_.lastUsed();
    showProfiles(last);
    QStringList damaged;
    if (const auto current = profiles_.current(&damaged)) {
        loadedProfile_ = last;
        loadedInputs_ = profiles_.load(last);
        form_->setInputs(*current);
    } else if (!last.isEmpty() && loadProfile(last)) {
        damaged.clear();
    } else {
        form_->setInputs(DefaultInputs(services_.today().year()));
        if (!last.isEmpty())
            showProfileHint(QStringLiteral("方案“%1”无法读取，已改用默认输入").arg(last));
    }
    if (!damaged.isEmpty())
        statusBar()->showMessage(
            QStringLiteral("上次的输入有 %1 项无法读取，已改用默认值").arg(damaged.size()), 15000);
    if (!restoreGeometry(QByteArray::fromBase64(
            services_.settings->read(ProfileStore::section(), kGeometry, QString()).toLatin1())))
        resize(1280, 800); // the window manager fits it to a smaller screen
    tablePage_->selectMonth(inputs_ ? inputs_->plan.firstMonthEmployed : 1);
    form_->controls().wageEdit->setFocus(); // the box most people come to change
}

void YearWindow::showProfiles(const QString& chosen)
{
    const QStringList names = profiles_.names();
    {
        const QSignalBlocker quiet(profileBox_);
        profileBox_->clear();
        profileBox_->addItems(names);
        profileBox_->setEditText(chosen);
    }
    if (compare_)
        compare_->setProfiles(names);
    deleteProfileAction_->setEnabled(!names.isEmpty());
}

bool YearWindow::loadProfile(const QString& name)
{
    QStringList damaged;
    const auto loaded = profiles_.load(name, &damaged);
    if (!loaded) {
        showProfileHint(QStringLiteral("方案“%1”无法读取").arg(name));
        return false;
    }
    loadedProfile_ = name;
    loadedInputs_ = loaded;
    {
        const QSignalBlocker quiet(profileBox_);
        profileBox_->setEditText(name);
    }
    form_->setInputs(*loaded);
    profiles_.setLastUsed(name);
    if (!damaged.isEmpty())
        showProfileHint(
            QStringLiteral("方案“%1”有 %2 项无法读取，已改用默认值").arg(name).arg(damaged.size()));
    statusBar()->showMessage(QStringLiteral("已打开方案“%1”").arg(name), 5000);
    return true;
}

void YearWindow::saveProfile()
{
    const QString name = profileBox_->currentText().trimmed();
    if (const QString problem = ProfileNameProblem(name); !problem.isEmpty()) {
        showProfileHint(problem);
        profileBox_->setFocus();
        return;
    }
    if (!inputs_) {
        showProfileHint(QStringLiteral("输入有误，更正后再保存"));
        return;
    }
    if (name != loadedProfile_ && profiles_.names().contains(name) &&
        !services_.messages->askYesNo(
            QStringLiteral("已有名为“%1”的方案，要用当前输入替换它吗？").arg(name)))
        return;
    if (!profiles_.save(name, *inputs_)) {
        services_.messages->inform(QStringLiteral("方案“%1”没能保存：无法写入设置。").arg(name));
        return;
    }
    profiles_.setLastUsed(name);
    loadedProfile_ = name;
    loadedInputs_ = inputs_;
    showProfiles(name);
    markModified();
    statusBar()->showMessage(QStringLiteral("已保存方案“%1”").arg(name), 5000);
}

void YearWindow::deleteProfile()
{
    const QString name = profileBox_->currentText().trimmed();
    if (!profiles_.names().contains(name)) {
        showProfileHint(QStringLiteral("没有名为“%1”的方案").arg(name));
        return;
    }
    if (!services_.messages->askYesNo(QStringLiteral("删除方案“%1”？").arg(name)))
        return;
    if (!profiles_.remove(name)) {
        services_.messages->inform(QStringLiteral("方案“%1”没能删除：无法写入设置。").arg(name));
        return;
    }
    if (profiles_.lastUsed() == name)
        profiles_.setLastUsed(QString());
    loadedProfile_.clear();
    loadedInputs_.reset();
    showProfiles(QString());
    markModified();
    statusBar()->showMessage(QStringLiteral("已删除方案“%1”").arg(name), 5000);
}

void YearWindow::showProfileHint(const QString& text)
{
    profileHint_->setText(text);
    profileHint_->setVisible(!text.isEmpty());
}

void YearWindow::restoreDefaults()
{
    form_->setInputs(DefaultInputs(services_.today().year()));
}

// Says beside the profile's name whether the inputs still are the profile's.
void YearWindow::markModified()
{
    if (!profileHint_ || !profileBox_)
        return;
    const QString name = profileBox_->currentText().trimmed();
    if (name.isEmpty() || name != loadedProfile_ || !loadedInputs_ || !inputs_)
        showProfileHint(name.isEmpty() || profiles_.names().contains(name)
                            ? QString()
                            : QStringLiteral("新方案：按“保存”存下当前输入"));
    else
        showProfileHint(SameInputs(*inputs_, *loadedInputs_) ? QString()
                                                             : QStringLiteral("已修改，尚未保存"));
}

void YearWindow::closeEvent(QCloseEvent* event)
{
    // A refused input is not kept: the next start shows the last inputs that were sound.
    if (inputs_)
        profiles_.saveCurrent(*inputs_);
    services_.settings->save(ProfileStore::section(), kGeometry,
                             QString::fromLatin1(saveGeometry().toBase64()));
    event->accept();
}

} // namespace tallyra::year

// SPDX-License-Identifier: GPL-3.0-or-later
// Named profiles: the bar above the form, saving, loading, deleting, and the inputs and window
// kept from one run to the next.
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "year/form/input_form.h"
#include "year/pages/compare_page.h"
#include "year/pages/result_tabs.h"
#include "year/pages/year_table_page.h"
#include "year/profile_bar.h"
#include "year/year_window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QStatusBar>

namespace tallyra::year {

namespace {

const QString kGeometry = QStringLiteral("Geometry");

} // namespace

void YearWindow::createProfileBar()
{
    profileBar_ = new ProfileBar;
    connect(profileBar_, &ProfileBar::saveRequested, this, &YearWindow::saveProfile);
    connect(profileBar_, &ProfileBar::deleteRequested, this, &YearWindow::deleteProfile);
    connect(profileBar_, &ProfileBar::chosen, this, &YearWindow::chooseProfile);
    connect(profileBar_, &ProfileBar::nameEdited, this, &YearWindow::markModified);
}

// The inputs as the planner was left (or the last profile used, or the defaults), and the
// window's place on the screen.
void YearWindow::restoreState()
{
    const QString last = profiles_.lastUsed();
    showProfiles(last);
    QStringList damaged;
    bool currentUnreadable = false;
    if (const auto current = profiles_.current(&damaged, &currentUnreadable)) {
        loadedProfile_ = last;
        loadedInputs_ = profiles_.load(last);
        form_->setInputs(*current);
    } else if (!last.isEmpty() && loadProfile(last)) {
        damaged.clear();
    } else {
        form_->setInputs(DefaultInputs(services_.today().year()));
        if (!last.isEmpty())
            profileBar_->showHint(QStringLiteral("方案“%1”无法读取，已改用默认输入").arg(last));
    }
    showUnreadableEntries(currentUnreadable, damaged.size(), loadedProfile_);
    if (!restoreGeometry(QByteArray::fromBase64(
            services_.settings->read(ProfileStore::section(), kGeometry, QString()).toLatin1())))
        resize(1280, 800);
    fitToScreen();
    tablePage_->selectMonth(state_.inputs ? state_.inputs->plan.firstMonthEmployed : 1);
    form_->controls().wageEdit->setFocus(); // the box most people come to change
}

// Says in the status bar what of the stored inputs could not be read; the entries stay in the
// settings file as they are, for the user or a later version to mend.
void YearWindow::showUnreadableEntries(bool currentUnreadable, int currentFieldsDamaged,
                                       const QString& profileInstead)
{
    QStringList said;
    if (currentUnreadable)
        said << (profileInstead.isEmpty()
                     ? QStringLiteral("上次的输入无法读取，已改用默认输入")
                     : QStringLiteral("上次的输入无法读取，已改用方案“%1”").arg(profileInstead));
    else if (currentFieldsDamaged > 0)
        said
            << QStringLiteral("上次的输入有 %1 项无法读取，已改用默认值").arg(currentFieldsDamaged);
    if (const int profiles = profiles_.unreadableCount(); profiles > 0)
        said << QStringLiteral("设置文件中有 %1 个方案无法读取").arg(profiles);
    if (!said.isEmpty())
        statusBar()->showMessage(said.join(QStringLiteral("；")), 15000);
}

void YearWindow::showProfiles(const QString& chosen)
{
    const QStringList& names = profiles_.names();
    profileBar_->setNames(names, chosen);
    if (auto* compare = tabs_->builtPage<ComparePage>())
        compare->setProfiles(names);
    deleteProfileAction_->setEnabled(!names.isEmpty());
}

bool YearWindow::loadProfile(const QString& name)
{
    QStringList damaged;
    const auto loaded = profiles_.load(name, &damaged);
    if (!loaded) {
        profileBar_->showHint(QStringLiteral("方案“%1”无法读取").arg(name));
        return false;
    }
    loadedProfile_ = name;
    loadedInputs_ = loaded;
    profileBar_->setName(name);
    form_->setInputs(*loaded);
    profiles_.setLastUsed(name);
    if (!damaged.isEmpty())
        profileBar_->showHint(
            QStringLiteral("方案“%1”有 %2 项无法读取，已改用默认值").arg(name).arg(damaged.size()));
    statusBar()->showMessage(QStringLiteral("已打开方案“%1”").arg(name), 5000);
    return true;
}

void YearWindow::saveProfile()
{
    const QString name = profileBar_->name();
    if (const QString problem = ProfileNameProblem(name); !problem.isEmpty()) {
        profileBar_->showHint(problem);
        profileBar_->focusName();
        return;
    }
    if (name != loadedProfile_ && profiles_.contains(name) &&
        !services_.messages->askYesNo(
            QStringLiteral("已有名为“%1”的方案，要用当前输入替换它吗？").arg(name)))
        return;
    saveAs(name);
}

// Saves the inputs on screen under `name`; false where they are refused or cannot be written.
bool YearWindow::saveAs(const QString& name)
{
    if (!state_.inputs) {
        profileBar_->showHint(QStringLiteral("输入有误，更正后再保存"));
        return false;
    }
    if (!profiles_.save(name, *state_.inputs)) {
        services_.messages->inform(QStringLiteral("方案“%1”没能保存：无法写入设置。").arg(name));
        return false;
    }
    profiles_.setLastUsed(name);
    loadedProfile_ = name;
    loadedInputs_ = state_.inputs;
    showProfiles(name);
    markModified();
    statusBar()->showMessage(QStringLiteral("已保存方案“%1”").arg(name), 5000);
    return true;
}

bool YearWindow::hasUnsavedChanges() const
{
    return !loadedProfile_.isEmpty() && loadedInputs_ &&
           (!state_.inputs || *state_.inputs != *loadedInputs_);
}

// Before the inputs on screen are replaced: asks whether to save the changes to the profile they
// came from. False when the user would rather keep them on screen.
bool YearWindow::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (services_.messages->askSaveChanges(
        QStringLiteral("保存对“%1”的修改吗？").arg(loadedProfile_))) {
    case MessageBoxes::SaveChoice::Save:
        return saveAs(loadedProfile_);
    case MessageBoxes::SaveChoice::Discard:
        return true;
    case MessageBoxes::SaveChoice::Cancel:
        break;
    }
    return false;
}

// A profile chosen in the list.
void YearWindow::chooseProfile(const QString& name)
{
    if (name == loadedProfile_ && !hasUnsavedChanges())
        return;
    if (!settleUnsavedChanges()) {
        profileBar_->setName(loadedProfile_); // the name of the inputs still on screen
        return;
    }
    loadProfile(name);
}

void YearWindow::deleteProfile()
{
    const QString name = profileBar_->name();
    if (!profiles_.contains(name)) {
        profileBar_->showHint(QStringLiteral("没有名为“%1”的方案").arg(name));
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

void YearWindow::restoreDefaults()
{
    if (settleUnsavedChanges())
        form_->setInputs(DefaultInputs(services_.today().year()));
}

// Says beside the profile's name, and in the title, whether the inputs still are the profile's.
void YearWindow::markModified()
{
    const QString name = profileBar_->name();
    if (name.isEmpty() || name != loadedProfile_ || !loadedInputs_ || !state_.inputs)
        profileBar_->showHint(name.isEmpty() || profiles_.contains(name)
                                  ? QString()
                                  : QStringLiteral("新方案：按“保存”存下当前输入"));
    else
        profileBar_->showHint(
            *state_.inputs == *loadedInputs_ ? QString() : QStringLiteral("已修改，尚未保存"));
    setWindowTitle(loadedProfile_.isEmpty()
                       ? title()
                       : QStringLiteral("%1[*] — %2").arg(loadedProfile_, title()));
    setWindowModified(hasUnsavedChanges());
}

void YearWindow::closeEvent(QCloseEvent* event)
{
    // A refused input is not kept: the next start shows the last inputs that were sound.
    if (state_.inputs)
        profiles_.saveCurrent(*state_.inputs);
    profiles_.write(kGeometry, QString::fromLatin1(saveGeometry().toBase64()));
    event->accept();
}

} // namespace tallyra::year

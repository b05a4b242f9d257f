// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tallyra {
class SettingsStore;
}

namespace tallyra::year {

// Named sets of the planner's inputs ("上海 2026", "offer A") in the settings store, in a
// section of their own: one entry per profile, the name of the last one used, and the inputs as
// they stood when the planner was last closed. The calculator's entries are never touched.
class ProfileStore {
public:
    static QString section() { return QStringLiteral("YearPlanner"); }

    ProfileStore(SettingsStore& store, int fallbackYear);

    // The names of the stored profiles, sorted for people (by their Chinese pinyin where the
    // locale collates so). Read from the store once, then kept up to date by save() and
    // remove(), so that asking per keystroke costs nothing with thousands of profiles.
    const QStringList& names() const;
    bool contains(const QString& name) const;
    // How many profile entries of the store cannot be read at all: a damaged key (not listed)
    // or a damaged text (listed). They are left in the store as they are.
    int unreadableCount() const;

    // A profile's inputs; none when there is no such profile or its entry does not read at all.
    // Fields that do not read keep their defaults and are named in `damaged`.
    std::optional<PlannerInputs> load(const QString& name, QStringList* damaged = nullptr) const;
    bool save(const QString& name, const PlannerInputs& inputs);
    bool remove(const QString& name);

    QString lastUsed() const;
    bool setLastUsed(const QString& name);

    // The inputs as the planner was left, restored at the next start. `unreadable` tells an
    // entry that is there but does not read at all from one that is missing.
    std::optional<PlannerInputs> current(QStringList* damaged = nullptr,
                                         bool* unreadable = nullptr) const;
    bool saveCurrent(const PlannerInputs& inputs);

    // Writes an entry of the planner's section only when its text changes, so that closing an
    // unchanged planner leaves the settings file (and the user's comments in it) as it was.
    bool write(const QString& key, const QString& text);

private:
    std::optional<PlannerInputs> read(const QString& key, QStringList* damaged,
                                      bool* unreadable = nullptr) const;
    void scanNames() const;
    void insertName(const QString& name);

    SettingsStore& store_;
    int fallbackYear_;
    mutable std::optional<QStringList> names_;
    mutable int unreadable_ = 0;
};

// A profile name is one line of at most 40 characters, not blank.
QString ProfileNameProblem(const QString& name);

} // namespace tallyra::year

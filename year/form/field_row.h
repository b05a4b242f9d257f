// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <initializer_list>

class QHBoxLayout;
class QVBoxLayout;

class QFormLayout;

namespace tallyra::year {

// One row of the input form: its caption (with the access key that moves the focus to the
// first control), its controls side by side, a line stating the year's legal amount where there
// is one, and below them the line that says why a typed value is refused or how it is taken.
class FieldRow {
public:
    // `caption` may hold an access key ("月工资(&W)"); the controls' screen-reader names are the
    // caption without it, or `names` when a row has several controls. Labels among `controls`
    // (units, words between boxes) are laid out but are not controls.
    FieldRow(QFormLayout* form, const QString& caption, std::initializer_list<QWidget*> controls,
             const QStringList& names = {});

    // A second line of controls under the first, reached from the caption's access key by Tab:
    // a box that belongs with the row's own, where the form has no access key left for a row.
    // The row's legal line is shown beside it.
    void addLine(std::initializer_list<QWidget*> controls, const QStringList& names);

    QLabel* caption() const { return caption_; }
    QLabel* legal();
    QLabel* hint();
    QWidget* first() const { return first_; }
    const QList<QWidget*>& controls() const { return controls_; }

    // The year's legal amount or a short rule, on one line; `detail` as its tooltip.
    void showLegalLine(const QString& text, const QString& detail = QString());
    // A refusal: shown in the warning colour and told to screen readers with the control.
    void showProblem(const QString& text);
    // A note on how an accepted value is taken (a cap, a rule that does not apply this year).
    void showNote(const QString& text);
    void clearHint();
    bool hasProblem() const { return problem_; }

    void setVisible(bool visible);

private:
    void setHint(const QString& text);

    QLabel* caption_;
    QWidget* box_;
    QWidget* first_;
    QList<QWidget*> controls_;
    QVBoxLayout* column_ = nullptr;
    QHBoxLayout* line_ = nullptr;
    QLabel* legal_ = nullptr;
    QLabel* hint_ = nullptr;
    bool problem_ = false;
};

// The caption of a control without its access-key marker: "月工资(&W)" → "月工资".
QString WithoutAccessKey(const QString& caption);

} // namespace tallyra::year

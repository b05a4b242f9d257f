#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <initializer_list>

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
             std::initializer_list<QString> names = {});

    QLabel* caption() const { return caption_; }
    QLabel* legal() const { return legal_; }
    QLabel* hint() const { return hint_; }
    QWidget* first() const { return first_; }
    const QList<QWidget*>& controls() const { return controls_; }

    void setLegal(const QString& text);
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
    QLabel* legal_;
    QLabel* hint_;
    bool problem_ = false;
};

// The caption of a control without its access-key marker: "月工资(&W)" → "月工资".
QString WithoutAccessKey(const QString& caption);

} // namespace tallyra::year

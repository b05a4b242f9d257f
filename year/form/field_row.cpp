// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/field_row.h"

#include "year/planner_colours.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tallyra::year {

namespace {

// Chinese text may break between any two characters, so that a reason one character longer than
// its line would end with that character alone below it; word joiners (U+2060, not drawn) keep
// the last three together.
QString WithoutLoneLastCharacter(const QString& text)
{
    if (text.size() < 6)
        return text;
    QString joined = text;
    joined.insert(text.size() - 1, QChar(0x2060));
    joined.insert(text.size() - 2, QChar(0x2060));
    return joined;
}

} // namespace

// "(&W)" goes whole, an "&" before any character alone. A loop rather than a regular
// expression: this was the planner's only one before its first frame, and the expression engine
// it woke kept half a MiB resident.
QString WithoutAccessKey(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    const qsizetype size = caption.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = caption[i];
        const bool keyFollows = i + 1 < size && caption[i + 1] != u'\n';
        if (c == u'&' && keyFollows)
            continue;
        if (c == u'(' && i + 3 < size && caption[i + 1] == u'&' && caption[i + 2] != u'\n' &&
            caption[i + 3] == u')') {
            i += 3;
            continue;
        }
        plain += c;
    }
    return plain;
}

FieldRow::FieldRow(QFormLayout* form, const QString& caption,
                   std::initializer_list<QWidget*> controls, const QStringList& names)
    : caption_(new QLabel(caption))
    , box_(new QWidget)
    , first_(nullptr)
{
    column_ = new QVBoxLayout(box_);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(2);
    line_ = new QHBoxLayout;
    line_->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls) {
        line_->addWidget(control);
        // Units and words between the boxes ("元", "至") are read with the caption.
        if (!qobject_cast<QLabel*>(control))
            controls_ << control;
    }
    first_ = controls_.first();
    line_->addStretch(); // the boxes keep to the left whether or not a legal amount is shown
    column_->addLayout(line_);
    caption_->setBuddy(first_);

    const QString plain = WithoutAccessKey(caption);
    auto name = names.begin();
    for (QWidget* control : controls_)
        control->setAccessibleName(name != names.end() ? *name++ : plain);
    setHint(QString());
    // On a narrow pane a row's boxes go below its caption rather than out of view.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(caption_, box_);
}

void FieldRow::addLine(std::initializer_list<QWidget*> controls, const QStringList& names)
{
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    auto name = names.begin();
    for (QWidget* control : controls) {
        line->addWidget(control);
        if (qobject_cast<QLabel*>(control))
            continue;
        controls_ << control;
        if (name != names.end())
            control->setAccessibleName(*name++);
    }
    line->addStretch();
    // Below the lines of boxes and above the reason, which may be made already.
    column_->insertLayout(hint_ ? column_->indexOf(hint_) : column_->count(), line);
    // The legal line goes beside the last line, where there is room for it.
    if (!legal_)
        line_ = line;
}

// The lines beside and below the boxes are made when first needed: most rows never show a
// reason, and every label costs the window's start.
QLabel* FieldRow::legal()
{
    if (!legal_) {
        legal_ = new QLabel(box_);
        legal_->setObjectName(first_->objectName() + QStringLiteral("Legal"));
        // Short enough for one line: a label that wraps is measured again at every layout.
        legal_->setForegroundRole(QPalette::PlaceholderText);
        line_->insertWidget(line_->count() - 1, legal_, 1);
    }
    return legal_;
}

QLabel* FieldRow::hint()
{
    if (!hint_) {
        hint_ = new QLabel(box_);
        hint_->setObjectName(first_->objectName() + QStringLiteral("Hint"));
        hint_->setWordWrap(true);
        column_->addWidget(hint_);
    }
    return hint_;
}

void FieldRow::showLegalLine(const QString& text, const QString& detail)
{
    if (text.isEmpty() && !legal_)
        return;
    legal()->setText(text);
    legal_->setToolTip(detail);
    legal_->setVisible(!text.isEmpty());
}

void FieldRow::setHint(const QString& text)
{
    if (!text.isEmpty() || hint_) {
        hint()->setText(WithoutLoneLastCharacter(text));
        hint_->setVisible(!text.isEmpty());
    }
    // On Linux a list box is announced by its chosen entry: its purpose goes in its
    // description, before any reason.
    for (QWidget* control : controls_) {
        const QString purpose =
            qobject_cast<QComboBox*>(control) ? control->accessibleName() : QString();
        control->setAccessibleDescription(purpose.isEmpty() || text.isEmpty()
                                              ? purpose + text
                                              : purpose + QStringLiteral("：") + text);
    }
}

void FieldRow::showProblem(const QString& text)
{
    problem_ = true;
    QPalette palette = box_->palette();
    palette.setColor(QPalette::WindowText, WarningText(box_->palette()));
    hint()->setPalette(palette);
    setHint(text);
}

void FieldRow::showNote(const QString& text)
{
    problem_ = false;
    if (hint_ || !text.isEmpty())
        hint()->setPalette(box_->palette());
    setHint(text.isEmpty() ? QString() : QStringLiteral("注：") + text);
}

void FieldRow::clearHint()
{
    problem_ = false;
    setHint(QString());
}

void FieldRow::setVisible(bool visible)
{
    caption_->setVisible(visible);
    box_->setVisible(visible);
}

} // namespace tallyra::year

#include "year/field_row.h"

#include "year/palette_colors.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace tallyra::year {

QString WithoutAccessKey(const QString& caption)
{
    static const QRegularExpression key(QStringLiteral("\\(&.\\)|&(?=.)"));
    return QString(caption).remove(key);
}

FieldRow::FieldRow(QFormLayout* form, const QString& caption,
                   std::initializer_list<QWidget*> controls, std::initializer_list<QString> names)
    : caption_(new QLabel(caption))
    , box_(new QWidget)
    , first_(nullptr)
    , legal_(new QLabel(box_))
    , hint_(new QLabel(box_))
{
    auto* column = new QVBoxLayout(box_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls) {
        line->addWidget(control);
        // Units and words between the boxes ("元", "至") are read with the caption.
        if (!qobject_cast<QLabel*>(control))
            controls_ << control;
    }
    first_ = controls_.first();
    line->addWidget(legal_, 1);
    line->addStretch(); // the boxes keep to the left whether or not a legal amount is shown
    column->addLayout(line);
    column->addWidget(hint_);
    legal_->setWordWrap(true);
    legal_->setForegroundRole(QPalette::PlaceholderText);
    legal_->hide();
    hint_->setWordWrap(true);
    hint_->hide();
    caption_->setBuddy(first_);
    hint_->setObjectName(first_->objectName() + QStringLiteral("Hint"));
    legal_->setObjectName(first_->objectName() + QStringLiteral("Legal"));

    const QString plain = WithoutAccessKey(caption);
    auto name = names.begin();
    for (QWidget* control : controls_)
        control->setAccessibleName(name != names.end() ? *name++ : plain);
    setHint(QString());
    form->addRow(caption_, box_);
}

void FieldRow::setLegal(const QString& text)
{
    legal_->setText(text);
    legal_->setVisible(!text.isEmpty());
}

void FieldRow::setHint(const QString& text)
{
    hint_->setText(text);
    hint_->setVisible(!text.isEmpty());
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
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::WindowText, WarningText(box_->palette()));
    hint_->setPalette(palette);
    setHint(text);
}

void FieldRow::showNote(const QString& text)
{
    problem_ = false;
    hint_->setPalette(box_->palette());
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/profile_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyra::year {

ProfileBar::ProfileBar(QWidget* parent)
    : QWidget(parent)
    , box_(new QComboBox)
    , hint_(new QLabel)
{
    box_->setObjectName(QStringLiteral("profileBox"));
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setAccessibleName(QStringLiteral("方案名称"));
    box_->setAccessibleDescription(box_->accessibleName());
    box_->lineEdit()->setPlaceholderText(QStringLiteral("如：上海 2026、offer A"));
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_->setMinimumContentsLength(12);
    auto* save = new QPushButton(QStringLiteral("保存"));
    save->setObjectName(QStringLiteral("saveProfileButton"));
    save->setAccessibleName(QStringLiteral("保存方案"));
    auto* remove = new QPushButton(QStringLiteral("删除"));
    remove->setObjectName(QStringLiteral("deleteProfileButton"));
    remove->setAccessibleName(QStringLiteral("删除方案"));
    hint_->setObjectName(QStringLiteral("profileHint"));
    hint_->setWordWrap(true);
    hint_->hide();
    auto* caption = new QLabel(QStringLiteral("方案(&N)"));
    caption->setBuddy(box_);
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addWidget(box_, 1);
    line->addWidget(save);
    line->addWidget(remove);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(9, 9, 9, 0);
    column->addLayout(line);
    column->addWidget(hint_);
    connect(save, &QPushButton::clicked, this, &ProfileBar::saveRequested);
    connect(remove, &QPushButton::clicked, this, &ProfileBar::deleteRequested);
    // A name typed that matches a profile's is a name, not a choice: the list box would take it
    // as chosen when its line loses the focus or Enter is pressed, and load the profile over
    // the inputs on screen. Only a choice in the list (or with the arrow keys) loads one.
    QObject::disconnect(box_->lineEdit(), &QLineEdit::editingFinished, box_, nullptr);
    QObject::disconnect(box_->lineEdit(), &QLineEdit::returnPressed, box_, nullptr);
    connect(box_, &QComboBox::activated, this,
            [this](int index) { emit chosen(box_->itemText(index)); });
    connect(box_, &QComboBox::editTextChanged, this, &ProfileBar::nameEdited);
}

QString ProfileBar::typedName() const
{
    return box_->currentText();
}

void ProfileBar::setNames(const QStringList& names, const QString& chosen)
{
    const QSignalBlocker quiet(box_);
    box_->clear();
    box_->addItems(names);
    box_->setEditText(chosen);
}

void ProfileBar::setName(const QString& name)
{
    const QSignalBlocker quiet(box_);
    box_->setEditText(name);
}

void ProfileBar::showHint(const QString& text)
{
    hint_->setText(text);
    hint_->setVisible(!text.isEmpty());
}

void ProfileBar::focusName()
{
    box_->setFocus();
}

} // namespace tallyra::year

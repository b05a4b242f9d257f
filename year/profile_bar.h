// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;

namespace tallyra::year {

// The bar above the form: the profile's name, typed or chosen among the stored ones, the buttons
// that save and delete it, and a line below that says what became of it.
class ProfileBar : public QWidget {
    Q_OBJECT

public:
    explicit ProfileBar(QWidget* parent = nullptr);

    // The name as typed, and without the blanks around it.
    QString typedName() const;
    QString name() const { return typedName().trimmed(); }
    // Offers `names`, with `chosen` in the box; neither tells of an edit.
    void setNames(const QStringList& names, const QString& chosen);
    void setName(const QString& name);
    // The line below the bar; hidden when empty.
    void showHint(const QString& text);
    void focusName();

signals:
    void saveRequested();
    void deleteRequested();
    void chosen(const QString& name); // picked from the list
    void nameEdited();

private:
    QComboBox* box_;
    QLabel* hint_;
};

} // namespace tallyra::year

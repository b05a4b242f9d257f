// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/result_tabs.h"

#include <QVBoxLayout>

namespace tallyra::year {

ResultTabs::ResultTabs(const PlannerState& state, std::vector<Kind> kinds, QWidget* parent)
    : QTabWidget(parent)
    , state_(state)
{
    setObjectName(QStringLiteral("resultTabs"));
    for (Kind& kind : kinds) {
        // Each tab holds a place that its page fills once built.
        auto* place = new QWidget;
        auto* layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
        addTab(place, kind.caption);
        entries_.push_back({std::move(kind)});
    }
    showPage(currentIndex());
    connect(this, &QTabWidget::currentChanged, this, &ResultTabs::showPage);
}

QStringList ResultTabs::captions() const
{
    QStringList captions;
    for (const Entry& entry : entries_)
        captions << entry.kind.caption;
    return captions;
}

int ResultTabs::indexOf(const QMetaObject* type) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].kind.type == type)
            return int(i);
    qFatal("no result page of class %s", type->className());
}

void ResultTabs::stateChanged()
{
    for (Entry& entry : entries_)
        entry.stale = entry.page != nullptr;
    showPage(currentIndex());
}

ResultPage* ResultTabs::showPage(int index)
{
    if (index < 0 || index >= int(entries_.size()))
        return nullptr;
    Entry& entry = entries_[std::size_t(index)];
    if (!entry.page) {
        entry.page = entry.kind.build();
        QWidget* page = entry.page->widget();
        widget(index)->layout()->addWidget(page);
        page->show();
        entry.stale = true;
    }
    if (entry.stale) {
        entry.stale = false;
        entry.page->refresh(state_);
    }
    return entry.page;
}

} // namespace tallyra::year

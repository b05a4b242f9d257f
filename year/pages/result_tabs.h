// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/pages/result_page.h"

#include <QTabWidget>

#include <functional>
#include <vector>

namespace tallyra::year {

// The result pages in tabs, from one table of page kinds: each page is built when it is first
// shown (a chart costs start-up time that no one waits for), and brought up to date with the
// window's state when it is shown after a change.
class ResultTabs : public QTabWidget {
    Q_OBJECT

public:
    // A page class and how to build it; its caption is the class's own.
    struct Kind {
        QString caption;
        const QMetaObject* type;
        std::function<ResultPage*()> build;
    };
    template <class Page> static Kind kindOf(std::function<Page*()> build)
    {
        return {Page::caption(), &Page::staticMetaObject,
                [build = std::move(build)]() -> ResultPage* { return build(); }};
    }

    // `state` is the window's, read whenever a page is brought up to date.
    ResultTabs(const PlannerState& state, std::vector<Kind> kinds, QWidget* parent = nullptr);

    // The captions of the pages, in the order of the tabs.
    QStringList captions() const;

    // The page of class `Page`, built and brought up to date as if it was shown.
    template <class Page> Page* page()
    {
        return static_cast<Page*>(showPage(indexOf(&Page::staticMetaObject)));
    }
    // The page of class `Page` if it has been built, else none; it is left as it is.
    template <class Page> Page* builtPage() const
    {
        return static_cast<Page*>(entries_[std::size_t(indexOf(&Page::staticMetaObject))].page);
    }

    // Brings the page of class `Page` to the front, as a click on its tab.
    template <class Page> void setCurrentPage()
    {
        setCurrentIndex(indexOf(&Page::staticMetaObject));
    }

    // The window's state changed: the page in front is brought up to date now, the others as
    // they are shown.
    void stateChanged();

private:
    struct Entry {
        Kind kind;
        ResultPage* page = nullptr;
        bool stale = false;
    };

    int indexOf(const QMetaObject* type) const;
    ResultPage* showPage(int index);

    const PlannerState& state_;
    std::vector<Entry> entries_;
};

} // namespace tallyra::year

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/form/planner_inputs.h"

#include <QDate>
#include <QString>

class QAbstractItemModel;
class QFont;
class QPrinter;
class QTextDocument;

namespace tallyra::year {

// The printed year: the title and date, the inputs, the year table, the bonus comparison and the
// reconciliation, as rich text for a landscape page.
QString ReportHtml(const PlannerInputs& inputs, const law::YearPlan& plan,
                   const QAbstractItemModel& table, const QDate& today, const QString& profileName);

// Lays the report out on the printer's pages (A4 landscape unless the user chose otherwise), each
// section on one page where it fits, with the page number at the foot of each.
void PrintReport(QPrinter& printer, const QString& html, const QFont& font);

// Moves to a new page each section of a laid-out document that would otherwise run over a page
// break though it fits on one page.
void KeepSectionsTogether(QTextDocument& document);

} // namespace tallyra::year

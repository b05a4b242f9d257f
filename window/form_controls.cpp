// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_controls.h"

#include "window/control_table.h"

#include <QButtonGroup>

namespace tallyra {
namespace {

// Each option pair is one exclusive group; the window's two groups never mix.
void GroupOptions(const FormControls& f, QWidget* client)
{
    for (const auto& pair : {f.OptType, f.OptSjType}) {
        auto* group = new QButtonGroup(client);
        group->setExclusive(true);
        for (int i = 0; i < 2; ++i)
            group->addButton(pair[i], i);
    }
}

} // namespace

BuiltForm<FormControls> BuildControls(QWidget* client)
{
    BuiltForm<FormControls> form = BuildForm("Form1", client, ControlTable());
    GroupOptions(form.controls, client);
    return form;
}

} // namespace tallyra

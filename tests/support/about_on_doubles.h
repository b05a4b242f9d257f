// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "about/frm_about.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/system_info_doubles.h"

namespace tallyra::test {

// An About box on test doubles: no registry, file or program of the machine is touched.
struct AboutOnDoubles {
    RecordingMessageBoxes messages;
    ScriptedRegistry registry;
    ScriptedFileTest files;
    RecordingLauncher launcher;
    frmAbout box{AboutServices{&messages, &registry, &files, &launcher}};
};

} // namespace tallyra::test

#pragma once

// Tells assistive technology what the program's own widgets are where Qt cannot know it: an
// address label (LinkLabel) is a link that Enter or the screen reader's press action opens,
// and the main window (frmMain, a plain top-level widget) is a window, read as a frame.
// Installs itself once; later calls do nothing.
void installAccessibleRoles();

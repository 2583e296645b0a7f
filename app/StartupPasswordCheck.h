#pragma once

class WindowPasswordControl;
class StoredPassword;

// The initialisation step of start-up. When a password is stored, the control asks for it;
// an entry the control does not validate (a cancelled prompt included, unless the stored
// password is empty) shows "Invalid Password." and ends the program. True when the window
// may be shown. A failing control raises ControlFailure.
bool passwordCheckPassed(StoredPassword &stored, WindowPasswordControl &control);

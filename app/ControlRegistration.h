#pragma once

// Registers the password control library that this program runs with in the user's settings
// store, so that other programs of the user find the control there too. Registering writes
// some fifty entries, so it happens only when the store does not already name this library
// for the control. The program links the library itself: a store that refuses the
// registration changes nothing for it, and is only logged (category "embercoffer.app",
// silent by default).
void registerPasswordControl();

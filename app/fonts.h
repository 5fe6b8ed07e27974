#pragma once

// Makes the typefaces the windows name available: the two that Debian's
// fonts-wine holds outside the system's font folders are registered, and
// free faces of the same metrics stand in for "Arial" and "Comic sans ms".
// A face that is not installed falls back to the system's choice, silently.
void use_designed_fonts();

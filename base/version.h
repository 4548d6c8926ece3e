#pragma once
// The program's version, kept here alone: the settings file, the version page, the exe's
// version resource and the release package take it from this file. Plain macros, so that the
// resource compiler and the packaging script read it too.
#define KORVANT_VERSION_MAJOR 3
#define KORVANT_VERSION_MINOR 36
#define KORVANT_VERSION_DOTTED "3.36"

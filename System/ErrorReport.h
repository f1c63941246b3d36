// The three routines that report every failure of the game program, and the
// program-wide quitting flag they set.
#pragma once
#include "platform/DDResult.h"
#include "platform/FileFault.h"

// The caption of the boxes that name a file the program could not read.
constexpr const char* PROGRAM_NAME = "Orvex";

// A failure the player may ignore: a box captioned text asking
// "Quit from Application ?" with OK and Cancel. OK starts the orderly close;
// either way the caller goes on.
void Error_Query_Quit(const char* text);

// A failure the program cannot go on from: "text\ndetail" captioned
// "Application error !" with the stop icon, then the orderly close. Returns to
// its caller, which finishes its step without what failed.
void Fatal_Error(const char* text, const char* detail);

// The same two for a file that could not be read: the text, then the file's
// path and the system's reason on the line under it ("path: reason"), in a
// box captioned with the program's name, so that the user sees which file
// to mend.
void File_Error_Query_Quit(const char* text, const file_fault& fault);
void File_Fatal_Error(const char* text, const file_fault& fault);

// Checks a DirectDraw result: a code with a name in the table shows that name
// in a box captioned label; success, lost and busy surfaces and unknown codes
// pass silently. Returns result.
HRESULT DD_Error(const char* label, HRESULT result);

// Set once a quit has been chosen or forced. From then on no further error
// box is shown and no second close is posted; start-up stops where it is.
bool Is_Quitting();

// Starts the orderly close once: sets the quitting flag and posts the close
// message to the main window (the same path as the quit control), or the quit
// message when there is no main window yet.
void Begin_Orderly_Quit();

// For tests and a new run of the start-up: clears the quitting flag.
void Reset_Quitting();

// File > Export Instrument Definitions: the save dialog, whose type list chooses the format;
// the last format chosen is remembered in the user's configuration.
#pragma once

#include <string>

class CBankSet;
class wxWindow;

// The configuration key of the last format chosen (its command-line name).
extern const char* const kInstrDefFormatKey;

// Shows the save dialog (the bank's name with the format's ending, in the bank's folder) and
// writes the definition of the bank at bankPath. With no bank open nothing is shown.
void RunExportInstrDefCommand(wxWindow* parent, const std::string& bankPath);
// The same for the bank set on show: its answers, in a file named after the banks' folder.
void RunExportSetInstrDefCommand(wxWindow* parent, const CBankSet& set);

// Drives the bank inspector from the main window as a user does, for the window tests.
#pragma once

#include <functional>
#include <string>

class CBankInspectorDlg;
class wxUIActionSimulator;

// Ctrl+I, a click on the first program of the table, text typed a key at a time, a click on OK.
// false when Ctrl+I showed no inspector.
bool TypeFirstProgramInInspector(const std::string& text);

// Ctrl+I, then script run in the inspector once it is on show; a dialog the script leaves open is
// cancelled. false when Ctrl+I showed no inspector.
bool RunInInspector(const std::function<void(CBankInspectorDlg&, wxUIActionSimulator&)>& script);

// A click on the centre of the table's cell in column nCol of row nRow.
void ClickInspectorCell(CBankInspectorDlg& dlg, wxUIActionSimulator& sim, int nCol, long nRow);

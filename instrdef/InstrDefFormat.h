// The file formats an instrument definition is written in, and the one call that writes any of
// them from a device name and the named rows.
#pragma once

#include "instrdef/InstrumentRows.h"

#include <string>
#include <vector>

enum INSTRDEFFORMAT
{
    InstrDefMidnam,  // MIDI Name Document 1.0 (Ardour, Qtractor, Logic, ...)
    InstrDefIns,     // Cakewalk instrument definitions (Cakewalk/SONAR, Qtractor, VMPK, ...)
    InstrDefReabank, // REAPER bank file
    InstrDefCubase,  // Cubase patch-name script
    InstrDefCsv      // one line per row, for a spreadsheet
};

// "midnam", "ins", "reabank", "cubase" or "csv" (the format's name as the command line takes it).
bool ParseInstrDefFormat(const std::string& text, INSTRDEFFORMAT& format);
const char* InstrDefFormatName(INSTRDEFFORMAT format);
// The usual file name ending of the format, with its dot.
const char* InstrDefExtension(INSTRDEFFORMAT format);

// The whole file. rows are sorted as RowsFromSlots leaves them and named (NameRows); device is
// the name a sequencer lists the instrument under. false only when the XML library fails.
bool WriteInstrDef(INSTRDEFFORMAT format, const std::string& device, const std::vector<INSTRDEFROW>& rows,
                   std::string& out);

// The writers, one per format.
bool WriteMidnam(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out);
void WriteIns(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out);
void WriteReabank(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out);
void WriteCubase(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out);
void WriteInstrDefCsv(const std::vector<INSTRDEFROW>& rows, std::string& out);

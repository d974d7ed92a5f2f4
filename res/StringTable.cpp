// The string table. Texts are UTF-8 English, translated through the installed translator; the
// ids follow the program's resource numbering.
#include "res/StringTable.h"

#include "res/Translation.h"

#include <algorithm>
#include <iterator>

namespace
{
struct StringEntry
{
    unsigned id;
    const char* text;
};

// Sorted by id for the binary search in LoadStringId.
const StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Vorn Orvane\nUntitled\n94b SoundBank\n94b SoundBank (*.94b)\n.94b\n94bSoundBank\n 94b SoundBank"},
    {IDS_ZTLTITLE, "VORN Orvane 2.0"},
    {IDS_ZTLAUTHOR, "The Orvane developers"},
    {IDS_ZTLAUTHOREMAIL, "orvane@localhost"},
    {IDS_HTMLFILTER, "HTML files (*.htm)|*.htm|"},
    {IDS_ZTLMAPFILEDATE, "Mapping date: "},
    {IDS_ZTLMIDIMAPPING, "MIDI mappings"},
    {IDS_ZTLMIDIPROG, "MIDI prog"},
    {IDS_ZTLVARIATION, "Variation"},
    {IDS_ZTLCUBASEPROG, "Cubase Prog."},
    {IDS_ZTLCUBASEBANK, "Cubase Bank"},
    {IDS_TEMPLATEFILE, "Qzr.mas"},
    {ID_OPTIONS, "Display the options dialog box\nOptions"},
    {ID_BANKINSPECTOR, "Edit the soundbank's name, priority and mapping\nBank Inspector"},
    {ID_EXPORTZIP, "Export soundbank and mapping files into a ZIP archive\nExport to Zip"},
    {ID_HELP_FRENCH, "Show the help in French\nHelp (French)"},
    {ID_HELP_ENGLISH, "Show the help in English\nHelp (English)"},
    {AFX_IDS_APP_TITLE, "Orvane"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {IDS_NOBANKPAGE, "NoBank.html"},
    {IDS_IMAGEFILTER, "Images files (*.gif,*.bmp,*.jpg;*.jpeg)|*.gif;*.bmp;*.jpg; *.jpeg|All Files (*.*)|*.*||"},
    {IDS_ZTLLEGEND, "- The universal 94B & TTS soundbanks mapper"},
    {IDS_OPTIONSFILE, "qzr.opt"},
    {IDS_NOIMAGEFILE, "Unable to find the background image file !"},
    {IDS_OPTIONSCAPTION, "Options"},
    {IDS_COLPROGRAM, "Program"},
    {IDS_COLVARIATION, "Variation"},
    {IDS_OUTOFRANGE, "Value is out of range !"},
    {IDS_NOPRIOCHUNK, "Unable to find PRIO chunk !"},
    {IDS_NOIMAPCHUNK, "Unable to find IMAP chunk !"},
    {IDS_CANTOPENFILE, "Unable to open file !"},
    {IDS_CANTBACKUP, "Unable to create backup file !"},
    {IDS_TTSQUESTION, "This soundbank seems to be a converted TTS soundbank (TTMA chunk presence).\n"
                      "Some .94b bankloaders are  not able to load it properly.\n"
                      "Do you want to fix it ? (see help for details)"},
    {IDS_MAPPINGPAGE, "midimap.html"},
    {IDS_HELPFRENCH, "help/help_fr.html"},
    {IDS_HELPENGLISH, "help/help_eng.html"},
    {IDS_ZIP_NOTFOUND, "Cannot find %s. The Dll must be in the application directory, the path, the Windows "
                       "directory or the Windows System directory."},
    {IDS_ZIP_BADVERSION, "%s has the wrong version number. Insure that you have the correct dll's installed, "
                         "and that an older dll is not in your path or Windows System directory."},
    {IDS_ZIP_CANTLOAD, "Could not load %s"},
    {IDS_ZIP_NOENTRY, "Could not get entry point to %s"},
    {IDS_ZIP_CAPTION, "Info-ZIP Example"},
    {IDS_ZIP_WRITEFAILED, "Could not write the ZIP archive %s:\n%s"},
    {IDS_ZIP_COPYFAILED, "Could not copy the soundbank %s to %s:\n%s"},
    {IDS_ZIP_NAMECLASH, "The soundbank %s cannot be archived beside the mapping page: both are named %s."},
    {IDS_CANTREPAIR, "This soundbank cannot be repaired: its priority chunk does not follow its TTMA chunk as "
                     "expected.\nThe file was left unchanged."},
    {IDS_GRID_NOTFOUND, "Item not found"},
    {IDS_GRID_NOTFOUNDCAPTION, "Not Found"},
    {IDS_GRID_CELLTIP, "Col:%s Row:%s"},
    {IDS_SAVE_ISBANK, "The page was not saved: %s is the open soundbank."},
    {IDS_SAVE_ISTEMPLATE, "The page was not saved: %s is the page template."},
    {IDS_ZIP_ISBANK, "The archive was not written: %s is the soundbank to export."},
    {IDS_CHUNKBEYOND4GB, "The %s chunk lies beyond 4 GiB, where the positions of the format cannot reach !"},
    {IDS_CANTMAKEPAGE, "Unable to make the mapping page !"},
    {IDS_JOURNAL_CANTWRITE, "The change was not made: the change journal could not record it !"},
    {IDS_JOURNAL_CANTREAD, "Unable to read the change journal !"},
    {IDS_UNDO_NOTHING, "There is no change of this soundbank to undo."},
    {IDS_REDO_NOTHING, "There is no undone change of this soundbank to redo."},
    {IDS_UNDO_CHANGED, "Nothing was undone: the soundbank was changed by another program since."},
    {IDS_REDO_CHANGED, "Nothing was redone: the soundbank was changed by another program since."},
    {IDS_UNDO_FAILED, "Unable to undo the change ! The soundbank is as it was."},
    {IDS_REDO_FAILED, "Unable to redo the change ! The soundbank is as it was."},
    {IDS_UNDO_UNRECORDED, "The change was undone, but the change journal could not record it !"},
    {IDS_REDO_UNRECORDED, "The change was redone, but the change journal could not record it !"},
    {IDS_MENU_UNDO, "&Undo"},
    {IDS_MENU_REDO, "&Redo"},
    {IDS_MENU_UNDOKIND, "&Undo %s"},
    {IDS_MENU_REDOKIND, "&Redo %s"},
    {IDS_KIND_INSPECTOR, "inspector change"},
    {IDS_KIND_SET, "command-line change"},
    {IDS_KIND_REPAIR, "repair"},
    {IDS_PROMPT_UNDOKIND, "Undo the %s of %s: %s\nUndo"},
    {IDS_PROMPT_REDOKIND, "Redo the %s of %s: %s\nRedo"},
    {IDS_PROMPT_REDO, "Redo the last undone change\nRedo"},
    {IDS_SUMMARY_NAME, "name %s \u2192 %s"},
    {IDS_SUMMARY_PRIORITY, "priority %s \u2192 %s"},
    {IDS_SUMMARY_ENTRY, "1 entry"},
    {IDS_SUMMARY_ENTRIES, "%s entries"},
    {IDS_SUMMARY_NOVALUES, "no values changed"},
    {IDS_SUMMARY_SET, "set: %s"},
    {IDS_SUMMARY_INSPECTOR, "inspector: %s"},
    {IDS_PASTE_BADVALUE, "Nothing was pasted: line %s, column %s holds \"%s\", which is not a whole number "
                         "from 0 to 127."},
    {IDS_PASTE_OUTSIDE, "Nothing was pasted: line %s, column %s would land outside the program and variation "
                        "of the list's entries."},
    {IDS_COPY_TOOLARGE, "Nothing was copied: the mapping of this soundbank has %s entries, too many for the "
                        "clipboard."},
    {ID_OPEN_IN_BROWSER, "Open a copy of the mapping page in the web browser\nOpen in Web Browser"},
    {IDS_BROWSER_CANTCOPY, "Unable to copy the mapping page for the web browser !"},
    {IDS_BROWSER_CANTSTART, "Unable to start the web browser !"},
    {IDS_ABOUT_LICENCE, "Free software under the GNU General Public License, version 3 or later"},
    {IDS_BANK_CHANGEDONDISK, "%s was changed by another program: the page shows it as it is now."},
    {IDS_BANK_GONEFROMDISK, "%s is no longer on disk: the page shows it as it was."},
    {IDS_PROMPT_UNDOBLOCKED, "The %s of %s cannot be undone: the soundbank was changed by another program since."},
    {IDS_PROMPT_REDOBLOCKED, "The %s of %s cannot be redone: the soundbank was changed by another program since."},
    {IDS_VALUE_RANGE, "Value is out of range: enter a whole number from 0 to 127."},
    {IDS_PRIORITY_RANGE, "Nothing was written: the priority must be a whole number from 0 to 127."},
    {IDS_INSPECTOR_CHANGED, "Nothing was written: the soundbank was changed by another program since the inspector "
                            "read it.\n\nReload the soundbank as it is now? Your changes in the inspector would be "
                            "lost. Answer No to keep them on screen, where you can copy them."},
    {IDS_INSPECTOR_TITLE, "Bank Inspector"},
    {IDS_ZTLSOUNDBANK, "Soundbank:"},
    {IDS_ZTLGROUP, "Group"},
    {IDS_ZTLGMNAME, "GM name"},
    {IDS_ZTLINSTRUMENTS, "Instruments"},
    {IDS_ZTLDRUMSET, "Drumset"},
    {IDS_ZTLPAGENOTE, "MIDI prog and Variation are the numbers stored in the soundbank. Cubase Prog. is the MIDI "
                      "program counted from 1; Cubase Bank is the bank-select value, the variation \u00d7 128 (bank "
                      "MSB = variation, LSB = 0)."},
    {IDS_ZTLDATEFORMAT, "%A, %B %d, %Y at %H:%M:%S"},
    {IDS_ZTLDAYNAMES, "Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday"},
    {IDS_ZTLMONTHNAMES, "January|February|March|April|May|June|July|August|September|October|November|December"},
    {IDS_SAVE_IMAGEFAILED, "The page was not saved: the image it shows could not be copied beside it !"},
    {IDS_RECENT_GONE, "The file %s no longer exists. It was taken off the list of recent files."},
    {IDS_PRINT_TOOWIDE, "The page is wider than the paper: its right-hand part will be cut off.\nPrint it anyway?"},
    {IDS_SETTEMPLATEFILE, "BankSet.mas"},
    {IDS_SETTITLE, "Bank set"},
    {IDS_SETLEGEND, "Which bank answers each program and variation when these banks are loaded together"},
    {IDS_SETBANKS, "Banks, in the order they are loaded"},
    {IDS_SETNAME, "Name"},
    {IDS_SETPRIORITY, "Priority"},
    {IDS_SETFILE, "File"},
    {IDS_SETSTATUS, "Status"},
    {IDS_SETSLOTS, "Mapped programs"},
    {IDS_SETSTATE, "State"},
    {IDS_SETANSWER, "Answered by"},
    {IDS_SETHIDDEN, "Hidden entries"},
    {IDS_SETFREE, "Free places for a new bank"},
    {IDS_SETSTATUSOK, "read"},
    {IDS_SETSTATUSREPAIR, "converted bank, read as it is (needs repair)"},
    {IDS_SETSTATUSUNREADABLE, "unreadable: %s"},
    {IDS_SETSOLE, "only bank"},
    {IDS_SETWINS, "wins"},
    {IDS_SETUNDECIDED, "UNDECIDED: equal priorities"},
    {IDS_SETHIDDENENTRY, "%s, entry %s, priority %s"},
    {IDS_SETNOTE, "The bank of the highest priority answers; the entries it hides are never heard while these banks "
                  "are loaded together. An undecided program has two or more banks at the highest priority: change one "
                  "of their priorities to settle it."},
    {IDS_SETSUMMARY,
     "%s banks read, %s slots mapped, %s won over others, %s undecided, %s entries hidden, %s free slots"},
    {IDS_SETNOFREE, "No free place: every program of both lists is taken."},
    {IDS_SETNOSLOTS, "No bank of the set maps any program."},
    {IDS_SETNOBANKS, "No soundbank was found in %s."},
    {ID_OPENBANKSET, "Open several soundbanks loaded together as a bank set\nOpen Bank Set"},
    {ID_OPENBANKSETFOLDER, "Open every soundbank below a folder as a bank set\nOpen Bank Set Folder"},
    {IDS_SETPAGE, "bankset.html"},
    {IDS_SET_BANKCHANGED, "%s was changed: the bank set page shows it as it is now."},
    {IDS_SET_BANKGONE, "%s is no longer on disk: the bank set page shows it as unreadable."},
    {IDS_SET_CHOOSEBANK, "Which bank of the set do you want to inspect?"},
    {ID_VIEW_BACK, "Go back to the page shown before (Alt+Left)\nBack"},
    {IDS_SET_CAPTIONFOLDER, "Bank set: %s"},
    {IDS_SET_CAPTIONBANKS, "Bank set: %s banks"},
    {IDS_SET_ZIPNAME, "bankset.zip"},
    {ID_EDIT_FIND, "Find text on the page\nFind (Ctrl+F)"},
    {ID_EDIT_FINDNEXT, "Find the text again further down the page\nFind Next (F3)"},
    {ID_EDIT_FINDPREVIOUS, "Find the text again further up the page\nFind Previous (Shift+F3)"},
    {IDS_FIND_LABEL, "Find:"},
    {IDS_FIND_NEXT, "&Next"},
    {IDS_FIND_PREVIOUS, "&Previous"},
    {IDS_FIND_MATCHCASE, "&Match case"},
    {IDS_FIND_CLOSE, "Close the find bar (Esc)"},
    {IDS_FIND_NOTFOUND, "Not found"},
    {IDS_FIND_COUNT, "Match %s of %s"},
    {IDS_FIND_WRAPPEDTOP, "Match %s of %s, continued from the top"},
    {IDS_FIND_WRAPPEDBOTTOM, "Match %s of %s, continued from the bottom"},
    {ID_EXPORTINSTRDEF, "Write the soundbank's programs as an instrument definition for a sequencer\nExport Instrument "
                        "Definitions"},
    {IDS_INSTRDEF_CANTWRITE, "Unable to write the instrument definition !"},
    {IDS_INSTRDEF_ISBANK,
     "The instrument definition would replace the soundbank it is made from: nothing was written."},
    {IDS_INSTRDEF_LEFTOUT, "%s entries were left out: programs and variations above 127 cannot be selected from a "
                           "sequencer."},
    {IDS_AUDITION_PLAYING, "Playing %s %s: %s, program %s, variation %s on %s"},
    {IDS_AUDITION_STOPPED, "Stopped."},
    {IDS_AUDITION_INSTRUMENT, "instrument"},
    {IDS_AUDITION_DRUMSET, "drum set"},
    {IDS_AUDITION_PROGRAMNAME, "Program %s"},
    {IDS_AUDITION_REFUSED, "The %s %s has program %s, which no program change can select (0 to 127). Nothing was "
                           "sent."},
    {IDS_AUDITION_FAILED, "The entry could not be played on %s: %s"},
    {IDS_AUDITION_NOSEQUENCER, "No MIDI sequencer: %s"},
    {IDS_AUDITION_NOPORT, "No MIDI output is chosen: choose one in Options to play entries."},
    {IDS_AUDITION_PLAY, "&Play"},
    {IDS_AUDITION_PLAYTIP, "Play the entry under the cursor (Space); press again to stop"},
    {IDS_AUDITION_PLAYMENU, "&Play Entry\tSpace"},
    {IDS_MIDI_OUTPUT, "MIDI output "},
    {IDS_MIDI_NONE, "None"},
    {IDS_MIDI_CHANNEL, "Instruments' channel:"},
    {IDS_MIDI_CHANNELTIP, "The channel instruments play on; drum sets always play on channel 10."},
};
} // namespace

const char* LoadStringId(unsigned id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const StringEntry& e, unsigned key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return "";
    // File names and the program's own name have no translation, so they come back as they are.
    return Translate(it->text);
}

std::string FormatStringId(unsigned id, std::initializer_list<std::string> args)
{
    std::string text = LoadStringId(id);
    size_t from = 0;
    for (const std::string& arg : args)
    {
        size_t at = text.find("%s", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

std::string GetPromptText(unsigned id)
{
    std::string text = LoadStringId(id);
    return text.substr(0, text.find('\n'));
}

std::string GetToolTipText(unsigned id)
{
    std::string text = LoadStringId(id);
    auto nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

// The program's string table: every user-visible text, looked up by its numeric id.
#pragma once

#include <initializer_list>
#include <string>

// Ids of the table. Command ids double as the ids of their status-bar prompts.
enum StringId : unsigned
{
    IDR_MAINFRAME = 128, // document string: title, new name, filter, extension, type

    IDS_ZTLTITLE = 183,
    IDS_ZTLAUTHOR = 184,
    IDS_ZTLAUTHOREMAIL = 185,
    IDS_HTMLFILTER = 187,
    IDS_ZTLMAPFILEDATE = 188,
    IDS_ZTLMIDIMAPPING = 195,
    IDS_ZTLMIDIPROG = 196,
    IDS_ZTLVARIATION = 197,
    IDS_ZTLCUBASEPROG = 198,
    IDS_ZTLCUBASEBANK = 199,
    IDS_TEMPLATEFILE = 211,

    ID_OPTIONS = 32772,
    ID_BANKINSPECTOR = 32773,
    ID_EXPORTZIP = 32777,
    ID_HELP_FRENCH = 32778,
    ID_HELP_ENGLISH = 32779,

    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_IDLEMESSAGE = 57345,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    IDS_NOBANKPAGE = 61446,
    IDS_IMAGEFILTER = 61447,
    IDS_ZTLLEGEND = 61448,
    IDS_OPTIONSFILE = 61449,
    IDS_NOIMAGEFILE = 61450,
    IDS_OPTIONSCAPTION = 61451,
    IDS_COLPROGRAM = 61452,
    IDS_COLVARIATION = 61453,
    IDS_OUTOFRANGE = 61454,
    IDS_NOPRIOCHUNK = 61455,
    IDS_NOIMAPCHUNK = 61456,
    IDS_CANTOPENFILE = 61457,
    IDS_CANTBACKUP = 61458,
    IDS_TTSQUESTION = 61459,
    IDS_MAPPINGPAGE = 61461,
    IDS_HELPFRENCH = 61462,
    IDS_HELPENGLISH = 61463,

    // ZIP library messages (their "%s" is the library's file name) and their caption.
    IDS_ZIP_NOTFOUND = 62001,   // M1
    IDS_ZIP_BADVERSION = 62002, // M2
    IDS_ZIP_CANTLOAD = 62003,   // M3
    IDS_ZIP_NOENTRY = 62004,    // M4
    IDS_ZIP_CAPTION = 62005,
    IDS_ZIP_WRITEFAILED = 62006, // archive, reason
    IDS_ZIP_COPYFAILED = 62007,  // bank, copy, reason
    IDS_ZIP_NAMECLASH = 62008,   // bank, name

    IDS_CANTREPAIR = 62009, // a converted bank whose chunks do not allow the repair

    // The grid control's find message and its caption, and its default cell tip (column, row).
    IDS_GRID_NOTFOUND = 62010,
    IDS_GRID_NOTFOUNDCAPTION = 62011,
    IDS_GRID_CELLTIP = 62012,

    // A page or archive refused because its name is a file it is made from (that file's path).
    IDS_SAVE_ISBANK = 62013,
    IDS_SAVE_ISTEMPLATE = 62014,
    IDS_ZIP_ISBANK = 62015,

    // A chunk (its identifier) found only where the format's 32-bit positions cannot reach.
    IDS_CHUNKBEYOND4GB = 62030,
    // The mapping page could not be made (detail: the template or page and the reason).
    IDS_CANTMAKEPAGE = 62031,

    // The change journal: undo and redo of the changes made to a bank (detail: file and reason).
    IDS_JOURNAL_CANTWRITE = 62040,
    IDS_JOURNAL_CANTREAD = 62041,
    IDS_UNDO_NOTHING = 62042,
    IDS_REDO_NOTHING = 62043,
    IDS_UNDO_CHANGED = 62044,
    IDS_REDO_CHANGED = 62045,
    IDS_UNDO_FAILED = 62046,
    IDS_REDO_FAILED = 62047,
    IDS_UNDO_UNRECORDED = 62048,
    IDS_REDO_UNRECORDED = 62049,
    // Edit menu texts and prompts naming the change (its kind, when it was made, its summary).
    IDS_MENU_UNDO = 62050,
    IDS_MENU_REDO = 62051,
    IDS_MENU_UNDOKIND = 62052,
    IDS_MENU_REDOKIND = 62053,
    IDS_KIND_INSPECTOR = 62054,
    IDS_KIND_SET = 62055,
    IDS_KIND_REPAIR = 62056,
    IDS_PROMPT_UNDOKIND = 62057,
    IDS_PROMPT_REDOKIND = 62058,
    IDS_PROMPT_REDO = 62059,
    // A change's summary as shown: the fields it changed (old and new values, a count of
    // entries), or none, after its kind.
    IDS_SUMMARY_NAME = 62060,
    IDS_SUMMARY_PRIORITY = 62061,
    IDS_SUMMARY_ENTRY = 62062,
    IDS_SUMMARY_ENTRIES = 62063,
    IDS_SUMMARY_NOVALUES = 62064,
    IDS_SUMMARY_SET = 62065,
    IDS_SUMMARY_INSPECTOR = 62066,
    // Numbers pasted into the inspector's table and refused (line, column of the pasted block,
    // and for a bad value the value).
    IDS_PASTE_BADVALUE = 62070,
    IDS_PASTE_OUTSIDE = 62071,
    // The mapping page's Copy of a bank whose table is too large for the clipboard (its size).
    IDS_COPY_TOOLARGE = 62072,
    // View > Open in Web Browser: its prompt, and its failures (the copy's detail "PATH: REASON").
    ID_OPEN_IN_BROWSER = 62100,
    IDS_BROWSER_CANTCOPY = 62101,
    IDS_BROWSER_CANTSTART = 62102,
    // The about box's line naming the program's licence.
    IDS_ABOUT_LICENCE = 62110,
    // The open bank changed or removed on disk by another program (its file name), said in the
    // status bar.
    IDS_BANK_CHANGEDONDISK = 62140,
    IDS_BANK_GONEFROMDISK = 62141,
    // Edit menu prompts of a change the bank no longer shows (its kind, when it was made).
    IDS_PROMPT_UNDOBLOCKED = 62142,
    IDS_PROMPT_REDOBLOCKED = 62143,
    // The inspector's refusals: a value or a priority out of range, and an OK that finds the
    // bank changed by another program since the inspector read it (a question: reload it?).
    IDS_VALUE_RANGE = 62200,
    IDS_PRIORITY_RANGE = 62201,
    IDS_INSPECTOR_CHANGED = 62202,
    IDS_INSPECTOR_TITLE = 62203,
    // The mapping page's own words beside the template's: the bank's label, two column headings,
    // the group words of the rows, the note under the table, and the date line's form with the
    // day and month names ("|" between the names).
    IDS_ZTLSOUNDBANK = 62300,
    IDS_ZTLGROUP = 62301,
    IDS_ZTLGMNAME = 62302,
    IDS_ZTLINSTRUMENTS = 62303,
    IDS_ZTLDRUMSET = 62304,
    IDS_ZTLPAGENOTE = 62305,
    IDS_ZTLDATEFORMAT = 62306,
    IDS_ZTLDAYNAMES = 62307,
    IDS_ZTLMONTHNAMES = 62308,
    // The logo or background image a saved page shows could not be copied beside it (detail).
    IDS_SAVE_IMAGEFAILED = 62309,
    // A recent file chosen from the File menu that no longer exists (its path).
    IDS_RECENT_GONE = 62310,
    // The page is wider than the paper: print it anyway?
    IDS_PRINT_TOOWIDE = 62311,
    // The bank-set page: its template, title, headings, bank status and slot state words, the
    // line of a hidden entry, the note, the summary and the lines for empty sections.
    IDS_SETTEMPLATEFILE = 62400,
    IDS_SETTITLE = 62401,
    IDS_SETLEGEND = 62402,
    IDS_SETBANKS = 62403,
    IDS_SETNAME = 62404,
    IDS_SETPRIORITY = 62405,
    IDS_SETFILE = 62406,
    IDS_SETSTATUS = 62407,
    IDS_SETSLOTS = 62408,
    IDS_SETSTATE = 62409,
    IDS_SETANSWER = 62410,
    IDS_SETHIDDEN = 62411,
    IDS_SETFREE = 62412,
    IDS_SETSTATUSOK = 62413,
    IDS_SETSTATUSREPAIR = 62414,
    IDS_SETSTATUSUNREADABLE = 62415,
    IDS_SETSOLE = 62416,
    IDS_SETWINS = 62417,
    IDS_SETUNDECIDED = 62418,
    IDS_SETHIDDENENTRY = 62419,
    IDS_SETNOTE = 62420,
    IDS_SETSUMMARY = 62421,
    IDS_SETNOFREE = 62422,
    IDS_SETNOSLOTS = 62423,
    // The window's bank set: a folder without banks (its path), the prompts of File > Open Bank
    // Set and Open Bank Set Folder, and the set page's name in the private directory.
    IDS_SETNOBANKS = 62424,
    ID_OPENBANKSET = 62425,
    ID_OPENBANKSETFOLDER = 62426,
    IDS_SETPAGE = 62427,
    // The window following a set's banks (the bank's name), the inspector's choice of a bank of
    // the set, the tool bar's Back, the caption of a set (its folder, or its number of banks)
    // and the names a set's archive proposes and stores its page under.
    IDS_SET_BANKCHANGED = 62430,
    IDS_SET_BANKGONE = 62431,
    IDS_SET_CHOOSEBANK = 62432,
    ID_VIEW_BACK = 62433,
    IDS_SET_CAPTIONFOLDER = 62434,
    IDS_SET_CAPTIONBANKS = 62435,
    IDS_SET_ZIPNAME = 62436,
    // Edit > Find, Find Next and Find Previous: their prompts; the find bar's label, buttons,
    // check box and close button's tip; what the bar says of a search (the match's number and
    // the number of matches, and whether it went round the page's end).
    ID_EDIT_FIND = 62450,
    ID_EDIT_FINDNEXT = 62451,
    ID_EDIT_FINDPREVIOUS = 62452,
    IDS_FIND_LABEL = 62453,
    IDS_FIND_NEXT = 62454,
    IDS_FIND_PREVIOUS = 62455,
    IDS_FIND_MATCHCASE = 62456,
    IDS_FIND_CLOSE = 62457,
    IDS_FIND_NOTFOUND = 62458,
    IDS_FIND_COUNT = 62459,
    IDS_FIND_WRAPPEDTOP = 62460,
    IDS_FIND_WRAPPEDBOTTOM = 62461,
    // File > Export Instrument Definitions: its prompt, and what it reports.
    ID_EXPORTINSTRDEF = 62500,
    IDS_INSTRDEF_CANTWRITE = 62501,
    IDS_INSTRDEF_ISBANK = 62502,
    // How many entries were left out (a number).
    IDS_INSTRDEF_LEFTOUT = 62503,
    // Playing an entry on a MIDI output: what the status line says while one plays and once it
    // is stopped, the two list words, a program without a General MIDI name, the refusal of a
    // program no program change selects, a port that failed, the tips of disabled play
    // commands, the play command's label, tip and menu item, and the Options group and its
    // first choice, the instruments' channel's label and its tip.
    IDS_AUDITION_PLAYING = 62600,
    IDS_AUDITION_STOPPED = 62601,
    IDS_AUDITION_INSTRUMENT = 62602,
    IDS_AUDITION_DRUMSET = 62603,
    IDS_AUDITION_PROGRAMNAME = 62604,
    IDS_AUDITION_REFUSED = 62605,
    IDS_AUDITION_FAILED = 62606,
    IDS_AUDITION_NOSEQUENCER = 62607,
    IDS_AUDITION_NOPORT = 62608,
    IDS_AUDITION_PLAY = 62609,
    IDS_AUDITION_PLAYTIP = 62610,
    IDS_AUDITION_PLAYMENU = 62611,
    IDS_MIDI_OUTPUT = 62612,
    IDS_MIDI_NONE = 62613,
    IDS_MIDI_CHANNEL = 62614,
    IDS_MIDI_CHANNELTIP = 62615,
};

// Text of an id; an empty string for an id the table does not hold.
const char* LoadStringId(unsigned id);

// Same as LoadStringId, as a std::string.
inline std::string GetString(unsigned id)
{
    return LoadStringId(id);
}

// The text of an id with each "%s" replaced, in order, by the next argument.
std::string FormatStringId(unsigned id, std::initializer_list<std::string> args);

// The part of a command prompt before "\n" (status-bar text) and after it (tool tip).
std::string GetPromptText(unsigned id);
std::string GetToolTipText(unsigned id);

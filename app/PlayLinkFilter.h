// CPlayLinkFilter: how the browser reads the mapping page it shows. The page's file stays as
// written (Save As, Export to Zip and the web browser copy it); the browser gets it with a play
// link before each entry's name, at the places its rows were marked when it was made.
#pragma once

#include "report/MappingReport.h"

#include <wx/html/htmlfilt.h>

#include <functional>
#include <string>
#include <vector>

class CPlayLinkFilter : public wxHtmlFilter
{
public:
    // The marks of the page at a file path, or nullptr for a page shown as it is.
    using MarksOf = std::function<const std::vector<ENTRYMARK>*(const std::string& path)>;

    // Hands the browsers' pages to marks, given by owner. The filter is added to the browsers
    // on the first call.
    static void SetMarks(const void* owner, MarksOf marks);
    // Pages are read as they are again, unless another owner took the marks since.
    static void ClearMarks(const void* owner);

    bool CanRead(const wxFSFile& file) const override;
    wxString ReadFile(const wxFSFile& file) const override;

private:
    static const std::vector<ENTRYMARK>* MarksFor(const wxFSFile& file);
};

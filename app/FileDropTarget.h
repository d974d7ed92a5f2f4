// CFileDropTarget: hands the files dropped on a window to a handler of ours, so that a dropped
// file is opened as a bank and never loaded into the window itself.
#pragma once

#include <wx/dnd.h>

#include <functional>

class CFileDropTarget : public wxFileDropTarget
{
public:
    explicit CFileDropTarget(std::function<void(const wxArrayString&)> onDrop) : m_onDrop(std::move(onDrop)) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override
    {
        m_onDrop(files);
        return true;
    }

private:
    std::function<void(const wxArrayString&)> m_onDrop;
};

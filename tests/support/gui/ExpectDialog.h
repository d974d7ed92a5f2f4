// An expectation of wx/testing.h for any modal dialog class, with a check that runs on the
// dialog before it "closes" with the code the check returns.
#pragma once

#include <wx/testing.h>

#include <functional>

template <class T>
class ExpectDialog : public wxExpectModalBase<T, ExpectDialog<T>>
{
public:
    explicit ExpectDialog(std::function<int(T*)> check) : m_check(std::move(check)) {}

protected:
    int OnInvoked(T* dlg) const override { return m_check(dlg); }

private:
    std::function<int(T*)> m_check;
};

// Closes the dialog with a fixed code.
template <class T>
ExpectDialog<T> ExpectDialogClosedWith(int code)
{
    return ExpectDialog<T>([code](T*) { return code; });
}

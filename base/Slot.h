// CSlot: one process-wide service (the message sink, the file system, the grid's colours) with
// a built-in default. Programs install theirs at start; tests install fakes for a scope.
#pragma once

template <class T> class CSlot
{
public:
    explicit CSlot(T& builtIn) : m_pBuiltIn(&builtIn), m_pCurrent(&builtIn) {}
    CSlot(const CSlot&) = delete;
    CSlot& operator=(const CSlot&) = delete;

    T& Get() const { return *m_pCurrent; }
    bool HoldsBuiltIn() const { return m_pCurrent == m_pBuiltIn; }

    // Installs p (nullptr puts the built-in one back) and returns the one it replaces.
    T* Install(T* p)
    {
        T* previous = m_pCurrent;
        m_pCurrent = p ? p : m_pBuiltIn;
        return previous;
    }

    // Installs p for the lifetime of the scope and then puts back what was there before.
    class CScope
    {
    public:
        CScope(CSlot& slot, T* p) : m_slot(slot), m_pPrevious(slot.Install(p)) {}
        ~CScope() { m_slot.Install(m_pPrevious); }
        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        CSlot& m_slot;
        T* m_pPrevious;
    };

private:
    T* m_pBuiltIn;
    T* m_pCurrent;
};

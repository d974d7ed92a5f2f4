// A bitmap a cell shows: its size, and the window code's own image attached to it.
#pragma once

#include <memory>

class CGridBitmap
{
  public:
    CGridBitmap(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {}

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // The window code's image (a wxBitmap), kept with the record.
    std::shared_ptr<void> m_pNative;

  private:
    int m_nWidth;
    int m_nHeight;
};

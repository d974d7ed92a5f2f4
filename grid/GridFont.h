// A font of the grid's font table: the logical description (the 28 bytes before the face name
// and the face name) and a native font the window code attaches when it first draws with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct GRIDLOGFONT
{
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;

    bool operator==(const GRIDLOGFONT&) const = default;
};
static_assert(sizeof(GRIDLOGFONT) == 28, "the font match compares exactly these 28 bytes");

class CGridFont
{
public:
    CGridFont(const GRIDLOGFONT& lf, std::string strFace) : m_lf(lf), m_strFace(std::move(strFace)) {}

    const GRIDLOGFONT& GetLogFont() const { return m_lf; }
    const std::string& GetFaceName() const { return m_strFace; }

    // The window code's own font object, created lazily and freed with this record.
    std::shared_ptr<void> m_pNative;

private:
    GRIDLOGFONT m_lf;
    std::string m_strFace;
};

// CSettings: the user's choices kept between runs in "qzr.opt" beside the program: the page's
// text colour, background colour and background image, and the two soundbank switches.
#pragma once

#include "soundbank/SoundBank.h"

#include <cstdint>
#include <filesystem>
#include <string>

class CArchive;

class CSettings
{
public:
    // Reads "qzr.opt" from the program directory. 1 read; 0 when there is no usable file,
    // in which case every field keeps its value.
    int Load();
    int Load(const std::filesystem::path& path);
    // Writes the five fields to m_strFileName (or path). 1 written, 0 when the file could not
    // be written; an existing file is then left as it was.
    int Save();
    int Save(const std::filesystem::path& path);
    // The five fields in file order, in the archive's direction.
    void Serialize(CArchive& ar);
    // What loading a bank does with a converted one under these switches.
    REPAIRPOLICY GetRepairPolicy() const
    {
        return REPAIRPOLICY{m_bAutoRemoveTtma ? REPAIRPOLICY::Automatic : REPAIRPOLICY::Ask, m_bKeepBackup != 0};
    }

    uint32_t m_crTextColor = 0;
    uint32_t m_crBackColor = 0;
    std::string m_strBackImage;
    int32_t m_bKeepBackup = 0;
    int32_t m_bAutoRemoveTtma = 0;
    std::string m_strFileName;
};


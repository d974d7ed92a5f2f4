// The settings reader over arbitrary bytes as "qzr.opt" held in memory: a file it refuses
// leaves every field as it was; one it accepts is written back and reads again as the same
// settings.
#include "app/Settings.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/MemoryFileSystem.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    CMemoryFileSystem files;
    CSlot<IFileSystem>::CScope useFiles(FileSystemSlot(), &files);
    files.Put("qzr.opt", std::vector<unsigned char>(data, data + size));

    CSettings settings;
    settings.m_crTextColor = 0x123456;
    settings.m_strBackImage = "kept";
    if (!settings.Load("qzr.opt"))
    {
        Check(settings.m_crTextColor == 0x123456 && settings.m_strBackImage == "kept");
        return 0;
    }
    Check(settings.Save("copy.opt") == 1);
    CSettings again;
    Check(again.Load("copy.opt") == 1);
    Check(again.m_crTextColor == settings.m_crTextColor && again.m_crBackColor == settings.m_crBackColor &&
          again.m_strBackImage == settings.m_strBackImage && again.m_bKeepBackup == settings.m_bKeepBackup &&
          again.m_bAutoRemoveTtma == settings.m_bAutoRemoveTtma);
    Check(files.OpenHandles() == 0);
    return 0;
}

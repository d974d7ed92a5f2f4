// The bank-set page of 100 banks with 16,384 mapped slots in all, loaded and painted by the
// view's browser window, and by wxHtmlWindow alone from the same file (goal: the browser window
// needs at most 1.2 times what wxHtmlWindow needs). Run under a display, for instance xvfb-run.
#include "app/BrowserWindow.h"
#include "bankset/BankSet.h"
#include "bankset/BankSetPage.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <memory>

namespace
{
// 100 banks that share 16,384 slots (every instrument program at every variation), each bank
// mapping some of them alone and some over others, written once with their page.
const std::filesystem::path& SetPage()
{
    static const std::unique_ptr<CTempDir> dir = std::make_unique<CTempDir>();
    static const std::filesystem::path page = []
    {
        std::vector<std::string> paths;
        for (int b = 0; b < 100; ++b)
        {
            std::vector<BankEntry> entries;
            for (int slot = b; slot < 128 * 128; slot += 100)
            {
                BankEntry entry;
                entry.program = static_cast<uint16_t>(slot % 128);
                entry.variation = static_cast<uint8_t>(slot / 128);
                entries.push_back(entry);
                // Every fourth slot is mapped by the next bank too.
                if (slot % 4 == 0 && slot + 1 < 128 * 128)
                {
                    entry.program = static_cast<uint16_t>((slot + 1) % 128);
                    entry.variation = static_cast<uint8_t>((slot + 1) / 128);
                    entries.push_back(entry);
                }
            }
            CBankBuilder bank;
            bank.Prio("Bank " + std::to_string(b), static_cast<uint16_t>(b % 7)).Imap(entries, {});
            paths.push_back((*dir / ("bank" + std::to_string(b) + ".94b")).string());
            bank.WriteTo(paths.back());
        }
        CBankSet set;
        set.Load(paths);
        CBankSetPage maker;
        maker.m_bFlushPage = false;
        const std::filesystem::path made = *dir / "bankset.html";
        if (!maker.Render(set, made))
            return std::filesystem::path();
        return made;
    }();
    return page;
}

// A frame of the program's size holding one HTML window of the kind asked for.
template <class WINDOW> void LoadAndPaint(benchmark::State& state)
{
    const std::filesystem::path& page = SetPage();
    if (page.empty())
    {
        state.SkipWithError("the set page could not be written");
        return;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(820, 640));
    auto* html = new WINDOW(frame);
    frame->Show();
    wxYield();
    const wxFileName file(wxString::FromUTF8(page.string()));
    for (auto _ : state)
    {
        html->LoadFile(file);
        html->Refresh(false);
        html->Update();
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(page));
    frame->Destroy();
    wxYield();
}

void BM_SetPageInTheBrowserWindow(benchmark::State& state)
{
    LoadAndPaint<CBrowserWindow>(state);
}

class CPlainHtml : public wxHtmlWindow
{
public:
    explicit CPlainHtml(wxWindow* parent) : wxHtmlWindow(parent) {}
};

void BM_SetPageInWxHtmlWindowAlone(benchmark::State& state)
{
    LoadAndPaint<CPlainHtml>(state);
}
} // namespace

BENCHMARK(BM_SetPageInWxHtmlWindowAlone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SetPageInTheBrowserWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    // The toolkit's messages go to standard error, never into a message box nobody closes.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    // The page's logo is a PNG, as the program shows it.
    wxInitAllImageHandlers();
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
